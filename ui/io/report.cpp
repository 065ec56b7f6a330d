#include "io/report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "io/savefile.h"
#include "numtext.h"
#include "opstate.h"
#include "panel.h"
#include "widgets/panelwidgets.h"
#include "widgets/style.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

namespace expans::ui {

namespace {

// The collector-temperature slider's range: the table shows only what the panel can show.
constexpr int kCollectorSliderMin = -25;
constexpr int kTableLast = 200;  // °C
constexpr int kTableStep = 10;   // °C

const QColor kInk(0x1A, 0x1A, 0x1A);
const QColor kAccent(0x80, 0x00, 0x00);  // the web-address line's dark red
const QColor kRule(0xB4, 0xB4, 0xB4);
const QColor kHeaderFill(0xE9, 0xEB, 0xEE);
const QColor kStripeFill(0xF6, 0xF7, 0xF8);
const QColor kMarkFill(0xFF, 0xF4, 0xC2);  // the row at the slider's own position
const QColor kMuted(0x5A, 0x5A, 0x5A);

// ---------------------------------------------------------------------------------------------
// What the report says, read from the windows before anything is drawn.

enum class RowStyle { Plain, Subtotal, Total, Marked };

struct Row {
    QStringList cells;
    RowStyle style = RowStyle::Plain;
};

// The slider panel's moving parts, in twips, as its widgets hold them.
struct PanelView {
    Segment needle;
    BarGeometry gas;
    bool valveBlows = false;
    QString pressure;
};

struct ReportData {
    QString version;
    QString date;
    QString jobName;
    std::vector<Row> inputs;
    std::vector<Row> circuit;
    std::vector<Row> results;
    QString resultsNote;
    PanelView panel;
    std::vector<Row> operating;
    QString tableIntro;
    std::vector<Row> table;
    QString tableNote;
};

template <typename W>
W* find(const QWidget& window, const char* name) {
    return window.findChild<W*>(QString::fromLatin1(name));
}

// The text a control shows: a box's text, a label's caption or a list's chosen entry.
QString shownText(const QWidget& window, const char* name) {
    if (auto* box = find<QLineEdit>(window, name)) return box->text();
    if (auto* label = find<QLabel>(window, name)) return label->text();
    if (auto* list = find<QComboBox>(window, name)) return list->currentText();
    return {};
}

bool hidden(const QWidget& window, const char* name) {
    const QWidget* widget = find<QWidget>(window, name);
    return !widget || widget->isHidden();
}

// A window caption without its trailing unit and colon: "Feltöltési (hideg) nyomás [bar]:"
// gives "Feltöltési (hideg) nyomás".
QString captionOf(const QWidget& window, const char* name) {
    QString caption = shownText(window, name).simplified();
    static const QRegularExpression tail(QStringLiteral("[\\s,]*(\\[[^\\]]*\\])?[\\s,:]*$"));
    caption.remove(tail);
    return caption;
}

void collectInputs(const Tagtartaly& window, ReportData& data) {
    const bool evaporation = find<QCheckBox>(window, "Check1")->isChecked();
    // Pressures are shown as typed: gauge pressure.
    const QString gauge = QStringLiteral("bar (túlnyomás)");
    const auto input = [&](const char* caption, const char* field, const QString& unit) {
        data.inputs.push_back({{captionOf(window, caption), shownText(window, field), unit}});
    };
    input("Label1", "Text1", QStringLiteral("liter"));
    input("Label23", "Combo1", {});
    input("Label2", "Text2", gauge);
    input("Label4", "Text4", gauge);
    input("Label3", "Text3", gauge);
    input("Label5", "Text5", QStringLiteral("°C"));
    input("Label6", "Text6", QStringLiteral("°C"));
    data.inputs.push_back({{captionOf(window, "Label13"),
                            evaporation ? QStringLiteral("igen") : QStringLiteral("nem"),
                            {}}});
    // Without the option the sizing reads neither box.
    if (evaporation) {
        input("Label17", "Text11", QStringLiteral("liter"));
        input("Label36", "Text7", QStringLiteral("m"));
    }
}

// One row of the volume window: its list, the per-unit figure's box and the amount's box.
struct CircuitRow {
    QString element;
    VolumeList list;
    VolumeBox unitBox;
    QString unit;
    std::optional<VolumeBox> amountBox;
    QString amountUnit;
    std::optional<Currency> volume;  // empty when the product leaves the stored range
};

void collectCircuit(const Rendszerterfogat& volume, ReportData& data) {
    const char sep = decimalSeparator();
    const VolumeState& s = volume.state();
    const QString perPiece = QStringLiteral("liter/db");
    const QString perMetre = QStringLiteral("liter/m");
    const QString litre = QStringLiteral("liter");
    using B = VolumeBox;
    using L = VolumeList;
    const auto row = [&](const QString& element, L list, B unitBox, const QString& unit,
                         std::optional<B> amountBox, const QString& amountUnit, Currency a,
                         Currency b = Currency::fromInt(1)) {
        // The same product the summation forms; the last successful sum held it, so it fits.
        std::optional<Currency> sum;
        try {
            sum = a * b;
        } catch (const ArithmeticFault&) {
        }
        return CircuitRow{element, list, unitBox, unit, amountBox, amountUnit, sum};
    };
    const auto group = [&](std::initializer_list<CircuitRow> rows, const QString& subtotalCaption,
                           const QLabel* subtotal) {
        for (const CircuitRow& r : rows) {
            const int index = volume.selectedIndex(r.list);
            const std::vector<std::string> entries = listEntries(r.list);
            const bool hasNone = !entries.empty() && entries.front() == kNoneEntry;
            if (index < 0 || (hasNone && index == 0)) continue;  // row switched off
            const QString type = index < static_cast<int>(entries.size())
                                     ? qs(entries[static_cast<std::size_t>(index)])
                                     : QString();
            const QString amount =
                r.amountBox ? volume.boxText(*r.amountBox) + QLatin1Char(' ') + r.amountUnit
                            : QStringLiteral("–");
            data.circuit.push_back(
                {{r.element, type, volume.boxText(r.unitBox) + QLatin1Char(' ') + r.unit, amount,
                  r.volume ? qs(currencyText(*r.volume, sep)) : QStringLiteral("–")}});
        }
        data.circuit.push_back(
            {{subtotalCaption, {}, {}, {}, subtotal->text()}, RowStyle::Subtotal});
    };

    group({row(QStringLiteral("Napkollektor, 1. sor"), L::Combo4, B::Text1, perPiece, B::Text2,
               QStringLiteral("db"), s.CollectorUnitVolume1, s.CollectorCount1),
           row(QStringLiteral("Napkollektor, 2. sor"), L::Combo5, B::Text13, perPiece, B::Text14,
               QStringLiteral("db"), s.CollectorUnitVolume2, s.CollectorCount2)},
          QStringLiteral("Napkollektorok összesen"), find<QLabel>(volume, "Label9"));
    group({row(QStringLiteral("Cső, 1. szakasz"), L::Combo6, B::Text15, perMetre, B::Text3,
               QStringLiteral("m"), s.PipeLitresPerMetre1, s.PipeLength1),
           row(QStringLiteral("Cső, 2. szakasz"), L::Combo7, B::Text16, perMetre, B::Text4,
               QStringLiteral("m"), s.PipeLitresPerMetre2, s.PipeLength2),
           row(QStringLiteral("Cső, 3. szakasz"), L::Combo8, B::Text17, perMetre, B::Text5,
               QStringLiteral("m"), s.PipeLitresPerMetre3, s.PipeLength3),
           row(QStringLiteral("Cső, 4. szakasz"), L::Combo9, B::Text18, perMetre, B::Text6,
               QStringLiteral("m"), s.PipeLitresPerMetre4, s.PipeLength4)},
          QStringLiteral("Csővezeték rendszer összesen"), find<QLabel>(volume, "Label10"));
    group({row(QStringLiteral("Hőcserélő 1."), L::Combo1, B::Text8, litre, std::nullopt, {},
               s.ExchangerVolume1),
           row(QStringLiteral("Hőcserélő 2."), L::Combo2, B::Text9, litre, std::nullopt, {},
               s.ExchangerVolume2),
           row(QStringLiteral("Hőcserélő 3."), L::Combo3, B::Text10, litre, std::nullopt, {},
               s.ExchangerVolume3)},
          QStringLiteral("Hőcserélők összesen"), find<QLabel>(volume, "Label13"));
    data.circuit.push_back({{QStringLiteral("Egyéb szerelvények"),
                             {},
                             volume.boxText(B::Text12) + QLatin1Char(' ') + litre,
                             QStringLiteral("–"),
                             shownText(volume, "Label16")},
                            RowStyle::Subtotal});
    data.circuit.push_back(
        {{shownText(volume, "Label12"), {}, {}, {}, shownText(volume, "Label14")},
         RowStyle::Total});
}

void collectResults(const Tagtartaly& window, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = window.state();
    const QString litre = QStringLiteral("liter");
    data.results = {
        {{captionOf(window, "Label7"), shownText(window, "Label29"), litre}},
        {{captionOf(window, "Label8"), shownText(window, "Label28"), litre}},
        {{captionOf(window, "Label9"), shownText(window, "Label27"), litre}, RowStyle::Subtotal},
        {{captionOf(window, "Label24"), shownText(window, "Label16"), litre}},
        {{captionOf(window, "Label10"), shownText(window, "Tagtartaly"), {}}, RowStyle::Subtotal},
        {{QStringLiteral("A választott tartály folyadéktartaléka feltöltési nyomáson"),
          qs(resultText(s.VesselWaterReserve, sep)), litre}},
    };
    if (Currency::fromInt(s.SelectedVesselVolume) < s.MinVesselVolume) {
        data.resultsNote =
            QStringLiteral("Figyelem: a választott tartály kisebb a számított minimális méretnél.");
    }
}

void collectOperatingState(const Tagtartaly& window, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = window.state();

    PanelView& panel = data.panel;
    if (const auto* line = find<TwipLine>(window, "Line4")) {
        panel.needle = {line->x1(), line->y1(), line->x2(), line->y2()};
    }
    if (const auto* bar = find<RoundedBar>(window, "Shape2")) {
        panel.gas = {bar->heightTwips(), bar->topTwips()};
    }
    panel.valveBlows = hidden(window, "Picture5");
    panel.pressure = shownText(window, "Text10");

    const auto line = [&data](const QString& caption, const QString& value) {
        data.operating.push_back({{caption, value}});
    };
    line(QStringLiteral("Átlagos folyadékhőmérséklet"), shownText(window, "Label11"));
    // Without the evaporation option the panel hides the collector temperature and boiling point.
    if (!hidden(window, "Label34")) {
        line(QStringLiteral("Kollektorhőmérséklet"), shownText(window, "Label34"));
    }
    line(QStringLiteral("Rendszernyomás"), panel.pressure + QStringLiteral(" bar"));
    line(QStringLiteral("Gáztérfogat a tartályban"),
         qs(resultText(s.GasVolume, sep)) + QStringLiteral(" liter"));
    if (!hidden(window, "Label26")) {
        line(QStringLiteral("Forráspont a kollektoroknál"), shownText(window, "Label26"));
    }
    line(QStringLiteral("Gőzképződés"),
         hidden(window, "Label40") ? QStringLiteral("nincs") : shownText(window, "Label40"));
    line(QStringLiteral("Biztonsági szelep"),
         panel.valveBlows ? QStringLiteral("lefúj") : QStringLiteral("zárva"));
}

// Each row is the slider panel's own recomputation at that collector temperature: the window's
// stored values, the collector-volume box as it stands, and the slider position.
void collectTable(const Tagtartaly& window, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = window.state();
    const std::string text11 = ss(shownText(window, "Text11"));
    const auto* slider = find<QScrollBar>(window, "HScroll2");
    const int current = slider ? slider->value() : kCollectorSliderMin - 1;

    data.tableIntro = QStringLiteral(
                          "Átlagos folyadékhőmérséklet: %1. Minden sor azt mutatja, amit az "
                          "üzemállapot-panel az adott kollektorhőmérsékletnél.")
                          .arg(qs(degreesText(s.MeanTemperature)));

    // The first row is the cold temperature as the slider takes it (to the nearest degree), then
    // the round tens above it up to 200 °C.
    const double cold = std::nearbyint(s.ColdTemperature.toDouble());
    if (cold > kTableLast) {
        data.tableNote =
            QStringLiteral("A hideg hőmérséklet (%1 °C) 200 °C fölött van: nincs táblázat.")
                .arg(qs(currencyText(s.ColdTemperature, sep)));
        return;
    }
    std::vector<int> temperatures;
    const int first = static_cast<int>(std::max(cold, double{kCollectorSliderMin}));
    temperatures.push_back(first);
    for (int t = (first >= 0 ? first / kTableStep + 1 : first / kTableStep) * kTableStep;
         t <= kTableLast; t += kTableStep) {
        if (t > first) temperatures.push_back(t);
    }

    for (const int t : temperatures) {
        const OperatingOutcome outcome = recompute(s, t, text11, sep);
        const RowStyle style = t == current ? RowStyle::Marked : RowStyle::Plain;
        if (!outcome.ok) {
            data.table.push_back(
                {{qs(outcome.display.label34), QStringLiteral("–"), QStringLiteral("–"),
                  QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–")},
                 style});
            data.tableNote = qs(outcome.message);
            continue;
        }
        const PanelDisplay& d = outcome.display;
        // The panel hides the vapour share while nothing boils.
        const bool vapourShown = d.vapourLabelsVisible.value_or(true);
        data.table.push_back(
            {{qs(d.label34), qs(d.text10), qs(resultText(outcome.state.GasVolume, sep)),
              qs(d.label26), vapourShown ? qs(d.label40) : QStringLiteral("–"),
              outcome.valveBlowsOff ? QStringLiteral("igen") : QStringLiteral("nem")},
             style});
    }
}

ReportData collect(const Tagtartaly& window, const QString& jobFileName) {
    ReportData data;
    data.version = QCoreApplication::applicationVersion();
    if (data.version.isEmpty()) data.version = QStringLiteral("1.00");
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    data.date =
        hungarian.toString(QDateTime::currentDateTime(), QStringLiteral("yyyy. MMMM d. HH:mm"));
    data.jobName = jobFileName.isEmpty() ? QStringLiteral("(nincs mentve)")
                                         : QFileInfo(jobFileName).fileName();
    collectInputs(window, data);
    if (const Rendszerterfogat* volume = window.volumeWindow()) collectCircuit(*volume, data);
    collectResults(window, data);
    collectOperatingState(window, data);
    collectTable(window, data);
    return data;
}

// ---------------------------------------------------------------------------------------------
// Drawing. Positions are kept in device units; every size is given in millimetres or points.

// A column is as wide as its widest cell (Fit) or takes what the others leave (Rest); when no
// column takes the rest, it is shared out evenly. When the cells are too wide for the page the
// figure columns (right-aligned) give way first and their figures wrap within the cell, so the
// captions and units beside them keep their full width.
enum class Width { Fit, Rest };

struct Column {
    Width width;
    Qt::Alignment align;
};

// A table measured for the page: its column widths and the height of each row, a row as high as
// its tallest wrapped cell.
struct TablePlan {
    std::vector<double> widths;
    double headerHeight = 0;
    std::vector<double> rowHeights;
};

class Sheet {
public:
    Sheet(QPagedPaintDevice& device, QPainter* painter, const ReportData& data)
        : m_device(device), m_painter(painter), m_data(data) {
        m_dpi = device.logicalDpiY();
        // The device draws from its printable area; the margins are counted from the paper edge.
        const QPageLayout layout = device.pageLayout();
        const QRectF full = layout.fullRectPoints();
        const QRectF paint = layout.paintRectPoints();
        const double leftInset = (paint.left() - full.left()) * 25.4 / 72;
        const double topInset = (paint.top() - full.top()) * 25.4 / 72;
        const double pageWidth = full.width() * 25.4 / 72;
        const double pageHeight = full.height() * 25.4 / 72;
        m_left = mm(std::max(kMarginMm - leftInset, 0.0));
        m_right = mm(std::max(pageWidth - kMarginMm - leftInset, 0.0));
        m_top = mm(std::max(kMarginMm - topInset, 0.0));
        m_bottom = mm(std::max(pageHeight - kMarginMm - topInset, 0.0)) - mm(kFooterMm);
        m_y = m_top;
    }

    double mm(double value) const { return value * m_dpi / 25.4; }
    int pages() const { return m_page; }
    void setPageCount(int count) { m_pageCount = count; }

    void head();
    void section(const QString& title, double keepMm);
    // A numbered section that is one table: the title, an optional line of introduction, the
    // table and an optional note under it. The title never stays behind alone: it goes to the
    // next page with the table's first rows.
    void tableSection(const QString& title, const QString& intro, const QStringList& header,
                      const std::vector<Column>& columns, const std::vector<Row>& rows,
                      const QString& closingNote);
    void note(const QString& text, bool warning = false);
    void operatingState();
    void newPage();
    void finish() { footer(); }

private:
    static constexpr double kMarginMm = 18;
    static constexpr double kFooterMm = 8;
    static constexpr double kRowMm = 6;
    static constexpr double kPadMm = 1.6;
    static constexpr double kLinePadMm = 1.0;  // above and below a cell's lines
    static constexpr double kTitleMm = 9.5;    // a section title with the space above it
    static constexpr double kNoteMm = 6;
    static constexpr double kAfterTableMm = 3;

    QFont font(double points, bool bold = false) const {
        QFont f = sansFont();
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }
    void text(const QRectF& box, const QString& text, const QFont& font, Qt::Alignment align,
              const QColor& colour = kInk);
    void fill(const QRectF& box, const QColor& colour);
    void rule(double y, const QColor& colour, double widthPt, double left = -1, double right = -1);
    void svg(const QString& resource, const QRectF& box);
    void ensure(double heightMm);
    void heading(const QString& title);
    void footer();
    QFont cellFont(RowStyle style, bool header) const;
    double wrap(QTextLayout& layout, double width) const;
    double cellHeight(const QString& content, const QFont& f, double width) const;
    void cellText(const QRectF& box, const QString& content, const QFont& f, Qt::Alignment align,
                  const QColor& colour);
    std::vector<double> columnWidths(const QStringList& header, const std::vector<Column>& columns,
                                     const std::vector<Row>& rows) const;
    double rowHeight(const QStringList& cells, const std::vector<Column>& columns,
                     const std::vector<double>& widths, const QFont& f) const;
    TablePlan plan(const QStringList& header, const std::vector<Column>& columns,
                   const std::vector<Row>& rows) const;
    std::optional<std::vector<std::size_t>> pageBreaks(double headerTop, const TablePlan& plan,
                                                       double trailer, bool freshPage) const;
    void table(const QStringList& header, const std::vector<Column>& columns,
               const std::vector<Row>& rows, const TablePlan& plan,
               const std::vector<std::size_t>& breaks);
    void tableRow(const QStringList& cells, const std::vector<Column>& columns,
                  const std::vector<double>& widths, double height, RowStyle style, bool header,
                  bool stripe);
    void panelPicture(const QRectF& box);

    QPagedPaintDevice& m_device;
    QPainter* m_painter;  // null while only counting pages
    const ReportData& m_data;
    double m_dpi = 72;
    double m_left = 0;
    double m_right = 0;
    double m_top = 0;
    double m_bottom = 0;
    double m_y = 0;
    int m_page = 1;
    int m_pageCount = 0;
};

void Sheet::text(const QRectF& box, const QString& content, const QFont& f, Qt::Alignment align,
                 const QColor& colour) {
    if (!m_painter) return;
    m_painter->setFont(f);
    m_painter->setPen(colour);
    const QFontMetricsF metrics(f, &m_device);
    const QString shown = metrics.elidedText(content, Qt::ElideRight, box.width());
    const Qt::Alignment vertical =
        (align & Qt::AlignVertical_Mask) ? Qt::Alignment() : Qt::AlignVCenter;
    m_painter->drawText(box, static_cast<int>(align | vertical) | Qt::TextSingleLine, shown);
}

void Sheet::fill(const QRectF& box, const QColor& colour) {
    if (m_painter) m_painter->fillRect(box, colour);
}

void Sheet::rule(double y, const QColor& colour, double widthPt, double left, double right) {
    if (!m_painter) return;
    QPen pen(colour, widthPt * m_dpi / 72);
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(left < 0 ? m_left : left, y),
                        QPointF(right < 0 ? m_right : right, y));
}

void Sheet::svg(const QString& resource, const QRectF& box) {
    if (!m_painter) return;
    QSvgRenderer renderer(resource);
    if (renderer.isValid()) renderer.render(m_painter, box);
}

void Sheet::ensure(double heightMm) {
    if (m_y + mm(heightMm) > m_bottom) newPage();
}

void Sheet::newPage() {
    footer();
    if (m_painter) m_device.newPage();
    ++m_page;
    m_y = m_top;
}

void Sheet::footer() {
    const double y = m_bottom + mm(3);
    rule(y, kRule, 0.5);
    const QRectF box(m_left, y + mm(0.8), m_right - m_left, mm(4));
    const QFont f = font(7.5);
    text(box,
         QStringLiteral("Orvenda-Expans %1 · Tágulási tartály méretezése · %2")
             .arg(m_data.version, m_data.jobName),
         f, Qt::AlignLeft, kMuted);
    const QString page = m_pageCount > 0
                             ? QStringLiteral("%1. oldal / %2").arg(m_page).arg(m_pageCount)
                             : QStringLiteral("%1. oldal").arg(m_page);
    text(box, page, f, Qt::AlignRight, kMuted);
}

void Sheet::head() {
    const double top = m_y;
    svg(QStringLiteral(":/pictures/emblem.svg"), QRectF(m_left, top, mm(17), mm(17)));
    const double textLeft = m_left + mm(21);
    const double width = m_right - textLeft;
    text(QRectF(textLeft, top, width * 0.6, mm(9)), QStringLiteral("Orvenda-Expans"),
         font(20, true), Qt::AlignLeft, kAccent);
    text(QRectF(textLeft, top + mm(9), width * 0.6, mm(7)),
         QStringLiteral("Tágulási tartály méretezése – jelentés"), font(11.5), Qt::AlignLeft);

    const double infoLeft = m_right - mm(70);
    const QFont label = font(8.5, true);
    const QFont value = font(8.5);
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("Programverzió:"), m_data.version},
        {QStringLiteral("Készült:"), m_data.date},
        {QStringLiteral("Projektfájl:"), m_data.jobName},
    };
    double y = top + mm(0.5);
    for (const auto& [caption, content] : lines) {
        text(QRectF(infoLeft, y, mm(24), mm(5)), caption, label, Qt::AlignLeft, kMuted);
        text(QRectF(infoLeft + mm(24), y, mm(46), mm(5)), content, value, Qt::AlignLeft);
        y += mm(5.5);
    }
    m_y = top + mm(19);
    rule(m_y, kAccent, 1.2);
    m_y += mm(4);
}

