#include "panelwidgets.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "style.h"

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
    if (m_background.isValid()) painter.fillRect(rect(), m_background);
    if (m_picture) drawPicture(painter, *m_picture, devicePixelRatioF());
}

RoundedBar::RoundedBar(QWidget* parent, QColor fill) : QWidget(parent), m_fill(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedBar::setTwips(float left, float top, float width, float height) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    place();
}

// An unchanged figure leaves the bar as it is: nothing to repaint.
void RoundedBar::setHeightTwips(float height) {
    if (height == m_height) return;
    m_height = height;
    place();
}

void RoundedBar::setTopTwips(float top) {
    if (top == m_top) return;
    m_top = top;
    place();
}

void RoundedBar::place() {
    // The widget is the whole-pixel box around the bar; paintEvent draws the bar at its exact
    // sub-pixel place inside.
    const int left = static_cast<int>(std::floor(m_left / kTwips));
    const int top = static_cast<int>(std::floor(m_top / kTwips));
    const int right = static_cast<int>(std::ceil((m_left + m_width) / kTwips));
    const int bottom = static_cast<int>(std::ceil((m_top + m_height) / kTwips));
    const QRect box(left, top, std::max(right - left, 1), std::max(bottom - top, 1));
    if (box == geometry()) {
        update();
    } else {
        setGeometry(box);  // repaints the old place and the new one
    }
}

void RoundedBar::paintEvent(QPaintEvent*) {
    if (m_width <= 0 || m_height <= 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(m_left / kTwips - x() + 0.5, m_top / kTwips - y() + 0.5,
                     m_width / kTwips - 1.0, m_height / kTwips - 1.0);
    const qreal radius = std::min({8.0, bar.width() / 2, bar.height() / 2});
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_fill);
    painter.drawRoundedRect(bar, radius, radius);
}

TwipLine::TwipLine(QWidget* parent, QColor colour, qreal penWidthPixels, bool smooth)
    : QWidget(parent), m_colour(colour), m_penWidth(penWidthPixels), m_smooth(smooth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent) setGeometry(parent->rect());
}

void TwipLine::setEnds(float x1, float y1, float x2, float y2) {
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2) return;
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    update();
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
