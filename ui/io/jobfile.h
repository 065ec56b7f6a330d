#pragma once

// Job files (.expans): a job as UTF-8 JSON with a format name and a version. Reading checks the
// whole file before anything is handed out, so a caller never applies half a job. Needs only
// Qt Core, so the reader can be fuzzed on its own.

#include <QByteArray>
#include <QString>
#include <optional>

#include "job.h"

namespace expans::ui {

inline constexpr qint64 kMaxJobFileBytes = 1024 * 1024;  // a real job is about 1 kB
inline constexpr qsizetype kMaxJobTextLength = 1000;     // characters (code points) of one text
// 2 adds the panel's height (Tagtartaly.StaticHeight); 3 the standard check's two inputs
// (Tagtartaly.SteamPipeVolume, Tagtartaly.ValveOpeningPressure). Files of versions 1 and 2 still
// open, with the check's defaults.
inline constexpr int kJobFormatVersion = 3;

struct JobRead {
    std::optional<Job> job;
    QString error;  // what is wrong, one Hungarian sentence; empty when job is set
};

QByteArray jobToJson(const Job& job);
JobRead jobFromJson(const QByteArray& bytes);

// Reads and checks a file; the error names what is wrong but not the file.
JobRead readJobFile(const QString& path);
// Why the job cannot be written so that it reads back (a text over kMaxJobTextLength), as one
// Hungarian sentence naming the key; empty when it can.
QString unwritableReason(const Job& job);
// Atomic: the old file stays as it was unless the new one was written completely. A job with an
// unwritableReason is refused with that reason, and nothing is written.
bool writeJobFile(const QString& path, const Job& job, QString* error);

// The message shown for a file that cannot be opened or saved, naming the file.
QString openErrorMessage(const QString& path, const QString& reason);
QString saveErrorMessage(const QString& path, const QString& reason);
// The message for a job refused before writing, with its unwritableReason.
QString unwritableMessage(const QString& path, const QString& reason);

}  // namespace expans::ui
