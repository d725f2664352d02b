#include "qt/qt_event_loop.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
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

TEST(QtEventLoop, AKeptTimerPausedFromItsOwnTickStartsAgainWithItsHandler) {
    QtEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = 0;
    id = loop.addTimer([&] {
        ++ticks;
        loop.pauseTimer(id);
    });
    QTest::qWait(30);
    EXPECT_EQ(ticks, 0) << "a kept timer does not run until started";
    loop.startTimer(id, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(ticks, 1);
    loop.startTimer(id, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 2; }, 2000));
    loop.stop(id);
    loop.startTimer(id, 5);  // ended: its id names nothing
    QTest::qWait(30);
    EXPECT_EQ(ticks, 2);
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

TEST(QtEventLoop, AHeldTimerTicksAfterTheTimeItHadLeftThenAtItsInterval) {
    QtEventLoop loop;
    std::vector<std::int64_t> ticks;
    const auto id = loop.startRepeating(300, [&] { ticks.push_back(loop.nowMs()); });
    QTest::qWait(100);
    loop.holdTimer(id);
    QTest::qWait(400);
    EXPECT_TRUE(ticks.empty()) << "no tick while held";
    const std::int64_t resumed = loop.nowMs();
    loop.resumeTimer(id);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() == 2; }, 3000));
    loop.stop(id);
    // About 200 ms were left; the next tick then comes a whole interval later.
    EXPECT_GE(ticks[0] - resumed, 150);
    EXPECT_LT(ticks[0] - resumed, 290);
    EXPECT_GE(ticks[1] - ticks[0], 280);
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

// An operation that holds the thread at each step (a sound playing to its end) and posts its
// next step, as the dice roll does, against a repeating timer and a click that stops it. The
// headless loop runs the same scenario with the same expectations.
TEST(QtEventLoop, TimersAndClicksRunBetweenTheStepsOfAnOperationThatPostsItsNextStep) {
    QtEventLoop loop;
    std::vector<std::string> log;
    const auto timer = loop.startRepeating(100, [&] { log.push_back("tick"); });

    QPushButton button;
    bool stopRequested = false;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        log.push_back("click");
        stopRequested = true;
    });

    int steps = 0;
    bool finished = false;
    std::function<void()> step = [&] {
        log.push_back("step");
        if (stopRequested) {
            log.push_back("stopped");
            finished = true;
            return;
        }
        if (++steps == 3) {
            // The person clicks while this step holds the thread.
            QTimer::singleShot(30, &button, [&] { QTest::mouseClick(&button, Qt::LeftButton); });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        loop.post(step);
    };
    loop.post(step);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 5000));
    QTest::qWait(250);
    loop.stop(timer);

    std::vector<std::size_t> stepAt;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i] == "step") {
            stepAt.push_back(i);
        }
    }
    ASSERT_GE(stepAt.size(), 4u);
    int ticksDuringRoll = 0;
    for (std::size_t k = 1; k < stepAt.size(); ++k) {
        const auto ticks = std::count(log.begin() + static_cast<std::ptrdiff_t>(stepAt[k - 1]),
                                      log.begin() + static_cast<std::ptrdiff_t>(stepAt[k]), "tick");
        EXPECT_LE(ticks, 1) << "due ticks are coalesced between two steps";
        ticksDuringRoll += static_cast<int>(ticks);
    }
    EXPECT_GE(ticksDuringRoll * 2, static_cast<int>(stepAt.size()) - 1)
        << "ticks get their turn during the operation";

    const auto click = std::find(log.begin(), log.end(), "click");
    ASSERT_NE(click, log.end());
    EXPECT_GT(click - log.begin(), static_cast<std::ptrdiff_t>(stepAt.front()));
    const auto nextStep = std::find(click, log.end(), "step");
    ASSERT_NE(nextStep, log.end()) << "the click comes between two steps";
    ASSERT_NE(nextStep + 1, log.end());
    EXPECT_EQ(*(nextStep + 1), "stopped");
    EXPECT_EQ(nextStep, log.begin() + static_cast<std::ptrdiff_t>(stepAt.back()))
        << "the stopped step posts no further step";
    std::string joined;
    for (const std::string& entry : log) {
        joined += entry + " ";
    }
    RecordProperty("log", joined);
}

}  // namespace
}  // namespace koropika
