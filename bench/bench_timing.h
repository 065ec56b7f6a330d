#pragma once

// What the benchmark programs and their floor twins share: the clock, the process-start stamp,
// memory figures, paint counting and the loop that lets one step run to its last paint. Both sides
// include this header, so they time the same points.

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

inline std::int64_t nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The driver stamps CLOCK_REALTIME just before exec and passes it here; run by hand, the top of
// main() stands in for it.
inline std::int64_t processStartNs(std::int64_t fallback) {
    const char* stamp = std::getenv("EXPANS_BENCH_T0");
    return stamp ? std::strtoll(stamp, nullptr, 10) : fallback;
}

struct Memory {
    long rssKb = 0;
    long peakKb = 0;
};

inline Memory readMemory() {
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return memory;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const auto value = [&line] { return line.mid(6).trimmed().split(' ').value(0).toLong(); };
        if (line.startsWith("VmRSS:")) memory.rssKb = value();
        if (line.startsWith("VmHWM:")) memory.peakKb = value();
    }
    return memory;
}

// One figure per line, `key=value`, read by the driver.
inline void report(const char* key, double value) {
    std::printf("%s=%.6f\n", key, value);
    std::fflush(stdout);
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Counts every event the application delivers and every paint, keyed by widget. A paint pass is
// what one update request or expose of a window paints; each paint is filed under the pass that
// was current when it arrived.
class PaintCounter : public QObject {
public:
    PaintCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }

    // EXPANS_BENCH_TRACE: lists the events of one step on stderr.
    void trace(bool on) {
        m_trace = on;
        m_lastTraced = 0;
    }
    void reset() {
        m_paints.clear();
        m_passes.clear();
        m_passesByWindow.clear();
        m_paintCount = 0;
    }
    std::int64_t events() const { return m_events; }
    int paints() const { return m_paintCount; }
    int widgetsPainted() const { return int(m_paints.size()); }
    int passes() const { return int(m_passes.size()); }
    // The most paint passes any one window had.
    int mostPassesOfOneWindow() const {
        int most = 0;
        for (const auto& passes : m_passesByWindow) most = std::max(most, int(passes.size()));
        return most;
    }
    int passesOf(const QWidget* window) const { return int(m_passesByWindow.value(window).size()); }
    QStringList widgetNames() const {
        QStringList names;
        for (auto it = m_paints.cbegin(); it != m_paints.cend(); ++it) {
            const QObject* widget = it.key();
            names << (widget->objectName().isEmpty()
                          ? QString::fromLatin1(widget->metaObject()->className())
                          : widget->objectName()) +
                         QStringLiteral("×%1").arg(it.value());
        }
        names.sort();
        return names;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        ++m_events;
        const QEvent::Type type = event->type();
        if (m_trace) {
            // Each event with the time since the one before it, in microseconds.
            const std::int64_t now = nowNs();
            std::fprintf(stderr, " [%d %s +%lld]", int(type), qPrintable(watched->objectName()),
                         static_cast<long long>(m_lastTraced ? (now - m_lastTraced) / 1000 : 0));
            m_lastTraced = now;
        }
        if (type == QEvent::UpdateRequest || type == QEvent::Expose) {
            ++m_passId;
        } else if (type == QEvent::Paint && watched->isWidgetType()) {
            const auto* widget = static_cast<QWidget*>(watched);
            ++m_paints[widget];
            ++m_paintCount;
            m_passes.insert(m_passId);
            m_passesByWindow[widget->window()].insert(m_passId);
        }
        return false;
    }

private:
    bool m_trace = false;
    std::int64_t m_lastTraced = 0;
    std::int64_t m_events = 0;
    std::int64_t m_passId = 0;
    int m_paintCount = 0;
    QHash<const QObject*, int> m_paints;
    QSet<std::int64_t> m_passes;
    QHash<const QWidget*, QSet<std::int64_t>> m_passesByWindow;
};

// Runs the event loop until it has been idle for a few turns in a row and returns the time of
// the end of the last turn that delivered anything (a timer, a posted handler, a paint).
inline std::int64_t runUntilQuiet(const PaintCounter& counter) {
    std::int64_t lastActive = nowNs();
    int idleTurns = 0;
    while (idleTurns < 3) {
        const std::int64_t before = counter.events();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (counter.events() != before) {
            lastActive = nowNs();
            idleTurns = 0;
        } else {
            ++idleTurns;
        }
    }
    return lastActive;
}

// Like runUntilQuiet, and also returns the end of the first turn in which `window` painted.
inline std::int64_t runUntilPainted(const PaintCounter& counter, const QWidget* window,
                                    std::int64_t deadlineNs) {
    while (nowNs() < deadlineNs) {
        const bool painted = counter.passesOf(window) > 0;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!painted && counter.passesOf(window) > 0) return nowNs();
    }
    return 0;
}

// Lets the loop run for a while: whatever paints now came late.
inline void runFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

}  // namespace bench

// ---------------------------------------------------------------------------------------------
// The scenarios, run the same way on the calculator and on its floor.

#include <QEventLoop>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

