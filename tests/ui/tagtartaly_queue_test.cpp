// The serialized queue behind the main window's user events: order, exclusivity while a handler
// runs a nested event loop (as a modal box does), dropping, and waiting for a mouse release.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "windows/handlerqueue.h"

using expans::ui::HandlerQueue;

namespace {

struct Scenario {
    const char* name;
    std::function<void(HandlerQueue&, std::string&)> act;
    std::string beforeEvents;  // what ran before control returned to the event loop
    std::string afterEvents;
};

// Spins a nested event loop the way QMessageBox::exec() does.
void nestedLoop() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

class QueueOrder : public ::testing::TestWithParam<Scenario> {};

TEST_P(QueueOrder, RunsInArrivalOrderOneAtATime) {
    HandlerQueue queue;
    std::string log;
    GetParam().act(queue, log);
    EXPECT_EQ(log, GetParam().beforeEvents);
    for (int round = 0; round < 20 && !queue.idle(); ++round) QTest::qWait(5);
    EXPECT_TRUE(queue.idle());
    EXPECT_EQ(log, GetParam().afterEvents);
}

INSTANTIATE_TEST_SUITE_P(HandlerQueue, QueueOrder,
                         ::testing::Values(Scenario{"PostedRunLater",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&log] { log += "a"; });
                                                        q.post([&log] { log += "b"; });
                                                    },
                                                    "", "ab"},
                                           Scenario{"NothingRunsInsideNestedLoop",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&log] {
                                                            log += "[";
                                                            nestedLoop();
                                                            log += "]";
                                                        });
                                                        q.post([&log] { log += "b"; });
                                                    },
                                                    "", "[]b"},
                                           Scenario{"PostedDuringHandlerComesLast",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&q, &log] {
                                                            log += "a";
                                                            q.post([&log] { log += "c"; });
                                                            nestedLoop();
                                                        });
                                                        q.post([&log] { log += "b"; });
                                                    },
                                                    "", "abc"},
                                           Scenario{"UnwantedDropped",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&log] { log += "a"; },
                                                               [] { return false; });
                                                        q.post([&log] { log += "b"; },
                                                               [] { return true; });
                                                    },
                                                    "", "b"},
                                           Scenario{"RunWhenIdleIsImmediate",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.run([&log] { log += "a"; });
                                                    },
                                                    "a", "a"},
                                           Scenario{"RunBehindWaitingWaits",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&log] { log += "a"; });
                                                        q.run([&log] { log += "b"; });
                                                    },
                                                    "", "ab"},
                                           Scenario{"RunNowNestsInsideHandler",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&q, &log] {
                                                            log += "[";
                                                            q.runNow([&log] { log += "n"; });
                                                            log += "]";
                                                        });
                                                    },
                                                    "", "[n]"},
                                           Scenario{"RunNowKeepsWaitingOnesOut",
                                                    [](HandlerQueue& q, std::string& log) {
                                                        q.post([&log] { log += "b"; });
                                                        q.runNow([&log] {
                                                            log += "[";
                                                            nestedLoop();
                                                            log += "]";
                                                        });
                                                    },
                                                    "[]", "[]b"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HandlerQueueMouse, CheckWaitsForTheButtonRelease) {
    QWidget target;
    target.resize(50, 50);
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    HandlerQueue queue;
    std::string log;
    QTest::mousePress(&target, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_NE(QGuiApplication::mouseButtons(), Qt::NoButton);
    queue.post([&log] { log += "check"; }, {}, HandlerQueue::Timing::AfterMouseRelease);
    queue.post([&log] { log += "+slider"; });
    QTest::qWait(50);
    EXPECT_EQ(log, "");
    QTest::mouseRelease(&target, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(50);
    EXPECT_EQ(log, "check+slider");
}

TEST(HandlerQueueMouse, OtherHandlersRunWhileButtonIsDown) {
    QWidget target;
    target.resize(50, 50);
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));

    HandlerQueue queue;
    std::string log;
    QTest::mousePress(&target, Qt::LeftButton, {}, QPoint(10, 10));
    queue.post([&log] { log += "drag"; });
    QTest::qWait(30);
    EXPECT_EQ(log, "drag");  // a dragged slider keeps drawing
    QTest::mouseRelease(&target, Qt::LeftButton, {}, QPoint(10, 10));
}

}  // namespace
