// The main window's selections, sliders, navigation to the volume window and exit.
#include "numtext.h"
#include "tagtartaly_fixture.h"
#include "widgets/panelwidgets.h"
#include "windows/rendszerterfogat.h"

namespace {

TEST_F(MainWindowTest, EvaporationOffGivesPlainResults) {
    click("Check1");
    EXPECT_FALSE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(text("Label29"), u("1,75"));
    EXPECT_EQ(text("Label28"), u("20,05"));
    EXPECT_EQ(text("Label27"), u("6,83"));
    EXPECT_EQ(text("Label16"), u("8,32"));
    EXPECT_EQ(text("Label7"), u("Térfogat változás Tmeleg-re melegedés esetén [liter]:"));
    for (const char* name : {"Label17", "Label36", "Text11", "Text7", "HScroll2"}) {
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    }
    for (const char* name : {"Label25", "Label34", "Label35", "Label26"}) {
        EXPECT_FALSE(control(name)->isVisible()) << name;
    }
    EXPECT_TRUE(recorder->messages().isEmpty());

    click("Check1");
    EXPECT_EQ(text("Label29"), u("6,46"));
    for (const char* name : {"Label17", "Label36", "Text11", "Text7", "HScroll2"}) {
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    }
    for (const char* name : {"Label25", "Label34", "Label35", "Label26"}) {
        EXPECT_TRUE(control(name)->isVisible()) << name;
    }
}

TEST_F(MainWindowTest, PanelFollowsSlidersWhileEvaporationIsOff) {
    click("Check1");
    auto* mean = control<QScrollBar>("HScroll1");
    mean->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mean, Qt::Key_Right);
    settle();
    EXPECT_EQ(control<QScrollBar>("HScroll2")->value(), 71);
    EXPECT_EQ(text("Label34"), u("71°C"));
    EXPECT_EQ(text("Label11"), u("61°C"));
}

struct VesselChoice {
    const char* name;
    Qt::Key key;
    int presses;
    std::int16_t volume;
    const char* entry;
    int collector;  // HScroll2 afterwards
};

class VesselList : public MainWindowTest, public ::testing::WithParamInterface<VesselChoice> {};

// Choosing a vessel puts both sliders back to the cold temperature; the collector slider ends
// 10 °C above it when the mean slider moves, and at the cold temperature when the mean slider
// already stood there (every choice after the first).
TEST_P(VesselList, SetsVolumeAndResetsSliders) {
    auto* list = control<QComboBox>("Tagtartaly");
    list->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < GetParam().presses; ++i) {
        QTest::keyClick(list, GetParam().key);
        settle();
    }
    EXPECT_EQ(list->currentText(), u(GetParam().entry));
    EXPECT_EQ(window->state().SelectedVesselVolume, GetParam().volume);
    EXPECT_EQ(control<QScrollBar>("HScroll1")->value(), 20);
    EXPECT_EQ(control<QScrollBar>("HScroll2")->value(), GetParam().collector);
    EXPECT_EQ(text("Label11"), u("20°C"));
    EXPECT_EQ(text("Label27"), u("25,15"));  // the minimum volume does not depend on the choice
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, VesselList,
    ::testing::Values(VesselChoice{"Next", Qt::Key_Down, 1, 35, "35 liter", 30},
                      VesselChoice{"EntryNamedByItsVolume", Qt::Key_Down, 5, 140, "140 liter", 20},
                      VesselChoice{"Largest", Qt::Key_End, 1, 1000, "1000 liter", 30},
                      VesselChoice{"Smallest", Qt::Key_Home, 1, 8, "8 liter", 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, LargestVesselRaisesReserve) {
    auto* list = control<QComboBox>("Tagtartaly");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_End);
    settle();
    EXPECT_EQ(window->state().VesselWaterReserve, expans::cy(100));
    EXPECT_EQ(text("Label16"), u("47,32"));  // (18.3 + 100) × 0.4
}

TEST_F(MainWindowTest, WaterSelected) {
    auto* list = control<QComboBox>("Combo1");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Home);
    settle();
    EXPECT_EQ(list->currentText(), u("Víz"));
    EXPECT_EQ(window->state().GlycolFraction, expans::cy(0));
    EXPECT_DOUBLE_EQ(window->state().SpecVolumeA, 0.001);
    EXPECT_EQ(text("Label16"), u("0"));
}

