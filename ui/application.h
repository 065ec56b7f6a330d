#pragma once

#include <QTranslator>
#include <memory>

namespace expans::ui {

// What every start of the calculator sets up once the QApplication exists: the program's name,
// version and maker, its window icon and desktop entry, and Qt's own Hungarian texts (see
// installQtTranslations; keep the result alive for as long as the texts are wanted).
std::unique_ptr<QTranslator> prepareApplication();

// The whole program behind main: reads the command line (a job file to open, --pdf to write the
// report without a window, --help, --version), sets up the application and runs it. Returns the
// exit status. argc must outlive the call, as QApplication keeps a reference to it.
int runApplication(int& argc, char* argv[]);

#ifdef _WIN32
// Windows has no Liberation Sans, which the windows are laid out for: the program brings it
// compiled in and registers it here (prepareApplication does; so do the window tests).
void addBundledFonts();
#endif

}  // namespace expans::ui
