// The drawn pictures: sizes, transparency, and the places the windows rely on (needle marks,
// scale ticks, the vessel's see-through inside).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <tuple>

#include "widgets/pictures.h"

namespace expans::ui {
namespace {

QImage rendered(Picture picture, qreal dpr = 1.0) {
    return renderPicture(picture, dpr).toImage().convertToFormat(QImage::Format_ARGB32);
}

int luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

// Darkest pixel within `radius` pixels of (x, y), in a picture rendered at `dpr`.
int darkestNear(const QImage& image, double x, double y, int radius) {
    int darkest = 255;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = static_cast<int>(std::floor(x)) + dx;
            const int py = static_cast<int>(std::floor(y)) + dy;
            if (!image.rect().contains(px, py)) continue;
            const QRgb c = image.pixel(px, py);
            if (qAlpha(c) < 200) continue;
            darkest = std::min(darkest, luminance(c));
        }
    }
    return darkest;
}

struct PictureRow {
    const char* name;
    Picture picture;
    QSize size;
    const char* resource;
};

void PrintTo(const PictureRow& row, std::ostream* os) {
    *os << row.name;
}

class PictureFile : public ::testing::TestWithParam<PictureRow> {};

TEST_P(PictureFile, IsCompiledInWithItsDesignedSize) {
    const PictureRow& row = GetParam();
    QSvgRenderer renderer(QString::fromLatin1(row.resource));
    ASSERT_TRUE(renderer.isValid()) << row.resource;
    EXPECT_EQ(renderer.defaultSize(), row.size);
    EXPECT_EQ(pictureSize(row.picture), row.size);
}

TEST_P(PictureFile, RendersAtTheDevicePixelRatio) {
    const PictureRow& row = GetParam();
    for (const qreal dpr : {1.0, 2.0}) {
        const QPixmap pixmap = renderPicture(row.picture, dpr);
        EXPECT_EQ(pixmap.size(), row.size * dpr) << "ratio " << dpr;
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), row.size) << "ratio " << dpr;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllPictures, PictureFile,
    ::testing::Values(
        PictureRow{"Background", Picture::Background, {952, 563}, ":/pictures/background.svg"},
        PictureRow{"Banner", Picture::Banner, {432, 78}, ":/pictures/banner.svg"},
        PictureRow{"Emblem", Picture::Emblem, {48, 48}, ":/pictures/emblem.svg"},
        PictureRow{"PanelGround", Picture::PanelGround, {808, 476}, ":/pictures/panel.svg"},
        PictureRow{
            "TemperatureScale", Picture::TemperatureScale, {350, 27}, ":/pictures/scale.svg"},
        PictureRow{"ValveClosed", Picture::ValveClosed, {50, 87}, ":/pictures/valve_closed.svg"},
        PictureRow{
            "ValveBlowing", Picture::ValveBlowing, {113, 101}, ":/pictures/valve_blowing.svg"},
        PictureRow{"Gauge", Picture::Gauge, {89, 103}, ":/pictures/gauge.svg"},
        PictureRow{"VesselOutline", Picture::VesselOutline, {121, 140}, ":/pictures/vessel.svg"}),
    [](const auto& info) { return std::string(info.param.name); });

// What shows at one pixel: a transparent pixel, or an opaque one of a colour (within 8 per
// channel, so anti-aliasing at a shape's edge does not count as the colour).
struct PixelRow {
    const char* name;
    Picture picture;
    QPoint at;
    QRgb expected;  // 0 = fully transparent
};

void PrintTo(const PixelRow& row, std::ostream* os) {
    *os << row.name;
}

class PicturePixel : public ::testing::TestWithParam<PixelRow> {};

