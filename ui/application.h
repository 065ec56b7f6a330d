#pragma once

#include <QTranslator>
#include <memory>

namespace expans::ui {

// What every start of the calculator sets up once the QApplication exists: the program's name,
// version and maker, its window icon and desktop entry, and Qt's own Hungarian texts (see
// installQtTranslations; keep the result alive for as long as the texts are wanted).
std::unique_ptr<QTranslator> prepareApplication();

}  // namespace expans::ui
