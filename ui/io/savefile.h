#pragma once

// Files written whole or not at all: the data goes to a temporary file beside the target, which
// replaces the target only once every byte of it is known to be written. Needs only Qt Core.

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace expans::ui {

// Finishes a QSaveFile the caller has written to. On any failure of the writing so far, of the
// flush of the last buffered bytes or of the sync to the disk, the temporary file is dropped, the
// target stays as it was and *error says why (Qt's text of the system error).
bool commitSaveFile(QSaveFile& file, QString* error);

// Writes bytes to path that way.
bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace expans::ui
