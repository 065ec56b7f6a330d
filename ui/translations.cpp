#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace expans::ui {

std::unique_ptr<QTranslator> installQtTranslations() {
    auto translator = std::make_unique<QTranslator>();
    // Hungarian whatever the desktop's language: every text of the program is Hungarian.
#ifdef _WIN32
    // The Windows program carries them in itself: nothing lies beside it.
    const QString folder = QStringLiteral(":/translations");
#else
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    if (!translator->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    // Installed later, so asked first; it goes when Qt's translator is destroyed.
    auto* extra = new QTranslator(translator.get());
    if (extra->load(QStringLiteral(":/translations/qtbase_extra_hu.qm"))) {
        QCoreApplication::installTranslator(extra);
    }
    return translator;
}

}  // namespace expans::ui
