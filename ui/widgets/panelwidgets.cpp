#include "widgets/panelwidgets.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>
#include <utility>

#include "widgets/style.h"

namespace expans::ui {

namespace {

constexpr qreal kTwips = kTwipsPerPixel;

}  // namespace

PictureGround::PictureGround(QWidget* parent, std::optional<Picture> picture, QColor background)
    : QWidget(parent), m_picture(picture), m_background(background) {
    // A ground that covers itself in an opaque colour hides whatever lies below, so a repaint
    // inside it need not repaint its parents first.
    setAttribute(Qt::WA_OpaquePaintEvent, m_background.isValid() && m_background.alpha() == 255);
}

void PictureGround::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A ground whose flat picture covers it needs no colour below.
    const bool covered = m_picture && pictureIsOpaque(*m_picture, devicePixelRatioF()) &&
                         QRect(QPoint(0, 0), pictureSize(*m_picture)).contains(rect());
    if (m_background.isValid() && !covered) painter.fillRect(rect(), m_background);
    if (m_picture) drawPicture(painter, *m_picture, devicePixelRatioF());
}

TemperatureSlider::TemperatureSlider(QWidget* parent, QColor ground)
    : QScrollBar(Qt::Horizontal, parent), m_ground(ground), m_handleValue(value()) {}

bool TemperatureSlider::event(QEvent* event) {
    const bool handled = QScrollBar::event(event);
    switch (event->type()) {
        case QEvent::Polish:
            // A style's polish may declare a scroll bar see-through; this one is not.
            setAttribute(Qt::WA_OpaquePaintEvent);
            m_handle = QRect();
            break;
        case QEvent::Resize:
        case QEvent::StyleChange:
        case QEvent::LayoutDirectionChange:
            // The handle may be drawn elsewhere now: the next step repaints the whole bar.
            m_handle = QRect();
            break;
        default:
            break;
    }
    return handled;
}

void TemperatureSlider::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(event->rect(), m_ground);
    QScrollBar::paintEvent(event);
}

QRect TemperatureSlider::handleRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void TemperatureSlider::sliderChange(SliderChange change) {
    const int previous = std::exchange(m_handleValue, value());
    const QRect handle = handleRect();
    const auto atEnd = [this](int position) {
        return position <= minimum() || position >= maximum();
    };
    if (change != SliderValueChange || !m_handle.isValid() || atEnd(previous) || atEnd(value())) {
        QScrollBar::sliderChange(change);
    } else {
        // The style draws the handle's edges just outside its rectangle.
        const QRect moved = m_handle.united(handle);
        update(QRect(moved.left() - 2, 0, moved.width() + 4, height()));
    }
    m_handle = handle;
}

RoundedBar::RoundedBar(QWidget* parent, QColor fill, Motion motion)
    : QWidget(parent), m_fill(fill), m_standsStill(motion == Motion::StandsStill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // A moving bar covers its parent, so a step repaints only the rows where the bar changed.
    if (!m_standsStill && parent) setGeometry(parent->rect());
}

void RoundedBar::setTwips(float left, float top, float width, float height) {
    const QRectF before = outline();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    place(before);
}

// An unchanged figure leaves the bar as it is: nothing to repaint.
void RoundedBar::setHeightTwips(float height) {
    if (height == m_height) return;
    const QRectF before = outline();
    m_height = height;
    place(before);
}

void RoundedBar::setTopTwips(float top) {
    if (top == m_top) return;
    const QRectF before = outline();
    m_top = top;
    place(before);
}

void RoundedBar::setHeightAndTopTwips(float height, float top) {
    if (height == m_height && top == m_top) return;
    const QRectF before = outline();
    m_height = height;
    m_top = top;
    place(before);
}

QRectF RoundedBar::outline() const {
    // The border's centre line, half a pixel inside the bar's edge, in the widget. The panel
    // gives the gas bar's top and height in single precision from a fixed bottom, so their sum
    // wobbles in its last bits from step to step. The bottom is snapped to 1/1024 pixel, far
    // finer than the drawing resolves: the edge stays where it is, and so do its pixels.
    const qreal top = m_top / kTwips - y() + 0.5;
    const qreal bottom =
        std::round((qreal(m_top) + qreal(m_height)) / kTwips * 1024) / 1024 - y() - 0.5;
    return QRectF(m_left / kTwips - x() + 0.5, top, m_width / kTwips - 1.0, bottom - top);
}

qreal RoundedBar::radius(const QRectF& outline) {
    return std::min({8.0, outline.width() / 2, outline.height() / 2});
}

