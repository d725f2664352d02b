#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "ui/elements/event_loop.h"

namespace koropika {

// Virtual time for tests: nothing happens until the test runs a pass or advances the clock.
// `block` stands for a call that holds the thread (a sound playing): the clock moves on without
// running anything, and the ticks that fell due meanwhile fire once in the next pass.
//
// Timers live in slots that are reused, and a tick calls its handler in place, so a running
// timer costs no allocation per tick, and starting one costs none once a slot is free.
class VirtualEventLoop final : public EventLoop {
  public:
    TimerId startRepeating(int intervalMs, std::function<void()> tick) override;
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
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600'000);
    // Moves the clock on without running anything (the thread is busy).
    void block(std::int64_t ms) { now_ += ms; }

    std::size_t pendingTasks() const { return tasks_.size(); }
    std::size_t runningTimers() const { return running_; }

  private:
    // When a timer's ticks fall due; kept apart from the handlers so a pass scans plain data.
    struct Clock {
        std::int64_t intervalMs = 0;
        std::int64_t due = 0;
        std::uint64_t started = 0;  // start order: of two ticks due together the older goes first
        std::uint32_t generation = 0;
        bool active = false;
        bool firing = false;
    };

    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    // The slot of a running timer, or kNone for an id that is stopped or stale.
    std::uint32_t slotOf(TimerId id) const;
    // The running timer due first at or before `limit` (kNone when none).
    std::uint32_t earliestDue(std::int64_t limit) const;
    void fire(std::uint32_t slot);
    void release(std::uint32_t slot);
    // Guards a test against an operation that posts steps forever without the clock moving.
    void countPass();
    [[noreturn]] static void throwStuck(std::int64_t nowMs);

    std::int64_t now_ = 0;
    std::uint64_t starts_ = 0;
    std::vector<Clock> clocks_;  // by slot
    // The handlers by slot. They keep their place as slots are added, so a handler that starts
    // timers does not move the one that is running.
    std::deque<std::function<void()>> ticks_;
    std::vector<std::uint32_t> freeSlots_;
    std::vector<std::uint32_t> active_;  // the slots of the running timers, in no order
    std::size_t running_ = 0;
    std::vector<std::uint32_t> due_;  // the ticks of one pass, reused
    std::vector<std::function<void()>> tasks_;
    std::vector<std::function<void()>> passTasks_;  // the tasks of the pass running now
    std::int64_t passesAtThisTime_ = 0;
    std::int64_t passTime_ = -1;
};

}  // namespace koropika