struct SliderMove {
    const char* name;
    const char* slider;
    Qt::Key key;
    int mean;
    int collector;
};

class Sliders : public MainWindowTest, public ::testing::WithParamInterface<SliderMove> {};

TEST_P(Sliders, CouplingAndLabels) {
    const SliderMove& row = GetParam();
    auto* bar = control<QScrollBar>(row.slider);
    bar->setFocus(Qt::TabFocusReason);
    QTest::keyClick(bar, row.key);
    settle();
    EXPECT_EQ(control<QScrollBar>("HScroll1")->value(), row.mean);
    EXPECT_EQ(control<QScrollBar>("HScroll2")->value(), row.collector);
    EXPECT_EQ(text("Label11"), QString::number(row.mean) + u("°C"));
    EXPECT_EQ(text("Label34"), QString::number(row.collector) + u("°C"));
    EXPECT_EQ(window->state().MeanTemperature, row.mean);
    EXPECT_EQ(window->state().CollectorTemperature, expans::Currency::fromInt(row.collector));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Sliders,
    ::testing::Values(SliderMove{"MeanToTop", "HScroll1", Qt::Key_End, 160, 170},
                      SliderMove{"MeanToBottom", "HScroll1", Qt::Key_Home, -25, -15},
                      SliderMove{"MeanRightArrowRaises", "HScroll1", Qt::Key_Right, 61, 71},
                      SliderMove{"MeanPageStepIsTen", "HScroll1", Qt::Key_PageDown, 50, 60},
                      SliderMove{"CollectorAlone", "HScroll2", Qt::Key_Right, 60, 71},
                      SliderMove{"CollectorToTop", "HScroll2", Qt::Key_End, 60, 200}),
    [](const auto& info) { return std::string(info.param.name); });

// Dragging (Scroll) and releasing (Change) run the same recomputation.
TEST_F(MainWindowTest, ScrollAndChangeAgree) {
    auto* collector = control<QScrollBar>("HScroll2");
    for (const int position : {90, 150, 190}) {
        collector->setValue(position);
        settle();
        window->HScroll2_Scroll();
        const QString scrolled = text("Text10") + text("Label26") + text("Label40");
        window->HScroll2_Change();
        EXPECT_EQ(text("Text10") + text("Label26") + text("Label40"), scrolled) << position;
    }
}

// While the thumb is dragged the panel follows it, before the button is let go.
TEST_F(MainWindowTest, PanelFollowsDraggedThumb) {
    auto* collector = control<QScrollBar>("HScroll2");
    collector->setSliderDown(true);
    for (const int position : {80, 120, 165}) {
        collector->setSliderPosition(position);
        settle();
        EXPECT_EQ(text("Label34"), QString::number(position) + u("°C"));
        EXPECT_EQ(window->state().CollectorTemperature, expans::Currency::fromInt(position));
    }
    collector->setSliderDown(false);
    settle();
    EXPECT_EQ(text("Label34"), u("165°C"));
}

// A collector volume no stored value can hold, typed into its box (only the next sizing run
// checks the box, the sliders re-read it): the panel reports it once, not on every slider step,
// keeps its last state, and reports it again only after it had recovered.
TEST_F(MainWindowTest, PanelFaultReportedOncePerEpisode) {
    typeAndTab("Text11", u("99999999999999999999"));
    auto* mean = control<QScrollBar>("HScroll1");
    mean->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(mean, Qt::Key_Right);
        settle();
    }
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kOutOfRangeMessage)});
    EXPECT_EQ(text("Text10"), u("4,11"));
    EXPECT_EQ(window->state().CollectorVolume, expans::cy(4.71));

    typeAndTab("Text11", u("2"));
    mean->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mean, Qt::Key_Right);
    settle();
    EXPECT_TRUE(recorder->take().isEmpty());
    EXPECT_EQ(window->state().CollectorVolume, expans::cy(2));

    typeAndTab("Text11", u("99999999999999999999"));
    mean->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mean, Qt::Key_Right);
    settle();
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kOutOfRangeMessage)});
}

struct SliderPress {
    const char* name;
    const char* slider;
};

class PanelFaultWhileHeld : public MainWindowTest,
                            public ::testing::WithParamInterface<SliderPress> {};