TEST_P(PicturePixel, ShowsTheDesignedColourOrNothing) {
    const PixelRow& row = GetParam();
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = rendered(row.picture, dpr);
        const QPoint p(static_cast<int>(row.at.x() * dpr), static_cast<int>(row.at.y() * dpr));
        const QRgb c = image.pixel(p);
        if (row.expected == 0) {
            EXPECT_EQ(qAlpha(c), 0) << "ratio " << dpr;
        } else {
            EXPECT_EQ(qAlpha(c), 255) << "ratio " << dpr;
            EXPECT_NEAR(qRed(c), qRed(row.expected), 8) << "ratio " << dpr;
            EXPECT_NEAR(qGreen(c), qGreen(row.expected), 8) << "ratio " << dpr;
            EXPECT_NEAR(qBlue(c), qBlue(row.expected), 8) << "ratio " << dpr;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grounds, PicturePixel,
    ::testing::Values(
        PixelRow{"BackgroundLeftColumnLighter", Picture::Background, {0, 300}, 0xFFFFCF40},
        PixelRow{"BackgroundAmber", Picture::Background, {1, 300}, 0xFFFFBF00},
        PixelRow{"BackgroundFarCorner", Picture::Background, {951, 562}, 0xFFFFBF00},
        PixelRow{"PanelTopRowLighter", Picture::PanelGround, {400, 0}, 0xFFE8E8E8},
        PixelRow{"PanelGrey", Picture::PanelGround, {400, 1}, 0xFFE0E0E0},
        PixelRow{"BannerAmberGround", Picture::Banner, {5, 5}, 0xFFFFBF00},
        PixelRow{"BannerRightEnd", Picture::Banner, {420, 40}, 0xFFFFBF00},
        PixelRow{"ScaleBarLeftCyan", Picture::TemperatureScale, {0, 1}, 0xFF00B7EF},
        PixelRow{"ScaleBarMiddleRed", Picture::TemperatureScale, {175, 1}, 0xFFEB2C2F},
        PixelRow{"ScaleBarRightYellow", Picture::TemperatureScale, {349, 1}, 0xFFF8CA30},
        PixelRow{"ScaleGapAboveNumbers", Picture::TemperatureScale, {100, 16}, 0},
        PixelRow{"ScaleBelowNumbers", Picture::TemperatureScale, {100, 25}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Transparency, PicturePixel,
    ::testing::Values(
        PixelRow{"VesselInsideMiddle", Picture::VesselOutline, {60, 70}, 0},
        PixelRow{"VesselInsideUnderDome", Picture::VesselOutline, {60, 12}, 0},
        PixelRow{"VesselInsideAboveFloor", Picture::VesselOutline, {60, 130}, 0},
        PixelRow{"VesselInsideNearLeftWall", Picture::VesselOutline, {11, 70}, 0},
        PixelRow{"VesselInsideNearRightWall", Picture::VesselOutline, {110, 70}, 0},
        PixelRow{"VesselOutsideTopLeft", Picture::VesselOutline, {2, 2}, 0xFFE0E0E0},
        PixelRow{"VesselOutsideBottomRight", Picture::VesselOutline, {118, 138}, 0xFFE0E0E0},
        PixelRow{"ValveClosedAroundTopLeft", Picture::ValveClosed, {2, 2}, 0},
        PixelRow{"ValveClosedAroundBottomRight", Picture::ValveClosed, {47, 84}, 0},
        PixelRow{"ValveClosedYellowBody", Picture::ValveClosed, {25, 62}, 0xFFFBE943},
        PixelRow{"ValveClosedRedCap", Picture::ValveClosed, {25, 18}, 0xFFF70023},
        PixelRow{"ValveBlowingAroundTopRight", Picture::ValveBlowing, {110, 3}, 0},
        PixelRow{"ValveBlowingAroundBottomLeft", Picture::ValveBlowing, {3, 98}, 0},
        PixelRow{"ValveBlowingYellowBody", Picture::ValveBlowing, {25, 62}, 0xFFFBE943},
        PixelRow{"ValveBlowingGreyJet", Picture::ValveBlowing, {72, 63}, 0xFF686868},
        PixelRow{"GaugeAroundTopLeft", Picture::Gauge, {1, 1}, 0},
        PixelRow{"GaugeAroundBottomRight", Picture::Gauge, {87, 101}, 0},
        PixelRow{"GaugeWhiteDial", Picture::Gauge, {44, 32}, 0xFFFFFFFF},
        PixelRow{"GaugeYellowStem", Picture::Gauge, {44, 100}, 0xFFD9D900}),
    [](const auto& info) { return std::string(info.param.name); });

// The window draws the needle from (44, 44), 36 px long, at 0.785 rad per bar from -2.3562
// (clockwise from straight up); its end point must land on the dial's mark for that pressure.
class GaugeMark : public ::testing::TestWithParam<int> {};

TEST_P(GaugeMark, LiesWhereTheNeedleEndPoints) {
    const int bar = GetParam();
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = rendered(Picture::Gauge, dpr);
        const double theta = 0.785 * bar - 2.3562;
        const double x = (44 + 36 * std::sin(theta)) * dpr;
        const double y = (44 - 36 * std::cos(theta)) * dpr;
        EXPECT_LT(darkestNear(image, x, y, static_cast<int>(dpr)), 90) << "ratio " << dpr;
        // Between two fine marks (an eighth of a bar off) the dial is white: the marks are
        // separate strokes, not a ring that any angle would hit.
        const double between = theta + 0.785 / 8;
        const double bx = (44 + 36 * std::sin(between)) * dpr;
        const double by = (44 - 36 * std::cos(between)) * dpr;
        EXPECT_GT(darkestNear(image, bx, by, 0), 200) << "ratio " << dpr;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBar, GaugeMark, ::testing::Range(0, 7),
                         [](const auto& info) { return std::to_string(info.param) + "bar"; });

TEST(Gauge, HasNoNeedleOfItsOwn) {
    // The needle is the window's line; a needle drawn into the dial would show twice. Inside
    // the numbers' ring only the pivot's hub may be dark.
    const QImage image = rendered(Picture::Gauge);
    for (int degrees = 0; degrees < 360; degrees += 5) {
        const double a = degrees * M_PI / 180;
        for (const double r : {6.0, 10.0, 14.0}) {
            const double x = 44 + r * std::sin(a);
            const double y = 44 - r * std::cos(a);
            EXPECT_GT(luminance(image.pixel(static_cast<int>(x), static_cast<int>(y))), 200)
                << degrees << " degrees, radius " << r;
        }
    }
}

// Tick i marks -25 + 25 i °C, at x = 9 + 36.4 i pixels.
class ScaleTick : public ::testing::TestWithParam<int> {};

TEST_P(ScaleTick, StandsAtItsTemperatureWithItsNumberUnderIt) {
    const int i = GetParam();
    const double tickX = 9 + 36.4 * i;
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = rendered(Picture::TemperatureScale, dpr);
        const int row = static_cast<int>(10 * dpr);
        EXPECT_LT(darkestNear(image, tickX * dpr, row, 0), 60) << "ratio " << dpr;
        // The gradient on either side is not a tick.
        EXPECT_GT(darkestNear(image, (tickX - 4) * dpr, row, 0), 90) << "ratio " << dpr;
        EXPECT_GT(darkestNear(image, (tickX + 4) * dpr, row, 0), 90) << "ratio " << dpr;
    }
    // The number's ink in rows 18 to 23, centred under the tick within 2 px.
    const QImage image = rendered(Picture::TemperatureScale);
    int left = 350;
    int right = -1;
    for (int y = 18; y <= 23; ++y) {
        for (int x = std::max(0, static_cast<int>(tickX) - 16);
             x <= std::min(349, static_cast<int>(tickX) + 16); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left) << "no number under the tick";
    EXPECT_NEAR((left + right + 1) / 2.0, tickX + 0.5, 2.0);
}

INSTANTIATE_TEST_SUITE_P(TenTicks, ScaleTick, ::testing::Range(0, 10), [](const auto& info) {
    const int celsius = -25 + 25 * info.param;
    return celsius < 0 ? "minus" + std::to_string(-celsius) : std::to_string(celsius);
});

TEST(VesselOutline, SeeThroughInsideLiesWithinTheFluidBar) {
    // The red fluid bar spans (6, 6)-(115, 133) of the picture: wherever the outline is
    // see-through, a bar must be behind it, and the bar's corners must be covered.
    const QImage image = rendered(Picture::VesselOutline);
    const QRect fluidBar(QPoint(6, 6), QPoint(114, 132));
    int seeThrough = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                ++seeThrough;
                EXPECT_TRUE(fluidBar.contains(x, y)) << "see-through at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(seeThrough, 100 * 110);
    for (const QPoint corner :
         {fluidBar.topLeft(), fluidBar.topRight(), fluidBar.bottomLeft(), fluidBar.bottomRight()}) {
        EXPECT_EQ(qAlpha(image.pixel(corner)), 255) << corner.x() << "," << corner.y();
    }
}

TEST(ValveBlowing, ShowsTheClosedValveAtTheSamePlace) {
    // The window swaps the two pictures at one position: the valve itself must not jump.
    const QImage closed = rendered(Picture::ValveClosed);
    const QImage blowing = rendered(Picture::ValveBlowing);
    int compared = 0;
    for (int y = 0; y < closed.height(); ++y) {
        for (int x = 0; x < closed.width(); ++x) {
            const QRgb c = closed.pixel(x, y);
            if (qAlpha(c) < 255) continue;
            ++compared;
            ASSERT_EQ(blowing.pixel(x, y), c) << x << "," << y;
        }
    }
    EXPECT_GT(compared, 800);
}

TEST(Banner, ProductNameSpansItsDesignedColumns) {
    // Right of the emblem square (16..78), whose red arrow would count as well.
    const QImage image = rendered(Picture::Banner);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 80; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) > 100 && qRed(c) < 170 && qGreen(c) < 40 && qBlue(c) < 40) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR(left, 95, 1);
    EXPECT_NEAR(right, 357, 1);
}

class EmblemIcon : public ::testing::TestWithParam<int> {};

TEST_P(EmblemIcon, ReadsWarmTopLeftAndCoolBottomRight) {
    const int side = GetParam();
    const QImage image = emblemIcon().pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(side, side));
    auto average = [&](double cx, double cy) {
        const QRect patch(static_cast<int>(cx * side) - side / 12,
                          static_cast<int>(cy * side) - side / 12, std::max(1, side / 6),
                          std::max(1, side / 6));
        long r = 0, g = 0, b = 0, n = 0;
        for (int y = patch.top(); y <= patch.bottom(); ++y) {
            for (int x = patch.left(); x <= patch.right(); ++x) {
                const QRgb c = image.pixel(x, y);
                r += qRed(c), g += qGreen(c), b += qBlue(c), ++n;
            }
        }
        return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
    };
    const QColor warm = average(0.33, 0.33);
    const QColor cool = average(0.67, 0.67);
    EXPECT_GT(warm.red(), warm.blue() + 120) << "upper-left half: orange with a red arrow";
    EXPECT_GT(cool.green(), cool.red() + 30) << "lower-right half: mint with a teal arrow";
    const QRgb frame = image.pixel(0, side / 2);
    EXPECT_LT(luminance(frame), 200) << "thin dark frame";
}

