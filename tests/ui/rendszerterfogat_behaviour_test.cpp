// The system-volume window driven like a user would: start-up state, the checks' message
// sequences, selections, the return to the main window and the second visit.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <map>
#include <memory>
#include <vector>

#include "message_recorder.h"
#include "named_control.h"
#include "numtext.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

using expans::kNotANumberMessage;
using expans::ui::Rendszerterfogat;
using expans::ui::Tagtartaly;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

const char* const kCollectorVolume = "A kollektortérfogat pozitív kell legyen!";
const char* const kCollectorCount = "A kollektorszám pozitív kell legyen!";
const char* const kPipeLength = "A csőhossz pozitív kell legyen!";
const char* const kFittings = "Az egyéb szerelvények térfogata pozitív kell legyen!";
const char* const kPipeVolume = "A csőtérfogat pozitív kell legyen!";

class VolumeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<Tagtartaly>();
        window = std::make_unique<Rendszerterfogat>(*main);
        window->Form_Load();
    }
    void TearDown() override {
        window.reset();
        main.reset();
    }

    QLineEdit* box(const char* name) const {
        auto* found = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* list(const char* name) const {
        auto* found = window->findChild<QComboBox*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString labelText(const char* name) const {
        auto* found = window->findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text() : QStringLiteral("<missing>");
    }

    std::unique_ptr<Tagtartaly> main;
    std::unique_ptr<Rendszerterfogat> window;
};

// What the user does: replace a box's whole text in one edit (select all, paste), type one key
// at the end of a box, or pick a list entry (Qt reports a new index first, then the pick).
struct Step {
    enum Kind { Paste, Key, Pick } kind;
    const char* control;
    const char* text = "";
    int index = 0;
};
Step paste(const char* box, const char* text) {
    return {Step::Paste, box, text, 0};
}
Step key(const char* box, const char* text) {
    return {Step::Key, box, text, 0};
}
Step pick(const char* list, int index) {
    return {Step::Pick, list, "", index};
}

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::vector<const char*> messages;         // every box shown, in order
    std::map<const char*, const char*> texts;  // box or label name -> text afterwards
    std::map<const char*, bool> enabled;       // box name -> enabled afterwards
};

class VolumeScenarioTest : public VolumeWindowTest, public ::testing::WithParamInterface<Scenario> {
protected:
    void run(const Step& step) {
        switch (step.kind) {
            case Step::Paste: {
                QLineEdit* target = box(step.control);
                target->selectAll();
                target->insert(u(step.text));
                break;
            }
            case Step::Key: {
                QLineEdit* target = box(step.control);
                target->end(false);
                QTest::keyClicks(target, u(step.text));
                break;
            }
            case Step::Pick: {
                QComboBox* target = list(step.control);
                if (target->currentIndex() != step.index) target->setCurrentIndex(step.index);
                emit target->activated(step.index);
                break;
            }
        }
    }
};

TEST_P(VolumeScenarioTest, ShowsMessagesAndLeavesBoxes) {
    const Scenario& scenario = GetParam();
    MessageRecorder recorder;
    for (const Step& step : scenario.steps) run(step);

    QStringList expected;
    for (const char* message : scenario.messages) expected << u(message);
    EXPECT_EQ(recorder.messages(), expected);
    for (const auto& [name, text] : scenario.texts) {
        const QString name16 = QString::fromLatin1(name);
        if (auto* edit = window->findChild<QLineEdit*>(name16)) {
            EXPECT_EQ(edit->text(), u(text)) << name;
        } else {
            EXPECT_EQ(labelText(name), u(text)) << name;
        }
    }
    for (const auto& [name, on] : scenario.enabled) EXPECT_EQ(box(name)->isEnabled(), on) << name;
}

