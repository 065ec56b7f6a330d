// Job files through the menu's commands: a changed job comes back whole in a fresh window, a bad
// file changes nothing, a bad figure is treated as typing it, the save question, a failed save,
// "Új" against a fresh start, and the menu bar above the designed client area.
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <map>

#include "dialogs.h"
#include "jobfile.h"
#include "mainmenu.h"
#include "numtext.h"
#include "panelwidgets.h"
#include "rendszerterfogat.h"
#include "tagtartaly_fixture.h"

namespace {

using expans::ui::Dialogs;
using expans::ui::Rendszerterfogat;
using expans::ui::SaveAnswer;
using expans::ui::Tagtartaly;

// Answers every file dialog from the test and records what the user would have been told.
class DialogScript {
public:
    DialogScript() : m_previous(expans::ui::setDialogs(script())) {}
    ~DialogScript() { expans::ui::setDialogs(m_previous); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    QString chosenFile;
    SaveAnswer answer = SaveAnswer::Cancel;
    QStringList fileErrors;
    int questions = 0;

private:
    Dialogs script() {
        Dialogs d;
        d.openFile = [this](QWidget*, const QString&, const QString&) { return chosenFile; };
        d.saveFile = [this](QWidget*, const QString&, const QString&, const QString&) {
            return chosenFile;
        };
        d.askSave = [this](QWidget*, const QString&) {
            ++questions;
            return answer;
        };
        d.fileError = [this](QWidget*, const QString& message) { fileErrors << message; };
        d.print = [](QWidget*, QPrinter&) { return false; };
        d.about = [](QWidget*) {};
        return d;
    }
    Dialogs m_previous;
};

// What a user can see of a window: every named control's text, selection, position, check,
// visibility and enabling.
std::map<QString, QString> snapshot(const QWidget* root) {
    std::map<QString, QString> seen;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        QString state = QStringLiteral("%1%2|").arg(int(w->isVisible())).arg(int(w->isEnabled()));
        if (auto* box = qobject_cast<const QLineEdit*>(w)) state += box->text();
        if (auto* label = qobject_cast<const QLabel*>(w)) state += label->text();
        if (auto* list = qobject_cast<const QComboBox*>(w))
            state += QString::number(list->currentIndex());
        if (auto* bar = qobject_cast<const QScrollBar*>(w)) state += QString::number(bar->value());
        if (auto* check = qobject_cast<const QCheckBox*>(w))
            state += QString::number(check->isChecked());
        if (auto* bar = qobject_cast<const expans::ui::RoundedBar*>(w)) {
            state += QString::number(bar->topTwips()) + QLatin1Char(' ') +
                     QString::number(bar->heightTwips());
        }
        if (auto* line = qobject_cast<const expans::ui::TwipLine*>(w)) {
            state += QString::number(line->x2()) + QLatin1Char(' ') + QString::number(line->y2());
        }
        seen[w->objectName()] = state;
    }
    return seen;
}

std::map<QString, QString> bothWindows(const Tagtartaly& window) {
    std::map<QString, QString> seen = snapshot(&window);
    for (const auto& [name, state] : snapshot(window.volumeWindow())) {
        seen[QStringLiteral("Rendszerterfogat.") + name] = state;
    }
    // Stored figures the screen shows only indirectly.
    const expans::MainState& s = window.state();
    QStringList figures;
    for (const expans::Currency value :
         {s.SystemVolume, s.PrePressureAbs, s.FillPressureAbs, s.MaxPressureAbs, s.ColdTemperature,
          s.MaxMeanTemperature, s.StaticHeight, s.CollectorVolume, s.GasVolume, s.SystemPressureAbs,
          s.BoilingPoint, s.VesselWaterReserve}) {
        figures << QString::number(value.ticks());
    }
    seen[QStringLiteral("state")] = figures.join(QLatin1Char(' '));
    return seen;
}

void expectSame(const std::map<QString, QString>& actual,
                const std::map<QString, QString>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto& [name, state] : expected) {
        EXPECT_EQ(actual.at(name).toStdString(), state.toStdString()) << name.toStdString();
    }
}

class JobFileTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<Tagtartaly> freshWindow() {
        auto other = std::make_unique<Tagtartaly>();
        other->setQuitAction([] {});
        other->Form_Load();
        other->showAtStart();
        EXPECT_TRUE(QTest::qWaitForWindowActive(other.get()));
        settle();
        return other;
    }
    expans::ui::MainMenu& menu() { return *window->menu(); }

    // A job far from start-up on both windows: the new pre-pressure lies above the old fill
    // pressure, so it goes in only when the fields are entered in a suitable order.
    void changeEverything() {
        Rendszerterfogat& volume = *window->volumeWindow();
        volume.Combo4->setCurrentIndex(2);
        volume.Combo6->setCurrentIndex(3);
        volume.Combo1->setCurrentIndex(0);
        volume.Text14->setText(QStringLiteral("3"));
        volume.Text3->setText(QStringLiteral("12,5"));
        volume.Text12->setText(QStringLiteral("2,25"));
        volume.Command2_Click();
        settle();
        typeAndTab("Text4", u("5"));
        typeAndTab("Text2", u("4,5"));
        typeAndTab("Text6", u("120"));
        typeAndTab("Text5", u("10"));
        typeAndTab("Text7", u("12"));
        auto* fluid = control<QComboBox>("Combo1");
        fluid->setCurrentIndex(2);
        emit fluid->activated(2);
        settle();
        auto* vessel = control<QComboBox>("Tagtartaly");
        vessel->setCurrentIndex(6);
        emit vessel->activated(6);
        settle();
        control<QScrollBar>("HScroll1")->setValue(95);
        settle();
        control<QScrollBar>("HScroll2")->setValue(170);
        settle();
        ASSERT_TRUE(recorder->take().isEmpty());
    }

    QTemporaryDir dir;
    DialogScript dialogs;
};

TEST_F(JobFileTest, ChangedJobComesBackWholeInAFreshWindow) {
    changeEverything();
    dialogs.chosenFile = path("munka");
    ASSERT_TRUE(menu().saveAs());
    EXPECT_EQ(menu().filePath(), path("munka.expans"));
    EXPECT_EQ(window->windowTitle(), u("munka.expans[*] – Orvenda-Expans"));
    EXPECT_FALSE(window->isWindowModified());

    auto reopened = freshWindow();
    ASSERT_TRUE(reopened->menu()->openFile(path("munka.expans")));
    settle();
    EXPECT_TRUE(dialogs.fileErrors.isEmpty());
    EXPECT_TRUE(recorder->messages().isEmpty())
        << recorder->messages().join(u(" / ")).toStdString();
    expectSame(bothWindows(*reopened), bothWindows(*window));
    EXPECT_FALSE(reopened->isWindowModified());
}

// Windows users name their jobs in Hungarian and edit them with editors that write CRLF.
TEST_F(JobFileTest, HungarianNameAndWindowsLineEndingsOpenAlike) {
    changeEverything();
    const QString name = dir.filePath(u("Családi ház"));
    dialogs.chosenFile = name;
    ASSERT_TRUE(menu().saveAs());
    const QString file = name + u(".expans");
    EXPECT_EQ(menu().filePath(), file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadWrite));
    QByteArray text = saved.readAll();
    text.replace("\r\n", "\n").replace("\n", "\r\n");
    ASSERT_TRUE(saved.resize(0));
    ASSERT_EQ(saved.write(text), text.size());
    saved.close();

    auto reopened = freshWindow();
    ASSERT_TRUE(reopened->menu()->openFile(file));
    settle();
    EXPECT_TRUE(dialogs.fileErrors.isEmpty());
    expectSame(bothWindows(*reopened), bothWindows(*window));
}

