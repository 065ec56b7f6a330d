#pragma once

// The main window: vessel sizing inputs, results and the operating-state panel.
// Data flow: input boxes -> lost-focus checks (core validation) -> MainState; commands and
// selections -> core sizing -> result labels; sliders -> core operating state -> panel drawing.
// The system-volume window writes Text1 and Text11, hides the cover Picture4 and re-enables
// this window when the user returns from it.

#include <QWidget>
#include <memory>

#include "state.h"

class QLineEdit;

namespace expans::ui {

class Rendszerterfogat;

class Tagtartaly : public QWidget {
    Q_OBJECT
public:
    explicit Tagtartaly(QWidget* parent = nullptr);
    ~Tagtartaly() override;

    void Form_Load();

    // Called by the system-volume window as the last step of its return command: gives the
    // focus back to this window so that Command2_GotFocus recomputes. No effect while hidden.
    void reactivate();

    const MainState& state() const { return m_state; }
    Rendszerterfogat* volumeWindow() const { return m_volume.get(); }

    // Controls the system-volume window addresses by name.
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text11 = nullptr;
    QWidget* Picture4 = nullptr;

private:
    MainState m_state;
    std::unique_ptr<Rendszerterfogat> m_volume;
};

}  // namespace expans::ui
