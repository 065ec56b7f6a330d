#include "io/savefile.h"

#include <QSaveFile>
#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace expans::ui {

namespace {

int syncToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd);  // the C runtime's fsync: FlushFileBuffers on the file's handle
#else
    return ::fsync(fd);
#endif
}

}  // namespace

bool commitSaveFile(QSaveFile& file, QString* error) {
    const auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        file.cancelWriting();  // the temporary file goes with the object
        return false;
    };
    // QSaveFile::commit() checks the writes it was asked for but not the final flush of its
    // buffer: on a full disk it would rename an empty temporary file over the target.
    if (file.error() != QFileDevice::NoError || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        return fail(file.errorString());
    }
    // Some file systems report a lack of space only when the data reaches the disk. A file
    // system that cannot sync (EINVAL) has nothing more to report.
    if (syncToDisk(file.handle()) != 0 && errno != EINVAL) return fail(qt_error_string(errno));
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    // A failed write leaves its error on the file, where the commit finds it.
    file.write(bytes);
    return commitSaveFile(file, error);
}

}  // namespace expans::ui
