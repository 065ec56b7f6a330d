#pragma once

// What the menu bar asks of the window it sits on: the job on screen, the commands the menu runs
// through it, and the report. The main window implements it, so the menu names none of its
// controls.

#include <functional>
#include <string>

#include "job.h"

class QPagedPaintDevice;
class QString;
class QWidget;

namespace expans::ui {

struct ReportSource;

class MenuHost {
public:
    // The window as a widget: it carries the bar, the title with the unsaved mark, and is the
    // parent of the menu's dialogs.
    virtual QWidget& hostWindow() = 0;
    // The designed area below the bar; the menu watches its controls for changes.
    virtual QWidget* clientArea() const = 0;
    // The system-volume window, watched the same way; null while there is none.
    virtual QWidget* volumeWidget() const = 0;
    // True while a user-event handler runs or waits.
    virtual bool handlersPending() const = 0;
    // Runs a command after the user-event handlers that are waiting, like a click.
    virtual void postCommand(std::function<void()> command) = 0;
    // Asked before the program ends; false keeps it running.
    virtual void setExitGuard(std::function<bool()> mayEnd) = 0;
    // Told each time the panel that covers the window while the volume window is open shows
    // (true) or hides (false).
    virtual void setCoverWatch(std::function<void(bool covered)> watch) = 0;
    // The exit command, as the window's own button runs it.
    virtual void quit() = 0;

    virtual Job job() const = 0;
    virtual void applyJob(const Job& job) = 0;
    virtual void restart() = 0;

    // The sizing for the inputs on screen, then the report of them.
    virtual void calculateForReport() = 0;
    virtual void paintReport(QPagedPaintDevice& device, const QString& jobFileName) const = 0;
    virtual bool writeReportPdf(const QString& path, const QString& jobFileName,
                                QString* error) const = 0;
    // What the report is made of (the standard check reads the same).
    virtual ReportSource reportSource() const = 0;
    // The standard check's two inputs as its dialog accepted them (kept with the job).
    virtual void setCheckInputs(const std::string& steamPipeVolume,
                                const std::string& valvePressure) = 0;

protected:
    ~MenuHost() = default;
};

}  // namespace expans::ui
