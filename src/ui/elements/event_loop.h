// EventLoop: the interface of the one thread's timers and posted tasks.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace koropika {

// The one thread's source of timer ticks and posted continuations. Handlers run one at a time,
// to their end.
//
// The loop works in passes. A pass runs the tasks that were posted before it began, then the
// timer ticks that have fallen due; then it ends, always. A task posted during a pass runs in the
// next pass, so an operation that goes on by posting its next step lets timers and input run
// between two of its steps. A repeating timer first fires one interval after it starts; ticks
// that fell due while the thread was busy fire once, not once per missed interval.
class EventLoop {
  public:
    using TimerId = std::uint64_t;

    virtual ~EventLoop() = default;

    // Ends a timer of either kind for good; its id names nothing afterwards.
    virtual void stop(TimerId id) = 0;

    // A timer that keeps its handler while it is paused, for a timer started and stopped again
    // and again: it does not run until `startTimer`.
    virtual TimerId addTimer(std::function<void()> tick) = 0;
    // A timer made and started at once, ticking every `intervalMs`.
    TimerId startRepeating(int intervalMs, std::function<void()> tick) {
        const TimerId id = addTimer(std::move(tick));
        startTimer(id, intervalMs);
        return id;
    }
    // Starts the timer's count afresh, running or not: the first tick comes one interval from
    // now, exactly as for a timer started anew.
    virtual void startTimer(TimerId id, int intervalMs) = 0;
    // Starts the count afresh for one tick only: the timer pauses itself as that tick comes.
    virtual void startOnce(TimerId id, int intervalMs) = 0;
    // Stops the ticks; the timer keeps its handler and its id.
    virtual void pauseTimer(TimerId id) = 0;
    // Stops the ticks of a running timer and keeps the time left to its next one; a timer that
    // is not running stays as it is.
    virtual void holdTimer(TimerId id) = 0;
    // A held timer goes on: its next tick comes after the time that was left when it was held,
    // then one interval after another (a timer started for one tick ticks once). Starting or
    // pausing a held timer ends the hold.
    virtual void resumeTimer(TimerId id) = 0;
    // Runs the task in a later pass, after the events already pending.
    virtual void post(std::function<void()> task) = 0;
    virtual std::int64_t nowMs() const = 0;
};

}  // namespace koropika
