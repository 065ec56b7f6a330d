#pragma once

#include <QTranslator>
#include <memory>

namespace expans::ui {

// Installs Qt's own Hungarian texts (context menus, standard dialogs and buttons). Null when the
// translation file is missing; the program then runs with Qt's English texts. Destroying the
// translator removes it again.
std::unique_ptr<QTranslator> installQtTranslations();

}  // namespace expans::ui
