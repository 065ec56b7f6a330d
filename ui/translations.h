#pragma once

#include <QTranslator>
#include <memory>

namespace expans::ui {

// Installs Qt's own Hungarian texts (context menus, standard dialogs and buttons), and after them
// the program's own translation of the few Qt texts that file lacks. Null when Qt's translation
// file is missing; the program then runs with Qt's English texts. Destroying the translator
// removes both again.
std::unique_ptr<QTranslator> installQtTranslations();

}  // namespace expans::ui
