#include "ui/elements/virtual_event_loop.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace koropika {

namespace {

// More passes than this without the clock moving means an operation that never yields time.
constexpr std::int64_t kMaxPassesAtOneTime = 1'000'000;

}  // namespace

// An id holds the slot (plus one, so that no id is 0) and the slot's generation, so stopping a
// timer twice, or one whose slot has been reused, does nothing.
EventLoop::TimerId VirtualEventLoop::startRepeating(int intervalMs, std::function<void()> tick) {
    std::uint32_t slot = 0;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(clocks_.size());
        clocks_.emplace_back();
        ticks_.emplace_back();
    }
    Clock& clock = clocks_[slot];
    clock.intervalMs = std::max(1, intervalMs);
    clock.due = now_ + clock.intervalMs;
    clock.started = ++starts_;
    clock.active = true;
    ticks_[slot] = std::move(tick);
    ++running_;
    active_.push_back(slot);
    return (static_cast<TimerId>(clock.generation) << 32) | (slot + 1);
}

std::uint32_t VirtualEventLoop::slotOf(TimerId id) const {
    const auto slotPlusOne = static_cast<std::uint32_t>(id & 0xFFFFFFFFu);
    if (slotPlusOne == 0 || slotPlusOne > clocks_.size()) {
        return kNone;
    }
    const std::uint32_t slot = slotPlusOne - 1;
    const Clock& clock = clocks_[slot];
    return clock.active && clock.generation == static_cast<std::uint32_t>(id >> 32) ? slot : kNone;
}

void VirtualEventLoop::stop(TimerId id) {
    const std::uint32_t slot = slotOf(id);
    if (slot == kNone) {
        return;
    }
    clocks_[slot].active = false;
    --running_;
    const auto it = std::find(active_.begin(), active_.end(), slot);
    *it = active_.back();
    active_.pop_back();
    // A handler that stops its own timer is still running: its slot is freed when it returns.
    if (!clocks_[slot].firing) {
        release(slot);
    }
}

void VirtualEventLoop::release(std::uint32_t slot) {
    ticks_[slot] = nullptr;
    ++clocks_[slot].generation;
    freeSlots_.push_back(slot);
}

void VirtualEventLoop::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
}

std::uint32_t VirtualEventLoop::earliestDue(std::int64_t limit) const {
    std::uint32_t best = kNone;
    for (const std::uint32_t slot : active_) {
        const Clock& clock = clocks_[slot];
        if (clock.due > limit) {
            continue;
        }
        if (best == kNone || clock.due < clocks_[best].due ||
            (clock.due == clocks_[best].due && clock.started < clocks_[best].started)) {
            best = slot;
        }
    }
    return best;
}

void VirtualEventLoop::fire(std::uint32_t slot) {
    // A tick that fell due while the thread was busy fires once; the next comes one interval
    // after this one.
    clocks_[slot].due = now_ + clocks_[slot].intervalMs;
    // The handler may stop or restart its own timer; the slot and its handler stay as they are
    // until it returns. (It may also add slots, which can move the clocks.)
    clocks_[slot].firing = true;
    ticks_[slot]();
    clocks_[slot].firing = false;
    if (!clocks_[slot].active) {
        release(slot);
    }
}

void VirtualEventLoop::countPass() {
    if (passTime_ != now_) {
        passTime_ = now_;
        passesAtThisTime_ = 0;
    }
    if (++passesAtThisTime_ > kMaxPassesAtOneTime) [[unlikely]] {
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
    if (!tasks_.empty()) {
        passTasks_.swap(tasks_);
        for (auto& task : passTasks_) {
            task();
        }
        passTasks_.clear();
        ran = true;
    }
    // Each timer due now ticks once, in the order they fell due.
    // Few timers run at once: an insertion sort puts them in the order they fell due.
    due_.clear();
    for (const std::uint32_t slot : active_) {
        if (clocks_[slot].due <= now_) {
            due_.push_back(slot);
        }
    }
    for (std::size_t i = 1; i < due_.size(); ++i) {
        const std::uint32_t slot = due_[i];
        const Clock& clock = clocks_[slot];
        std::size_t place = i;
        for (; place > 0; --place) {
            const Clock& before = clocks_[due_[place - 1]];
            if (before.due < clock.due ||
                (before.due == clock.due && before.started < clock.started)) {
                break;
            }
            due_[place] = due_[place - 1];
        }
        due_[place] = slot;
    }
    // A tick may stop a later one; a timer started in its slot meanwhile is not due yet.
    for (std::size_t i = 0; i < due_.size(); ++i) {
        const std::uint32_t slot = due_[i];
        if (clocks_[slot].active && clocks_[slot].due <= now_) {
            fire(slot);
            ran = true;
        }
    }
    return ran;
}

void VirtualEventLoop::runPending() {
    std::int64_t passes = 0;
    while (!tasks_.empty() || earliestDue(now_) != kNone) {
        if (++passes > kMaxPassesAtOneTime) {
            throw std::runtime_error("the event loop never became idle");
        }
        runOnePass();
    }
}

void VirtualEventLoop::advanceBy(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        const std::uint32_t next = earliestDue(std::max(now_, end));
        const bool dueNow = next != kNone && clocks_[next].due <= now_;
        if (!tasks_.empty() || dueNow) {
            if (now_ > end) {
                break;  // an operation that holds the thread went past the end
            }
            runOnePass();
            continue;
        }
        if (next == kNone) {
            break;
        }
        now_ = std::max(now_, clocks_[next].due);
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
        // With a task waiting the pass runs now; otherwise the clock goes to the next tick.
        if (tasks_.empty()) {
            const std::uint32_t next = earliestDue(end);
            if (next == kNone) {
                now_ = std::max(now_, end);
                return done();
            }
            now_ = std::max(now_, clocks_[next].due);
        }
        runOnePass();
    }
}

}  // namespace koropika