void Sheet::section(const QString& title, double keepMm) {
    ensure(keepMm + 11);
    heading(title);
}

void Sheet::heading(const QString& title) {
    m_y += mm(2);
    text(QRectF(m_left, m_y, m_right - m_left, mm(7)), title, font(12, true), Qt::AlignLeft,
         kAccent);
    m_y += mm(kTitleMm - 2);
}

void Sheet::note(const QString& content, bool warning) {
    if (content.isEmpty()) return;
    ensure(kNoteMm);
    text(QRectF(m_left, m_y, m_right - m_left, mm(5.5)), content, font(8.5, warning), Qt::AlignLeft,
         warning ? kAccent : kMuted);
    m_y += mm(kNoteMm);
}

QFont Sheet::cellFont(RowStyle style, bool header) const {
    if (header) return font(8, true);
    const bool bold =
        style == RowStyle::Subtotal || style == RowStyle::Total || style == RowStyle::Marked;
    return font(style == RowStyle::Total ? 10 : 8.8, bold);
}

// Lays `content` out in lines no wider than `width`, breaking at spaces where a word fits and
// anywhere else (a long figure is one word of digits). Returns the height of the lines.
double Sheet::wrap(QTextLayout& layout, double width) const {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1.0));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

double Sheet::cellHeight(const QString& content, const QFont& f, double width) const {
    if (content.isEmpty()) return 0;
    QTextLayout layout(content, f, &m_device);
    return wrap(layout, width);
}

