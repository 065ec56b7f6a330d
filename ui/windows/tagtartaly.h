#pragma once

// The main window: vessel sizing inputs, results and the operating-state panel.
// Data flow: input boxes -> lost-focus checks (core validation) -> MainState; commands and
// selections -> core sizing -> result labels; sliders -> core operating state -> panel drawing.
// The system-volume window reaches it through VolumeHost only: it hands back Text1 and Text11,
// uncovers it (Picture4) and re-enables it when the user returns from it.
//
// Event model: a property set from code runs the control's handler nested, at once (the window
// calls the handler itself where Qt stays silent, e.g. for an unchanged value). What the user does
// (leaving a field, entering a control, clicking, choosing, moving a slider) goes through one
// serialized queue, so a lost-focus check and its message box finish before the next control's
// got-focus handler and before a click runs.

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "job.h"
#include "standard_check.h"
#include "state.h"
#include "windows/handlerqueue.h"
#include "windows/menuhost.h"
#include "windows/volumehost.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace expans {
struct FieldCheck;
}

namespace expans::ui {

class MainMenu;
class PictureGround;
struct ReportSource;
class Rendszerterfogat;
class RoundedBar;
class TwipLine;

class Tagtartaly : public QWidget, public VolumeHost, public MenuHost {
    Q_OBJECT
public:
    explicit Tagtartaly(QWidget* parent = nullptr);
    ~Tagtartaly() override;

    void Form_Load();

    // Start-up's last step: centred on the screen, shown, the focus on Command1.
    void showAtStart();

    // What the system-volume window and the menu ask of this window. reactivate() gives the
    // focus back so that Command2_GotFocus recomputes.
    QWidget& hostWindow() override { return *this; }
    void takeVolumes(const QString& systemVolume, const QString& collectorVolume) override;
    void setCovered(bool covered) override;
    void reactivate() override;

    const MainState& state() const { return m_state; }
    Rendszerterfogat* volumeWindow() const { return m_volume.get(); }

    // What ending the application does; tests replace it. Default: leave the event loop.
    void setQuitAction(std::function<void()> quit) { m_quit = std::move(quit); }

    // True while a queued user-event handler runs or waits.
    bool handlersPending() const override { return !m_queue.idle(); }

    // Job files (tagtartaly_job.cpp). job() reads both windows; applyJob() enters a job through
    // the same handlers and checks as typing; restart() puts both windows back to start-up.
    Job job() const override;
    // What the printed report is made of: both windows' records and the figures the results and
    // slider panels show.
    ReportSource reportSource() const override;
    void setCheckInputs(const std::string& steamPipeVolume,
                        const std::string& valvePressure) override;
    void applyJob(const Job& job) override;
    void restart() override;
    // What pressing "Számítás" runs — the check of the field that holds the focus, then the
    // sizing — so that a printed report's results, and a saved job, belong to the inputs shown.
    void calculateForReport() override;
    void paintReport(QPagedPaintDevice& device, const QString& jobFileName) const override;
    bool writeReportPdf(const QString& path, const QString& jobFileName,
                        QString* error) const override;
    // Runs a menu command after the user-event handlers that are waiting, like a click.
    void postCommand(std::function<void()> command) override { m_queue.post(std::move(command)); }
    // Asked before the program ends; false keeps it running (the user cancelled).
    void setExitGuard(std::function<bool()> mayEnd) override { m_mayEnd = std::move(mayEnd); }
    void setCoverWatch(std::function<void(bool)> watch) override {
        m_coverWatch = std::move(watch);
    }
    void quit() override { Command3_Click(); }
    // The designed 877 × 527 area below the menu bar.
    QWidget* clientArea() const override { return m_client; }
    QWidget* volumeWidget() const override;
    MainMenu* menu() const { return m_menu; }

    void Command1_Click();
    void Command2_Click();
    void Command2_GotFocus();
    void Command3_Click();
    void Check1_Click();
    void Combo1_Click();
    void Tagtartaly_Click();
    void Text1_Change();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Text5_LostFocus();
    void Text6_LostFocus();
    void Text7_LostFocus();
    void HScroll1_Change();
    void HScroll1_Scroll();
    void HScroll2_Change();
    void HScroll2_Scroll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using FieldHandler = void (Tagtartaly::*)();
    FieldHandler lostFocusOf(const QObject* field) const;
    QLineEdit* fieldBox(MainField field) const;
    // The field's check as leaving it runs it (tagtartaly_job.cpp holds the table).
    void checkField(MainField field);

    void buildLayout();
    void connectHandlers();
    void setTabOrder();

    // Check1_Click's first half: the evaporation fields and Label7 follow the check box.
    void showEvaporationChoice();
    void meanSliderMoved();
    void recomputePanel();
    void message(const std::string& text);
    void setListIndex(QComboBox* list, int index, void (Tagtartaly::*handler)());
    void setScrollValue(QScrollBar* bar, int value, void (Tagtartaly::*handler)());
    void setChecked(bool checked);
    void applyFieldCheck(QLineEdit* field, const FieldCheck& check);

    MainState m_state;
    std::unique_ptr<Rendszerterfogat> m_volume;
    HandlerQueue m_queue;
    std::function<void()> m_quit;
    std::function<bool()> m_mayEnd;
    std::function<void(bool)> m_coverWatch;
    bool m_ended = false;
    QWidget* m_client = nullptr;
    MainMenu* m_menu = nullptr;
    std::vector<std::pair<QLineEdit*, QString>> m_designTexts;  // the fields as built
    // The standard check's inputs as its dialog last accepted them; the job keeps them.
    std::string m_steamPipeVolume = kStartSteamPipeVolumeText;
    std::string m_valvePressure;  // empty: follows the maximum system pressure
    // The last panel run failed: the next failures stay silent, so moving a slider does not
    // open one box per step while a figure stays out of range.
    bool m_panelFault = false;

    // The controls, named as designed (each also carries its name as objectName).
    QWidget* Picture4 = nullptr;  // covers the window while the volume window is open

    // Input panel.
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text11 = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label36 = nullptr;

    // Results panel.
    QComboBox* m_vesselList = nullptr;  // the list named Tagtartaly, like the window
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label29 = nullptr;

    // Slider panel.
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLineEdit* Text10 = nullptr;
    PictureGround* Picture5 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label34 = nullptr;
    QLabel* Label35 = nullptr;
    QLabel* Label39 = nullptr;
    QLabel* Label40 = nullptr;
    RoundedBar* Shape2 = nullptr;
    TwipLine* Line4 = nullptr;
};

}  // namespace expans::ui
