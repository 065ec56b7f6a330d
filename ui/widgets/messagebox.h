#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace expans::ui {

// Every rejected input is reported through here: an application-modal box titled "HIBÁS ADAT"
// with an exclamation icon and one OK button. The handler that calls it continues once the user
// has closed the box.
void showError(QWidget* parent, const QString& message);

// True while an error box of either window is open (also a replaced one, while it runs).
bool errorBoxOpen();

// The seam tests use to record messages instead of opening a modal box. An empty function puts
// the real box back. Returns the function that was installed before.
using ErrorBox = std::function<void(QWidget* parent, const QString& message)>;
ErrorBox setErrorBox(ErrorBox box);

}  // namespace expans::ui
