#include "qt/qt_event_loop.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace koropika {
namespace {

TEST(QtEventLoop, APostedTaskRunsAfterTheEventThatPostedItHasEnded) {
    QtEventLoop loop;
    std::vector<std::string> order;
    QTimer::singleShot(0, [&] {
        loop.post([&] { order.push_back("posted"); });
        order.push_back("poster ends");
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 2; }, 1000));
    EXPECT_EQ(order, (std::vector<std::string>{"poster ends", "posted"}));
}

TEST(QtEventLoop, ARepeatingTimerTicksUntilStoppedFromItsOwnTick) {
    QtEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = 0;
    const std::int64_t start = loop.nowMs();
    id = loop.startRepeating(10, [&] {
        if (++ticks == 3) {
            loop.stop(id);
        }
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 3; }, 2000));
    EXPECT_GE(loop.nowMs() - start, 25);
    QTest::qWait(60);
    EXPECT_EQ(ticks, 3);
}

TEST(QtEventLoop, TicksMissedWhileTheThreadWasBusyFireOnce) {
    QtEventLoop loop;
    int ticks = 0;
    const auto id = loop.startRepeating(20, [&] { ++ticks; });
    loop.post([] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 1; }, 2000));
    QTest::qWait(5);
    EXPECT_LE(ticks, 2) << "not one per missed interval";
    loop.stop(id);
}

TEST(QtEventLoop, DestroyingTheLoopCancelsItsTimersAndTasks) {
    int runs = 0;
    {
        QtEventLoop loop;
        loop.startRepeating(5, [&] { ++runs; });
        loop.post([&] { ++runs; });
    }
    QTest::qWait(30);
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace koropika
