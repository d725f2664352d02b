#include "ui/elements/virtual_event_loop.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace koropika {

namespace {

// More passes than this without the clock moving means an operation that never yields time.
constexpr std::int64_t kMaxPassesAtOneTime = 1'000'000;

// Whether `a` ticks before `b`.
template <typename Timer>
bool before(const Timer& a, const Timer& b) {
    return a.due < b.due || (a.due == b.due && a.started < b.started);
}

}  // namespace

VirtualEventLoop::~VirtualEventLoop() {
    // A task may hold what ends timers of this loop when it goes: it goes while they exist.
    tasks_.clear();
}

EventLoop::TimerId VirtualEventLoop::addTimer(std::function<void()> tick) {
    timers_[++lastId_].tick = std::move(tick);
    return lastId_;
}

void VirtualEventLoop::startTimer(TimerId id, int intervalMs) {
    arm(id, intervalMs, false);
}

void VirtualEventLoop::startOnce(TimerId id, int intervalMs) {
    arm(id, intervalMs, true);
}

VirtualEventLoop::Timer* VirtualEventLoop::timerOf(TimerId id) {
    const auto it = timers_.find(id);
    return it == timers_.end() || it->second.stopped ? nullptr : &it->second;
}

void VirtualEventLoop::arm(TimerId id, std::int64_t intervalMs, bool once) {
    // Started again, a timer counts from now and is the youngest, as if it were new.
    if (Timer* timer = timerOf(id)) {
        timer->once = once;
        timer->intervalMs = std::max<std::int64_t>(1, intervalMs);
        timer->due = now_ + timer->intervalMs;
        timer->started = ++starts_;
        timer->running = true;
        timer->held = false;
    }
}

void VirtualEventLoop::pauseTimer(TimerId id) {
    if (Timer* timer = timerOf(id)) {
        timer->running = false;
        timer->held = false;
    }
}

void VirtualEventLoop::holdTimer(TimerId id) {
    Timer* timer = timerOf(id);
    if (timer != nullptr && timer->running) {
        timer->leftMs = std::max<std::int64_t>(0, timer->due - now_);
        timer->running = false;
        timer->held = true;
    }
}

void VirtualEventLoop::resumeTimer(TimerId id) {
    Timer* timer = timerOf(id);
    if (timer != nullptr && timer->held) {
        timer->due = now_ + timer->leftMs;
        timer->started = ++starts_;
        timer->running = true;
        timer->held = false;
    }
}

void VirtualEventLoop::stop(TimerId id) {
    Timer* timer = timerOf(id);
    if (timer == nullptr) {
        return;
    }
    // The id names nothing from here on. A handler that stops its own timer is still running:
    // its timer goes when it returns.
    timer->running = false;
    timer->stopped = true;
    if (!timer->firing) {
        timers_.erase(id);
    }
}

std::size_t VirtualEventLoop::runningTimers() const {
    return static_cast<std::size_t>(std::count_if(
        timers_.begin(), timers_.end(), [](const auto& entry) { return entry.second.running; }));
}

const VirtualEventLoop::Timer* VirtualEventLoop::next() const {
    const Timer* first = nullptr;
    for (const auto& [id, timer] : timers_) {
        if (timer.running && (first == nullptr || before(timer, *first))) {
            first = &timer;
        }
    }
    return first;
}

void VirtualEventLoop::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
}

void VirtualEventLoop::fire(TimerId id) {
    Timer& timer = timers_.at(id);
    // A tick that fell due while the thread was busy fires once; the next comes one interval
    // after this one.
    if (timer.once) {
        timer.running = false;
    } else {
        timer.due = now_ + timer.intervalMs;
    }
    // The handler may stop, pause or restart its own timer; the timer and its handler stay as
    // they are until it returns.
    timer.firing = true;
    timer.tick();
    timer.firing = false;
    if (timer.stopped) {
        timers_.erase(id);
    }
}

void VirtualEventLoop::countPass() {
    if (passTime_ != now_) {
        passTime_ = now_;
        passesAtThisTime_ = 0;
    }
    if (++passesAtThisTime_ > kMaxPassesAtOneTime) {
        throwStuck(now_);
    }
}

void VirtualEventLoop::throwStuck(std::int64_t nowMs) {
    throw std::runtime_error("the event loop never got past virtual time " + std::to_string(nowMs) +
                             " ms");
}

bool VirtualEventLoop::runOnePass() {
    countPass();
    bool ran = false;
    // Tasks posted from here on belong to the next pass.
    std::vector<std::function<void()>> tasks;
    tasks.swap(tasks_);
    for (auto& task : tasks) {
        task();
        ran = true;
    }
    // Each timer due now ticks once, in the order they fell due.
    std::vector<std::pair<TimerId, const Timer*>> due;
    for (const auto& [id, timer] : timers_) {
        if (timer.running && timer.due <= now_) {
            due.emplace_back(id, &timer);
        }
    }
    std::sort(due.begin(), due.end(),
              [](const auto& a, const auto& b) { return before(*a.second, *b.second); });
    // A tick may stop or restart a later one: only a timer still due then ticks.
    for (const auto& entry : due) {
        const Timer* timer = timerOf(entry.first);
        if (timer != nullptr && timer->running && timer->due <= now_) {
            fire(entry.first);
            ran = true;
        }
    }
    return ran;
}

void VirtualEventLoop::runPending() {
    std::int64_t passes = 0;
    for (const Timer* first = next(); !tasks_.empty() || (first != nullptr && first->due <= now_);
         first = next()) {
        if (++passes > kMaxPassesAtOneTime) {
            throw std::runtime_error("the event loop never became idle");
        }
        runOnePass();
    }
}

void VirtualEventLoop::advanceBy(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    // An operation that holds the thread may carry the clock past the end; what is due then
    // waits for the next call.
    while (now_ <= end && stepTowards(end)) {
    }
    now_ = std::max(now_, end);
}

bool VirtualEventLoop::stepTowards(std::int64_t end) {
    // With a task waiting the pass runs now; otherwise the clock goes to the next tick.
    if (tasks_.empty()) {
        const Timer* first = next();
        if (first == nullptr || first->due > end) {
            now_ = std::max(now_, end);
            return false;
        }
        now_ = std::max(now_, first->due);
    }
    runOnePass();
    return true;
}

}  // namespace koropika
