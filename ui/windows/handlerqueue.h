#pragma once

// Runs a window's user-event handlers (lost focus, got focus, clicks, choices, slider moves) one
// at a time and in the order their events arrived, after the event that raised them is finished.
// While a handler runs — including the nested event loop of a modal message box it opens — the
// queue is busy and later handlers wait, so a lost-focus check always completes before the next
// control's got-focus handler and before a click.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

namespace expans::ui {

class HandlerQueue : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    // Asked just before the handler would run; false drops the handler (e.g. a got-focus whose
    // control has lost the focus again meanwhile).
    using Condition = std::function<bool()>;

    // Whether a handler may wait for the mouse button that moved the focus to be released. A
    // check that opens a message box while the button is still down would take the release
    // away from the control, and the click that the user made would be lost.
    enum class Timing { Now, AfterMouseRelease };

    explicit HandlerQueue(QObject* parent = nullptr);

    // Queues the handler; it runs once control is back in the event loop.
    void post(Handler handler, Condition stillWanted = {}, Timing timing = Timing::Now);
    // Runs the handler at once when nothing else is running or waiting, else queues it.
    void run(Handler handler, Condition stillWanted = {});
    // Runs the handler at once, before anything waiting: nested when called from a running
    // handler, else as a handler of its own (the queue is busy until it returns).
    void runNow(const Handler& handler);
    // Forgets every waiting handler (the window is going away).
    void clear();

    bool idle() const { return !m_running && m_pending.empty(); }

private:
    struct Entry {
        Handler handler;
        Condition stillWanted;
        Timing timing = Timing::Now;
    };

    void scheduleDrain(int delayMs = 0);
    void drain();
    bool holdForMouse();

    std::deque<Entry> m_pending;
    bool m_running = false;
    bool m_drainPosted = false;
    QTimer m_timer;
    QElapsedTimer m_held;  // since when the head has waited for a mouse release
};

}  // namespace expans::ui