// A table cell: its lines wrapped to the box's width, each aligned as the column, the block
// centred in the box's height.
void Sheet::cellText(const QRectF& box, const QString& content, const QFont& f, Qt::Alignment align,
                     const QColor& colour) {
    if (!m_painter || content.isEmpty()) return;
    QTextLayout layout(content, f, &m_device);
    const double height = wrap(layout, box.width());
    const double room = box.height() - 2 * mm(kLinePadMm);
    if (height > room && layout.lineCount() > 1) {
        // Only a figure of thousands of digits is taller than a page: as many lines as the page
        // holds, the last one ending in "…".
        int fit = 1;
        while (fit < layout.lineCount()) {
            const QTextLine next = layout.lineAt(fit);
            if (next.position().y() + next.height() > room) break;
            ++fit;
        }
        const QTextLine last = layout.lineAt(fit - 1);
        const int kept = std::max(last.textStart() + last.textLength() - 1, 1);
        cellText(box, content.left(kept) + QChar(0x2026), f, align, colour);
        return;
    }
    for (int i = 0; i < layout.lineCount(); ++i) {
        QTextLine line = layout.lineAt(i);
        const double spare = box.width() - line.naturalTextWidth();
        double x = 0;
        if (align & Qt::AlignRight) x = spare;
        if (align & Qt::AlignHCenter) x = spare / 2;
        line.setPosition(QPointF(std::max(x, 0.0), line.position().y()));
    }
    m_painter->setPen(colour);
    layout.draw(m_painter, QPointF(box.left(), box.top() + (box.height() - height) / 2));
}

