#include "widgets/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <utility>

namespace expans::ui {

namespace {

Dialogs& installed() {
    static Dialogs current;
    return current;
}

}  // namespace

const Dialogs& dialogs() {
    return installed();
}

Dialogs setDialogs(Dialogs replacement) {
    return std::exchange(installed(), std::move(replacement));
}

QString chooseOpenFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) {
    if (installed().openFile) return installed().openFile(parent, title, filter);
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter) {
    if (installed().saveFile) return installed().saveFile(parent, title, suggested, filter);
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

SaveAnswer askSave(QWidget* parent, const QString& fileName) {
    if (installed().askSave) return installed().askSave(parent, fileName);
    QMessageBox box(
        QMessageBox::Question, QApplication::applicationName(),
        QStringLiteral("A(z) „%1” munka megváltozott.\nMenti a változásokat?").arg(fileName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void showFileError(QWidget* parent, const QString& message) {
    if (installed().fileError) return installed().fileError(parent, message);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Fájlhiba"), message, QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool runPrintDialog(QWidget* parent, QPrinter& printer) {
    if (installed().print) return installed().print(parent, printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void showAbout(QWidget* parent) {
    if (installed().about) return installed().about(parent);
    QMessageBox::about(
        parent, QStringLiteral("Névjegy"),
        QStringLiteral("<p><b>%1</b><br>Verzió: %2</p><p>Tágulási tartály méretezése, "
                       "rendszertérfogat-számítás és üzemállapot-szimuláció napkollektoros "
                       "rendszerekhez.</p><p>%3<br><a href=\"https://www.orvenda.hu/\">"
                       "www.orvenda.hu</a></p>")
            .arg(QApplication::applicationName().toHtmlEscaped(),
                 QApplication::applicationVersion().toHtmlEscaped(),
                 QApplication::organizationName().toHtmlEscaped()));
}

}  // namespace expans::ui
