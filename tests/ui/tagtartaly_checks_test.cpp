// The input checks as the user meets them: type into a field, leave it with Tab, and see the
// messages in order and the text the field is left with.
#include "numtext.h"
#include "tagtartaly_fixture.h"
#include "windows/rendszerterfogat.h"

namespace {

struct FieldEntry {
    const char* name;
    const char* field;
    const char* typed;
    std::vector<const char*> messages;
    const char* shownAfter;
};

class FieldCheck : public MainWindowTest, public ::testing::WithParamInterface<FieldEntry> {};

TEST_P(FieldCheck, MessagesAndText) {
    const FieldEntry& row = GetParam();
    typeAndTab(row.field, u(row.typed));
    QStringList expected;
    for (const char* message : row.messages) expected << u(message);
    EXPECT_EQ(recorder->take(), expected);
    EXPECT_EQ(text(row.field), u(row.shownAfter));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, FieldCheck,
    ::testing::Values(
        FieldEntry{"MaxPressureSixAccepted", "Text3", "6", {}, "6"},
        FieldEntry{"MaxPressureAboveSixRestored",
                   "Text3",
                   "6,5",
                   {"A maximális rendszernyomás kisebb kell hogy legyen, mint 6 bar!"},
                   "6"},
        FieldEntry{"PrePressureAtFillRestored",
                   "Text2",
                   "4",
                   {"A levegő oldali előnyomás kisebb kell hogy legyen, mint a feltöltési nyomás!"},
                   "3,5"},
        FieldEntry{"PrePressureWordRestored", "Text2", "abc", {"Adjon meg számot!"}, "3,5"},
        FieldEntry{"PrePressureNegative",
                   "Text2",
                   "-1",
                   {"A levegő oldali előnyomás pozitív kell legyen!"},
                   "3,5"},
        FieldEntry{"PrePressureZeroAccepted", "Text2", "0", {}, "0"},
        FieldEntry{"FillPressureWordRestored", "Text4", "nagy", {"Adjon meg számot!"}, "4"},
        FieldEntry{"ColdAboveMaxMeanRestored",
                   "Text5",
                   "141",
                   {"A hideg hőmérséklet kisebb kell legyen mint a maximális átlagos hőmérséklet"},
                   "20"},
        FieldEntry{"ColdEqualMaxMeanAccepted", "Text5", "140", {}, "140"},
        FieldEntry{"MaxMeanThreeHundredAccepted", "Text6", "300", {}, "300"},
        FieldEntry{"MaxMeanAboveThreeHundredRestored",
                   "Text6",
                   "300,5",
                   {"A maximális átlagos hőmérséklet alacsonyabb kell legyen mint 300°C"},
                   "140"},
        FieldEntry{"HeightAtLimitAccepted", "Text7", "25", {}, "25"},
        FieldEntry{"HeightAboveLimitRestored",
                   "Text7",
                   "26",
                   {"A megadott szintkülönbség mellett a kollektorok nyomása 1,5 bar alatt van!"},
                   "7"},
        FieldEntry{"HeightNegativeAccepted", "Text7", "-3", {}, "-3"},
        FieldEntry{"SystemVolumeZeroAccepted", "Text1", "0", {}, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ChecksDoNotRecalculate) {
    typeAndTab("Text3", u("5"));
    EXPECT_EQ(window->state().MaxPressureAbs, expans::cy(6));
    EXPECT_EQ(text("Label27"), u("25,15"));
}

struct VolumeEdit {
    const char* name;
    int keyOrText;  // 0: clear with Backspace; 1: type a minus sign alone
};

class SystemVolumeEdit : public MainWindowTest, public ::testing::WithParamInterface<VolumeEdit> {};

// Text1 is checked on every change, not only when it is left: the message comes at once and the
// fixed 20 replaces the text.
TEST_P(SystemVolumeEdit, RejectedAtOnceWithTwenty) {
    auto* box = control<QLineEdit>("Text1");
    box->setFocus(Qt::MouseFocusReason);
    settle();
    box->selectAll();
    if (GetParam().keyOrText == 0) {
        QTest::keyClick(box, Qt::Key_Backspace);
    } else {
        QTest::keyClick(box, Qt::Key_Minus);
    }
    EXPECT_EQ(recorder->take(), texts({"Adjon meg számot!"}));
    EXPECT_EQ(box->text(), u("20"));
    EXPECT_EQ(window->state().SystemVolume, expans::cy(20));
    EXPECT_EQ(focusName(), u("Text1"));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, SystemVolumeEdit,
                         ::testing::Values(VolumeEdit{"Emptied", 0}, VolumeEdit{"LoneMinus", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, NegativeSystemVolumeFromCodeRestoresTwenty) {
    named<QLineEdit>(*window, "Text1")->setText(u("-5"));
    EXPECT_EQ(recorder->take(), texts({"A rendszertérfogat pozitív kell legyen!"}));
    EXPECT_EQ(named<QLineEdit>(*window, "Text1")->text(), u("20"));
    EXPECT_EQ(window->state().SystemVolume, expans::cy(20));
}

struct CollectorEntry {
    const char* name;
    const char* typed;
    std::vector<const char*> messages;
    const char* shownAfter;
    const char* expansionLabel;
};

class CollectorVolumeRun : public MainWindowTest,
                           public ::testing::WithParamInterface<CollectorEntry> {};

// Text11 has no check of its own; the calculation checks it and restores the last volume.
TEST_P(CollectorVolumeRun, CheckedByCalculation) {
    const CollectorEntry& row = GetParam();
    typeAndTab("Text11", u(row.typed));
    EXPECT_TRUE(recorder->take().isEmpty());
    click("Command1");
    QStringList expected;
    for (const char* message : row.messages) expected << u(message);
    EXPECT_EQ(recorder->take(), expected);
    EXPECT_EQ(text("Text11"), u(row.shownAfter));
    EXPECT_EQ(text("Label29"), u(row.expansionLabel));
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, CollectorVolumeRun,
    ::testing::Values(
        CollectorEntry{
            "Negative", "-1", {"A kollektorok térfogata nem lehet negatív"}, "4,71", "6,46"},
        CollectorEntry{"Letters", "sok", {"Adjon meg számot!"}, "4,71", "6,46"},
        CollectorEntry{"Two", "2", {}, "2", "3,75"},
        CollectorEntry{"ZeroEqualsPlainCase", "0", {}, "0", "1,75"}),
    [](const auto& info) { return std::string(info.param.name); });

// A figure too large for any stored value: the usual box, and the last results stay.
TEST_F(MainWindowTest, HugeSystemVolumeKeepsLastResults) {
    named<QLineEdit>(*window, "Text1")->setText(u("900000000000000"));
    recorder->take();
    click("Command1");
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kOutOfRangeMessage)});
    EXPECT_EQ(text("Label29"), u("6,46"));
    EXPECT_EQ(text("Label27"), u("25,15"));
    EXPECT_TRUE(window->isVisible());
}

}  // namespace

namespace {

// A negative collector volume drawn by the slider panel never reaches the sizing: the run
// rejects the box and restores and computes with the last accepted volume.
TEST_F(MainWindowTest, NegativeCollectorVolumeAfterSliderIsNotSized) {
    typeAndTab("Text11", u("-2"));
    auto* mean = control<QScrollBar>("HScroll1");
    mean->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(mean, Qt::Key_Right);
    settle();
    EXPECT_TRUE(recorder->take().isEmpty());
    click("Command1");
    EXPECT_EQ(recorder->take(), texts({"A kollektorok térfogata nem lehet negatív"}));
    EXPECT_EQ(text("Text11"), u("4,71"));
    EXPECT_EQ(text("Label27"), u("25,15"));
    EXPECT_EQ(window->state().CollectorVolume, expans::cy(4.71));
}

// A change that arrives while a check's box is open (posted by automation) is kept.
TEST_F(MainWindowTest, ChangeDuringACheckBoxIsKept) {
    const expans::ui::ErrorBox previous = expans::ui::setErrorBox([this](QWidget*, const QString&) {
        named<QLineEdit>(*window, "Text1")->setText(u("18,35"));
    });
    typeAndTab("Text2", u("abc"));
    expans::ui::setErrorBox(previous);
    EXPECT_EQ(text("Text2"), u("3,5"));
    EXPECT_EQ(text("Text1"), u("18,35"));
    EXPECT_EQ(window->state().SystemVolume, expans::cy(18.35));
}

// Main-window handlers wait while a box of the volume window is open.
TEST_F(MainWindowTest, HandlersWaitWhileAVolumeBoxIsOpen) {
    bool ranInsideBox = true;
    const expans::ui::ErrorBox previous = expans::ui::setErrorBox([&](QWidget*, const QString&) {
        QTest::mouseClick(control("Check1"), Qt::LeftButton);
        QTest::qWait(50);
        ranInsideBox = !window->handlersPending();
    });
    window->volumeWindow()->findChild<QLineEdit*>(u("Text12"))->setText(u("-5"));
    expans::ui::setErrorBox(previous);
    EXPECT_FALSE(ranInsideBox);
    settle();
    EXPECT_EQ(text("Label7"), u("Térfogat változás Tmeleg-re melegedés esetén [liter]:"));
}

}  // namespace