// A cell reaches over the empty cells that follow it, so a subtotal's caption is never cut.
std::size_t spanOf(const QStringList& cells, std::size_t i, std::size_t columns) {
    std::size_t end = i + 1;
    while (end < columns && (end >= static_cast<std::size_t>(cells.size()) ||
                             cells[static_cast<qsizetype>(end)].isEmpty())) {
        ++end;
    }
    return end - i;
}

bool spansOn(const QStringList& cells, std::size_t i, const std::vector<Column>& columns) {
    return columns[i].align == Qt::AlignLeft && i < static_cast<std::size_t>(cells.size()) &&
           !cells[static_cast<qsizetype>(i)].isEmpty() && spanOf(cells, i, columns.size()) > 1;
}

bool isFigure(const Column& column) {
    return (column.align & Qt::AlignRight) != 0;
}

std::vector<double> Sheet::columnWidths(const QStringList& header,
                                        const std::vector<Column>& columns,
                                        const std::vector<Row>& rows) const {
    const double pad = 2 * mm(kPadMm) + mm(0.5);
    const std::size_t count = columns.size();
    // Natural: the widest cell on one line. Least: the widest word, but a figure's digits may
    // wrap, so a figure column asks for no more than about eight digits.
    std::vector<double> natural(count, 0.0);
    std::vector<double> least(count, 0.0);
    const auto measure = [&](const QStringList& cells, const QFont& f) {
        const QFontMetricsF metrics(f, &m_device);
        const double digits = metrics.horizontalAdvance(QStringLiteral("00000000")) + pad;
        for (std::size_t i = 0; i < count && i < static_cast<std::size_t>(cells.size()); ++i) {
            if (spansOn(cells, i, columns)) continue;
            const QString& cell = cells[static_cast<qsizetype>(i)];
            natural[i] = std::max(natural[i], metrics.horizontalAdvance(cell) + pad);
            double word = 0;
            for (const QString& part : cell.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                word = std::max(word, metrics.horizontalAdvance(part) + pad);
            }
            if (isFigure(columns[i])) word = std::min(word, digits);
            least[i] = std::max(least[i], word);
        }
    };
    measure(header, cellFont(RowStyle::Plain, true));
    for (const Row& row : rows) measure(row.cells, cellFont(row.style, false));

    const double page = m_right - m_left;
    double naturalSum = 0;
    for (const double w : natural) naturalSum += w;
    std::vector<double> widths = natural;
    if (naturalSum <= page) {
        std::size_t rest = 0;
        double fitted = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (columns[i].width == Width::Rest) {
                ++rest;
            } else {
                fitted += natural[i];
            }
        }
        const double spare = page - fitted;
        for (std::size_t i = 0; i < count; ++i) {
            if (rest == 0) {
                widths[i] += (page - naturalSum) / static_cast<double>(count);
            } else if (columns[i].width == Width::Rest) {
                widths[i] = std::max(natural[i], spare / static_cast<double>(rest));
            }
        }
        return widths;
    }
    // Too wide: the chosen columns are held to one common width, as wide as still fits, but none
    // below its least; so the widest give way and narrow columns keep their natural width.
    const auto shrink = [&](auto chosen, double room) {
        const auto total = [&](double cap) {
            double sum = 0;
            for (std::size_t i = 0; i < count; ++i) {
                if (chosen(i)) sum += std::max(least[i], std::min(natural[i], cap));
            }
            return sum;
        };
        double low = 0;
        double high = page;
        for (int step = 0; step < 40; ++step) {
            const double mid = (low + high) / 2;
            (total(mid) <= room ? low : high) = mid;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (chosen(i)) widths[i] = std::max(least[i], std::min(natural[i], low));
        }
    };
    double textWidth = 0;
    double figureLeast = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (isFigure(columns[i])) {
            figureLeast += least[i];
        } else {
            textWidth += natural[i];
        }
    }
    if (textWidth + figureLeast <= page) {
        shrink([&](std::size_t i) { return isFigure(columns[i]); }, page - textWidth);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            if (isFigure(columns[i])) widths[i] = least[i];
        }
        shrink([&](std::size_t i) { return !isFigure(columns[i]); }, page - figureLeast);
    }
    // Should even the least widths not fit, every column gives way alike.
    double total = 0;
    for (const double w : widths) total += w;
    if (total > page) {
        for (double& w : widths) w *= page / total;
    }
    return widths;
}

