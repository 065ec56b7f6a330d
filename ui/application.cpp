#include "application.h"

#include <QApplication>

#include "translations.h"
#include "widgets/pictures.h"

namespace expans::ui {

std::unique_ptr<QTranslator> prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvenda-Expans"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Orvenda Kft."));
    QApplication::setWindowIcon(emblemIcon());
    // Ties the windows to the installed desktop entry (Wayland app id, task bar icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.orvenda.Expans"));
    return installQtTranslations();
}

}  // namespace expans::ui