INSTANTIATE_TEST_SUITE_P(IconSizes, EmblemIcon, ::testing::Values(16, 32, 48, 256),
                         [](const auto& info) { return "px" + std::to_string(info.param); });

// What the windows paint of each picture must be its rendering, pixel for pixel: the grounds are
// painted as fills, the others from the compiled-in rasters (1×, 2×) or a shared rendering. A
// failure after changing a drawing means: run scripts/rasters.sh.
class DrawnPicture : public ::testing::TestWithParam<std::tuple<Picture, qreal>> {};

TEST_P(DrawnPicture, EqualsItsRendering) {
    const auto [picture, dpr] = GetParam();
    const QImage expected = rendered(picture, dpr);
    if ((dpr == 1.0 || dpr == 2.0) && picture != Picture::Background &&
        picture != Picture::PanelGround) {
        // Without its raster the window would render the drawing while it starts.
        const QImage raster = rasterImage(rasterPath(picture, int(dpr)));
        ASSERT_EQ(raster.size(), expected.size());
        EXPECT_EQ(raster.convertToFormat(QImage::Format_ARGB32), expected);
    }
    for (int pass = 0; pass < 2; ++pass) {  // the second pass draws the shared rendering
        QImage drawn(expected.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(dpr);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        drawPicture(painter, picture, dpr);
        painter.end();
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32), expected) << "pass " << pass;
    }
}

