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

}  // namespace expans::ui
