#pragma once

// The dialog "Ellenőrzés az MSZ EN 12828 szerint": the check's two own inputs (the pipes' steam
// content and the safety valve's opening pressure), the standard's figures, the verdicts and the
// program's own minimum beside the standard's. It reads the main window's stored values once, as
// they stand when it opens (the menu runs the focused field's check and the sizing first), and
// recomputes each time one of its inputs takes a new figure. A figure that its check rejects is
// reported when the field is left, and the field shows the last accepted figure again.

#include <QDialog>
#include <string>
#include <vector>

#include "io/report_data.h"
#include "standard_check.h"

class QLabel;
class QLineEdit;

namespace expans::ui {

class MenuHost;

class Ellenorzes : public QDialog {
    Q_OBJECT
public:
    Ellenorzes(MenuHost& host, QWidget* parent);

    const StandardCheck& check() const { return m_check; }

    // Closing keeps what the fields hold where their checks accept it.
    void reject() override;

private:
    void steamPipeLeft();
    void valveLeft();
    void showValve();
    // Text2 untouched since it showed the maximum system pressure, or emptied.
    bool followsMaximum() const;
    // The figures for the fields' texts as they stand, each falling back to its last accepted
    // figure while the text does not pass its check.
    void update();

    MenuHost& m_host;
    ReportSource m_source;
    StandardCheck m_check;
    std::string m_steamPipeText;  // the last accepted figure as typed (kept with the job)
    std::string m_valveText;      // empty: follows the maximum system pressure
    bool m_reporting = false;     // a message box of a field is open

    QLineEdit* Text1 = nullptr;  // V_P, liter
    QLineEdit* Text2 = nullptr;  // p_SV, bar
    QLabel* m_valveNote = nullptr;
    std::vector<QLabel*> m_figureValues;
    std::vector<QLabel*> m_figureUnits;
    QLabel* m_verdicts = nullptr;
    QLabel* m_ownMinimum = nullptr;
    QLabel* m_standardMinimum = nullptr;
    QLabel* m_difference = nullptr;
};

}  // namespace expans::ui
