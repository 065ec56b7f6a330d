#include <QApplication>

#include "pictures.h"
#include "tagtartaly.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvenda-Expans"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Orvenda Kft."));
    QApplication::setWindowIcon(expans::ui::emblemIcon());
    // Ties the windows to the installed desktop entry (Wayland app id, task bar icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.orvenda.Expans"));

    expans::ui::Tagtartaly window;
    window.Form_Load();
    window.showAtStart();
    return QApplication::exec();
}
