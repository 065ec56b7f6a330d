#include "pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace expans::ui {

namespace {

QString resourcePath(Picture picture) {
    switch (picture) {
        case Picture::Background:
            return QStringLiteral(":/pictures/background.svg");
        case Picture::Banner:
            return QStringLiteral(":/pictures/banner.svg");
        case Picture::Emblem:
            return QStringLiteral(":/pictures/emblem.svg");
        case Picture::PanelGround:
            return QStringLiteral(":/pictures/panel.svg");
        case Picture::TemperatureScale:
            return QStringLiteral(":/pictures/scale.svg");
        case Picture::ValveClosed:
            return QStringLiteral(":/pictures/valve_closed.svg");
        case Picture::ValveBlowing:
            return QStringLiteral(":/pictures/valve_blowing.svg");
        case Picture::Gauge:
            return QStringLiteral(":/pictures/gauge.svg");
        case Picture::VesselOutline:
            return QStringLiteral(":/pictures/vessel.svg");
    }
    return {};
}

}  // namespace

QSize pictureSize(Picture picture) {
    switch (picture) {
        case Picture::Background:
            return {952, 563};
        case Picture::Banner:
            return {432, 78};
        case Picture::Emblem:
            return {48, 48};
        case Picture::PanelGround:
            return {808, 476};
        case Picture::TemperatureScale:
            return {350, 27};
        case Picture::ValveClosed:
            return {50, 87};
        case Picture::ValveBlowing:
            return {113, 101};
        case Picture::Gauge:
            return {89, 103};
        case Picture::VesselOutline:
            return {121, 140};
    }
    return {};
}

QPixmap renderPicture(Picture picture, qreal devicePixelRatio) {
    const QSize size = pictureSize(picture);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer renderer(resourcePath(picture));
    if (renderer.isValid()) {
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        // Missing from the resources: a plain frame of the right size keeps the layout honest.
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    }
    return pixmap;
}

QIcon emblemIcon() {
    // Rendered here rather than by Qt's SVG icon plugin, so the window icon does not depend on
    // that plugin being installed. The sizes are those window managers and task bars ask for.
    QSvgRenderer renderer(resourcePath(Picture::Emblem));
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace expans::ui
