#include "widgets/pictures.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

namespace expans::ui {

namespace {

QString baseName(Picture picture) {
    switch (picture) {
        case Picture::Background:
            return QStringLiteral("background");
        case Picture::Banner:
            return QStringLiteral("banner");
        case Picture::Emblem:
            return QStringLiteral("emblem");
        case Picture::PanelGround:
            return QStringLiteral("panel");
        case Picture::TemperatureScale:
            return QStringLiteral("scale");
        case Picture::ValveClosed:
            return QStringLiteral("valve_closed");
        case Picture::ValveBlowing:
            return QStringLiteral("valve_blowing");
        case Picture::Gauge:
            return QStringLiteral("gauge");
        case Picture::VesselOutline:
            return QStringLiteral("vessel");
    }
    return {};
}

// A compiled-in raster, or a null pixmap where there is none.
QPixmap loadRaster(const QString& path, qreal devicePixelRatio) {
    QPixmap pixmap = QPixmap::fromImage(rasterImage(path));
    if (!pixmap.isNull()) pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace

QString picturePath(Picture picture) {
    return QStringLiteral(":/pictures/") + baseName(picture) + QStringLiteral(".svg");
}

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
    QSvgRenderer renderer(picturePath(picture));
    if (renderer.isValid()) {
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        // Missing from the resources: a plain frame of the right size keeps the layout honest.
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    }
    return pixmap;
}

namespace {

QIcon makeEmblemIcon() {
    QIcon icon;
    for (const int side : kIconSides) {
        const QPixmap raster = loadRaster(iconRasterPath(side), 1.0);
        icon.addPixmap(raster.size() == QSize(side, side) ? raster : renderEmblemIcon(side));
    }
    return icon;
}

// Kept until the process ends: pixmaps must not outlive the application object, so the shared
// renderings are never destroyed.
const QIcon& sharedEmblemIcon() {
    static const QIcon* const icon = new QIcon(makeEmblemIcon());
    return *icon;
}

class EmblemIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        sharedEmblemIcon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return sharedEmblemIcon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return sharedEmblemIcon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return sharedEmblemIcon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return sharedEmblemIcon().availableSizes(mode, state);
    }
    QString key() const override { return QStringLiteral("expans-emblem"); }
    QIconEngine* clone() const override { return new EmblemIconEngine; }
    bool isNull() override { return false; }
};

using PictureKey = std::pair<int, qreal>;

std::map<PictureKey, QPixmap>& renderedPictures() {
    static auto* const cache = new std::map<PictureKey, QPixmap>;
    return *cache;
}

}  // namespace

bool pictureIsOpaque(Picture picture, qreal devicePixelRatio) {
    return (picture == Picture::Background || picture == Picture::PanelGround) &&
           devicePixelRatio == std::floor(devicePixelRatio);
}

void drawPicture(QPainter& painter, Picture picture, qreal devicePixelRatio) {
    // The grounds' drawings are a flat colour with a one-pixel light edge (left, top). At a
    // whole-number pixel ratio the fills give exactly the rendered pixels; between them the
    // rendering blends the edge, so it is drawn as rendered.
    const QSize size = pictureSize(picture);
    const bool whole = devicePixelRatio == std::floor(devicePixelRatio);
    if (picture == Picture::Background && whole) {
        painter.fillRect(QRect(QPoint(0, 0), size), QColor(0xFF, 0xBF, 0x00));
        painter.fillRect(QRect(0, 0, 1, size.height()), QColor(0xFF, 0xCF, 0x40));
        return;
    }
    if (picture == Picture::PanelGround && whole) {
        painter.fillRect(QRect(QPoint(0, 0), size), QColor(0xE0, 0xE0, 0xE0));
        painter.fillRect(QRect(0, 0, size.width(), 1), QColor(0xE8, 0xE8, 0xE8));
        return;
    }
    auto& cache = renderedPictures();
    const PictureKey key{static_cast<int>(picture), devicePixelRatio};
    auto found = cache.find(key);
    if (found == cache.end()) {
        QPixmap pixmap;
        if (devicePixelRatio == 1.0 || devicePixelRatio == 2.0) {
            pixmap = loadRaster(rasterPath(picture, static_cast<int>(devicePixelRatio)),
                                devicePixelRatio);
            if (pixmap.size() != size * devicePixelRatio) pixmap = QPixmap();
        }
        if (pixmap.isNull()) pixmap = renderPicture(picture, devicePixelRatio);
        found = cache.emplace(key, pixmap).first;
    }
    painter.drawPixmap(0, 0, found->second);
}

QPixmap renderEmblemIcon(int side) {
    // Rendered here rather than by Qt's SVG icon plugin, so the window icon does not depend on
    // that plugin being installed.
    QSvgRenderer renderer(picturePath(Picture::Emblem));
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, side, side));
    return pixmap;
}

QString rasterPath(Picture picture, int scale) {
    return QStringLiteral(":/rasters/%1@%2x.argb").arg(baseName(picture)).arg(scale);
}

QString iconRasterPath(int side) {
    return QStringLiteral(":/rasters/emblem-%1.argb").arg(side);
}

QImage rasterImage(const QString& path) {
    // The width and the height, then the rows of premultiplied pixels (see expans-unpack-raster).
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
        return {};
    }
    std::uint32_t size[2] = {0, 0};
    if (resource.size() < qint64(sizeof size)) return {};
    std::memcpy(size, resource.data(), sizeof size);
    if (size[0] == 0 || size[1] == 0 || size[0] > 4096 || size[1] > 4096 ||
        resource.size() != qint64(sizeof size) + qint64(size[0]) * size[1] * 4) {
        return {};
    }
    const uchar* pixels = resource.data() + sizeof size;
    const QImage image(pixels, int(size[0]), int(size[1]), int(size[0]) * 4,
                       QImage::Format_ARGB32_Premultiplied);
    // Shares the compiled-in bytes where they are aligned as the painter needs them.
    return reinterpret_cast<quintptr>(pixels) % 4 == 0 ? image : image.copy();
}

QIcon emblemIcon() {
    return QIcon(new EmblemIconEngine);
}

}  // namespace expans::ui
