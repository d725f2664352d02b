#include "ui/elements/virtual_event_loop.h"

#include <algorithm>
#include <utility>

namespace koropika {

EventLoop::TimerId VirtualEventLoop::startRepeating(int intervalMs, std::function<void()> tick) {
    const TimerId id = nextId_++;
    const std::int64_t interval = std::max(1, intervalMs);
    timers_.emplace(id, Timer{interval, now_ + interval, std::move(tick)});
    return id;
}

void VirtualEventLoop::stop(TimerId id) {
    timers_.erase(id);
}

void VirtualEventLoop::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
}

bool VirtualEventLoop::runOneTask() {
    if (tasks_.empty()) {
        return false;
    }
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
    return true;
}

EventLoop::TimerId VirtualEventLoop::earliestDue(std::int64_t limit) const {
    TimerId best = 0;
    std::int64_t bestDue = limit + 1;
    for (const auto& [id, timer] : timers_) {
        if (timer.due < bestDue) {  // ties go to the timer started first (lower id)
            best = id;
            bestDue = timer.due;
        }
    }
    return best;
}

void VirtualEventLoop::fire(TimerId id) {
    auto it = timers_.find(id);
    // A tick that fell due while the thread was busy fires once; the next comes one interval
    // after this one.
    it->second.due = now_ + it->second.intervalMs;
    auto tick = it->second.tick;  // the handler may stop or restart its own timer
    tick();
}

void VirtualEventLoop::runPending() {
    for (;;) {
        if (runOneTask()) {
            continue;
        }
        const TimerId due = earliestDue(now_);
        if (due == 0) {
            return;
        }
        fire(due);
    }
}

void VirtualEventLoop::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    runPending();
    for (;;) {
        const TimerId due = earliestDue(end);
        if (due == 0) {
            break;
        }
        now_ = std::max(now_, timers_.at(due).due);
        fire(due);
        runPending();
    }
    now_ = std::max(now_, end);
}

}  // namespace koropika