double Sheet::rowHeight(const QStringList& cells, const std::vector<Column>& columns,
                        const std::vector<double>& widths, const QFont& f) const {
    const double pad = mm(kPadMm);
    double lines = 0;
    for (std::size_t i = 0; i < columns.size() && i < static_cast<std::size_t>(cells.size()); ++i) {
        double width = widths[i];
        if (spansOn(cells, i, columns)) {
            for (std::size_t j = i + 1; j < i + spanOf(cells, i, columns.size()); ++j) {
                width += widths[j];
            }
        }
        lines = std::max(lines, cellHeight(cells[static_cast<qsizetype>(i)], f, width - 2 * pad));
    }
    // A row never outgrows a page under its table's header.
    const double page = m_bottom - m_top - mm(kTitleMm + 2 * kRowMm);
    return std::clamp(lines + 2 * mm(kLinePadMm), mm(kRowMm), std::max(page, mm(kRowMm)));
}

TablePlan Sheet::plan(const QStringList& header, const std::vector<Column>& columns,
                      const std::vector<Row>& rows) const {
    TablePlan out;
    out.widths = columnWidths(header, columns, rows);
    out.headerHeight = rowHeight(header, columns, out.widths, cellFont(RowStyle::Plain, true));
    for (const Row& row : rows) {
        out.rowHeights.push_back(
            rowHeight(row.cells, columns, out.widths, cellFont(row.style, false)));
    }
    return out;
}

