#pragma once

// What the printed report says, as plain texts and values, made before anything is drawn: the
// inputs as typed, the circuit's rows, the results, the slider panel and the operating state over
// the collector temperature. It is built from the two windows' records and the captions of the
// main window as designed; no control is read.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "job.h"
#include "opstate.h"
#include "sizing.h"
#include "state.h"

namespace expans::ui {

// What the report is made of: the windows' stored values, the job as the windows hold it, and
// the figures the results and slider panels show (a run that failed leaves the ones before).
struct ReportSource {
    MainState main;
    std::optional<VolumeState> volume;  // empty once the volume window is gone
    Job job;
    SizingLabels results;
    PanelDisplay panel;  // vapourLabelsVisible always set: whether Label39 and Label40 show
};

enum class RowStyle { Plain, Subtotal, Total, Marked };

struct Row {
    QStringList cells;
    RowStyle style = RowStyle::Plain;

    friend bool operator==(const Row&, const Row&) = default;
};

// The slider panel's moving parts, in twips, as the panel draws them.
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
    // The check by MSZ EN 12828: its figures (caption, value, unit), one verdict a row, the
    // program's own minimum beside the standard's, and the line explaining the difference.
    std::vector<Row> check;
    std::vector<Row> checkVerdicts;
    std::vector<Row> checkCompare;
    QString checkNote;
    // The commissioning sheet: what to set on site (caption, value, unit), and the pressure to
    // expect at the vessel over the mean temperature (mean, collectors, gauge pressure, valve).
    std::vector<Row> commissioning;
    std::vector<Row> pressureSteps;
    QString pressureNote;
};

// Rows of the yearly record on the commissioning sheet, left blank to be filled in on site.
inline constexpr int kRecordRows = 8;

// An empty jobFileName stands for a job that was never saved.
ReportData reportData(const ReportSource& source, const QString& jobFileName);

// The main window's captions the report prints, by their control names, as the window shows
// them (the report leaves off the trailing unit and colon). A caption that changes with the
// evaporation option has its other text in `withoutEvaporation`.
struct Caption {
    const char* control;
    const char* text;
    const char* withoutEvaporation = nullptr;
};
const std::vector<Caption>& mainWindowCaptions();

}  // namespace expans::ui