const Scenario kScenarios[] = {
    {"ZeroCollectorCountInRowOneIsResetToOne",
     {paste("Text2", "0")},
     {kCollectorCount},
     {{"Text2", "1"}, {"Label9", "1,57"}, {"Label14", "15,2"}},
     {}},
    {"ZeroCollectorCountInRowTwoIsAccepted",
     {pick("Combo5", 2), paste("Text14", "2"), paste("Text14", "0")},
     {},
     {{"Text13", "1,7"}, {"Text14", "0"}, {"Label9", "4,71"}},
     {}},
    {"RowTwoCollectorStartsWithCountZeroAndNoMessage",
     {pick("Combo5", 1)},
     {},
     {{"Text13", "1,57"}, {"Text14", "0"}, {"Label9", "4,71"}},
     {{"Text13", false}, {"Text14", true}}},
    {"LetterInPipeLengthIsResetToZero",
     {paste("Text3", "a")},
     {kNotANumberMessage},
     {{"Text3", "0"}, {"Label10", "0"}, {"Label14", "14,3"}},
     {}},
    {"EmptiedBoxCountsAsNotANumber",
     {paste("Text3", "")},
     {kNotANumberMessage},
     {{"Text3", "0"}, {"Label10", "0"}},
     {}},
    {"NegativeFittingsAreResetToZero",
     {paste("Text12", "-5")},
     {kFittings},
     {{"Text12", "0"}, {"Label16", "0"}, {"Label14", "17,3"}},
     {}},
    {"NegativeLengthInRowFourIsResetToZero",
     {pick("Combo9", 3), paste("Text6", "-1")},
     {kPipeLength},
     {{"Text6", "0"}, {"Text18", "0,314"}},
     {}},
    {"OwnCollectorInRowOneLetterGivesBothMessagesAndZero",
     {pick("Combo4", 3), paste("Text1", "x")},
     {kNotANumberMessage, kCollectorVolume},
     {{"Text1", "0"}, {"Label9", "0"}},
     {{"Text1", true}}},
    {"OwnCollectorInRowTwoLetterGivesOneMessageAndOne",
     {pick("Combo5", 4), paste("Text13", "x")},
     {kNotANumberMessage},
     {{"Text13", "1"}, {"Text14", "0"}, {"Label9", "4,71"}},
     {{"Text13", true}, {"Text14", true}}},
    {"OwnCollectorPresetAndTypedFigureCount",
     {pick("Combo4", 3), paste("Text1", "2")},
     {},
     {{"Text1", "2"}, {"Label9", "6"}, {"Label14", "19,6"}},
     {}},
    {"OwnPipeInRowOneComplainsOnEveryLaterEdit",
     {pick("Combo6", 6), paste("Text12", "2"), key("Text2", "0")},
     {kPipeVolume, kPipeVolume, kPipeVolume},
     {{"Text15", "0"}, {"Text2", "30"}, {"Label10", "0"}},
     {{"Text15", true}}},
    {"OwnPipeInRowOneQuietOncePositive",
     {pick("Combo6", 6), paste("Text15", "0,5"), paste("Text12", "2")},
     {kPipeVolume},
     {{"Text15", "0,5"}, {"Label10", "10"}, {"Label14", "25,3"}},
     {}},
    {"OwnPipeInRowTwoAcceptsZeroSilently",
     {pick("Combo7", 7)},
     {},
     {{"Text16", "0"}, {"Text4", "0"}},
     {{"Text16", true}, {"Text4", true}}},
    {"NoneSwitchesPipeRowOffAndLosesLength",
     {pick("Combo7", 2), paste("Text4", "10"), pick("Combo7", 0)},
     {},
     {{"Text4", "0"}, {"Text16", "0"}, {"Label10", "4,02"}},
     {{"Text4", false}, {"Text16", false}}},
    {"NoneSwitchesCollectorRowOff",
     {pick("Combo5", 3), paste("Text14", "2"), pick("Combo5", 0)},
     {},
     {{"Text13", "0"}, {"Text14", "0"}, {"Label9", "4,71"}},
     {{"Text13", false}, {"Text14", false}}},
    {"CatalogueEntryOverwritesOwnFigure",
     {pick("Combo4", 3), paste("Text1", "2"), pick("Combo4", 1)},
     {},
     {{"Text1", "1,7"}, {"Label9", "5,1"}},
     {{"Text1", false}}},
    {"PlateExchangerPresetOneAndZeroRejected",
     {pick("Combo2", 10), paste("Text9", "-1")},
     {"A hőcserélő térfogat pozitív kell legyen!", "A hőcserélő térfogat pozitív kell legyen!"},
     {{"Text9", "0"}, {"Label13", "8,5"}},
     {{"Text9", true}}},
    {"ReselectingSameEntryDoesNotRecalculate",
     {pick("Combo6", 6), pick("Combo6", 6), pick("Combo4", 0), pick("Combo1", 1)},
     {kPipeVolume},
     {{"Text15", "0"}, {"Text1", "1,57"}, {"Text8", "8,5"}},
     {}},
    {"ReselectingOwnEntryPutsPresetBack",
     {pick("Combo4", 3), paste("Text1", "2"), pick("Combo4", 3)},
     {},
     {{"Text1", "1,5"}, {"Label9", "4,5"}},
     {{"Text1", true}}},
    {"FractionalCollectorCountEntersUnchanged",
     {paste("Text2", "2,5")},
     {},
     {{"Label9", "3,925"}, {"Label14", "17,5"}},
     {}},
    {"HalfTenthRoundsToEvenBelow",  // 18.25 liters -> 183.5 -> 184 tenths
     {paste("Text12", "1,02")},
     {},
     {{"Label14", "18,4"}},
     {}},
    {"HalfTenthRoundsToEvenAbove",  // 18.35 liters -> 184.5 -> 184 tenths
     {paste("Text12", "1,12")},
     {},
     {{"Label14", "18,4"}},
     {}},
    {"PointAcceptedAsDecimalSeparator",
     {paste("Text12", "1.5")},
     {},
     {{"Label16", "1,5"}, {"Label14", "18,8"}},
     {}},
    {"LargeSystemVolumeIsNotWrapped", {paste("Text12", "5000")}, {}, {{"Label14", "5017,3"}}, {}},
    {"FigureBeyondStorableRangeIsRejected",
     {paste("Text12", "9999999999999999")},
     {expans::kOutOfRangeMessage},
     {{"Text12", "0"}, {"Label14", "17,3"}},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Edits, VolumeScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartState {
    const char* box;
    const char* text;
    bool enabled;
};

class VolumeStartTest : public VolumeWindowTest,
                        public ::testing::WithParamInterface<StartState> {};

TEST_P(VolumeStartTest, BoxHoldsStartFigure) {
    const StartState& row = GetParam();
    EXPECT_EQ(box(row.box)->text(), u(row.text));
    EXPECT_EQ(box(row.box)->isEnabled(), row.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, VolumeStartTest,
    ::testing::Values(StartState{"Text1", "1,57", false}, StartState{"Text2", "3", true},
                      StartState{"Text13", "0", false}, StartState{"Text14", "0", false},
                      StartState{"Text8", "8,5", false}, StartState{"Text9", "0", false},
                      StartState{"Text10", "0", false}, StartState{"Text15", "0,201", false},
                      StartState{"Text3", "20", true}, StartState{"Text16", "0", false},
                      StartState{"Text17", "0", false}, StartState{"Text18", "0", false},
                      StartState{"Text4", "0", false}, StartState{"Text5", "0", false},
                      StartState{"Text6", "0", false}, StartState{"Text12", "1", true}),
    [](const auto& info) { return std::string(info.param.box); });

TEST_F(VolumeWindowTest, StartUpHandsBackTotalsAndStaysHidden) {
    EXPECT_EQ(labelText("Label9"), u("4,71"));
    EXPECT_EQ(labelText("Label10"), u("4,02"));
    EXPECT_EQ(labelText("Label13"), u("8,5"));
    EXPECT_EQ(labelText("Label16"), u("1"));
    EXPECT_EQ(labelText("Label14"), u("18,3"));
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), u("18,3"));
    EXPECT_EQ(named<QLineEdit>(*main, "Text11")->text(), u("4,71"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(named<QWidget>(*main, "Picture4")->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(window->state().CircuitVolumeTenths, 183);
}

TEST_F(VolumeWindowTest, StartUpSelectsDefaultEntries) {
    const std::pair<const char*, const char*> selected[] = {
        {"Combo4", "Solvendra SV 300"},
        {"Combo5", "Nincs"},
        {"Combo1", "300 literes tároló hőcserélő (1,5 m2)"},
        {"Combo2", "Nincs"},
        {"Combo3", "Nincs"},
        {"Combo6", "18 x 1"},
        {"Combo7", "Nincs"},
        {"Combo8", "Nincs"},
        {"Combo9", "Nincs"}};
    for (const auto& [name, entry] : selected) {
        EXPECT_EQ(list(name)->currentText(), u(entry)) << name;
        EXPECT_FALSE(list(name)->isEditable()) << name;
    }
    EXPECT_EQ(list("Combo4")->count(), 4);
    EXPECT_EQ(list("Combo5")->count(), 5);
    EXPECT_EQ(list("Combo1")->count(), 10);
    EXPECT_EQ(list("Combo3")->count(), 11);
    EXPECT_EQ(list("Combo6")->count(), 7);
    EXPECT_EQ(list("Combo9")->count(), 8);
}

TEST_F(VolumeWindowTest, MainWindowIsDisabledWhileLoading) {
    // A second window loaded into a fresh main window: Form_Load's first step disables the main
    // window, its last step (the return) enables it again.
    Tagtartaly other;
    Rendszerterfogat second(other);
    bool disabledDuringLoad = false;
    QObject::connect(named<QLineEdit>(other, "Text1"), &QLineEdit::textChanged,
                     [&] { disabledDuringLoad = !other.isEnabled(); });
    second.Form_Load();
    EXPECT_TRUE(disabledDuringLoad);
    EXPECT_TRUE(other.isEnabled());
}

TEST_F(VolumeWindowTest, ReturnHandsBackHidesAndUncovers) {
    main->show();
    named<QWidget>(*main, "Picture4")->show();
    window->showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), named<QPushButton>(*window, "Command2"));

    MessageRecorder recorder;
    box("Text3")->selectAll();
    box("Text3")->insert(QStringLiteral("30"));
    list("Combo5")->setCurrentIndex(2);
    box("Text14")->selectAll();
    box("Text14")->insert(QStringLiteral("2"));
    QTest::mouseClick(named<QPushButton>(*window, "Command2"), Qt::LeftButton);

    EXPECT_TRUE(recorder.messages().isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(named<QWidget>(*main, "Picture4")->isVisible());
    EXPECT_TRUE(main->isEnabled());
    // 1.57 × 3 + 1.7 × 2 = 8.11; 0.201 × 30 = 6.03; + 8.5 + 1 = 23.64 -> 237 tenths
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), u("23,7"));
    EXPECT_EQ(named<QLineEdit>(*main, "Text11")->text(), u("8,11"));
}

TEST_F(VolumeWindowTest, SecondVisitKeepsSelectionsAndTexts) {
    main->show();
    window->showModeless();
    const QRect screen = window->screen()->availableGeometry();
    // Centred before the frame is known: off by at most half a title bar.
    EXPECT_LE((window->frameGeometry().center() - screen.center()).manhattanLength(), 16)
        << "first shown centred on the screen";
    list("Combo4")->setCurrentIndex(2);
    list("Combo8")->setCurrentIndex(4);
    box("Text5")->selectAll();
    box("Text5")->insert(QStringLiteral("7"));
    const QPoint movedTo = window->pos() + QPoint(30, 20);
    window->move(movedTo);
    window->Command2_Click();
    const QString handedBack = named<QLineEdit>(*main, "Text1")->text();

    window->showModeless();
    EXPECT_EQ(window->pos(), movedTo);
    EXPECT_EQ(list("Combo4")->currentIndex(), 2);
    EXPECT_EQ(box("Text1")->text(), u("1,3"));
    EXPECT_EQ(list("Combo8")->currentIndex(), 4);
    EXPECT_EQ(box("Text5")->text(), u("7"));
    EXPECT_EQ(list("Combo1")->currentIndex(), 1);

    int changes = 0;
    QObject::connect(named<QLineEdit>(*main, "Text1"), &QLineEdit::textChanged, [&] { ++changes; });
    window->Command2_Click();
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), handedBack);
    EXPECT_EQ(changes, 0);
}

