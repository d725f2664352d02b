// VirtualEventLoop: the event loop of tests, in virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "ui/elements/event_loop.h"

namespace koropika {

// Virtual time for tests: nothing happens until the test runs a pass or advances the clock.
// `block` stands for a call that holds the thread (a sound playing): the clock moves on without
// running anything, and the ticks that fell due meanwhile fire once in the next pass.
class VirtualEventLoop final : public EventLoop {
  public:
    VirtualEventLoop() = default;
    ~VirtualEventLoop() override;
    VirtualEventLoop(const VirtualEventLoop&) = delete;
    VirtualEventLoop& operator=(const VirtualEventLoop&) = delete;

    // A timer's life, in the order it goes through it.
    TimerId addTimer(std::function<void()> tick) override;
    void startTimer(TimerId id, int intervalMs) override;
    void startOnce(TimerId id, int intervalMs) override;
    void holdTimer(TimerId id) override;
    void resumeTimer(TimerId id) override;
    void pauseTimer(TimerId id) override;
    void stop(TimerId id) override;

    void post(std::function<void()> task) override;
    std::int64_t nowMs() const override { return now_; }

    // One pass at the current time: the tasks posted before it began, then each due tick once.
    // Returns false when there was nothing to run.
    bool runOnePass();
    // Runs passes at the current time until no task is waiting and no tick is due.
    void runPending();
    // Moves the clock on by `ms`, running passes and ticks in time order on the way. Steps that
    // hold the thread (`block`) move the clock as well; the call returns once it has passed the
    // end, even while an operation keeps posting steps.
    void advanceBy(std::int64_t ms);
    void advance(std::int64_t ms) { advanceBy(ms); }
    // Runs passes, moving the clock to the next tick whenever nothing is waiting, until `done`
    // holds (true) or `limitMs` of virtual time have gone by (false).
    template <typename Done>
    bool runUntil(const Done& done, std::int64_t limitMs = 600'000) {
        const std::int64_t end = now_ + limitMs;
        for (;;) {
            if (done()) {
                return true;
            }
            if (now_ > end) {
                return false;
            }
            if (!stepTowards(end)) {
                return done();
            }
        }
    }
    // Moves the clock on without running anything (the thread is busy).
    void block(std::int64_t ms) { now_ += ms; }

    std::size_t pendingTasks() const { return tasks_.size(); }
    std::size_t runningTimers() const;

  private:
    // A timer: its handler and when its ticks fall due.
    struct Timer {
        std::function<void()> tick;
        std::int64_t intervalMs = 0;
        std::int64_t due = 0;
        std::uint64_t started = 0;  // start order: of two ticks due together the older goes first
        bool running = false;
        bool held = false;  // held with `leftMs` to its next tick
        std::int64_t leftMs = 0;
        bool once = false;     // pauses as its next tick comes
        bool firing = false;   // its handler is running
        bool stopped = false;  // stopped in its own tick: it goes when the handler returns
    };

    // The timer an id names, or null for an id that is stopped.
    Timer* timerOf(TimerId id);
    void arm(TimerId id, std::int64_t intervalMs, bool once);
    // The running timer that ticks next, or null.
    const Timer* next() const;
    void fire(TimerId id);
    // Runs one pass towards `end`: now when a task waits, else at the next tick due by `end`
    // (false when there is none: the clock has moved to `end`).
    bool stepTowards(std::int64_t end);
    // Guards a test against an operation that posts steps forever without the clock moving.
    void countPass();
    [[noreturn]] static void throwStuck(std::int64_t nowMs);

    std::int64_t now_ = 0;
    std::uint64_t starts_ = 0;
    TimerId lastId_ = 0;
    std::map<TimerId, Timer> timers_;
    std::vector<std::function<void()>> tasks_;
    std::int64_t passesAtThisTime_ = 0;
    std::int64_t passTime_ = -1;
};

}  // namespace koropika
