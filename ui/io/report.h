#pragma once

// The printed sizing report: what a designer hands to the client or the inspector. It is made
// from the two windows' records (the inputs as typed, the circuit's rows, the results, the slider
// panel) and laid out on A4 pages in Hungarian, with the panel's pictures drawn as vectors and a
// table of the operating state over the collector temperature, each row computed by the same
// core call the slider panel makes.

#include <QString>

#include "io/report_data.h"

class QPagedPaintDevice;

namespace expans::ui {

// Lays the sizing report out on the device's pages (A4; a QPrinter or a QPdfWriter). An empty
// jobFileName stands for a job that was never saved.
void paintReport(QPagedPaintDevice& device, const ReportSource& source, const QString& jobFileName);

// Writes the report as an A4 PDF. False, with a Hungarian message in *error, when the file
// cannot be written (the file is then not left half-written).
bool writeReportPdf(const QString& path, const ReportSource& source, const QString& jobFileName,
                    QString* error);

}  // namespace expans::ui
