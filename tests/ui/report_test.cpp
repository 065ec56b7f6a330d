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

#include "io/report.h"
#include "io/report_data.h"
#include "numtext.h"
#include "tagtartaly_fixture.h"
#include "windows/rendszerterfogat.h"

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

// The report's text as pdftotext gives it: laid out as on the page (-layout), in the order it
// was drawn (-raw), or as words with their boxes in points (-bbox).
QString pdfText(const QString& pdf, const char* mode = "-layout") {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QString::fromLatin1(mode), QStringLiteral("-enc"),
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

class ReportFixture : public MainWindowTest {
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

    // Writes the report of the windows as they stand into `dir`.
    QString writePdf(const QTemporaryDir& dir, const char* name, const char* jobFile = "") {
        const QString pdf = dir.filePath(u("jelentés %1.pdf").arg(u(name)));
        QString error;
        EXPECT_TRUE(expans::ui::writeReportPdf(pdf, window->reportSource(), u(jobFile), &error))
            << error.toStdString();
        // EXPANS_REPORT_KEEP=<folder> keeps each report for looking at.
        const QString keep = qEnvironmentVariable("EXPANS_REPORT_KEEP");
        if (!keep.isEmpty()) {
            QFile::remove(keep + u("/%1.pdf").arg(u(name)));
            QFile::copy(pdf, keep + u("/%1.pdf").arg(u(name)));
        }
        return pdf;
    }
};

class ReportTest : public ReportFixture, public ::testing::WithParamInterface<ReportCase> {
protected:
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
    const QString pdf = writePdf(dir, c.name, c.jobFile);
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
    expectLine(u("Napkollektorok összesen"), named<QLabel>(*volume, "Label9")->text());
    expectLine(u("Csővezeték rendszer összesen"), named<QLabel>(*volume, "Label10")->text());
    expectLine(u("Hőcserélők összesen"), named<QLabel>(*volume, "Label13")->text());
    expectLine(u("Egyéb szerelvények"), named<QLabel>(*volume, "Label16")->text());
    expectLine(u("A rendszer térfogata"), named<QLabel>(*volume, "Label14")->text());
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

// The report's record, row by row, for the start-up job and for a job without evaporation whose
// collector slider stands where the valve blows, the cold temperature between two tens.
using Cells = std::vector<std::string>;

struct RecordCase {
    const char* name;
    void (*change)(expans::Job&);
    std::vector<Cells> inputs;
    std::vector<Cells> results;
    std::vector<Cells> operating;
    Cells total;  // the circuit's last row
    std::size_t tableRows;
    Cells firstRow;
    Cells markedRow;  // the row at the collector slider's position
};

Cells cellsOf(const expans::ui::Row& row) {
    Cells out;
    for (const QString& cell : row.cells) out.push_back(cell.toStdString());
    return out;
}

std::vector<Cells> cellsOf(const std::vector<expans::ui::Row>& rows) {
    std::vector<Cells> out;
    for (const expans::ui::Row& row : rows) out.push_back(cellsOf(row));
    return out;
}

class ReportRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ReportRecord, RowsAreTheWindowsFigures) {
    const RecordCase& c = GetParam();
    MessageRecorder recorder;
    expans::ui::Tagtartaly window;
    window.Form_Load();
    expans::Job job = window.job();
    c.change(job);
    window.applyJob(job);
    const expans::ui::ReportData data =
        expans::ui::reportData(window.reportSource(), u("/munkák/Családi ház.expans"));

    EXPECT_EQ(data.jobName, u("Családi ház.expans"));
    EXPECT_EQ(cellsOf(data.inputs), c.inputs);
    EXPECT_EQ(cellsOf(data.results), c.results);
    EXPECT_EQ(cellsOf(data.operating), c.operating);
    ASSERT_FALSE(data.circuit.empty());
    EXPECT_EQ(cellsOf(data.circuit.back()), c.total);
    EXPECT_EQ(data.circuit.back().style, expans::ui::RowStyle::Total);
    ASSERT_EQ(data.table.size(), c.tableRows);
    EXPECT_EQ(cellsOf(data.table.front()), c.firstRow);
    std::vector<Cells> marked;
    for (const expans::ui::Row& row : data.table) {
        if (row.style == expans::ui::RowStyle::Marked) marked.push_back(cellsOf(row));
    }
    EXPECT_EQ(marked, std::vector<Cells>{c.markedRow});
    EXPECT_TRUE(recorder.messages().isEmpty()) << recorder.messages().join(u("; ")).toStdString();
}

const std::vector<Cells> kStartInputs = {
    {"A napkollektoros rendszer teljes térfogata", "18,3", "liter"},
    {"A napkollektor köri hőátadó folyadék típusa", "Propilén-glikol 40%", ""},
    {"Levegő oldali előnyomás", "3,5", "bar (túlnyomás)"},
    {"Feltöltési (hideg) nyomás", "4,0", "bar (túlnyomás)"},
    {"Maximális rendszernyomás", "6,0", "bar (túlnyomás)"},
    {"Hideg (feltöltési) hőmérséklet", "20", "°C"},
    {"A tartáy méretezésnél figyelembe vett maximális, átlagos hőmérséklet", "140", "°C"},
    {"Kollektorokban való gőzképződés figyelembevétele", "igen", ""},
    {"Napkollektorok térfogata (gőzképződés térfogata)", "4,71", "liter"},
    {"A napkollektorok és a tágulási tartály közötti szintkülönbség", "7", "m"},
};

const RecordCase kStartUpRecord{
    "StartUp",
    [](expans::Job&) {},
    kStartInputs,
    {{"Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén", "6,46", "liter"},
     {"Térfogat melegen", "24,76", "liter"},
     {"Tágulási tartály minimális mérete", "25,15", "liter"},
     {"Fagyálló folyadék koncentrátum szükséglet", "8,32", "liter"},
     {"Választott tágulási tartály", "25 liter", ""},
     {"A választott tartály folyadéktartaléka feltöltési nyomáson", "2,5", "liter"}},
    {{"Átlagos folyadékhőmérséklet", "60°C"},
     {"Kollektorhőmérséklet", "70°C"},
     {"Rendszernyomás", "4,11 bar"},
     {"Gáztérfogat a tartályban", "22,01 liter"},
     {"Forráspont a kollektoroknál", "175,36°C"},
     {"Gőzképződés", "nincs"},
     {"Biztonsági szelep", "zárva"}},
    {"A rendszer térfogata (liter)", "", "", "", "18,3"},
    19,
    {"20°C", "4,07", "22,16", "175,14°C", "–", "nem"},
    {"70°C", "4,11", "22,01", "175,36°C", "–", "nem"}};

const RecordCase kValveBlowsRecord{
    "NoEvaporationValveBlows",
    [](expans::Job& job) {
        job.evaporation = false;
        job.field(expans::MainField::Text5) = "15";
        job.vesselIndex = 2;
        job.meanTemperature = 40;
        job.collectorTemperature = 190;
    },
    {kStartInputs[0],
     kStartInputs[1],
     kStartInputs[2],
     kStartInputs[3],
     kStartInputs[4],
     {"Hideg (feltöltési) hőmérséklet", "15", "°C"},
     kStartInputs[6],
     {"Kollektorokban való gőzképződés figyelembevétele", "nem", ""}},
    {{"Térfogat változás Tmeleg-re melegedés esetén", "1,8", "liter"},
     {"Térfogat melegen", "20,1", "liter"},
     {"Tágulási tartály minimális mérete", "7,02", "liter"},
     {"Fagyálló folyadék koncentrátum szükséglet", "8,04", "liter"},
     {"Választott tágulási tartály", "18 liter", ""},
     {"A választott tartály folyadéktartaléka feltöltési nyomáson", "1,8", "liter"}},
    {{"Átlagos folyadékhőmérséklet", "40°C"},
     {"Rendszernyomás", "6 bar"},
     {"Gáztérfogat a tartályban", "11,57 liter"},
     {"Gőzképződés", "94 %"},
     {"Biztonsági szelep", "lefúj"}},
    {"A rendszer térfogata (liter)", "", "", "", "18,3"},
    20,
    {"15°C", "4,05", "16,01", "174,97°C", "–", "nem"},
    {"190°C", "6", "11,57", "182,72°C", "94 %", "igen"}};

INSTANTIATE_TEST_SUITE_P(Report, ReportRecord, ::testing::Values(kStartUpRecord, kValveBlowsRecord),
                         [](const auto& info) { return std::string(info.param.name); });

// The captions the report prints are the main window's, as it shows them.
TEST_F(MainWindowTest, ReportCaptionsAreTheWindows) {
    for (const expans::ui::Caption& caption : expans::ui::mainWindowCaptions()) {
        EXPECT_EQ(text(caption.control), u(caption.text)) << caption.control;
        if (caption.withoutEvaporation) {
            click("Check1");
            EXPECT_EQ(text(caption.control), u(caption.withoutEvaporation)) << caption.control;
            click("Check1");
        }
    }
}

// Every word of the report lies within the page's 18 mm margins (1 pt of slack).
void expectWithinMargins(const QString& pdf) {
    const QString boxes = pdfText(pdf, "-bbox");
    static const QRegularExpression page(u("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    static const QRegularExpression word(
        u("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
          "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QRegularExpressionMatch size = page.match(boxes);
    ASSERT_TRUE(size.hasMatch());
    const double margin = 18 / 25.4 * 72 - 1;
    const double right = size.captured(1).toDouble() - margin;
    const double bottom = size.captured(2).toDouble() - margin;
    int words = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
        const QRegularExpressionMatch w = it.next();
        EXPECT_TRUE(w.captured(1).toDouble() >= margin && w.captured(2).toDouble() >= margin &&
                    w.captured(3).toDouble() <= right && w.captured(4).toDouble() <= bottom)
            << "off the page: " << w.captured(5).toStdString() << " at "
            << w.captured(1).toStdString() << "," << w.captured(2).toStdString() << "–"
            << w.captured(3).toStdString() << "," << w.captured(4).toStdString();
    }
    EXPECT_GT(words, 100);
}

// Figures as long as the windows accept: a figure wraps within its cell, so every caption and
// unit stays whole beside it, the figure is on the page in full, nothing is cut short with "…"
// and nothing runs off the page.
class LongFigureReport : public ReportFixture, public ::testing::WithParamInterface<int> {};

TEST_P(LongFigureReport, KeepsCaptionsUnitsAndWholeFigures) {
    const int length = GetParam();
    const auto figure = [length](const char* tail) {
        return QString(length - static_cast<int>(qstrlen(tail)), QLatin1Char('0')) + u(tail);
    };
    const QString pipeLength = figure("20");
    const QString fittings = figure("1");
    const QString systemVolume = figure("18,3");
    const QString prePressure = figure("3,5");
    const QString cold = figure("20");
    click("Command2");
    auto* volume = window->volumeWindow();
    for (const auto& [name, value] : {std::pair{"Text3", pipeLength}, {"Text12", fittings}}) {
        auto* box = volume->findChild<QLineEdit*>(QString::fromLatin1(name));
        box->selectAll();
        box->insert(value);
    }
    volume->Command2_Click();
    settle();
    for (const auto& [name, value] :
         {std::pair{"Text1", systemVolume}, {"Text2", prePressure}, {"Text5", cold}}) {
        // Pasted whole: a thousand keys would check the field a thousand times.
        auto* box = control<QLineEdit>(name);
        box->setFocus(Qt::MouseFocusReason);
        settle();
        box->selectAll();
        box->insert(value);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
    }
    click("Command1");
    ASSERT_TRUE(recorder->messages().isEmpty()) << recorder->messages().join(u("; ")).toStdString();

    QTemporaryDir dir;
    const QString pdf = writePdf(dir, qPrintable(u("LongFigures%1").arg(length)));
    const QString laidOut = pdfText(pdf);
    EXPECT_FALSE(laidOut.contains(QChar(0x2026))) << "something was cut short";
    const QStringList lines = laidOut.split(QLatin1Char('\n'));
    for (const auto& [caption, unit] : std::vector<std::pair<const char*, const char*>>{
             {"A napkollektoros rendszer teljes térfogata", "liter"},
             {"Levegő oldali előnyomás", "bar (túlnyomás)"},
             {"Feltöltési (hideg) nyomás", "bar (túlnyomás)"},
             {"Maximális rendszernyomás", "bar (túlnyomás)"},
             {"Hideg (feltöltési) hőmérséklet", "°C"},
             {"A tartáy méretezésnél figyelembe vett maximális, átlagos hőmérséklet", "°C"},
             {"Napkollektorok térfogata (gőzképződés térfogata)", "liter"},
             {"A napkollektorok és a tágulási tartály közötti szintkülönbség", "m"},
             {"Cső, 1. szakasz", "18 x 1"},
             {"Napkollektor, 1. sor", "Solvendra SV 300"},
             {"Tágulási tartály minimális mérete", "liter"}}) {
        expectLine(lines, u(caption), u(unit));
    }
    // Drawn line after line, a wrapped figure reads whole in the order the page was drawn.
    QString drawn = pdfText(pdf, "-raw");
    drawn.remove(QRegularExpression(u("\\s")));
    for (const QString& value :
         {systemVolume, prePressure, cold, pipeLength + u("m"), fittings + u("liter")}) {
        EXPECT_TRUE(drawn.contains(value)) << "not whole: " << value.toStdString();
    }
    expectWithinMargins(pdf);
}

INSTANTIATE_TEST_SUITE_P(Report, LongFigureReport, ::testing::Values(30, 125, 1005),
                         [](const auto& info) {
                             return std::to_string(info.param) + "Characters";
                         });

// A page of the report, read line by line (-layout) and told apart by what each line is.
enum class Line { Title, Header, Note, Footer, Row };

Line kindOf(const QString& line) {
    static const QRegularExpression title(u("^\\s*\\d\\. \\S"));
    static const QRegularExpression header(
        u("^\\s*(Megnevezés\\s+Érték\\s+Mértékegység|Elem\\s+Típus\\s+Fajlagos|"
          "Kollektor\\s+Rendszernyomás)"));
    static const QRegularExpression note(u("^\\s*(Figyelem:|Átlagos folyadékhőmérséklet:)"));
    if (line.contains(u(". oldal / "))) return Line::Footer;
    if (title.match(line).hasMatch()) return Line::Title;
    if (header.match(line).hasMatch()) return Line::Header;
    if (note.match(line).hasMatch()) return Line::Note;
    return Line::Row;
}

// How a report's tables meet the page breaks: every part of a table (its header and the rows
// under it up to the next title, header or the page's end) holds at least two rows, a title never
// ends a page, and a table's closing note never starts one.
void expectWholeTableParts(const QString& pdf, const std::string& job) {
    const QStringList pages = pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        std::vector<Line> kinds;
        for (const QString& line : pages[p].split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty()) kinds.push_back(kindOf(line));
        }
        if (kinds.empty()) continue;
        const std::string where = job + ", page " + std::to_string(p + 1);
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            if (kinds[i] != Line::Header) continue;
            std::size_t rows = 0;
            while (i + 1 + rows < kinds.size() && kinds[i + 1 + rows] == Line::Row) ++rows;
            EXPECT_GE(rows, 2u) << where << ": a table part with " << rows << " row(s)";
        }
        std::size_t last = kinds.size() - 1;
        while (last > 0 && kinds[last] == Line::Footer) --last;
        EXPECT_NE(kinds[last], Line::Title) << where << ": ends with a title";
        if (p > 0) {
            EXPECT_NE(kinds.front(), Line::Note) << where << ": starts with a table's note";
        }
    }
}

