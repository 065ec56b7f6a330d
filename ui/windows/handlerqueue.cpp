#include "windows/handlerqueue.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <utility>

#include "widgets/messagebox.h"

namespace expans::ui {

namespace {

constexpr int kMousePollMs = 10;
// A release that never comes (the button let go outside any window of the process) must not
// stop the window for good.
constexpr qint64 kLongestHoldMs = 3000;

// Clears the running flag however the handler leaves.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

}  // namespace

HandlerQueue::HandlerQueue(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HandlerQueue::drain);
}

void HandlerQueue::post(Handler handler, Condition stillWanted, Timing timing) {
    m_pending.push_back({std::move(handler), std::move(stillWanted), timing});
    scheduleDrain();
}

void HandlerQueue::run(Handler handler, Condition stillWanted) {
    m_pending.push_back({std::move(handler), std::move(stillWanted), Timing::Now});
    if (m_running || m_pending.size() > 1) {
        scheduleDrain();
        return;
    }
    drain();
}

void HandlerQueue::runNow(const Handler& handler) {
    if (m_running) {
        handler();
        return;
    }
    {
        const RunningFlag running(m_running);
        handler();
    }
    if (!m_pending.empty()) scheduleDrain();
}

void HandlerQueue::clear() {
    m_pending.clear();
}

void HandlerQueue::scheduleDrain(int delayMs) {
    if (delayMs == 0) {
        // A posted call rather than a zero timer: it runs ahead of the repaint that the raising
        // event asked for, so what the handler changes is painted in that same pass.
        if (!std::exchange(m_drainPosted, true)) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_drainPosted = false;
                    drain();
                },
                Qt::QueuedConnection);
        }
        return;
    }
    if (m_timer.isActive() && m_timer.remainingTime() <= delayMs) return;
    m_timer.start(delayMs);
}

bool HandlerQueue::holdForMouse() {
    if (m_pending.front().timing != Timing::AfterMouseRelease ||
        QGuiApplication::mouseButtons() == Qt::NoButton) {
        m_held.invalidate();
        return false;
    }
    if (!m_held.isValid()) m_held.start();
    if (m_held.elapsed() > kLongestHoldMs) {
        m_held.invalidate();
        return false;
    }
    scheduleDrain(kMousePollMs);
    return true;
}

void HandlerQueue::drain() {
    // Inside a running handler (a modal box's nested loop) the outer drain picks the new entries
    // up once that handler has returned.
    if (m_running) return;
    // Nor inside the box of another window: the handlers wait until it is closed.
    if (errorBoxOpen()) {
        scheduleDrain(kMousePollMs);
        return;
    }
    const RunningFlag running(m_running);
    while (!m_pending.empty()) {
        if (holdForMouse()) return;
        Entry entry = std::move(m_pending.front());
        m_pending.pop_front();
        if (!entry.stillWanted || entry.stillWanted()) entry.handler();
    }
}

}  // namespace expans::ui
