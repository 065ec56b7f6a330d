// Job files through the menu's commands: a changed job comes back whole in a fresh window, a bad
// file changes nothing, a bad figure is treated as typing it, the save question, a failed save,
// "Új" against a fresh start, and the menu bar above the designed client area. The writers as
// plain functions: what they write reads back, and a full disk leaves the old file as it was.
#ifdef __linux__
#include <sys/mount.h>
#endif

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

#include "catalogue.h"
#include "io/jobfile.h"
#include "io/report.h"
#include "numtext.h"
#include "tagtartaly_fixture.h"
#include "widgets/dialogs.h"
#include "widgets/panelwidgets.h"
#include "window_snapshot.h"
#include "windows/mainmenu.h"
#include "windows/rendszerterfogat.h"

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
    QString suggested;  // what the last save dialog offered
    SaveAnswer answer = SaveAnswer::Cancel;
    QStringList fileErrors;
    int questions = 0;

private:
    Dialogs script() {
        Dialogs d;
        d.openFile = [this](QWidget*, const QString&, const QString&) { return chosenFile; };
        d.saveFile = [this](QWidget*, const QString&, const QString& offered, const QString&) {
            suggested = offered;
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
        named<QComboBox>(volume, "Combo4")->setCurrentIndex(2);
        named<QComboBox>(volume, "Combo6")->setCurrentIndex(3);
        named<QComboBox>(volume, "Combo1")->setCurrentIndex(0);
        named<QComboBox>(volume, "Combo5")->setCurrentIndex(1);
        named<QLineEdit>(volume, "Text14")->setText(QStringLiteral("3"));
        named<QLineEdit>(volume, "Text3")->setText(QStringLiteral("12,5"));
        named<QLineEdit>(volume, "Text12")->setText(QStringLiteral("2,25"));
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
    ASSERT_TRUE(reopened->menu()->openFile(path("munka.expans")))
        << dialogs.fileErrors.join(u(" / ")).toStdString();
    settle();
    EXPECT_TRUE(dialogs.fileErrors.isEmpty());
    EXPECT_TRUE(recorder->messages().isEmpty())
        << recorder->messages().join(u(" / ")).toStdString();
    expectSame(bothWindows(*reopened), bothWindows(*window));
    EXPECT_FALSE(reopened->isWindowModified());
}

TEST_F(JobFileTest, SavingRunsTheSizingSoTheFileReopensToTheScreen) {
    // The reference: the pre-pressure typed, then "Számítás" clicked.
    auto reference = freshWindow();
    std::swap(window, reference);
    typeAndTab("Text2", u("2,5"));
    click("Command1");
    const auto calculated = bothWindows(*window);
    std::swap(window, reference);

    // Typed, and saved without "Számítás".
    typeAndTab("Text2", u("2,5"));
    dialogs.chosenFile = path("munka.expans");
    ASSERT_TRUE(menu().save());
    settle();
    const auto saved = bothWindows(*window);
    expectSame(saved, calculated);

    auto reopened = freshWindow();
    ASSERT_TRUE(reopened->menu()->openFile(path("munka.expans")));
    settle();
    EXPECT_TRUE(recorder->messages().isEmpty());
    expectSame(bothWindows(*reopened), saved);
}

// The second job opens to the same figures after the first as in a fresh program, and to what
// the screen showed when it was saved: with evaporation off the panel still counts with the
// height the sizing read last (25 m, not the 7 shown), and the volume window's figures are not
// counted against the first job's.
TEST_F(JobFileTest, OpeningAfterAnotherJobGivesWhatAFreshProgramGives) {
    Rendszerterfogat& volume = *window->volumeWindow();
    named<QComboBox>(volume, "Combo4")
        ->setCurrentIndex(expans::ownFigureIndex(expans::VolumeList::Combo4));
    named<QLineEdit>(volume, "Text2")->setText(u("1000"));
    volume.Command2_Click();
    settle();
    typeAndTab("Text7", u("25"));
    click("Command1");
    dialogs.chosenFile = path("elso.expans");
    ASSERT_TRUE(menu().saveAs());

    named<QLineEdit>(volume, "Text2")->setText(u("2"));
    named<QLineEdit>(volume, "Text1")->setText(u("50000000"));
    volume.Command2_Click();
    settle();
    typeAndTab("Text7", u("7"));
    click("Check1");
    control<QScrollBar>("HScroll1")->setValue(160);
    settle();
    ASSERT_EQ(control<QScrollBar>("HScroll2")->value(), 170);
    dialogs.chosenFile = path("masodik.expans");
    ASSERT_TRUE(menu().saveAs());
    const auto saved = bothWindows(*window);
    ASSERT_TRUE(recorder->take().isEmpty());

    ASSERT_TRUE(menu().openFile(path("elso.expans")));
    ASSERT_TRUE(menu().openFile(path("masodik.expans")));
    settle();
    auto fresh = freshWindow();
    ASSERT_TRUE(fresh->menu()->openFile(path("masodik.expans")));
    settle();
    EXPECT_TRUE(recorder->messages().isEmpty())
        << recorder->messages().join(u(" / ")).toStdString();
    expectSame(bothWindows(*window), bothWindows(*fresh));
    expectSame(bothWindows(*window), saved);
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
    named<QLineEdit>(*window->volumeWindow(), "Text1")
        ->setText(u("abc"));  // a message and a reset on the way
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
        BadFile{"NewerVersion", replaced("\"version\": 3", "\"version\": 4"),
                "ismeretlen változatú (4)"},
        BadFile{"VersionAsText", replaced("\"version\": 3", "\"version\": \"3\""), "változatszáma"},
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

// A save that cannot be done: one message, the old file as it was, the job and its mark kept.
enum class SaveFault { FolderCannotBeCreated, TextTooLong };

struct FailedSave {
    const char* name;
    SaveFault fault;
    const char* message;  // a part of what the user is told
};

class FailedSaveLosesNothing : public JobFileTest,
                               public ::testing::WithParamInterface<FailedSave> {};

TEST_P(FailedSaveLosesNothing, KeepsTheOldFileAndTheMark) {
    dialogs.chosenFile = path("munka.expans");
    ASSERT_TRUE(menu().saveAs());
    const QByteArray old = [&] {
        QFile f(path("munka.expans"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    typeAndTab("Text6", u("150"));

    switch (GetParam().fault) {
        case SaveFault::FolderCannotBeCreated:
            // Nobody, not even root, can create a file here.
            dialogs.chosenFile = u("/proc/nincs-ilyen/munka.expans");
            EXPECT_FALSE(menu().saveAs());
            break;
        case SaveFault::TextTooLong:
            // A figure the field takes, of 1005 characters: more than a job file holds.
            typeAndTab("Text1", QString(1001, u'0') + u("18,3"));
            ASSERT_EQ(text("Text1").size(), 1005);
            EXPECT_FALSE(menu().save());
            break;
    }
    ASSERT_EQ(dialogs.fileErrors.size(), 1);
    EXPECT_TRUE(dialogs.fileErrors[0].contains(u(GetParam().message)))
        << dialogs.fileErrors[0].toStdString();
    EXPECT_EQ(menu().filePath(), path("munka.expans"));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(text("Text6"), u("150"));
    QFile f(path("munka.expans"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u("munka.expans")});
}

INSTANTIATE_TEST_SUITE_P(
    JobFile, FailedSaveLosesNothing,
    ::testing::Values(FailedSave{"FolderCannotBeCreated", SaveFault::FolderCannotBeCreated,
                                 "„munka.expans” fájl mentése nem sikerült"},
                      FailedSave{"TextTooLong", SaveFault::TextTooLong,
                                 "„munka.expans” fájl nem menthető.\nA(z) „Tagtartaly.Text1” "
                                 "szövege 1005 karakter, de egy szöveg legfeljebb 1000"}),
    [](const auto& info) { return std::string(info.param.name); });

// What the writer takes, the reader gives back unchanged; what the reader would refuse, the
// writer refuses too. Both count characters, whatever their encoding.
struct JobText {
    const char* name;
    expans::MainField field;
    QString text;
    bool fits;
};

QString repeated(char32_t character, int count) {
    const std::u32string codes(static_cast<std::size_t>(count), character);
    return QString::fromUcs4(codes.data(), static_cast<qsizetype>(codes.size()));
}

class JobTextRoundTrip : public JobFileTest, public ::testing::WithParamInterface<JobText> {};

TEST_P(JobTextRoundTrip, ReadsBackWhatWasWritten) {
    const JobText& row = GetParam();
    expans::Job job = window->job();
    job.field(row.field) = row.text.toStdString();
    const QString file = path("munka.expans");
    QString error;
    EXPECT_EQ(expans::ui::writeJobFile(file, job, &error), row.fits) << error.toStdString();
    if (row.fits) {
        const expans::ui::JobRead read = expans::ui::readJobFile(file);
        ASSERT_TRUE(read.job) << read.error.toStdString();
        EXPECT_TRUE(*read.job == job);
        EXPECT_EQ(read.job->field(row.field), row.text.toStdString());
    } else {
        EXPECT_TRUE(error.contains(u("„Tagtartaly.Text")) && error.contains(u("karakter")))
            << error.toStdString();
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_FALSE(expans::ui::jobFromJson(expans::ui::jobToJson(job)).job);
    }
}

INSTANTIATE_TEST_SUITE_P(
    JobFile, JobTextRoundTrip,
    ::testing::Values(
        JobText{"LongestFigure", expans::MainField::Text1, QString(996, u'0') + u("18,3"), true},
        JobText{"OneCharacterTooMany", expans::MainField::Text1, QString(997, u'0') + u("18,3"),
                false},
        // Two UTF-16 units each: within the limit in characters.
        JobText{"ThousandCharactersOutsideTheBasicPlane", expans::MainField::Text5,
                repeated(U'\U0001D7D8', 1000), true},
        JobText{"ThousandAndOneOutsideTheBasicPlane", expans::MainField::Text5,
                repeated(U'\U0001D7D8', 1001), false},
        JobText{"LeadingByteOrderMark", expans::MainField::Text2, QChar(0xFEFF) + u("2,5"), true},
        JobText{"OnlyAByteOrderMark", expans::MainField::Text7, QString(QChar(0xFEFF)), true}),
    [](const auto& info) { return std::string(info.param.name); });

// A small file system of its own, mounted over a folder for one test and filled up (Linux only;
// elsewhere the tests that need it are skipped).
#ifdef __linux__
bool mountSmallDisk(const QByteArray& folder) {
    return ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") == 0;
}
void unmountSmallDisk(const QByteArray& folder) {
    ::umount2(folder.constData(), MNT_DETACH);
}
#else
bool mountSmallDisk(const QByteArray&) {
    return false;
}
void unmountSmallDisk(const QByteArray&) {}
#endif

class FullDisk {
public:
    explicit FullDisk(const QString& folder) : m_folder(QFile::encodeName(folder)) {
        m_mounted = QDir().mkpath(folder) && mountSmallDisk(m_folder);
    }
    ~FullDisk() {
        if (m_mounted) unmountSmallDisk(m_folder);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return m_mounted; }
    // Writes until not one more byte fits.
    void fill() const {
        QFile filler(QFile::decodeName(m_folder) + u("/fill"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        for (qint64 chunk = 4096; chunk > 0; chunk /= 2) {
            while (filler.write(QByteArray(chunk, 'x')) == chunk) {
            }
        }
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

struct FullDiskWrite {
    const char* name;
    bool report;       // the PDF report, else the job
    bool overOldFile;  // a file of that name is there already
};

class WriteOnAFullDisk : public JobFileTest, public ::testing::WithParamInterface<FullDiskWrite> {};

TEST_P(WriteOnAFullDisk, FailsAndLeavesTheOldFile) {
    const QString folder = path("disk");
    const FullDisk disk(folder);
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    const QString file = folder + (GetParam().report ? u("/jelentes.pdf") : u("/munka.expans"));
    const QByteArray old = expans::ui::jobToJson(window->job());
    if (GetParam().overOldFile) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(old), old.size());
    }
    disk.fill();
    const QStringList before = QDir(folder).entryList(QDir::Files);

    typeAndTab("Text7", u("8"));
    QString error;
    const bool written =
        GetParam().report
            ? expans::ui::writeReportPdf(file, window->reportSource(), u("munka.expans"), &error)
            : expans::ui::writeJobFile(file, window->job(), &error);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), before);
    if (GetParam().overOldFile) {
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        EXPECT_EQ(in.readAll(), old);
    }
}

INSTANTIATE_TEST_SUITE_P(JobFile, WriteOnAFullDisk,
                         ::testing::Values(FullDiskWrite{"JobOverItsFile", false, true},
                                           FullDiskWrite{"JobUnderANewName", false, false},
                                           FullDiskWrite{"ReportOverItsFile", true, true},
                                           FullDiskWrite{"ReportUnderANewName", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs the event loop until it waits for the user, as the running program does between events.
void waitForTheUser() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(JobFileTest, MarkIsTheComparisonWithTheFile) {
    dialogs.chosenFile = path("munka.expans");
    ASSERT_TRUE(menu().saveAs());
    // Changes that no signal reports, as a handler's own follow-up changes are not.
    auto* field = control<QLineEdit>("Text6");
    const QString saved = field->text();
    for (const QString& shown : {u("150"), saved}) {
        {
            const QSignalBlocker blocker(field);
            field->setText(shown);
        }
        waitForTheUser();
        EXPECT_EQ(window->isWindowModified(), shown != saved) << shown.toStdString();
    }

    // A figure of the file that its check corrects: the job on screen is not what the file holds.
    expans::Job job = window->job();
    job.field(expans::MainField::Text7) = "26";
    QFile file(path("kezzel.expans"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(expans::ui::jobToJson(job));
    file.close();
    ASSERT_TRUE(menu().openFile(file.fileName()));
    settle();
    recorder->take();
    waitForTheUser();
    EXPECT_NE(text("Text7"), u("26"));
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(JobFileTest, DialogsStartInTheJobsFolderElseTheLastUsedElseDocuments) {
    QSettings().clear();  // the test run's own settings
    const QString documents = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileInfo(folder).isDir() ? folder : QDir::homePath();
    }();
    EXPECT_EQ(menu().dialogFolder(), documents);
    dialogs.chosenFile = path("munkak/munka.expans");
    ASSERT_TRUE(QDir(dir.path()).mkdir(u("munkak")));
    ASSERT_TRUE(menu().saveAs());
    EXPECT_EQ(dialogs.suggested, QDir(documents).filePath(u("munka.expans")));
    EXPECT_EQ(menu().dialogFolder(), path("munkak"));

    menu().newJob();
    EXPECT_EQ(menu().dialogFolder(), path("munkak"));
    dialogs.chosenFile.clear();
    menu().saveAs();
    EXPECT_EQ(dialogs.suggested, path("munkak/munka.expans"));
    // Remembered for the next start of the program.
    EXPECT_EQ(freshWindow()->menu()->dialogFolder(), path("munkak"));

    ASSERT_TRUE(QDir(path("munkak")).removeRecursively());
    EXPECT_EQ(menu().dialogFolder(), documents);
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
