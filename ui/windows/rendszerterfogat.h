#pragma once

// The system-volume window: sums the circuit's fluid volume from its components.
// Data flow: a list selection writes the row's catalogue figure into its box; every change of a
// box runs Command1_Click, which checks the editable boxes (a rejected box is reset, and that
// write runs a complete nested calculation), re-reads all sixteen boxes into VolumeState and shows
// the totals. The boxes are the master copy of every figure. Command2_Click hands the system
// volume and the collector volume back to the window it was opened from (VolumeHost), uncovers
// that window and hides this one.

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "catalogue.h"
#include "job.h"
#include "state.h"
#include "windows/volumehost.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace expans::ui {

class Rendszerterfogat : public QWidget, private VolumePort {
    Q_OBJECT
public:
    explicit Rendszerterfogat(VolumeHost& host);
    ~Rendszerterfogat() override;

    using QWidget::isEnabled;
    using QWidget::setEnabled;

    void Form_Load();
    void showModeless();

    void Command1_Click();
    void Command2_Click();
    // Combo1_Click to Combo9_Click: the list's catalogue figure into its boxes.
    void Combo_Click(VolumeList list);
    // Text1_Change to Text18_Change: each runs Command1_Click.
    void Text_Change(VolumeBox box);

    const VolumeState& state() const { return m_state; }
    // False while the totals cannot be represented; the return command then hands nothing back
    // and says so.
    bool totalsValid() const { return m_totalsValid; }

    // What a saved job and the printed report read of this window: each list's selection (-1 for
    // none) and each box's text as shown.
    int selectedIndex(VolumeList which) const { return listIndex(which); }
    QString boxText(VolumeBox which) const;
    // Enters a saved job's selections and texts, each list's Click setting its row up, then runs
    // the one summation over them all (no figure is counted against one of the state before).
    void enterJob(const Job& job);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void wireEvents();
    QLineEdit* box(VolumeBox box) const;
    QComboBox* list(VolumeList list) const;
    QLabel* label(VolumeLabel label) const;

    std::string text(VolumeBox box) const override;
    void setText(VolumeBox box, const std::string& text) override;
    void setEnabled(VolumeBox box, bool enabled) override;
    bool isEnabled(VolumeBox box) const override;
    int listIndex(VolumeList list) const override;
    void restoreListIndex(VolumeList list, int index) override;
    void showMessage(const std::string& message) override;
    void setLabel(VolumeLabel label, const std::string& text) override;

    VolumeHost& m_host;
    VolumeState m_state;
    bool m_totalsValid = false;
    bool m_shownBefore = false;
    // Set when a list's index changed and its Click ran; the user's pick that caused the change
    // then also reports `activated`, which must not run Click a second time.
    std::array<bool, kVolumeListCount> m_clickRanForChange{};

    // The controls, named as designed (each also carries its name as objectName).
    QFrame* Picture1 = nullptr;  // collectors
    QFrame* Picture2 = nullptr;  // piping
    QFrame* Picture3 = nullptr;  // heat exchangers
    QFrame* Picture4 = nullptr;  // other fittings
    QFrame* Picture5 = nullptr;  // total

    QPushButton* Command1 = nullptr;  // never shown; its handler is the calculation
    QPushButton* Command2 = nullptr;

    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* Combo5 = nullptr;
    QComboBox* Combo6 = nullptr;
    QComboBox* Combo7 = nullptr;
    QComboBox* Combo8 = nullptr;
    QComboBox* Combo9 = nullptr;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLineEdit* Text12 = nullptr;
    QLineEdit* Text13 = nullptr;
    QLineEdit* Text14 = nullptr;
    QLineEdit* Text15 = nullptr;
    QLineEdit* Text16 = nullptr;
    QLineEdit* Text17 = nullptr;
    QLineEdit* Text18 = nullptr;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QLabel*, 4> Label7{};  // panel headings, top panel first
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;   // collectors subtotal
    QLabel* Label10 = nullptr;  // piping subtotal
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;  // heat-exchanger subtotal
    QLabel* Label14 = nullptr;  // system volume
    QLabel* Label16 = nullptr;  // fittings subtotal

    // The same controls by the core's names for them, in the order of VolumeBox, VolumeList
    // and VolumeLabel.
    std::array<QLineEdit*, kVolumeBoxCount> m_boxes{};
    std::array<QComboBox*, kVolumeListCount> m_lists{};
    std::array<QLabel*, 5> m_labels{};
};

}  // namespace expans::ui
