#pragma once

// The dialogs of the file commands: file choosers, the save question, file errors, the print
// dialog and the about box. Each goes through a replaceable function, like the error box in
// messagebox.h, so tests can answer them without a modal dialog ever opening.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace expans::ui {

enum class SaveAnswer { Save, Discard, Cancel };

struct Dialogs {
    // An empty result means the user cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& filter)> openFile;
    std::function<QString(QWidget* parent, const QString& title, const QString& suggested,
                          const QString& filter)>
        saveFile;
    std::function<SaveAnswer(QWidget* parent, const QString& fileName)> askSave;
    std::function<void(QWidget* parent, const QString& message)> fileError;
    // False when the user cancelled.
    std::function<bool(QWidget* parent, QPrinter& printer)> print;
    std::function<void(QWidget* parent)> about;
};

// The dialogs in use: each member left empty opens the real dialog.
const Dialogs& dialogs();
// Installs replacements; returns what was installed before.
Dialogs setDialogs(Dialogs replacement);

// Each one opens the installed replacement or else the real, modal dialog.
// The real open dialog starts in folder; a replacement is not told it.
QString chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter);
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter);
SaveAnswer askSave(QWidget* parent, const QString& fileName);
void showFileError(QWidget* parent, const QString& message);
bool runPrintDialog(QWidget* parent, QPrinter& printer);
void showAbout(QWidget* parent);

}  // namespace expans::ui