TEST_F(VolumeWindowTest, TitleBarCloseActsLikeReturn) {
    main->show();
    named<QWidget>(*main, "Picture4")->show();
    window->showModeless();
    box("Text3")->selectAll();
    box("Text3")->insert(QStringLiteral("30"));
    EXPECT_FALSE(window->close());  // the window is hidden, not destroyed
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(named<QWidget>(*main, "Picture4")->isVisible());
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), u("20,3"));
}

TEST_F(VolumeWindowTest, AltVReturns) {
    main->show();
    named<QWidget>(*main, "Picture4")->show();
    window->showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
    // An access key presses the button visibly first; the click follows a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_FALSE(named<QWidget>(*main, "Picture4")->isVisible());
}

// A figure whose total cannot be represented goes back to the last counted one after the
// message, so the labels match the boxes and the return hands back what the window shows.
TEST_F(VolumeWindowTest, UncountableFigureGoesBackToTheLastCounted) {
    MessageRecorder recorder;
    list("Combo4")->setCurrentIndex(3);
    box("Text1")->selectAll();
    box("Text1")->insert(QStringLiteral("900000000"));
    box("Text2")->selectAll();
    box("Text2")->insert(QStringLiteral("900000000"));
    EXPECT_EQ(recorder.messages(),
              QStringList({u(expans::kOutOfRangeMessage), u(expans::kOutOfRangeMessage)}));
    EXPECT_EQ(box("Text1")->text(), u("1,5"));
    EXPECT_EQ(box("Text2")->text(), u("3"));
    EXPECT_TRUE(window->totalsValid());
    // 1.5 × 3 + 4.02 + 8.5 + 1 = 18.02.
    EXPECT_EQ(labelText("Label14"), u("18,1"));
    window->Command2_Click();
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), u("18,1"));
    EXPECT_EQ(named<QLineEdit>(*main, "Text11")->text(), u("4,5"));
}

