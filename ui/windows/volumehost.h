#pragma once

// What the system-volume window asks of the window it is opened from; the main window implements
// it, so neither window's code names the other's controls.

class QString;
class QWidget;

namespace expans::ui {

class VolumeHost {
public:
    // The window as a widget: the volume window keeps it disabled while it loads and opens
    // centred on its screen.
    virtual QWidget& hostWindow() = 0;
    // The return command's figures, written like typing: the system volume, then the collector
    // volume, each change running its handler at once.
    virtual void takeVolumes(const QString& systemVolume, const QString& collectorVolume) = 0;
    // The panel that covers the window's controls while the volume window is open.
    virtual void setCovered(bool covered) = 0;
    // The return command's last step: the focus back to the window (no effect while hidden).
    virtual void reactivate() = 0;

protected:
    ~VolumeHost() = default;
};

}  // namespace expans::ui