TEST_F(JobFileTest, NewGivesTheStartUpStateOfBothWindows) {
    changeEverything();
    window->volumeWindow()->Text1->setText(u("abc"));  // a message and a reset on the way
    recorder->take();
    menu().newJob();
    settle();
    auto fresh = freshWindow();
    expectSame(bothWindows(*window), bothWindows(*fresh));
    EXPECT_EQ(focusName(), u("Command1"));
    EXPECT_EQ(dialogs.questions, 0);
}

// A figure the checks reject gives the same boxes and leaves the same value as typing it.
struct BadFigure {
    const char* name;
    const char* field;
    expans::MainField key;
    const char* text;
};

class BadFigureInFile : public JobFileTest, public ::testing::WithParamInterface<BadFigure> {};

TEST_P(BadFigureInFile, ActsLikeTypingIt) {
    const BadFigure& row = GetParam();
    expans::Job job = window->job();
    job.field(row.key) = row.text;
    QFile file(path("kezzel.expans"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(expans::ui::jobToJson(job));
    file.close();

    auto typed = freshWindow();
    std::swap(window, typed);
    typeAndTab(row.field, u(row.text));
    std::swap(window, typed);
    const QStringList typedMessages = recorder->take();
    ASSERT_FALSE(typedMessages.isEmpty());

    ASSERT_TRUE(menu().openFile(file.fileName()));
    settle();
    EXPECT_EQ(recorder->take(), typedMessages);
    EXPECT_EQ(text(row.field), typed->findChild<QLineEdit*>(u(row.field))->text());
    expectSame(bothWindows(*window), bothWindows(*typed));
}

INSTANTIATE_TEST_SUITE_P(
    JobFile, BadFigureInFile,
    ::testing::Values(BadFigure{"WordForPrePressure", "Text2", expans::MainField::Text2, "abc"},
                      BadFigure{"PrePressureAtFill", "Text2", expans::MainField::Text2, "4"},
                      BadFigure{"MaxPressureAbove6", "Text3", expans::MainField::Text3, "6,5"},
                      BadFigure{"HeightTooLarge", "Text7", expans::MainField::Text7, "26"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every kind of file that cannot be a job: one message naming the file and the fault, and both
// windows exactly as they were.
struct BadFile {
    const char* name;
    QByteArray bytes;  // written to the file; a null array: no file is created at all
    const char* reason;
};

QByteArray validJson() {
    return expans::ui::jobToJson(expans::Job{});
}

QByteArray replaced(const char* from, const char* to) {
    return validJson().replace(from, to);
}

class BadJobFile : public JobFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadJobFile, ChangesNothingAndSaysWhy) {
    changeEverything();
    const auto before = bothWindows(*window);
    const QString file = path("rossz.expans");
    if (!GetParam().bytes.isNull()) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(GetParam().bytes);
    }
    dialogs.chosenFile = file;
    menu().open();
    settle();
    ASSERT_EQ(dialogs.fileErrors.size(), 1);
    EXPECT_TRUE(dialogs.fileErrors[0].contains(u("„rossz.expans”")))
        << dialogs.fileErrors[0].toStdString();
    EXPECT_TRUE(dialogs.fileErrors[0].contains(u(GetParam().reason)))
        << dialogs.fileErrors[0].toStdString();
    EXPECT_TRUE(recorder->messages().isEmpty());
    expectSame(bothWindows(*window), before);
    EXPECT_TRUE(menu().filePath().isEmpty());
    EXPECT_EQ(window->windowTitle(), u("Orvenda-Expans"));
}

QByteArray deepNesting() {
    return QByteArray(100000, '[') + QByteArray(100000, ']');
}

QByteArray longText() {
    QByteArray bytes = validJson();
    const QByteArray key = "\"Text2\": \"";
    return bytes.insert(bytes.indexOf(key) + key.size(), QByteArray(2000, '7'));
}

INSTANTIATE_TEST_SUITE_P(
    JobFile, BadJobFile,
    ::testing::Values(
        BadFile{"Missing", QByteArray(), "nem olvasható"}, BadFile{"Empty", QByteArray(""), "üres"},
        BadFile{"OnlyBlanks", QByteArray(" \n\t "), "üres"},
        BadFile{"Truncated", validJson().left(200), "sérült vagy csonka"},
        BadFile{"Binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "sérült vagy csonka"},
        BadFile{"DeepNesting", deepNesting(), "sérült vagy csonka"},
        BadFile{"TooBig", QByteArray(2 * 1024 * 1024, ' ') + validJson(), "túl nagy"},
        BadFile{"ArrayRoot", QByteArray("[1, 2]"), "nem Orvenda-Expans munkafájl"},
        BadFile{"OtherProgram", replaced("orvenda-expans-job", "spreadsheet"),
                "nem Orvenda-Expans munkafájl"},
        BadFile{"NewerVersion", replaced("\"version\": 1", "\"version\": 2"),
                "ismeretlen változatú (2)"},
        BadFile{"VersionAsText", replaced("\"version\": 1", "\"version\": \"1\""), "változatszáma"},
        BadFile{"SectionMissing", replaced("\"Rendszerterfogat\"", "\"Other\""),
                "„Rendszerterfogat” rész"},
        BadFile{"KeyMissing", replaced("\"Text2\"", "\"Text2x\""),
                "Hiányzik belőle a(z) „Tagtartaly.Text2”"},
        BadFile{"TextAsNumber", replaced("\"Text7\": \"\"", "\"Text7\": 7"),
                "„Tagtartaly.Text7” adat típusa hibás"},
        BadFile{"IndexAsText", replaced("\"Combo9\": 0", "\"Combo9\": \"0\""),
                "„Rendszerterfogat.Combo9” adat típusa hibás"},
        BadFile{"FlagAsNumber", replaced("\"Check1\": true", "\"Check1\": 1"),
                "„Tagtartaly.Check1” adat típusa hibás"},
        BadFile{"IndexTooLarge", replaced("\"Tagtartaly\": 0", "\"Tagtartaly\": 16"),
                "„Tagtartaly.Tagtartaly” értéke érvénytelen"},
        BadFile{"IndexFraction", replaced("\"Combo1\": 0", "\"Combo1\": 0.5"),
                "értéke érvénytelen"},
        BadFile{"HugeNumber", replaced("\"HScroll1\": 0", "\"HScroll1\": 1e308"),
                "„Tagtartaly.HScroll1” értéke érvénytelen"},
        BadFile{"SliderBelowRange", replaced("\"HScroll2\": 0", "\"HScroll2\": -26"),
                "„Tagtartaly.HScroll2” értéke érvénytelen"},
        BadFile{"TextTooLong", longText(), "szövege túl hosszú"}),
    [](const auto& info) { return std::string(info.param.name); });

// Exit, close box, "Új" and "Megnyitás…" with a changed job: the three answers.
struct Question {
    const char* name;
    SaveAnswer answer;
    bool ends;        // the program ends
    bool fileHasNew;  // the file then holds the changed job
};

class SaveQuestion : public JobFileTest, public ::testing::WithParamInterface<Question> {};

TEST_P(SaveQuestion, OnExit) {
    dialogs.chosenFile = path("munka.expans");
    ASSERT_TRUE(menu().saveAs());
    typeAndTab("Text6", u("150"));
    EXPECT_TRUE(window->isWindowModified());

    dialogs.answer = GetParam().answer;
    window->close();
    settle();
    EXPECT_EQ(dialogs.questions, 1);
    EXPECT_EQ(quits, GetParam().ends ? 1 : 0);
    EXPECT_EQ(window->isVisible(), !GetParam().ends);
    const expans::ui::JobRead read = expans::ui::readJobFile(path("munka.expans"));
    ASSERT_TRUE(read.job);
    EXPECT_EQ(read.job->field(expans::MainField::Text6), GetParam().fileHasNew ? "150" : "140");
    if (!GetParam().ends) {
        // Cancelled: the same question again on "Új", whose cancel keeps the job on screen.
        menu().newJob();
        EXPECT_EQ(dialogs.questions, 2);
        EXPECT_EQ(text("Text6"), u("150"));
        EXPECT_TRUE(window->isWindowModified());
    }
}

INSTANTIATE_TEST_SUITE_P(JobFile, SaveQuestion,
                         ::testing::Values(Question{"Save", SaveAnswer::Save, true, true},
                                           Question{"Discard", SaveAnswer::Discard, true, false},
                                           Question{"Cancel", SaveAnswer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobFileTest, WithoutAFileExitAsksNothing) {
    typeAndTab("Text6", u("150"));
    click("Command3");
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(dialogs.questions, 0);
}

TEST_F(JobFileTest, FailedSaveLosesNothing) {
    dialogs.chosenFile = path("munka.expans");
    ASSERT_TRUE(menu().saveAs());
    const QByteArray old = [&] {
        QFile f(path("munka.expans"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    typeAndTab("Text6", u("150"));

    // Nobody, not even root, can create a file here.
    dialogs.chosenFile = u("/proc/nincs-ilyen/munka.expans");
    EXPECT_FALSE(menu().saveAs());
    ASSERT_EQ(dialogs.fileErrors.size(), 1);
    EXPECT_TRUE(dialogs.fileErrors[0].contains(u("„munka.expans” fájl mentése nem sikerült")));
    EXPECT_EQ(menu().filePath(), path("munka.expans"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(text("Text6"), u("150"));
    QFile f(path("munka.expans"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u("munka.expans")});
}

TEST_F(JobFileTest, ReportCountsTheFigureStillBeingTyped) {
    // The reference: the same figure typed, then "Számítás" clicked.
    auto reference = freshWindow();
    std::swap(window, reference);
    typeAndTab("Text6", u("120"));
    click("Command1");
    const auto expected = bothWindows(*window);
    std::swap(window, reference);

    // Typed, the focus still in the field, and the report exported from the menu.
    auto* field = control<QLineEdit>("Text6");
    field->setFocus(Qt::MouseFocusReason);
    settle();
    field->selectAll();
    QTest::keyClicks(field, u("120"));
    dialogs.chosenFile = path("jelentes.pdf");
    menu().exportPdf();
    settle();
    EXPECT_TRUE(QFile::exists(path("jelentes.pdf")));
    EXPECT_TRUE(recorder->take().isEmpty());
    auto seen = bothWindows(*window);
    // Only where the focus stands differs from the reference.
    seen.erase(QStringLiteral("Text6"));
    auto wanted = expected;
    wanted.erase(QStringLiteral("Text6"));
    expectSame(seen, wanted);
    EXPECT_EQ(text("Text6"), u("120"));
}

TEST_F(JobFileTest, MenuBarSitsAboveTheDesignedClientArea) {
    QMenuBar* bar = menu().menuBar();
    ASSERT_GT(bar->height(), 0);
    EXPECT_EQ(window->clientArea()->geometry(), QRect(0, bar->height(), 877, 527));
    EXPECT_EQ(window->size(), QSize(877, 527 + bar->height()));
    EXPECT_EQ(bar->geometry().bottom() + 1, window->clientArea()->y());
    // Menu titles leave the window's own access keys alone.
    for (QAction* title : bar->actions()) {
        const QString caption = title->text();
        const QChar key = caption.at(caption.indexOf(QLatin1Char('&')) + 1).toLower();
        EXPECT_FALSE(key == u'k' || key == u's' || key == u'v') << caption.toStdString();
    }
    // Covered while the volume window is open: no menu command can run.
    window->Command2_Click();
    settle();
    EXPECT_FALSE(bar->isEnabled());
    for (QAction* action : bar->findChildren<QAction*>()) EXPECT_FALSE(action->isEnabled());
    window->volumeWindow()->Command2_Click();
    settle();
    EXPECT_TRUE(bar->isEnabled());
    for (QAction* action : bar->findChildren<QAction*>()) EXPECT_TRUE(action->isEnabled());
}

}  // namespace