std::string drawnName(const ::testing::TestParamInfo<std::tuple<Picture, qreal>>& info) {
    static const char* const names[] = {"Background",   "Banner", "Emblem",
                                        "PanelGround",  "Scale",  "ValveClosed",
                                        "ValveBlowing", "Gauge",  "Vessel"};
    return std::string(names[static_cast<int>(std::get<0>(info.param))]) + "_x" +
           std::to_string(static_cast<int>(std::get<1>(info.param) * 10));
}

INSTANTIATE_TEST_SUITE_P(
    GroundsAndPictures, DrawnPicture,
    ::testing::Combine(::testing::Values(Picture::Background, Picture::Banner, Picture::Emblem,
                                         Picture::PanelGround, Picture::TemperatureScale,
                                         Picture::ValveClosed, Picture::ValveBlowing,
                                         Picture::Gauge, Picture::VesselOutline),
                       ::testing::Values(1.0, 1.5, 2.0)),
    drawnName);

TEST(EmblemIcon, RastersMatchTheDrawingAtEverySize) {
    for (const int side : kIconSides) {
        const QImage raster = rasterImage(iconRasterPath(side));
        ASSERT_FALSE(raster.isNull()) << side;
        EXPECT_EQ(raster.convertToFormat(QImage::Format_ARGB32),
                  renderEmblemIcon(side).toImage().convertToFormat(QImage::Format_ARGB32))
            << side;
        EXPECT_EQ(emblemIcon().pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32),
                  raster.convertToFormat(QImage::Format_ARGB32))
            << side;
    }
}

}  // namespace
}  // namespace expans::ui
