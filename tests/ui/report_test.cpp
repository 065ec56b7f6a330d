// The sizing report read back from the PDF (pdftotext): every figure must be the one the windows
// show, and every row of the operating-state table what the slider panel shows when it is moved
// to that collector temperature.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "numtext.h"
#include "rendszerterfogat.h"
#include "report.h"
#include "tagtartaly_fixture.h"

namespace {

struct Step {
    enum Kind { Type, Click, Pick, Slide, VolumePick, VolumePaste, VolumeReturn } kind;
    const char* control = "";
    const char* text = "";
    int value = 0;
};

struct ReportCase {
    const char* name;
    std::vector<Step> steps;
    const char* jobFile;
    const char* shownJobName;
    int firstRow;  // °C; the table's rows are it and the tens above it up to 200
    int rows;
};

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed (poppler-utils missing?): "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString token(const QString& value) {
    return QStringLiteral("(^|\\s)") + QRegularExpression::escape(value) +
           QStringLiteral("(\\s|$)");
}

// Some line holds the caption and, as a whole word, the value.
void expectLine(const QStringList& lines, const QString& caption, const QString& value) {
    const QRegularExpression valuePattern(token(value));
    for (const QString& line : lines) {
        if (line.contains(caption) && valuePattern.match(line).hasMatch()) return;
    }
    ADD_FAILURE() << "no line with \"" << caption.toStdString() << "\" and \""
                  << value.toStdString() << "\"";
}

class ReportTest : public MainWindowTest, public ::testing::WithParamInterface<ReportCase> {
protected:
    void run(const Step& step) {
        auto* volume = window->volumeWindow();
        switch (step.kind) {
            case Step::Type:
                typeAndTab(step.control, u(step.text));
                break;
            case Step::Click:
                click(step.control);
                break;
            case Step::Pick: {
                auto* list = control<QComboBox>(step.control);
                list->setCurrentIndex(step.value);
                emit list->activated(step.value);
                settle();
                break;
            }
            case Step::Slide:
                control<QScrollBar>(step.control)->setValue(step.value);
                settle();
                break;
            case Step::VolumePick: {
                auto* list = volume->findChild<QComboBox*>(QString::fromLatin1(step.control));
                list->setCurrentIndex(step.value);
                emit list->activated(step.value);
                break;
            }
            case Step::VolumePaste: {
                auto* box = volume->findChild<QLineEdit*>(QString::fromLatin1(step.control));
                box->selectAll();
                box->insert(u(step.text));
                break;
            }
            case Step::VolumeReturn:
                volume->Command2_Click();
                settle();
                break;
        }
    }

    void expectLine(const QString& caption, const QString& value) const {
        ::expectLine(lines, caption, value);
    }

    QStringList lines;
};

TEST_P(ReportTest, FiguresEqualTheWindows) {
    const ReportCase& c = GetParam();
    for (const Step& step : c.steps) run(step);
    ASSERT_TRUE(recorder->messages().isEmpty()) << recorder->messages().join(u("; ")).toStdString();

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("jelentés.pdf"));
    QString error;
    ASSERT_TRUE(expans::ui::writeReportPdf(pdf, *window, u(c.jobFile), &error))
        << error.toStdString();
    // EXPANS_REPORT_KEEP=<folder> keeps each report for looking at.
    const QString keep = qEnvironmentVariable("EXPANS_REPORT_KEEP");
    if (!keep.isEmpty()) {
        QFile::remove(keep + u("/%1.pdf").arg(u(c.name)));
        QFile::copy(pdf, keep + u("/%1.pdf").arg(u(c.name)));
    }
    lines = pdfText(pdf).split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 20);

    expectLine(u("Projektfájl:"), u(c.shownJobName));
    expectLine(u("Programverzió:"), u("1.00"));

    // Inputs as typed, results as shown.
    const bool evaporation = control<QCheckBox>("Check1")->isChecked();
    const std::vector<std::pair<const char*, const char*>> fields = {
        {"teljes térfogata", "Text1"},
        {"folyadék típusa", "Combo1"},
        {"Levegő oldali előnyomás", "Text2"},
        {"Feltöltési (hideg) nyomás", "Text4"},
        {"Maximális rendszernyomás", "Text3"},
        {"Hideg (feltöltési) hőmérséklet", "Text5"},
        {"átlagos hőmérséklet", "Text6"},
        {"Térfogat változás", "Label29"},
        {"Térfogat melegen", "Label28"},
        {"minimális mérete", "Label27"},
        {"koncentrátum szükséglet", "Label16"},
        {"Választott tágulási tartály", "Tagtartaly"},
        {"Átlagos folyadékhőmérséklet", "Label11"},
        {"Rendszernyomás", "Text10"},
    };
    for (const auto& [caption, name] : fields) expectLine(u(caption), text(name));
    expectLine(u("gőzképződés figyelembevétele"), evaporation ? u("igen") : u("nem"));
    expectLine(u("Biztonsági szelep"), control("Picture5")->isHidden() ? u("lefúj") : u("zárva"));
    expectLine(u("Gőzképződés"), control("Label40")->isHidden() ? u("nincs") : text("Label40"));
    if (evaporation) {
        expectLine(u("Napkollektorok térfogata"), text("Text11"));
        expectLine(u("szintkülönbség"), text("Text7"));
        expectLine(u("Kollektorhőmérséklet"), text("Label34"));
        expectLine(u("Forráspont a kollektoroknál"), text("Label26"));
    }

    // The circuit: every subtotal and the total as the volume window shows them.
    auto* volume = window->volumeWindow();
    expectLine(u("Napkollektorok összesen"), volume->Label9->text());
    expectLine(u("Csővezeték rendszer összesen"), volume->Label10->text());
    expectLine(u("Hőcserélők összesen"), volume->Label13->text());
    expectLine(u("Egyéb szerelvények"), volume->Label16->text());
    expectLine(u("A rendszer térfogata"), volume->Label14->text());
    expectLine(u("Napkollektor, 1. sor"), volume->boxText(expans::VolumeBox::Text2) + u(" db"));

    // The table, row by row against the panel moved to each temperature.
    const QRegularExpression rowShape(
        u("^\\s*-?\\d+°C\\s+\\S+\\s+\\S+\\s+\\S+°C\\s+(–|\\d+ %)\\s+(igen|nem)\\s*$"));
    int rows = 0;
    for (const QString& line : lines) rows += rowShape.match(line).hasMatch() ? 1 : 0;
    EXPECT_EQ(rows, c.rows);
    if (c.rows == 0) expectLine(u("200 °C fölött"), u("nincs"));

    auto* slider = control<QScrollBar>("HScroll2");
    auto* label40 = control<QLabel>("Label40");
    for (int i = 0; i < c.rows; ++i) {
        const int t = i == 0 ? c.firstRow : (c.firstRow / 10 + i) * 10;
        slider->setValue(t);
        settle();
        const QString vapour = label40->isHidden() ? u("–") : label40->text();
        const QString valve = control("Picture5")->isHidden() ? u("igen") : u("nem");
        const QString gas =
            QString::fromStdString(expans::resultText(window->state().GasVolume, ','));
        QString pattern = u("^\\s*");
        for (const QString& cell :
             {text("Label34"), text("Text10"), gas, text("Label26"), vapour, valve}) {
            pattern += QRegularExpression::escape(cell) + u("\\s+");
        }
        pattern.chop(3);
        pattern += u("\\s*$");
        const QRegularExpression row(pattern);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&row](const QString& line) { return row.match(line).hasMatch(); }))
            << "no table row " << pattern.toStdString();
    }
    EXPECT_TRUE(recorder->messages().isEmpty());
}