// Generated jobs over what moves the page break: the evaporation option (two more inputs), each
// switchable row of the circuit (one more row each) and the warning under the results.
TEST_F(ReportFixture, TablesBreakWhole) {
    const char* const optionalRows[] = {"Combo5", "Combo7", "Combo8", "Combo9", "Combo2", "Combo3"};
    auto* volume = window->volumeWindow();
    QTemporaryDir dir;
    for (const bool evaporation : {true, false}) {
        if (control<QCheckBox>("Check1")->isChecked() != evaporation) click("Check1");
        for (int rowsOn = 0; rowsOn <= 6; ++rowsOn) {
            click("Command2");
            for (int i = 0; i < 6; ++i) {
                auto* list = volume->findChild<QComboBox*>(QString::fromLatin1(optionalRows[i]));
                const int index = i < rowsOn ? 1 : 0;
                if (list->currentIndex() != index) list->setCurrentIndex(index);
            }
            volume->Command2_Click();
            settle();
            // The 25 liter vessel is below the start-up minimum (a warning), the 50 liter above.
            for (const char* size : {"25 liter", "50 liter"}) {
                auto* list = control<QComboBox>("Tagtartaly");
                const int vessel = list->findText(u(size));
                ASSERT_GE(vessel, 0) << size;
                list->setCurrentIndex(vessel);
                emit list->activated(vessel);
                settle();
                const std::string job = (evaporation ? "evaporation, " : "no evaporation, ") +
                                        std::to_string(rowsOn) + " more rows, vessel " +
                                        list->currentText().toStdString();
                expectWholeTableParts(writePdf(dir, qPrintable(QString::fromStdString(job))), job);
            }
        }
    }
    EXPECT_TRUE(recorder->messages().isEmpty()) << recorder->messages().join(u("; ")).toStdString();
}

// A report that cannot be written says so in Hungarian and leaves nothing behind.
TEST_F(MainWindowTest, ReportToUnwritablePlace) {
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(u("nincs/jelentés.pdf"));
    const QString folder = dir.path();
    for (const QString& path : {missingFolder, folder}) {
        QString error;
        EXPECT_FALSE(expans::ui::writeReportPdf(path, window->reportSource(), {}, &error))
            << path.toStdString();
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
    ASSERT_TRUE(expans::ui::writeReportPdf(pdf, window.reportSource(), {}, &error))
        << error.toStdString();
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
