#pragma once

// The main window's menu bar and its file commands. It sits above the designed client area and
// keeps the job file: which file is open, what it held when last opened or saved (a job differs
// from it: the title shows the unsaved mark), and asks before a changed job would be dropped.
// While the volume window covers the main window, the menu is disabled.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

#include "job.h"
#include "windows/menuhost.h"

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QPagedPaintDevice;

namespace expans::ui {

class Ellenorzes;

class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(MenuHost& window);
    ~MainMenu() override;

    QMenuBar* menuBar() const { return m_bar; }
    QString filePath() const { return m_path; }
    // The job on screen differs from its file as last opened or saved (the title's mark).
    bool isModified() const;
    // Where the file dialogs start: the open job's folder, else the folder last used for a job
    // (kept in the settings), else the user's documents folder.
    QString dialogFolder() const;

    // The commands as the menu runs them; each reports its own failures to the user.
    void newJob();
    void open();
    bool save();
    bool saveAs();
    void exportPdf();
    void print();
    // "Eszközök › Ellenőrzés az MSZ EN 12828 szerint…": the sizing, then the check's dialog.
    void checkStandard();
    // The check's dialog while it is open, else null.
    Ellenorzes* checkDialog() const;

    // Opens a file without asking about the job on screen; false (after the message) when the
    // file cannot be read.
    bool openFile(const QString& path);
    // With a file open and unsaved changes asks whether to save; false when the user cancels or
    // the save fails.
    bool maySwitchAway();

private:
    QAction* addCommand(QMenu* menu, const QString& text, const QKeySequence& keys,
                        std::function<void()> command);
    bool saveTo(const QString& path);
    void setFile(const QString& path, const Job& saved);
    void setCovered(bool covered);
    void watchChanges();
    void scheduleModifiedCheck();
    void updateMark();
    void updateTitle();
    void closeCheck();

    MenuHost& m_host;
    QWidget& m_window;  // the host as a widget
    QMenuBar* m_bar = nullptr;
    QString m_path;              // empty: no file open
    std::optional<Job> m_saved;  // the job as its file holds it since it was last opened or saved
    bool m_mainWatched = false;
    QPointer<QObject> m_watchedVolume;  // null again once "Új" has replaced the volume window
    // A window of its own (not one of the main window's controls), application-modal; it reads
    // the job it opened on, so any other command closes it first, its figures kept as accepted.
    QPointer<Ellenorzes> m_checkDialog;
    bool m_checkPending = false;
};

}  // namespace expans::ui
