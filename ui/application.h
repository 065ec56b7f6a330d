#pragma once

#include <QTranslator>
#include <memory>

namespace expans::ui {

// What every start of the calculator sets up once the QApplication exists: the program's name,
// version and maker, its window icon and desktop entry, and Qt's own Hungarian texts (see
// installQtTranslations; keep the result alive for as long as the texts are wanted).
std::unique_ptr<QTranslator> prepareApplication();

#ifdef _WIN32
// Windows has no Liberation Sans, which the windows are laid out for: the program brings it
// compiled in and registers it here (prepareApplication does; so do the window tests).
void addBundledFonts();
#endif

}  // namespace expans::ui
