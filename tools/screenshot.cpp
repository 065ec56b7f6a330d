// Usage: expans-screenshot <folder>
// Writes main.png (the main window after start-up), volume.png (the system-volume window) and
// cover.png (the main window while the system-volume window is open) into <folder>.

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>
#include <QTextStream>

#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (window.grab().save(path)) return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: expans-screenshot <folder>\n";
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "cannot create " << folder.path() << '\n';
        return 1;
    }

    expans::ui::Tagtartaly window;
    window.setQuitAction([] {});
    window.Form_Load();
    window.showAtStart();
    bool ok = save(window, folder, QStringLiteral("main.png"));

    window.Command2_Click();
    ok = save(window, folder, QStringLiteral("cover.png")) && ok;
    ok = save(*window.volumeWindow(), folder, QStringLiteral("volume.png")) && ok;
    return ok ? 0 : 1;
}