// The rows before which a new page starts (the header is repeated there), for a table whose
// header starts at `headerTop`; `trailer` is what must stay with the last row. Every part of a
// table holds at least two rows; when that cannot be had from here, the table does not start
// here (empty result) but on a fresh page, where it is split as well as it can be.
std::optional<std::vector<std::size_t>> Sheet::pageBreaks(double headerTop, const TablePlan& plan,
                                                          double trailer, bool freshPage) const {
    const std::vector<double>& heights = plan.rowHeights;
    const std::size_t count = heights.size();
    std::vector<std::size_t> breaks;
    std::size_t first = 0;  // first row of the current part
    double y = headerTop + plan.headerHeight;
    for (std::size_t i = 0; i < count;) {
        const double needed = heights[i] + (i + 1 == count ? trailer : 0);
        if (y + needed <= m_bottom) {
            y += heights[i];
            ++i;
            continue;
        }
        // Row i does not fit: break before it, or earlier so that two rows go on.
        std::size_t at = count >= 2 ? std::min(i, count - 2) : i;
        if (at < first + 2) {
            if (first == 0 && !freshPage) return std::nullopt;
            at = std::max(i, first + 1);  // rows taller than half a page: one per part
        }
        if (at >= count) break;
        breaks.push_back(at);
        first = at;
        i = at;
        y = m_top + plan.headerHeight;
        freshPage = true;
    }
    return breaks;
}