QRect RoundedBar::box() const {
    // The whole-pixel box the bar is drawn in, in the parent.
    const int left = static_cast<int>(std::floor(m_left / kTwips));
    const int top = static_cast<int>(std::floor(m_top / kTwips));
    const int right = static_cast<int>(std::ceil((m_left + m_width) / kTwips));
    const int bottom = static_cast<int>(std::ceil((m_top + m_height) / kTwips));
    return QRect(left, top, std::max(right - left, 1), std::max(bottom - top, 1));
}

void RoundedBar::place(const QRectF& before) {
    if (m_standsStill) {
        // The widget is the bar's box; paintEvent draws the bar at its exact sub-pixel place.
        m_drawn = QPixmap();
        if (box() == geometry()) {
            update();
        } else {
            setGeometry(box());  // repaints the old place and the new one
        }
        return;
    }
    // Between its rounded ends the bar is the same in every row: when only its top or bottom
    // moves, only the rows from the old edge to the new one and the curve below or above it
    // change. Anything else repaints the old box and the new one.
    const QRectF after = outline();
    const auto rows = [](const QRectF& bar, qreal top, qreal bottom) {
        // The border reaches half a pixel out, and smoothing one pixel more.
        return QRectF(bar.left(), top, bar.width(), bottom - top)
            .adjusted(-2, -2, 2, 2)
            .toAlignedRect();
    };
    const qreal r = radius(after);
    if (before.left() != after.left() || before.width() != after.width() || radius(before) != r ||
        before.width() <= 0 || before.height() <= 0 || after.width() <= 0 || after.height() <= 0) {
        update(QRegion(rows(before, before.top(), before.bottom())) +
               rows(after, after.top(), after.bottom()));
        return;
    }
    QRegion changed;
    if (before.top() != after.top()) {
        changed += rows(after, std::min(before.top(), after.top()),
                        std::max(before.top(), after.top()) + r);
    }
    // The same snapped bottom may come back a rounding step off after the subtraction above.
    if (std::abs(before.bottom() - after.bottom()) > 1e-9) {
        changed += rows(after, std::min(before.bottom(), after.bottom()) - r,
                        std::max(before.bottom(), after.bottom()));
    }
    update(changed);
}

void RoundedBar::paintEvent(QPaintEvent* event) {
    if (m_width <= 0 || m_height <= 0) return;
    if (!m_standsStill) {
        // Smoothing is cheap inside one rectangle and dear inside a region of several: the
        // rows that changed are drawn a rectangle at a time.
        QPainter painter(this);
        const QRect bar = box();
        for (const QRect& part : event->region()) {
            if (!part.intersects(bar)) continue;
            painter.setClipRect(part);
            drawBar(painter);
        }
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio ||
        m_drawn.deviceIndependentSize() != QSizeF(size())) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter painter(&m_drawn);
        drawBar(painter);
    }
    QPainter(this).drawPixmap(0, 0, m_drawn);
}

void RoundedBar::drawBar(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar = outline();
    const qreal r = radius(bar);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_fill);
    painter.drawRoundedRect(bar, r, r);
}

TwipLine::TwipLine(QWidget* parent, QColor colour, qreal penWidthPixels, bool smooth)
    : QWidget(parent), m_colour(colour), m_penWidth(penWidthPixels), m_smooth(smooth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent) setGeometry(parent->rect());
}

void TwipLine::setEnds(float x1, float y1, float x2, float y2) {
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2) return;
    const QRect before = bounds();
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    // One rectangle: smoothing inside a region of several costs more than the larger area.
    update(before.united(bounds()));
}

QRect TwipLine::bounds() const {
    // The pen's half width, its round caps and the smoothing reach past the ends.
    const int margin = static_cast<int>(std::ceil(m_penWidth)) + 2;
    const QRectF line =
        QRectF(QPointF(m_x1 / kTwips, m_y1 / kTwips), QPointF(m_x2 / kTwips, m_y2 / kTwips))
            .normalized();
    return line.toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

void TwipLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_smooth);
    QPen pen(m_colour, m_penWidth);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    // A one-pixel line sits on the pixel centre so it stays sharp.
    const qreal offset = m_smooth ? 0.0 : 0.5;
    painter.drawLine(QPointF(m_x1 / kTwips + offset, m_y1 / kTwips + offset),
                     QPointF(m_x2 / kTwips + offset, m_y2 / kTwips + offset));
}

}  // namespace expans::ui
