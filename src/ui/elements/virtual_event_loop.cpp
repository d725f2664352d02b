#include "ui/elements/virtual_event_loop.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace koropika {

namespace {

// More passes than this without the clock moving means an operation that never yields time.
constexpr std::int64_t kMaxPassesAtOneTime = 1'000'000;

}  // namespace

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

void VirtualEventLoop::countPass() {
    if (passTime_ != now_) {
        passTime_ = now_;
        passesAtThisTime_ = 0;
    }
    if (++passesAtThisTime_ > kMaxPassesAtOneTime) {
        throw std::runtime_error("the event loop never got past virtual time " +
                                 std::to_string(now_) + " ms");
    }
}

bool VirtualEventLoop::runOnePass() {
    countPass();
    bool ran = false;
    // Tasks posted from here on belong to the next pass.
    for (std::size_t waiting = tasks_.size(); waiting > 0 && !tasks_.empty(); --waiting) {
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
        ran = true;
    }
    // Each timer due now ticks once, in the order they fell due.
    std::vector<TimerId> due;
    for (const auto& [id, timer] : timers_) {
        if (timer.due <= now_) {
            due.push_back(id);
        }
    }
    std::stable_sort(due.begin(), due.end(),
                     [this](TimerId a, TimerId b) { return timers_[a].due < timers_[b].due; });
    for (const TimerId id : due) {
        auto it = timers_.find(id);
        if (it != timers_.end() && it->second.due <= now_) {  // an earlier tick may have stopped it
            fire(id);
            ran = true;
        }
    }
    return ran;
}

void VirtualEventLoop::runPending() {
    std::int64_t passes = 0;
    while (!tasks_.empty() || earliestDue(now_) != 0) {
        if (++passes > kMaxPassesAtOneTime) {
            throw std::runtime_error("the event loop never became idle");
        }
        runOnePass();
    }
}

void VirtualEventLoop::advanceBy(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        if (!tasks_.empty() || earliestDue(now_) != 0) {
            if (now_ > end) {
                break;  // an operation that holds the thread went past the end
            }
            runOnePass();
            continue;
        }
        const TimerId next = earliestDue(end);
        if (next == 0) {
            break;
        }
        now_ = std::max(now_, timers_.at(next).due);
        runOnePass();
    }
    now_ = std::max(now_, end);
}

bool VirtualEventLoop::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    const std::int64_t end = now_ + limitMs;
    for (;;) {
        if (done()) {
            return true;
        }
        if (now_ > end) {
            return false;
        }
        if (!tasks_.empty() || earliestDue(now_) != 0) {
            runOnePass();
            continue;
        }
        const TimerId next = earliestDue(end);
        if (next == 0) {
            now_ = std::max(now_, end);
            return done();
        }
        now_ = std::max(now_, timers_.at(next).due);
        runOnePass();
    }
}

}  // namespace koropika
