// The main window right after start-up: texts handed over by the hidden volume window, results,
// the operating-state panel, visibility and focus.
#include <QLocale>

#include "tagtartaly_fixture.h"
#include "widgets/panelwidgets.h"
#include "windows/rendszerterfogat.h"

namespace {

struct ShownText {
    const char* name;
    const char* control;
    const char* expected;
};

class StartUpText : public MainWindowTest, public ::testing::WithParamInterface<ShownText> {};

TEST_P(StartUpText, ShowsValue) {
    EXPECT_EQ(text(GetParam().control), u(GetParam().expected));
    EXPECT_TRUE(recorder->messages().isEmpty())
        << recorder->messages().join(u(" | ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, StartUpText,
    ::testing::Values(
        ShownText{"SystemVolumeFromVolumeWindow", "Text1", "18,3"},
        ShownText{"CollectorVolumeFromVolumeWindow", "Text11", "4,71"},
        ShownText{"PrePressureAsDesigned", "Text2", "3,5"},
        ShownText{"FillPressureAsDesigned", "Text4", "4,0"},
        ShownText{"MaxPressureAsDesigned", "Text3", "6,0"},
        ShownText{"HeightAsDesigned", "Text7", "7"},
        ShownText{"ExpansionVolume", "Label29", "6,46"}, ShownText{"HotVolume", "Label28", "24,76"},
        ShownText{"MinVesselVolume", "Label27", "25,15"},
        ShownText{"AntifreezeNeed", "Label16", "8,32"},
        ShownText{"EvaporationCaption", "Label7",
                  "Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén [liter]:"},
        ShownText{"Fluid", "Combo1", "Propilén-glikol 40%"},
        ShownText{"Vessel", "Tagtartaly", "25 liter"}, ShownText{"GaugePressure", "Text10", "4,11"},
        ShownText{"BoilingPoint", "Label26", "175,36°C"},
        ShownText{"MeanTemperature", "Label11", "60°C"},
        ShownText{"CollectorTemperature", "Label34", "70°C"},
        ShownText{"VapourShare", "Label40", "0 %"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, StartUpStoredValues) {
    const expans::MainState& s = window->state();
    EXPECT_EQ(s.SystemVolume, expans::cy(18.3));
    EXPECT_EQ(s.PrePressureAbs, expans::cy(4.5));
    EXPECT_EQ(s.FillPressureAbs, expans::cy(5));
    EXPECT_EQ(s.MaxPressureAbs, expans::cy(7));
    EXPECT_EQ(s.CollectorVolume, expans::cy(4.71));
    EXPECT_EQ(s.StaticHeight, expans::cy(7));
    EXPECT_EQ(s.SelectedVesselVolume, 25);
    EXPECT_EQ(s.GlycolFraction, expans::cy(0.4));
    EXPECT_EQ(s.HotVolume, expans::cy(24.7686));
    EXPECT_EQ(s.MinVesselVolume, expans::cy(25.1557));
    EXPECT_EQ(s.VesselWaterReserve, expans::cy(2.5));
    EXPECT_EQ(s.MeanTemperature, 60);
}

TEST_F(MainWindowTest, StartUpWindowState) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->windowTitle(), u("Orvenda-Expans"));
    EXPECT_EQ(window->clientArea()->size(), QSize(877, 527));
    EXPECT_EQ(focusName(), u("Command1"));
    EXPECT_FALSE(named<QWidget>(*window, "Picture4")->isVisible());
    ASSERT_NE(window->volumeWindow(), nullptr);
    EXPECT_FALSE(window->volumeWindow()->isVisible());
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(control<QScrollBar>("HScroll1")->value(), 60);
    EXPECT_EQ(control<QScrollBar>("HScroll2")->value(), 70);
    EXPECT_TRUE(control<QScrollBar>("HScroll2")->isEnabled());
    EXPECT_TRUE(control("Picture5")->isVisible());
    EXPECT_FALSE(control("Label39")->isVisible());
    EXPECT_FALSE(control("Label40")->isVisible());
}

TEST_F(MainWindowTest, StartUpPanelGeometry) {
    auto* bar = control<expans::ui::RoundedBar>("Shape2");
    EXPECT_NEAR(bar->heightTwips(), 1194.12, 0.01);
    EXPECT_NEAR(bar->topTwips(), 1060.88, 0.01);
    auto* needle = control<expans::ui::TwipLine>("Line4");
    EXPECT_FLOAT_EQ(needle->x1(), 660);
    EXPECT_FLOAT_EQ(needle->y1(), 660);
    EXPECT_NEAR(needle->x2(), 1072.79, 0.01);
    EXPECT_NEAR(needle->y2(), 311.86, 0.01);
    // The needle widget covers the gauge so the whole 540-twip needle can be drawn.
    EXPECT_EQ(needle->geometry(), control("Picture9")->rect());
}

}  // namespace
