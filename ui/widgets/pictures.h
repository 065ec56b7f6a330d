#pragma once

// The pictures the windows show, drawn as SVG and compiled into the binary. Each is rendered at
// its designed pixel size times the device pixel ratio, so it stays crisp on high-density screens.

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSize>

namespace expans::ui {

enum class Picture {
    Background,        // 952 × 563, window ground and cover panel
    Banner,            // 432 × 78
    Emblem,            // square; window icon
    PanelGround,       // 808 × 476, slider panel
    TemperatureScale,  // 350 × 27
    ValveClosed,       // 50 × 87
    ValveBlowing,      // 113 × 101
    Gauge,             // 89 × 103, dial without needle
    VesselOutline,     // 121 × 140, transparent inside
};

// The compiled-in drawing, for a QSvgRenderer.
QString picturePath(Picture picture);
QSize pictureSize(Picture picture);
QPixmap renderPicture(Picture picture, qreal devicePixelRatio = 1.0);

// The emblem drawn as a square icon of `side` pixels; the window icon has one per usual size.
inline constexpr int kIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};
QPixmap renderEmblemIcon(int side);

// The rasters compiled in beside the drawings, so the windows need not render them: each picture
// at 1× and 2× (`scale`), and the emblem at every icon size. Made from the drawings by
// `expans-rasterize`; a test checks that they match them pixel for pixel.
QString rasterPath(Picture picture, int scale);
QString iconRasterPath(int side);
// A compiled-in raster's pixels (premultiplied ARGB), or a null image where there is none.
QImage rasterImage(const QString& path);

// Draws the picture unscaled from the painter's origin, as drawing renderPicture() there would.
// Each picture is made once per pixel ratio (from its raster at 1× and 2×, else rendered) and
// shared by every widget that shows it; the two flat grounds (Background, PanelGround) are
// painted as fills of their colours.
void drawPicture(QPainter& painter, Picture picture, qreal devicePixelRatio);
// Whether drawPicture covers the picture's whole size in opaque colour.
bool pictureIsOpaque(Picture picture, qreal devicePixelRatio);

// The window icon. Every copy shares one rendering of the emblem, made when a size is first
// asked for (a platform without window decorations never asks).
QIcon emblemIcon();

}  // namespace expans::ui