const ReportCase kChangedJob{"ChangedJob",
                             {{Step::Click, "Command2"},
                              {Step::VolumePick, "Combo5", "", 2},
                              {Step::VolumePaste, "Text14", "2"},
                              {Step::VolumePick, "Combo7", "", 2},
                              {Step::VolumePaste, "Text4", "10"},
                              {Step::VolumePick, "Combo2", "", 3},
                              {Step::VolumeReturn},
                              {Step::Type, "Text2", "3,2"},
                              {Step::Pick, "Tagtartaly", "", 6},
                              {Step::Slide, "HScroll1", "", 90}},
                             "/home/tervező/Családi ház.expans",
                             "Családi ház.expans",
                             20,
                             19};

// The collector slider at 190 °C, where the valve blows: the picture shows the blowing valve.
const ReportCase kNoEvaporation{"NoEvaporationColdBetweenTens",
                                {{Step::Click, "Check1"},
                                 {Step::Type, "Text5", "15"},
                                 {Step::Pick, "Tagtartaly", "", 2},
                                 {Step::Slide, "HScroll1", "", 40},
                                 {Step::Slide, "HScroll2", "", 190}},
                                "",
                                "(nincs mentve)",
                                15,
                                20};

const ReportCase kColdAbove200{"ColdAbove200",
                               {{Step::Type, "Text6", "250"}, {Step::Type, "Text5", "205"}},
                               "",
                               "(nincs mentve)",
                               0,
                               0};

INSTANTIATE_TEST_SUITE_P(Report, ReportTest,
                         ::testing::Values(kChangedJob, kNoEvaporation, kColdAbove200),
                         [](const auto& info) { return std::string(info.param.name); });

// A report that cannot be written says so in Hungarian and leaves nothing behind.
TEST_F(MainWindowTest, ReportToUnwritablePlace) {
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(u("nincs/jelentés.pdf"));
    const QString folder = dir.path();
    for (const QString& path : {missingFolder, folder}) {
        QString error;
        EXPECT_FALSE(expans::ui::writeReportPdf(path, *window, {}, &error)) << path.toStdString();
        EXPECT_TRUE(error.startsWith(u("A jelentést nem sikerült menteni"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path)));
    }
    EXPECT_FALSE(QFileInfo::exists(missingFolder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// The headless export: the window is loaded but never shown. Start-up figures as the windows
// compute them.
TEST(Report, FromAWindowNeverShown) {
    MessageRecorder recorder;
    expans::ui::Tagtartaly window;
    window.Form_Load();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("start.pdf"));
    QString error;
    ASSERT_TRUE(expans::ui::writeReportPdf(pdf, window, {}, &error)) << error.toStdString();
    const QStringList lines = pdfText(pdf).split(QLatin1Char('\n'));
    for (const auto& [caption, value] :
         std::vector<std::pair<const char*, const char*>>{{"Projektfájl:", "(nincs mentve)"},
                                                          {"teljes térfogata", "18,3"},
                                                          {"Térfogat változás", "6,46"},
                                                          {"Térfogat melegen", "24,76"},
                                                          {"minimális mérete", "25,15"},
                                                          {"koncentrátum", "8,32"},
                                                          {"Rendszernyomás", "4,11"},
                                                          {"Forráspont a kollektor", "175,36°C"},
                                                          {"A rendszer térfogata", "18,3"}}) {
        expectLine(lines, u(caption), u(value));
    }
    EXPECT_TRUE(recorder.messages().isEmpty());
}

}  // namespace