void Sheet::tableRow(const QStringList& cells, const std::vector<Column>& columns,
                     const std::vector<double>& widths, double height, RowStyle style, bool header,
                     bool stripe) {
    const QRectF row(m_left, m_y, m_right - m_left, height);
    if (header) {
        fill(row, kHeaderFill);
    } else if (style == RowStyle::Marked) {
        fill(row, kMarkFill);
    } else if (stripe) {
        fill(row, kStripeFill);
    }
    if (style == RowStyle::Subtotal) rule(m_y, kRule, 0.6);
    if (style == RowStyle::Total) rule(m_y, kInk, 1.0);

    const QFont f = cellFont(style, header);
    const double pad = mm(kPadMm);
    double x = m_left;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QString cell = i < static_cast<std::size_t>(cells.size())
                                 ? cells[static_cast<qsizetype>(i)]
                                 : QString();
        // Only a left-aligned text may run on into empty cells; a figure keeps its column.
        double width = widths[i];
        if (spansOn(cells, i, columns)) {
            for (std::size_t j = i + 1; j < i + spanOf(cells, i, columns.size()); ++j) {
                width += widths[j];
            }
        }
        cellText(QRectF(x + pad, m_y, width - 2 * pad, height), cell, f, columns[i].align,
                 header ? kMuted : kInk);
        x += widths[i];
    }
    m_y += height;
    if (header) rule(m_y, kInk, 0.7);
}

void Sheet::table(const QStringList& header, const std::vector<Column>& columns,
                  const std::vector<Row>& rows, const TablePlan& plan,
                  const std::vector<std::size_t>& breaks) {
    tableRow(header, columns, plan.widths, plan.headerHeight, RowStyle::Plain, true, false);
    bool stripe = false;
    auto nextBreak = breaks.begin();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (nextBreak != breaks.end() && *nextBreak == i) {
            ++nextBreak;
            rule(m_y, kInk, 0.7);
            newPage();
            tableRow(header, columns, plan.widths, plan.headerHeight, RowStyle::Plain, true, false);
            stripe = false;
        }
        const Row& row = rows[i];
        tableRow(row.cells, columns, plan.widths, plan.rowHeights[i], row.style, false, stripe);
        stripe = row.style == RowStyle::Plain || row.style == RowStyle::Marked ? !stripe : false;
    }
    rule(m_y, kInk, 0.7);
    m_y += mm(kAfterTableMm);
}

void Sheet::tableSection(const QString& title, const QString& intro, const QStringList& header,
                         const std::vector<Column>& columns, const std::vector<Row>& rows,
                         const QString& closingNote) {
    const TablePlan measured = plan(header, columns, rows);
    const double above = mm(kTitleMm) + (intro.isEmpty() ? 0 : mm(kNoteMm));
    const double trailer = closingNote.isEmpty() ? 0 : mm(kAfterTableMm + kNoteMm);
    const bool fresh = m_y <= m_top;
    std::optional<std::vector<std::size_t>> breaks =
        pageBreaks(m_y + above, measured, trailer, fresh);
    if (!breaks) {
        newPage();
        breaks = pageBreaks(m_y + above, measured, trailer, true);
    }
    heading(title);
    note(intro);
    table(header, columns, rows, measured, *breaks);
    note(closingNote, true);
}

// The slider panel's upper part as the window draws it: the gauge with its needle, the safety
// valve, and the vessel with the gas cushion over the fluid. Geometry in twips of the panel.
void Sheet::panelPicture(const QRectF& box) {
    if (!m_painter) return;
    constexpr double kWidth = 5910;
    constexpr double kHeight = 2340;
    constexpr double kPixel = 15;  // twips
    const double scale = std::min(box.width() / kWidth, box.height() / kHeight);
    const PanelView& view = m_data.panel;
    QPainter& p = *m_painter;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(scale, scale);
    p.setPen(QPen(kRule, kPixel));
    p.setBrush(kPanelGrey);
    p.drawRoundedRect(QRectF(0, 0, kWidth, kHeight), 90, 90);

    const auto bar = [&p](double left, double top, double width, double height,
                          const QColor& colour) {
        if (width <= 0 || height <= 0) return;
        const QRectF r(left + kPixel / 2, top + kPixel / 2, width - kPixel, height - kPixel);
        const double radius = std::min({8 * kPixel, r.width() / 2, r.height() / 2});
        p.setPen(QPen(Qt::black, kPixel));
        p.setBrush(colour);
        p.drawRoundedRect(r, radius, radius);
    };
    const auto picture = [&p](const char* name, double left, double top, QSize pixels) {
        QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(QString::fromLatin1(name)));
        if (renderer.isValid()) {
            renderer.render(&p,
                            QRectF(left, top, pixels.width() * kPixel, pixels.height() * kPixel));
        }
    };
    // Back to front, as the panel stacks them: fluid, gas cushion, vessel outline, valve, gauge.
    bar(3960, 315, 1635, 1905, QColor(0xFF, 0x00, 0x00));
    bar(3960, view.gas.top, 1635, view.gas.height, QColor(0x00, 0xC0, 0xC0));
    picture("vessel", 3870, 225, pictureSize(Picture::VesselOutline));
    if (view.valveBlows) {
        picture("valve_blowing", 1710, 585, pictureSize(Picture::ValveBlowing));
    } else {
        picture("valve_closed", 1710, 585, pictureSize(Picture::ValveClosed));
    }
    picture("gauge", 225, 675, pictureSize(Picture::Gauge));
    QPen needle(QColor(0xFF, 0x00, 0x00), 2 * kPixel);
    needle.setCapStyle(Qt::RoundCap);
    p.setPen(needle);
    p.drawLine(QPointF(225 + view.needle.x1, 675 + view.needle.y1),
               QPointF(225 + view.needle.x2, 675 + view.needle.y2));
    p.restore();

    // Captions in real type, placed where the panel has them.
    const auto at = [&](double left, double top, double width, double height) {
        return QRectF(box.left() + left * scale, box.top() + top * scale, width * scale,
                      height * scale);
    };
    const QFont small = font(7);
    const Qt::Alignment top = Qt::AlignHCenter | Qt::AlignTop;
    text(at(45, 20, 1560, 255), QStringLiteral("Rendszernyomás"), small, top);
    text(at(1665, 20, 1425, 255), QStringLiteral("Biztonsági szelep"), small, top);
    text(at(4095, 20, 1425, 255), QStringLiteral("Membrán állapota"), small, top);
    text(at(150, 315, 690, 255), view.pressure, font(7, true), Qt::AlignRight);
    text(at(855, 315, 345, 255), QStringLiteral("bar"), small, Qt::AlignHCenter);
    text(at(1590, 315, 1605, 255), QStringLiteral("nyitó nyomása: pmax"), small, Qt::AlignHCenter);
}

