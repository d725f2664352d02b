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

VirtualEventLoop::~VirtualEventLoop() {
    // A task may hold what ends timers of this loop when it goes: it goes while the slots exist.
    passTasks_.clear();
    tasks_.clear();
}

// An id holds the slot (plus one, so that no id is 0) and the slot's generation, so stopping a
// timer twice, or one whose slot has been reused, does nothing.
VirtualEventLoop::Slot* VirtualEventLoop::slotOf(TimerId id) const {
    const auto slotPlusOne = static_cast<std::uint32_t>(id & 0xFFFFFFFFu);
    if (slotPlusOne == 0 || slotPlusOne > slots_.size()) {
        return nullptr;
    }
    Slot* slot = slots_[slotPlusOne - 1].get();
    return slot->inUse && slot->generation == static_cast<std::uint32_t>(id >> 32) ? slot : nullptr;
}

VirtualEventLoop::Slot& VirtualEventLoop::allocate(std::function<void()> tick) {
    Slot* slot = nullptr;
    if (!freeSlots_.empty()) {
        slot = slots_[freeSlots_.back()].get();
        freeSlots_.pop_back();
    } else {
        slots_.push_back(std::make_unique<Slot>());
        slot = slots_.back().get();
        slot->index = static_cast<std::uint32_t>(slots_.size() - 1);
    }
    slot->tick = std::move(tick);
    slot->inUse = true;
    return *slot;
}

EventLoop::TimerId VirtualEventLoop::addTimer(std::function<void()> tick) {
    const Slot& slot = allocate(std::move(tick));
    return (static_cast<TimerId>(slot.generation) << 32) | (slot.index + 1);
}

EventLoop::TimerId VirtualEventLoop::addTimerCalling(const std::function<void()>* tick) {
    Slot& slot = allocate(nullptr);
    slot.handler = tick;
    return (static_cast<TimerId>(slot.generation) << 32) | (slot.index + 1);
}

EventLoop::TimerId VirtualEventLoop::startRepeating(int intervalMs, std::function<void()> tick) {
    Slot& slot = allocate(std::move(tick));
    arm(slot, intervalMs, false);
    return (static_cast<TimerId>(slot.generation) << 32) | (slot.index + 1);
}

void VirtualEventLoop::startTimer(TimerId id, int intervalMs) {
    if (Slot* slot = slotOf(id)) {
        arm(*slot, intervalMs, false);
    }
}

void VirtualEventLoop::startOnce(TimerId id, int intervalMs) {
    if (Slot* slot = slotOf(id)) {
        arm(*slot, intervalMs, true);
    }
}

void VirtualEventLoop::pauseTimer(TimerId id) {
    if (Slot* slot = slotOf(id)) {
        halt(*slot);
    }
}

void VirtualEventLoop::stop(TimerId id) {
    Slot* slot = slotOf(id);
    if (slot == nullptr) {
        return;
    }
    halt(*slot);
    // The id names nothing from here on. A handler that stops its own timer is still running:
    // its slot is freed when it returns.
    slot->inUse = false;
    ++slot->generation;
    if (!slot->firing) {
        release(*slot);
    }
}

void VirtualEventLoop::release(Slot& slot) {
    slot.tick = nullptr;
    slot.handler = &slot.tick;
    freeSlots_.push_back(slot.index);
}

void VirtualEventLoop::arm(Slot& slot, std::int64_t intervalMs, bool once) {
    // Started again, a timer counts from now and is the youngest, as if it were new.
    slot.once = once;
    slot.intervalMs = std::max<std::int64_t>(1, intervalMs);
    slot.due = now_ + slot.intervalMs;
    slot.started = ++starts_;
    if (!slot.running) {
        slot.running = true;
        running_.push_back(&slot);
    }
    place(slot);
}

void VirtualEventLoop::halt(Slot& slot) {
    if (slot.running) {
        slot.running = false;
        running_.erase(running_.front() == &slot
                           ? running_.begin()
                           : std::find(running_.begin(), running_.end(), &slot));
    }
}

void VirtualEventLoop::place(Slot& slot) {
    // Few timers run at once: the slot moves through the list to its place. A tick's slot is
    // usually the first, a started one the last.
    auto at = running_.front() == &slot  ? running_.begin()
              : running_.back() == &slot ? running_.end() - 1
                                         : std::find(running_.begin(), running_.end(), &slot);
    while (at != running_.begin() && before(slot, **(at - 1))) {
        *at = *(at - 1);
        --at;
    }
    while (at + 1 != running_.end() && before(**(at + 1), slot)) {
        *at = *(at + 1);
        ++at;
    }
    *at = &slot;
}

void VirtualEventLoop::post(std::function<void()> task) {
    tasks_.push_back(std::move(task));
}

void VirtualEventLoop::fire(Slot& slot) {
    // A tick that fell due while the thread was busy fires once; the next comes one interval
    // after this one.
    if (slot.once) {
        halt(slot);
    } else {
        slot.due = now_ + slot.intervalMs;
        place(slot);
    }
    // The handler may stop, pause or restart its own timer; the slot and its handler stay as
    // they are until it returns.
    slot.firing = true;
    if (const std::function<void()>& handler = *slot.handler) {
        handler();
    }
    slot.firing = false;
    if (!slot.inUse) {
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
    // Each timer due now ticks once, in the order they fell due: the front of the running list.
    if (running_.empty() || running_.front()->due > now_) {
        return ran;
    }
    if (running_.size() == 1 || running_[1]->due > now_) {
        fire(*running_.front());  // the one tick due, as most passes have
        return true;
    }
    due_.clear();
    for (Slot* slot : running_) {
        if (slot->due > now_) {
            break;
        }
        due_.push_back(slot);
    }
    // A tick may stop a later one; a timer started in its slot meanwhile is not due yet.
    for (std::size_t i = 0; i < due_.size(); ++i) {
        Slot& slot = *due_[i];
        if (slot.running && slot.due <= now_) {
            fire(slot);
            ran = true;
        }
    }
    return ran;
}

void VirtualEventLoop::runPending() {
    std::int64_t passes = 0;
    while (!tasks_.empty() || (!running_.empty() && running_.front()->due <= now_)) {
        if (++passes > kMaxPassesAtOneTime) {
            throw std::runtime_error("the event loop never became idle");
        }
        runOnePass();
    }
}

void VirtualEventLoop::advanceBy(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        const Slot* next = running_.empty() ? nullptr : running_.front();
        const bool dueNow = next != nullptr && next->due <= now_;
        if (!tasks_.empty() || dueNow) {
            if (now_ > end) {
                break;  // an operation that holds the thread went past the end
            }
            runOnePass();
            continue;
        }
        if (next == nullptr || next->due > std::max(now_, end)) {
            break;
        }
        now_ = std::max(now_, next->due);
        runOnePass();
    }
    now_ = std::max(now_, end);
}

bool VirtualEventLoop::stepTowards(std::int64_t end) {
    // With a task waiting the pass runs now; otherwise the clock goes to the next tick.
    if (tasks_.empty()) {
        if (running_.empty() || running_.front()->due > end) {
            now_ = std::max(now_, end);
            return false;
        }
        Slot& next = *running_.front();
        now_ = std::max(now_, next.due);
        if (running_.size() == 1 || running_[1]->due > now_) {
            countPass();
            fire(next);  // a pass of the one tick due, as most passes are
            return true;
        }
    }
    runOnePass();
    return true;
}

}  // namespace koropika
