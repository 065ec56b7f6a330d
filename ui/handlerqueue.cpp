#include "handlerqueue.h"

#include <QMetaObject>
#include <utility>

namespace expans::ui {

HandlerQueue::HandlerQueue(QObject* parent) : QObject(parent) {}

void HandlerQueue::post(Handler handler, Condition stillWanted) {
    m_pending.push_back({std::move(handler), std::move(stillWanted)});
    scheduleDrain();
}

void HandlerQueue::run(Handler handler, Condition stillWanted) {
    m_pending.push_back({std::move(handler), std::move(stillWanted)});
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
    m_running = true;
    handler();
    m_running = false;
    if (!m_pending.empty()) scheduleDrain();
}

void HandlerQueue::clear() {
    m_pending.clear();
}

void HandlerQueue::scheduleDrain() {
    if (m_drainScheduled) return;
    m_drainScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_drainScheduled = false;
            drain();
        },
        Qt::QueuedConnection);
}

void HandlerQueue::drain() {
    // Inside a running handler (a modal box's nested loop) the outer drain picks the new entries
    // up once that handler has returned.
    if (m_running) return;
    m_running = true;
    while (!m_pending.empty()) {
        Entry entry = std::move(m_pending.front());
        m_pending.pop_front();
        if (!entry.stillWanted || entry.stillWanted()) entry.handler();
    }
    m_running = false;
}

}  // namespace expans::ui
