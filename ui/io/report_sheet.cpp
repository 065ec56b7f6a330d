#include "io/report_sheet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextLayout>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "widgets/panelgeometry.h"
#include "widgets/pictures.h"
#include "widgets/style.h"

namespace expans::ui {

namespace {

const QColor kInk(0x1A, 0x1A, 0x1A);
const QColor kAccent(0x80, 0x00, 0x00);  // the web-address line's dark red
const QColor kRule(0xB4, 0xB4, 0xB4);
const QColor kHeaderFill(0xE9, 0xEB, 0xEE);
const QColor kStripeFill(0xF6, 0xF7, 0xF8);
const QColor kMarkFill(0xFF, 0xF4, 0xC2);  // the row at the slider's own position
const QColor kMuted(0x5A, 0x5A, 0x5A);

// Positions are kept in device units; every size is given in millimetres or points.
constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72;

double pointsToMm(double points) {
    return points * kMmPerInch / kPointsPerInch;
}

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
        const double leftInset = pointsToMm(paint.left() - full.left());
        const double topInset = pointsToMm(paint.top() - full.top());
        const double pageWidth = pointsToMm(full.width());
        const double pageHeight = pointsToMm(full.height());
        m_left = mm(std::max(kMarginMm - leftInset, 0.0));
        m_right = mm(std::max(pageWidth - kMarginMm - leftInset, 0.0));
        m_top = mm(std::max(kMarginMm - topInset, 0.0));
        m_bottom = mm(std::max(pageHeight - kMarginMm - topInset, 0.0)) - mm(kFooterMm);
        m_y = m_top;
    }

    double mm(double value) const { return value * m_dpi / kMmPerInch; }
    double points(double value) const { return value * m_dpi / kPointsPerInch; }
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
    // A note that may run over several lines, wrapped to the page's width.
    void paragraph(const QString& text, bool warning = false);
    void operatingState();
    // A page of its own with a title and the job's name and date under it.
    void sheetTitle(const QString& title);
    // A table to fill in by hand: the header, then `rows` empty rows with every cell ruled.
    void recordTable(const QString& title, const QStringList& header,
                     const std::vector<double>& shares, int rows);
    // Lines to sign on, side by side, each with its caption under it.
    void signatures(const QStringList& captions);
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
    QPen pen(colour, points(widthPt));
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
    svg(picturePath(Picture::Emblem), QRectF(m_left, top, mm(17), mm(17)));
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

void Sheet::paragraph(const QString& content, bool warning) {
    if (content.isEmpty()) return;
    const QFont f = font(8.5, warning);
    const double width = m_right - m_left;
    const double height = cellHeight(content, f, width) + mm(2 * kLinePadMm + 0.5);
    ensure(height / mm(1));
    cellText(QRectF(m_left, m_y, width, height), content, f, Qt::AlignLeft,
             warning ? kAccent : kMuted);
    m_y += height + mm(1);
}

void Sheet::sheetTitle(const QString& title) {
    const double top = m_y;
    svg(picturePath(Picture::Emblem), QRectF(m_left, top, mm(12), mm(12)));
    const double textLeft = m_left + mm(16);
    text(QRectF(textLeft, top, m_right - textLeft, mm(8)), title, font(17, true), Qt::AlignLeft,
         kAccent);
    text(QRectF(textLeft, top + mm(8), m_right - textLeft, mm(5)),
         QStringLiteral("Projektfájl: %1 · Készült: %2").arg(m_data.jobName, m_data.date),
         font(8.5), Qt::AlignLeft, kMuted);
    m_y = top + mm(15);
    rule(m_y, kAccent, 1.2);
    m_y += mm(3);
}

void Sheet::recordTable(const QString& title, const QStringList& header,
                        const std::vector<double>& shares, int rows) {
    constexpr double kHeaderMm = 9;
    constexpr double kLineMm = 8;  // room to write by hand
    section(title, kHeaderMm + 2 * kLineMm);
    const double width = m_right - m_left;
    std::vector<double> xs{m_left};
    for (const double share : shares) xs.push_back(xs.back() + width * share);
    xs.back() = m_right;
    const QFont f = cellFont(RowStyle::Plain, true);
    const double pad = mm(kPadMm);
    const auto grid = [&](double top, double bottom) {
        if (!m_painter) return;
        QPen pen(kRule, points(0.5));
        m_painter->setPen(pen);
        for (const double x : xs) m_painter->drawLine(QPointF(x, top), QPointF(x, bottom));
    };
    const auto head = [&] {
        const double top = m_y;
        fill(QRectF(m_left, top, width, mm(kHeaderMm)), kHeaderFill);
        for (std::size_t i = 0; i + 1 < xs.size() && i < static_cast<std::size_t>(header.size());
             ++i) {
            cellText(QRectF(xs[i] + pad, top, xs[i + 1] - xs[i] - 2 * pad, mm(kHeaderMm)),
                     header[static_cast<qsizetype>(i)], f, Qt::AlignHCenter, kMuted);
        }
        rule(top, kInk, 0.7);
        m_y += mm(kHeaderMm);
        rule(m_y, kInk, 0.7);
        grid(top, m_y);
    };
    head();
    for (int i = 0; i < rows; ++i) {
        if (m_y + mm(kLineMm) > m_bottom) {
            newPage();
            head();
        }
        const double top = m_y;
        m_y += mm(kLineMm);
        rule(m_y, kRule, 0.5);
        grid(top, m_y);
    }
    m_y += mm(kAfterTableMm);
}

void Sheet::signatures(const QStringList& captions) {
    constexpr double kRoomMm = 17;
    ensure(kRoomMm);
    const double gap = mm(10);
    const double count = std::max<double>(captions.size(), 1);
    const double width = (m_right - m_left - gap * (count - 1)) / count;
    const double line = m_y + mm(11);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const double left = m_left + static_cast<double>(i) * (width + gap);
        rule(line, kInk, 0.6, left, left + width);
        text(QRectF(left, line + mm(1), width, mm(5)), captions[i], font(8.5), Qt::AlignHCenter,
             kMuted);
    }
    m_y += mm(kRoomMm);
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
    constexpr double kPixel = kTwipsPerPixel;
    const double scale =
        std::min(box.width() / panelgeo::kWidth, box.height() / panelgeo::kUpperHeight);
    const PanelView& view = m_data.panel;
    QPainter& p = *m_painter;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(scale, scale);
    p.setPen(QPen(kRule, kPixel));
    p.setBrush(kPanelGrey);
    p.drawRoundedRect(QRectF(0, 0, panelgeo::kWidth, panelgeo::kUpperHeight),
                      panelgeo::kCornerRadius, panelgeo::kCornerRadius);

