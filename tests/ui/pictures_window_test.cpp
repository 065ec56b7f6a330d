// The pictures as the main window shows them: what the user sees at the places the panel
// computes (needle on the dial's marks, gas bar behind the vessel outline, valve swap, scale
// under the slider) and the amber cover over the whole window.
#include <QBackingStore>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <cmath>
#include <ostream>
#include <string>

#include "panel.h"
#include "tagtartaly_fixture.h"
#include "widgets/panelwidgets.h"
#include "windows/rendszerterfogat.h"

namespace {

using expans::ui::RoundedBar;
using expans::ui::TwipLine;

bool near(QRgb c, QRgb expected, int tolerance = 12) {
    return std::abs(qRed(c) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(c) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(c) - qBlue(expected)) <= tolerance;
}

QString rgb(QRgb c) {
    return QColor(c).name();
}

int luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class NeedleOnDial : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(NeedleOnDial, EndsOnTheMarkOfItsPressure) {
    const int bar = GetParam();
    auto* gauge = control("Picture9");
    auto* needle = control<TwipLine>("Line4");
    ASSERT_TRUE(gauge && needle);
    const expans::Segment line = expans::needleLine(expans::Currency::fromInt(bar + 1));
    needle->setEnds(line.x1, line.y1, line.x2, line.y2);
    const QImage image = grabbed(gauge);

    // Twips to pixels of the dial; the tip is red, and just beyond it the mark shows dark.
    const double tipX = line.x2 / 15.0;
    const double tipY = line.y2 / 15.0;
    const double dx = (tipX - 44) / 36;
    const double dy = (tipY - 44) / 36;
    const QPoint inside(static_cast<int>(44 + 34 * dx), static_cast<int>(44 + 34 * dy));
    const QPoint beyond(static_cast<int>(44 + 38 * dx), static_cast<int>(44 + 38 * dy));
    const QRgb needleColour = image.pixel(inside);
    EXPECT_TRUE(qRed(needleColour) > 180 && qGreen(needleColour) < 120)
        << "needle at " << inside.x() << "," << inside.y() << " is "
        << rgb(needleColour).toStdString();
    EXPECT_LT(luminance(image.pixel(beyond)), 110)
        << "mark at " << beyond.x() << "," << beyond.y() << " is "
        << rgb(image.pixel(beyond)).toStdString();
}

INSTANTIATE_TEST_SUITE_P(MainWindow, NeedleOnDial, ::testing::Values(0, 3, 6),
                         [](const auto& info) { return std::to_string(info.param) + "bar"; });

struct CushionRow {
    const char* name;
    double gasShare;  // gas volume / vessel volume
    int topPixel;     // of the panel: the bar's top edge in twips / 15
};

void PrintTo(const CushionRow& row, std::ostream* os) {
    *os << row.name;
}

class GasCushion : public MainWindowTest, public ::testing::WithParamInterface<CushionRow> {};

TEST_P(GasCushion, ShowsItsTopInsideTheOutline) {
    const CushionRow& row = GetParam();
    auto* panel = control("Picture7");
    auto* bar = control<RoundedBar>("Shape2");
    auto* outline = control("Image1");
    ASSERT_TRUE(panel && bar && outline);
    const expans::BarGeometry geometry = expans::gasBar(row.gasShare);
    bar->setHeightTwips(geometry.height);
    bar->setTopTwips(geometry.top);
    EXPECT_EQ(static_cast<int>(geometry.top / 15), row.topPixel);
    const QImage image = grabbed(panel);

    // The outline sits at 225 twips (15 px) from the top of the same container as the bar.
    const QPoint vessel = outline->mapTo(panel, QPoint(0, 0));
    const int x = vessel.x() + 60;  // the vessel's middle
    const int top = vessel.y() - 15 + row.topPixel;
    const QPoint above(x, top - 3);
    const QPoint below(x, top + 3);
    EXPECT_TRUE(near(image.pixel(above), 0xFFFF0000))
        << "fluid: " << rgb(image.pixel(above)).toStdString();
    EXPECT_TRUE(near(image.pixel(below), 0xFF00C0C0))
        << "gas: " << rgb(image.pixel(below)).toStdString();
    // The bar's bottom stays behind the vessel's floor, and the surround hides both bars'
    // corners: the outline is drawn in front.
    const QPoint floor(x, vessel.y() + 131);
    EXPECT_TRUE(near(image.pixel(floor), 0xFF00C0C0)) << rgb(image.pixel(floor)).toStdString();
    // Points inside the bars' rectangles but outside the domed outline.
    for (const QPoint corner :
         {QPoint(12, 14), QPoint(108, 14), QPoint(12, 128), QPoint(108, 128)}) {
        const QRgb c = image.pixel(vessel + corner);
        EXPECT_TRUE(near(c, 0xFFE0E0E0, 4)) << "bar shows outside the outline at " << corner.x()
                                            << "," << corner.y() << ": " << rgb(c).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, GasCushion,
                         ::testing::Values(CushionRow{"Full", 1.0, 59},
                                           CushionRow{"Half", 0.5, 105}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ValveRow {
    const char* name;
    int meanCelsius;       // HScroll1
    int collectorCelsius;  // HScroll2
    bool blowing;
};

void PrintTo(const ValveRow& row, std::ostream* os) {
    *os << row.name;
}

class ValvePicture : public MainWindowTest, public ::testing::WithParamInterface<ValveRow> {};

TEST_P(ValvePicture, ShowsTheJetsOnlyWhileBlowing) {
    const ValveRow& row = GetParam();
    auto* panel = control("Picture7");
    auto* closed = control("Picture5");
    ASSERT_TRUE(panel && closed);
    control<QScrollBar>("HScroll1")->setValue(row.meanCelsius);
    settle();
    control<QScrollBar>("HScroll2")->setValue(row.collectorCelsius);
    settle();
    ASSERT_EQ(closed->isVisible(), !row.blowing);
    const QImage image = grabbed(panel);
    const QPoint valve = closed->mapTo(panel, QPoint(0, 0));
    // The valve body is the same either way; right of the outlet only the blowing picture
    // has its grey jets, which the closed valve's box covers with the panel's grey.
    EXPECT_TRUE(near(image.pixel(valve + QPoint(25, 62)), 0xFFFBE943));
    const QRgb jet = image.pixel(valve + QPoint(72, 63));
    if (row.blowing) {
        EXPECT_TRUE(near(jet, 0xFF686868)) << rgb(jet).toStdString();
    } else {
        EXPECT_TRUE(near(jet, 0xFFE0E0E0, 4)) << rgb(jet).toStdString();
    }
}

// With the start-up data (25 liter vessel, 6 bar maximum) the collectors boiling at 200 °C
// over a 160 °C mean temperature drive the pressure to the valve's opening pressure.
INSTANTIATE_TEST_SUITE_P(MainWindow, ValvePicture,
                         ::testing::Values(ValveRow{"ClosedAtStart", 60, 70, false},
                                           ValveRow{"ClosedWhenHot", 160, 150, false},
                                           ValveRow{"BlowingAtMaximum", 160, 200, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class ScaleUnderSlider : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ScaleUnderSlider, TickOfTheTemperatureLiesUnderTheThumb) {
    const int i = GetParam();
    const int celsius = -25 + 25 * i;
    auto* slider = control<QScrollBar>("HScroll2");
    auto* scale = control("Picture8");
    ASSERT_TRUE(slider && scale);
    slider->setValue(celsius);
    settle();

    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    const QRect thumb = slider->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                        QStyle::SC_ScrollBarSlider, slider);
    const int left = slider->mapTo(scale->parentWidget(), thumb.topLeft()).x() - scale->x();
    const int right = left + thumb.width();
    const double tick = 9 + 36.4 * i + 0.5;
    EXPECT_GE(tick, left) << celsius << " °C";
    EXPECT_LE(tick, right) << celsius << " °C";
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ScaleUnderSlider, ::testing::Range(0, 10),
                         [](const auto& info) {
                             const int celsius = -25 + 25 * info.param;
                             return celsius < 0 ? "minus" + std::to_string(-celsius)
                                                : std::to_string(celsius);
                         });

TEST_F(MainWindowTest, CoverShowsOnlyAmberBetweenTheStrips) {
    window->Command2_Click();
    settle();
    const QImage image = grabbed(window->clientArea());
    int other = 0;
    for (int y = 9; y < image.height() - 1; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!near(image.pixel(x, y), 0xFFFFBF00, 0)) ++other;
        }
    }
    EXPECT_EQ(other, 0) << "pixels of the window's controls show through the cover";
    window->volumeWindow()->hide();
}

// A slider step repaints only what it changed (the handle's old and new place, the rows where
// the gas bar's edge moved, the strip around the needle). What the window shows after each step
// must still be what a full repaint draws: no trail of the handle, bar or needle is left behind.
TEST_F(MainWindowTest, StepsLeaveNothingBehindOnScreen) {
    QPaintDevice* device = window->backingStore()->paintDevice();
    ASSERT_EQ(device->devType(), QInternal::Image);
    const auto* shown = static_cast<const QImage*>(device);
    const auto full = [this] {
        QImage image(window->size() * window->devicePixelRatioF(), QImage::Format_RGB32);
        image.setDevicePixelRatio(window->devicePixelRatioF());
        window->render(&image);
        return image;
    };
    for (const char* name : {"HScroll1", "HScroll2"}) {
        auto* bar = control<QScrollBar>(name);
        // Up the whole range and back down: a trail shows on the side the handle left.
        for (const int step : {1, -1}) {
            for (int value = step > 0 ? bar->minimum() : bar->maximum();
                 value >= bar->minimum() && value <= bar->maximum(); value += step) {
                bar->setValue(value);
                settle();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
                if (value % 9 != 0) continue;
                ASSERT_EQ(shown->convertToFormat(QImage::Format_RGB32), full())
                    << name << " at " << value << (step > 0 ? " going up" : " going down");
            }
        }
    }
}

}  // namespace
