#include "application.h"

#include <QApplication>
#ifdef _WIN32
#include <QFontDatabase>
#endif

#include "pictures.h"
#include "translations.h"

namespace expans::ui {

#ifdef _WIN32
void addBundledFonts() {
    for (const char* face : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(QLatin1String(face)));
    }
}
#endif

std::unique_ptr<QTranslator> prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvenda-Expans"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Orvenda Kft."));
    QApplication::setWindowIcon(emblemIcon());
    // Ties the windows to the installed desktop entry (Wayland app id, task bar icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.orvenda.Expans"));
#ifdef _WIN32
    addBundledFonts();
#endif
    return installQtTranslations();
}

}  // namespace expans::ui
