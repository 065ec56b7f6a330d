#pragma once

// The report's pages: lays a ReportData out on A4 pages in Hungarian, with the slider panel's
// pictures drawn as vectors, tables that break between pages whole, and a footer on each page.

#include "io/report_data.h"

class QPagedPaintDevice;

namespace expans::ui {

void drawReport(QPagedPaintDevice& device, const ReportData& data);

}  // namespace expans::ui
