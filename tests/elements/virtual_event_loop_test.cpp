#include "ui/elements/virtual_event_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace koropika {
namespace {

TEST(VirtualEventLoop, FirstTickComesOneIntervalAfterStartAndThenEveryInterval) {
    VirtualEventLoop loop;
    std::vector<std::int64_t> ticks;
    loop.advance(40);
    loop.startRepeating(100, [&] { ticks.push_back(loop.nowMs()); });
    loop.advance(99);
    EXPECT_TRUE(ticks.empty());
    loop.advance(1);
    loop.advance(250);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{140, 240, 340}));
}

TEST(VirtualEventLoop, DueTicksOfSeveralTimersFireInTimeOrder) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    loop.startRepeating(300, [&] { log.push_back("slow@" + std::to_string(loop.nowMs())); });
    loop.startRepeating(100, [&] { log.push_back("fast@" + std::to_string(loop.nowMs())); });
    loop.advance(300);
    EXPECT_EQ(log, (std::vector<std::string>{"fast@100", "fast@200", "slow@300", "fast@300"}));
}

TEST(VirtualEventLoop, StoppingATimerCancelsItsTicksEvenFromItsOwnHandler) {
    VirtualEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = 0;
    id = loop.startRepeating(50, [&] {
        if (++ticks == 2) {
            loop.stop(id);
        }
    });
    loop.advance(1000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(loop.runningTimers(), 0u);
}

// A kept timer started again counts from then and is the younger of two ticks due together,
// exactly as a timer started anew; paused it keeps its handler for the next start.
TEST(VirtualEventLoop, AKeptTimerRestartsAsANewTimerWouldAndKeepsItsHandlerWhilePaused) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    const auto kept = loop.addTimer([&] { log.push_back("kept@" + std::to_string(loop.nowMs())); });
    loop.advance(500);
    EXPECT_TRUE(log.empty()) << "a kept timer does not run until started";
    loop.startTimer(kept, 100);
    loop.startRepeating(100, [&] { log.push_back("other@" + std::to_string(loop.nowMs())); });
    loop.advance(100);
    loop.startTimer(kept, 100);  // restarted while running: now younger than the other
    loop.advance(100);
    loop.pauseTimer(kept);
    loop.advance(200);
    EXPECT_EQ(loop.runningTimers(), 1u);
    loop.startTimer(kept, 50);
    loop.advance(50);
    EXPECT_EQ(log, (std::vector<std::string>{"kept@600", "other@600", "other@700", "kept@700",
                                             "other@800", "other@900", "kept@950"}));
}

TEST(VirtualEventLoop, AKeptTimerStoppedInItsOwnTickEndsAndItsIdNamesNothingAfterwards) {
    VirtualEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = 0;
    id = loop.addTimer([&] {
        ++ticks;
        loop.stop(id);
        loop.startTimer(id, 10);  // a stale id: nothing starts
    });
    loop.startTimer(id, 10);
    loop.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(loop.runningTimers(), 0u);
    // The freed slot serves a new timer; the old id still names nothing.
    int newTicks = 0;
    loop.startRepeating(10, [&] { ++newTicks; });
    loop.pauseTimer(id);
    loop.stop(id);
    loop.advance(30);
    EXPECT_EQ(newTicks, 3);
}

TEST(VirtualEventLoop, ATimerStartedForOneTickPausesAsItComesAndMayBeStartedAgain) {
    VirtualEventLoop loop;
    std::vector<std::int64_t> ticks;
    EventLoop::TimerId id = 0;
    id = loop.addTimer([&] {
        ticks.push_back(loop.nowMs());
        if (ticks.size() <= 2) {
            EXPECT_EQ(loop.runningTimers(), 0u) << "paused before its handler runs";
        }
        if (ticks.size() == 1) {
            loop.startOnce(id, 30);
        }
    });
    loop.startOnce(id, 20);
    loop.advance(500);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{20, 50}));
    loop.startTimer(id, 100);  // the same timer repeating again
    loop.advance(200);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{20, 50, 600, 700}));
}

// A tick that holds the thread past another timer's due time leaves that one for the next pass,
// where the ticks run in the order they fell due.
TEST(VirtualEventLoop, ATickThatHoldsTheThreadLetsTheTicksDueMeanwhileFireNextInOrder) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    loop.startRepeating(100, [&] {
        log.push_back("a@" + std::to_string(loop.nowMs()));
        if (loop.nowMs() == 100) {
            loop.block(250);
        }
    });
    loop.startRepeating(150, [&] { log.push_back("b@" + std::to_string(loop.nowMs())); });
    loop.advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"a@100"}));
    EXPECT_TRUE(loop.runOnePass());
    EXPECT_EQ(log, (std::vector<std::string>{"a@100", "b@350", "a@350"}));
}

TEST(VirtualEventLoop, TicksMissedWhileTheThreadWasBlockedFireOnce) {
    VirtualEventLoop loop;
    std::vector<std::int64_t> ticks;
    loop.startRepeating(100, [&] { ticks.push_back(loop.nowMs()); });
    loop.post([&] { loop.block(450); });  // a sound that plays for 450 ms
    loop.advance(0);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0], 450);
    loop.advance(100);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{450, 550}));
}

TEST(VirtualEventLoop, PostedTasksRunInOrderBeforeTheNextTick) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    loop.startRepeating(10, [&] {
        log.push_back("tick");
        loop.post([&] { log.push_back("posted by tick"); });
    });
    loop.post([&] { log.push_back("a"); });
    loop.post([&] { log.push_back("b"); });
    loop.advance(10);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "tick", "posted by tick"}));
}

// A rolling dice: each step holds the thread for a sound's length and posts the next one. The
// timer ticks between steps, once however long a step held, and a click injected between two
// steps is handled there. The Qt event loop test runs the same roll.
TEST(VirtualEventLoop, ARollThatPostsItsStepsLetsTicksAndAClickRunBetweenThem) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    bool stopRequested = false;
    int steps = 0;
    loop.startRepeating(100, [&] { log.push_back("tick"); });
    std::function<void()> step = [&] {
        if (stopRequested) {
            log.push_back("stopped");
            return;
        }
        log.push_back("step");
        ++steps;
        loop.block(100);  // the clock sound plays to its end
        loop.post(step);
    };
    loop.post(step);
    while (steps < 3) {
        loop.runOnePass();
    }
    log.push_back("click");
    stopRequested = true;
    loop.advanceBy(1000);

    const auto click = std::find(log.begin(), log.end(), "click");
    ASSERT_NE(click, log.end());
    const auto next = std::find_if(click + 1, log.end(), [](const auto& e) { return e != "tick"; });
    ASSERT_NE(next, log.end());
    EXPECT_EQ(*next, "stopped") << "the step after the click ends the roll";
    EXPECT_EQ(std::count(log.begin(), log.end(), "stopped"), 1);
    int ticksBetween = 0;
    int stepsSeen = 0;
    int ticksInRoll = 0;
    for (auto it = log.begin(); it != click; ++it) {
        if (*it == "step") {
            EXPECT_LE(ticksBetween, 1) << "due ticks fire once";
            ticksBetween = 0;
            ++stepsSeen;
        } else if (*it == "tick") {
            ++ticksBetween;
            ++ticksInRoll;
        }
    }
    EXPECT_EQ(stepsSeen, 3);
    EXPECT_GE(ticksInRoll * 2, stepsSeen - 1) << "at least one tick per two steps";
}

}  // namespace
}  // namespace koropika
