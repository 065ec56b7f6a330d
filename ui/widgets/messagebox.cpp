#include "widgets/messagebox.h"

#include <QMessageBox>
#include <utility>

namespace expans::ui {

namespace {

ErrorBox& installedBox() {
    static ErrorBox box;
    return box;
}

void showModalBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("HIBÁS ADAT"), message, QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

int& openBoxes() {
    static int count = 0;
    return count;
}

}  // namespace

void showError(QWidget* parent, const QString& message) {
    ++openBoxes();
    const struct Closed {
        ~Closed() { --openBoxes(); }
    } closed;
    if (const ErrorBox& box = installedBox()) {
        box(parent, message);
    } else {
        showModalBox(parent, message);
    }
}

bool errorBoxOpen() {
    return openBoxes() > 0;
}

ErrorBox setErrorBox(ErrorBox box) {
    return std::exchange(installedBox(), std::move(box));
}

}  // namespace expans::ui