    const auto bar = [&p](double left, double top, double width, double height,
                          const QColor& colour) {
        if (width <= 0 || height <= 0) return;
        const QRectF r(left + kPixel / 2, top + kPixel / 2, width - kPixel, height - kPixel);
        const double radius = std::min({8 * kPixel, r.width() / 2, r.height() / 2});
        p.setPen(QPen(Qt::black, kPixel));
        p.setBrush(colour);
        p.drawRoundedRect(r, radius, radius);
    };
    // A picture at its designed pixel size, from its box's top left corner.
    const auto picture = [&p](Picture which, const panelgeo::TwipBox& at) {
        QSvgRenderer renderer(picturePath(which));
        const QSize pixels = pictureSize(which);
        if (renderer.isValid()) {
            renderer.render(
                &p, QRectF(at.left, at.top, pixels.width() * kPixel, pixels.height() * kPixel));
        }
    };
    // Back to front, as the panel stacks them: fluid, gas cushion, vessel outline, valve, gauge.
    const panelgeo::TwipBox& fluid = panelgeo::kFluidBar;
    bar(fluid.left, fluid.top, fluid.width, fluid.height, panelgeo::kFluidColour);
    bar(panelgeo::kGasBar.left, view.gas.top, panelgeo::kGasBar.width, view.gas.height,
        panelgeo::kGasColour);
    picture(Picture::VesselOutline, panelgeo::kVessel);
    if (view.valveBlows) {
        picture(Picture::ValveBlowing, panelgeo::kValveBlowing);
    } else {
        picture(Picture::ValveClosed, panelgeo::kValveClosed);
    }
    const panelgeo::TwipBox& gauge = panelgeo::kGauge;
    picture(Picture::Gauge, gauge);
    QPen needle(panelgeo::kNeedleColour, panelgeo::kNeedlePixels * kPixel);
    needle.setCapStyle(Qt::RoundCap);
    p.setPen(needle);
    p.drawLine(QPointF(gauge.left + view.needle.x1, gauge.top + view.needle.y1),
               QPointF(gauge.left + view.needle.x2, gauge.top + view.needle.y2));
    p.restore();