// Pressing a slider's arrow with a collector volume no stored value can hold: the report waits
// until the button is let go, so the slider gets its release and stops after one step.
TEST_P(PanelFaultWhileHeld, ReportedAfterRelease) {
    typeAndTab("Text11", u("99999999999999999999"));
    auto* bar = control<QScrollBar>(GetParam().slider);
    const int before = bar->value();
    const QPoint rightArrow(bar->width() - 4, bar->height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, rightArrow);
    QTest::qWait(30);
    EXPECT_TRUE(recorder->messages().isEmpty());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, rightArrow);
    settle();
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kOutOfRangeMessage)});
    EXPECT_EQ(bar->value(), before + 1);
    EXPECT_EQ(text("Text10"), u("4,11"));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PanelFaultWhileHeld,
                         ::testing::Values(SliderPress{"MeanTemperature", "HScroll1"},
                                           SliderPress{"CollectorTemperature", "HScroll2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, HotCollectorsBlowTheValve) {
    auto* list = control<QComboBox>("Tagtartaly");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Home);  // 8 liter
    settle();
    auto* mean = control<QScrollBar>("HScroll1");
    mean->setFocus(Qt::TabFocusReason);
    QTest::keyClick(mean, Qt::Key_End);
    settle();
    auto* collector = control<QScrollBar>("HScroll2");
    collector->setFocus(Qt::TabFocusReason);
    QTest::keyClick(collector, Qt::Key_End);
    settle();
    EXPECT_FALSE(control("Picture5")->isVisible());
    EXPECT_EQ(text("Text10"), u("6"));
    EXPECT_TRUE(control("Label39")->isVisible());
    auto* needle = control<expans::ui::TwipLine>("Line4");
    EXPECT_NEAR(needle->x2(), 1042.75, 0.01);
    EXPECT_NEAR(needle->y2(), 1040.92, 0.01);
}

TEST_F(MainWindowTest, TabOrderVisitsFocusableControls) {
    const QStringList expected = texts({"Text1", "Command2", "Command3", "Combo1", "Text2", "Text4",
                                        "Text3", "Text5", "Text6", "Check1", "Tagtartaly", "Text11",
                                        "HScroll2", "HScroll1", "Text7", "Command1"});
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        visited << focusName();
    }
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(recorder->messages().isEmpty());
}