void Sheet::operatingState() {
    const double widthMm = 92;
    const double heightMm = widthMm * 2340 / 5910;
    ensure(heightMm + 2);
    const double top = m_y;
    panelPicture(QRectF(m_left, top, mm(widthMm), mm(heightMm)));

    const double left = m_left + mm(widthMm + 6);
    const double captionWidth = mm(44);
    double y = top;
    const double lineHeight = std::min(
        5.2, heightMm / static_cast<double>(std::max<std::size_t>(m_data.operating.size(), 1)));
    for (const Row& row : m_data.operating) {
        text(QRectF(left, y, captionWidth, mm(lineHeight)), row.cells.value(0), font(8.8),
             Qt::AlignLeft, kMuted);
        text(QRectF(left + captionWidth, y, m_right - left - captionWidth, mm(lineHeight)),
             row.cells.value(1), font(8.8, true), Qt::AlignRight);
        y += mm(lineHeight);
        if (&row != &m_data.operating.back()) rule(y, kStripeFill.darker(104), 0.4, left, m_right);
    }
    m_y = top + mm(heightMm + 4);
}

void layout(Sheet& sheet, const ReportData& data) {
    sheet.head();

    const QStringList valueHeader{QStringLiteral("Megnevezés"), QStringLiteral("Érték"),
                                  QStringLiteral("Mértékegység")};
    const std::vector<Column> valueColumns{
        {Width::Rest, Qt::AlignLeft}, {Width::Fit, Qt::AlignRight}, {Width::Fit, Qt::AlignLeft}};
    sheet.tableSection(QStringLiteral("1. Bemenő adatok"), {}, valueHeader, valueColumns,
                       data.inputs, {});

    sheet.tableSection(
        QStringLiteral("2. A rendszer térfogata"), {},
        {QStringLiteral("Elem"), QStringLiteral("Típus"), QStringLiteral("Fajlagos térfogat"),
         QStringLiteral("Mennyiség"), QStringLiteral("Térfogat [liter]")},
        {{Width::Fit, Qt::AlignLeft},
         {Width::Rest, Qt::AlignLeft},
         {Width::Fit, Qt::AlignRight},
         {Width::Fit, Qt::AlignRight},
         {Width::Fit, Qt::AlignRight}},
        data.circuit, {});

    sheet.tableSection(QStringLiteral("3. Számított adatok"), {}, valueHeader, valueColumns,
                       data.results, data.resultsNote);

    sheet.section(QStringLiteral("4. Üzemállapot a csúszkák állásánál"), 40);
    sheet.operatingState();

    const QString tableTitle = QStringLiteral("5. Üzemállapot a kollektorhőmérséklet függvényében");
    if (data.table.empty()) {
        sheet.section(tableTitle, 24);
        sheet.note(data.tableIntro);
        sheet.note(data.tableNote, true);
    } else {
        sheet.tableSection(tableTitle, data.tableIntro,
                           {QStringLiteral("Kollektor"), QStringLiteral("Rendszernyomás [bar]"),
                            QStringLiteral("Gáztérfogat [liter]"), QStringLiteral("Forráspont"),
                            QStringLiteral("Gőzképződés"), QStringLiteral("Szelep lefúj")},
                           {{Width::Fit, Qt::AlignRight},
                            {Width::Fit, Qt::AlignRight},
                            {Width::Fit, Qt::AlignRight},
                            {Width::Fit, Qt::AlignRight},
                            {Width::Fit, Qt::AlignRight},
                            {Width::Fit, Qt::AlignHCenter}},
                           data.table, data.tableNote);
    }
    sheet.finish();
}

}  // namespace

void paintReport(QPagedPaintDevice& device, const Tagtartaly& window, const QString& jobFileName) {
    const ReportData data = collect(window, jobFileName);

    // A first pass without drawing counts the pages for the footers.
    Sheet counting(device, nullptr, data);
    layout(counting, data);

    QPainter painter;
    if (!painter.begin(&device)) return;
    Sheet sheet(device, &painter, data);
    sheet.setPageCount(counting.pages());
    layout(sheet, data);
    painter.end();
}

bool writeReportPdf(const QString& path, const Tagtartaly& window, const QString& jobFileName,
                    QString* error) {
    const auto fail = [&](const QString& reason) {
        if (error) {
            *error = QStringLiteral("A jelentést nem sikerült menteni ide:\n%1\n\n%2")
                         .arg(QDir::toNativeSeparators(path), reason);
        }
        return false;
    };
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("Tágulási tartály méretezése – jelentés"));
        writer.setCreator(QStringLiteral("Orvenda-Expans"));
        paintReport(writer, window, jobFileName);
    }
    QString reason;
    if (!commitSaveFile(file, &reason)) return fail(reason);
    return true;
}

}  // namespace expans::ui