    // Captions in real type, placed where the panel has them.
    const auto at = [&](double left, double top, double width, double height) {
        return QRectF(box.left() + left * scale, box.top() + top * scale, width * scale,
                      height * scale);
    };
    // The report sets the three headings a little higher than the window does.
    constexpr int kHeadingRise = 25;
    const auto heading = [&](const panelgeo::TwipBox& b) {
        return at(b.left, b.top - kHeadingRise, b.width, b.height);
    };
    const auto caption = [&](const panelgeo::TwipBox& b) {
        return at(b.left, b.top, b.width, b.height);
    };
    // The gauge pressure, right-aligned where the read-out ends, on the line of its unit.
    constexpr int kPressureWidth = 690;
    const panelgeo::TwipBox& pressure = panelgeo::kPressureText;
    const QFont small = font(7);
    const Qt::Alignment top = Qt::AlignHCenter | Qt::AlignTop;
    text(heading(panelgeo::kPressureCaption), QStringLiteral("Rendszernyomás"), small, top);
    text(heading(panelgeo::kValveCaption), QStringLiteral("Biztonsági szelep"), small, top);
    text(heading(panelgeo::kVesselCaption), QStringLiteral("Membrán állapota"), small, top);
    text(at(pressure.left + pressure.width - kPressureWidth, pressure.top, kPressureWidth,
            panelgeo::kPressureUnit.height),
         view.pressure, font(7, true), Qt::AlignRight);
    text(caption(panelgeo::kPressureUnit), QStringLiteral("bar"), small, Qt::AlignHCenter);
    text(caption(panelgeo::kValveSetting), QStringLiteral("nyitó nyomása: pmax"), small,
         Qt::AlignHCenter);
}

void Sheet::operatingState() {
    const double widthMm = 92;
    const double heightMm = widthMm * panelgeo::kUpperHeight / panelgeo::kWidth;
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

    sheet.tableSection(QStringLiteral("6. Ellenőrzés az MSZ EN 12828 szerint"),
                       QStringLiteral("Az előnyomástól a biztonsági szelep alatti végnyomásig, "
                                      "vízzárral és a gőz által elért térfogatokkal számolva."),
                       valueHeader, valueColumns, data.check, {});
    sheet.tableSection(QStringLiteral("6.1 Értékelés"), {}, {QStringLiteral("Megállapítás")},
                       {{Width::Rest, Qt::AlignLeft}}, data.checkVerdicts, {});
    sheet.tableSection(QStringLiteral("6.2 Összevetés a program saját méretezésével"), {},
                       valueHeader, valueColumns, data.checkCompare, {});
    sheet.paragraph(data.checkNote);

    // The commissioning sheet, on a page of its own for the installer.
    sheet.newPage();
    sheet.sheetTitle(QStringLiteral("Üzembe helyezési adatlap"));
    sheet.tableSection(QStringLiteral("1. A helyszínen beállítandó értékek"), {}, valueHeader,
                       valueColumns, data.commissioning, {});
    sheet.tableSection(
        QStringLiteral("2. Várható rendszernyomás a tartálynál"),
        QStringLiteral("Az üzemállapot-panel számítása, a kollektorok 10 °C-kal az átlagos "
                       "folyadékhőmérséklet fölött."),
        {QStringLiteral("Átlagos folyadékhőmérséklet"), QStringLiteral("Kollektorhőmérséklet"),
         QStringLiteral("Rendszernyomás [bar]"), QStringLiteral("Szelep lefúj")},
        {{Width::Rest, Qt::AlignRight},
         {Width::Rest, Qt::AlignRight},
         {Width::Rest, Qt::AlignRight},
         {Width::Rest, Qt::AlignHCenter}},
        data.pressureSteps, {});
    sheet.paragraph(data.pressureNote);
    sheet.recordTable(QStringLiteral("3. Éves ellenőrzések"),
                      {QStringLiteral("Dátum"), QStringLiteral("Mért előnyomás [bar]"),
                       QStringLiteral("Hideg rendszernyomás [bar]"),
                       QStringLiteral("Fagyvédelem ellenőrizve"), QStringLiteral("Aláírás")},
                      {0.17, 0.19, 0.22, 0.19, 0.23}, kRecordRows);
    sheet.signatures({QStringLiteral("A kivitelező (szerelő) aláírása"),
                      QStringLiteral("Az üzemeltető (tulajdonos) aláírása")});
    sheet.finish();
}

}  // namespace

void drawReport(QPagedPaintDevice& device, const ReportData& data) {
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

}  // namespace expans::ui