namespace bench {

// What a scenario drives: the real windows of the calculator, or their bare twins.
struct Subject {
    QWidget* main = nullptr;
    QWidget* volume = nullptr;
    QScrollBar* meanSlider = nullptr;       // the mean-temperature slider
    QScrollBar* collectorSlider = nullptr;  // the collector-temperature slider
    QPushButton* openVolume = nullptr;      // main window → volume window
    QPushButton* returnFromVolume = nullptr;
    std::function<void(int)> changeVolumeBox;  // one box change in the volume window
};

// Notes the end of the window's first paint pass: the next turn of the event loop after its
// first paint event, when every child has painted and the backing store has been flushed.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* window) : m_window(window) { window->installEventFilter(this); }
    bool done() const { return m_end != 0; }
    std::int64_t end() const { return m_end; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { m_end = nowNs(); });
        }
        return false;
    }

private:
    QWidget* m_window;
    bool m_seen = false;
    std::int64_t m_end = 0;
};

inline void sweep(const char* name, QScrollBar* bar, PaintCounter& counter) {
    bar->setValue(bar->minimum());
    runUntilQuiet(counter);
    std::vector<double> micros;
    double passes = 0;
    double widgets = 0;
    int late = 0;
    int steps = 0;
    for (int value = bar->minimum() + 1; value <= bar->maximum(); ++value) {
        counter.reset();
        counter.trace(std::getenv("EXPANS_BENCH_TRACE") &&
                      value == std::atoi(std::getenv("EXPANS_BENCH_TRACE")));
        const std::int64_t start = nowNs();
        bar->setValue(value);
        const std::int64_t end = runUntilQuiet(counter);
        if (std::getenv("EXPANS_BENCH_TRACE") &&
            value == std::atoi(std::getenv("EXPANS_BENCH_TRACE")))
            std::fprintf(stderr, "\n");
        counter.trace(false);
        micros.push_back(double(end - start) / 1000.0);
        passes += counter.passes();
        if (std::getenv("EXPANS_BENCH_VERBOSE") && counter.passes() > 1) {
            std::fprintf(stderr, "%s %d: %d passes: %s\n", name, value, counter.passes(),
                         qPrintable(counter.widgetNames().join(QLatin1Char(' '))));
        }
        widgets += counter.widgetsPainted();
        ++steps;
        if (value % 25 == 0) {
            // The check pass: nothing may paint after the step was timed.
            const int painted = counter.paints();
            runFor(20);
            late += counter.paints() - painted;
        }
        if (std::getenv("EXPANS_BENCH_VERBOSE") && value % 40 == 0) {
            std::fprintf(stderr, "%s %d: %s\n", name, value,
                         qPrintable(counter.widgetNames().join(QLatin1Char(' '))));
        }
    }
    const std::string key(name);
    report((key + "_us").c_str(), median(micros));
    report((key + "_passes").c_str(), passes / steps);
    report((key + "_widgets").c_str(), widgets / steps);
    report((key + "_late").c_str(), late);
}

// A click on a real button, then the time to the end of the first turn in which `shown`
// painted; the repaints are counted until the loop has been quiet for a while.
inline void transition(const char* name, QPushButton* button, QWidget* shown,
                       PaintCounter& counter) {
    runUntilQuiet(counter);
    counter.reset();
    const std::int64_t start = nowNs();
    QTest::mouseClick(button, Qt::LeftButton);
    const std::int64_t painted = runUntilPainted(counter, shown, start + 5000000000LL);
    runUntilQuiet(counter);
    runFor(30);
    const std::string key(name);
    report((key + "_ms").c_str(), painted ? double(painted - start) / 1e6 : 9999.0);
    report((key + "_repaints").c_str(), counter.mostPassesOfOneWindow());
    if (std::getenv("EXPANS_BENCH_VERBOSE")) {
        std::fprintf(stderr, "%s: %s\n", name,
                     qPrintable(counter.widgetNames().join(QLatin1Char(' '))));
    }
}

inline void summation(Subject& subject, PaintCounter& counter) {
    std::vector<double> micros;
    for (int round = 0; round < 21; ++round) {
        runUntilQuiet(counter);
        counter.reset();
        const std::int64_t start = nowNs();
        subject.changeVolumeBox(round);
        const std::int64_t end = runUntilQuiet(counter);
        micros.push_back(double(end - start) / 1000.0);
    }
    report("summation_us", median(micros));
}

// Modes: startup (start-up and memory), slider (both sliders over their whole range), volume
// (open and return, then a summation), all.
inline int run(const QString& mode, Subject& subject, FirstFrame& first, std::int64_t start) {
    while (!first.done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const Memory atFirstFrame = readMemory();
    report("startup_ms", double(first.end() - start) / 1e6);
    report("rss_mb", atFirstFrame.rssKb / 1024.0);
    report("peak_mb", atFirstFrame.peakKb / 1024.0);
    const bool all = mode == QStringLiteral("all");
    PaintCounter counter;
    if (mode == QStringLiteral("startup") || all) {
        runFor(200);
        report("rss_idle_mb", readMemory().rssKb / 1024.0);
    }
    if (mode == QStringLiteral("slider") || all) {
        sweep("slider_mean", subject.meanSlider, counter);
        sweep("slider_collector", subject.collectorSlider, counter);
    }
    if (mode == QStringLiteral("volume") || all) {
        transition("volume_open", subject.openVolume, subject.volume, counter);
        transition("volume_return", subject.returnFromVolume, subject.main, counter);
        transition("volume_open_again", subject.openVolume, subject.volume, counter);
        summation(subject, counter);
        transition("volume_return_again", subject.returnFromVolume, subject.main, counter);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace bench