TEST_F(MainWindowTest, TabOrderSkipsDisabledEvaporationFields) {
    click("Check1");
    control("Tagtartaly")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(focusName(), u("HScroll1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(focusName(), u("Command1"));
}

// Tab from the system-volume field to the volume button: the field's check, then the button's
// got-focus recalculates with the volume just typed.
TEST_F(MainWindowTest, TabIntoVolumeButtonRecalculates) {
    typeAndTab("Text1", u("30"));
    EXPECT_EQ(focusName(), u("Command2"));
    EXPECT_TRUE(recorder->messages().isEmpty());
    EXPECT_EQ(text("Label28"), u("37,59"));
    EXPECT_EQ(text("Label29"), u("7,59"));
    EXPECT_FALSE(window->volumeWindow()->isVisible());
}

struct FocusOrder {
    const char* name;
    const char* typed;
    std::vector<const char*> messages;
    const char* minVesselAfter;
};

class LostFocusBeforeGotFocus : public MainWindowTest,
                                public ::testing::WithParamInterface<FocusOrder> {};

// Editing the maximum pressure and then clicking Command2: the field's check runs first (its box
// while the window is still uncovered), then Command2's got-focus recalculates with the stored
// value, then the click opens the volume window.
TEST_P(LostFocusBeforeGotFocus, ThenClick) {
    const FocusOrder& row = GetParam();
    QStringList seen;
    expans::ui::setErrorBox([&](QWidget*, const QString& message) {
        seen << message;
        EXPECT_FALSE(named<QWidget>(*window, "Picture4")->isVisible());
        EXPECT_EQ(text("Label27"), u("25,15"));
    });
    auto* box = control<QLineEdit>("Text3");
    box->setFocus(Qt::MouseFocusReason);
    settle();
    box->selectAll();
    QTest::keyClicks(box, u(row.typed));
    click("Command2");
    expans::ui::setErrorBox({});
    QStringList expected;
    for (const char* message : row.messages) expected << u(message);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(text("Label27"), u(row.minVesselAfter));
    EXPECT_TRUE(named<QWidget>(*window, "Picture4")->isVisible());
    EXPECT_TRUE(window->volumeWindow()->isVisible());
    window->volumeWindow()->Command2_Click();
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, LostFocusBeforeGotFocus,
    ::testing::Values(FocusOrder{"AcceptedValueUsed", "5", {}, "43,12"},
                      FocusOrder{
                          "RejectedValueRestored",
                          "7",
                          {"A maximális rendszernyomás kisebb kell hogy legyen, mint 6 bar!"},
                          "25,15"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PressedEntry {
    const char* name;
    const char* collectorVolume;
    const char* message;
};

class VolumeButtonPressed : public MainWindowTest,
                            public ::testing::WithParamInterface<PressedEntry> {};

// A box opened while the mouse button is still down would take the release away from Command2
// and the volume window would not open: the got-focus recalculation waits for the release.
TEST_P(VolumeButtonPressed, BoxAfterReleaseThenWindowOpens) {
    typeAndTab("Text11", u(GetParam().collectorVolume));
    auto* button = control("Command2");
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(30);
    EXPECT_TRUE(recorder->messages().isEmpty());
    QTest::mouseRelease(button, Qt::LeftButton);
    settle();
    EXPECT_EQ(recorder->take(), texts({GetParam().message}));
    EXPECT_EQ(text("Text11"), u("4,71"));
    EXPECT_TRUE(window->volumeWindow()->isVisible());
    window->volumeWindow()->Command2_Click();
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, VolumeButtonPressed,
    ::testing::Values(PressedEntry{"NegativeCollectorVolume", "-1",
                                   "A kollektorok térfogata nem lehet negatív"},
                      PressedEntry{"CollectorVolumeNotANumber", "sok", "Adjon meg számot!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, VolumeWindowRoundTrip) {
    click("Command2");
    auto* volume = window->volumeWindow();
    EXPECT_TRUE(volume->isVisible());
    EXPECT_TRUE(named<QWidget>(*window, "Picture4")->isVisible());
    EXPECT_TRUE(window->isEnabled());

    // Behind the cover the maximum pressure changes; only the focus return recalculates.
    window->findChild<QLineEdit*>(u("Text3"))->setText(u("5"));
    window->Text3_LostFocus();
    EXPECT_EQ(text("Label27"), u("25,15"));

    volume->Command2_Click();
    settle();
    EXPECT_FALSE(volume->isVisible());
    EXPECT_FALSE(named<QWidget>(*window, "Picture4")->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(text("Text1"), u("18,3"));
    EXPECT_EQ(text("Text11"), u("4,71"));
    EXPECT_EQ(focusName(), u("Command2"));
    EXPECT_EQ(text("Label27"), u("43,12"));
    EXPECT_TRUE(recorder->messages().isEmpty());

    click("Command2");
    EXPECT_TRUE(volume->isVisible());
    EXPECT_EQ(window->volumeWindow(), volume);
}

struct ExitRoute {
    const char* name;
    bool volumeOpen;
    int route;  // 0 click, 1 Alt+K, 2 the frame's close box
};

class Exit : public MainWindowTest, public ::testing::WithParamInterface<ExitRoute> {};

TEST_P(Exit, EndsAtOnce) {
    if (GetParam().volumeOpen) click("Command2");
    switch (GetParam().route) {
        case 0:
            click("Command3");
            break;
        case 1:
            // The covered main window brought to the front, then its access key.
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QTest::keyClick(window.get(), Qt::Key_K, Qt::AltModifier);
            QTest::qWait(200);  // the shortcut's animated click
            settle();
            break;
        default:
            window->close();
            break;
    }
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(window->volumeWindow(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(recorder->messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Exit,
                         ::testing::Values(ExitRoute{"Click", false, 0},
                                           ExitRoute{"AltK", false, 1},
                                           ExitRoute{"CloseBox", false, 2},
                                           ExitRoute{"AltKWithVolumeOpen", true, 1},
                                           ExitRoute{"CloseBoxWithVolumeOpen", true, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AltSCalculates) {
    window->findChild<QLineEdit*>(u("Text3"))->setText(u("5"));
    window->Text3_LostFocus();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    QTest::qWait(200);
    settle();
    EXPECT_EQ(focusName(), u("Command1"));
    EXPECT_EQ(text("Label27"), u("43,12"));
}

}  // namespace
