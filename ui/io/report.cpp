#include "io/report.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

#include "io/report_sheet.h"
#include "io/savefile.h"

namespace expans::ui {

void paintReport(QPagedPaintDevice& device, const ReportSource& source,
                 const QString& jobFileName) {
    drawReport(device, reportData(source, jobFileName));
}

bool writeReportPdf(const QString& path, const ReportSource& source, const QString& jobFileName,
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
        paintReport(writer, source, jobFileName);
    }
    QString reason;
    if (!commitSaveFile(file, &reason)) return fail(reason);
    return true;
}

}  // namespace expans::ui