// A picked pipe size whose total cannot be counted: the list shows the size its box counts again.
TEST_F(VolumeWindowTest, RefusedPipeSizeGoesBackWithItsBox) {
    MessageRecorder recorder;
    box("Text3")->selectAll();
    box("Text3")->insert(QStringLiteral("1000000000"));
    list("Combo6")->setCurrentIndex(2);
    emit list("Combo6")->activated(2);
    EXPECT_EQ(recorder.messages(), QStringList({u(expans::kOutOfRangeMessage)}));
    EXPECT_EQ(list("Combo6")->currentText(), u("18 x 1"));
    EXPECT_EQ(box("Text15")->text(), u("0,201"));
    EXPECT_FALSE(box("Text15")->isEnabled());
    EXPECT_EQ(labelText("Label14"), u("201000014,3"));
    // The entry shown is the one counted: picking it again changes nothing.
    emit list("Combo6")->activated(1);
    EXPECT_EQ(recorder.messages().size(), 1);
    EXPECT_EQ(labelText("Label14"), u("201000014,3"));
}

// Typed key by key: from the ninth digit each key is refused and the box keeps eight.
TEST_F(VolumeWindowTest, FittingsTypedPastTheCounterStayAtTheLastCounted) {
    MessageRecorder recorder;
    box("Text12")->setText(QStringLiteral("9"));
    box("Text12")->end(false);
    QTest::keyClicks(box("Text12"), QStringLiteral("99999999999"));
    EXPECT_EQ(recorder.messages().size(), 4);
    EXPECT_EQ(box("Text12")->text(), u("99999999"));
    EXPECT_EQ(labelText("Label16"), u("99999999"));
    window->Command2_Click();
    EXPECT_EQ(named<QLineEdit>(*main, "Text1")->text(), labelText("Label14"));
}

}  // namespace
