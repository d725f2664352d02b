#include "qt/qt_event_loop.h"

#include <algorithm>
#include <utility>

namespace koropika {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {
    clock_.start();
    relay_ = new QTimer(context_.get());
    relay_->setSingleShot(true);
    relay_->setInterval(0);
    relay_->setTimerType(Qt::PreciseTimer);
    QObject::connect(relay_, &QTimer::timeout, relay_, [this] { runPosted(); });
}

QtEventLoop::~QtEventLoop() = default;

EventLoop::TimerId QtEventLoop::addTimer(std::function<void()> tick) {
    auto* timer = new QTimer(context_.get());
    timer->setTimerType(Qt::PreciseTimer);
    const TimerId id = nextId_++;
    // Connected first, so it runs before the tick: a repeating timer resumed for the rest of
    // its interval counts whole intervals again from this tick on.
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer] {
        const auto resumed = resumedIntervals_.find(id);
        if (resumed != resumedIntervals_.end()) {
            timer->setSingleShot(false);
            timer->start(resumed->second);
            resumedIntervals_.erase(resumed);
        }
    });
    QObject::connect(timer, &QTimer::timeout, timer, std::move(tick));
    timers_.emplace(id, timer);
    return id;
}

QTimer* QtEventLoop::timerOf(TimerId id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? nullptr : it->second;
}

void QtEventLoop::startTimer(TimerId id, int intervalMs) {
    forgetHold(id);
    // Starting a running QTimer starts its count again.
    if (QTimer* timer = timerOf(id)) {
        timer->setSingleShot(false);
        timer->start(intervalMs);
    }
}

void QtEventLoop::startOnce(TimerId id, int intervalMs) {
    forgetHold(id);
    if (QTimer* timer = timerOf(id)) {
        timer->setSingleShot(true);
        timer->start(intervalMs);
    }
}

void QtEventLoop::pauseTimer(TimerId id) {
    forgetHold(id);
    if (QTimer* timer = timerOf(id)) {
        timer->stop();
    }
}

void QtEventLoop::holdTimer(TimerId id) {
    QTimer* timer = timerOf(id);
    if (timer == nullptr || !timer->isActive()) {
        return;
    }
    const auto resumed = resumedIntervals_.find(id);
    const int interval = resumed != resumedIntervals_.end() ? resumed->second : timer->interval();
    const bool once = timer->isSingleShot() && resumed == resumedIntervals_.end();
    forgetHold(id);
    held_[id] = Held{std::max(0, timer->remainingTime()), interval, once};
    timer->stop();
}

void QtEventLoop::resumeTimer(TimerId id) {
    const auto held = held_.find(id);
    QTimer* timer = timerOf(id);
    if (held == held_.end() || timer == nullptr) {
        return;
    }
    const Held was = held->second;
    held_.erase(held);
    if (!was.once) {
        resumedIntervals_[id] = was.intervalMs;
    }
    timer->setSingleShot(true);
    timer->start(was.leftMs);
}

void QtEventLoop::forgetHold(TimerId id) {
    held_.erase(id);
    resumedIntervals_.erase(id);
}

void QtEventLoop::stop(TimerId id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    QTimer* timer = it->second;
    timers_.erase(it);
    forgetHold(id);
    // A tick handler often stops its own timer: the QTimer is still emitting, so it is only
    // stopped now and freed once control is back in the event loop.
    timer->stop();
    timer->deleteLater();
}

void QtEventLoop::post(std::function<void()> task) {
    posted_.push_back(std::move(task));
    if (!relay_->isActive()) {
        relay_->start();
    }
}

void QtEventLoop::runPosted() {
    // Only the tasks posted before this round; the ones they post go to the next round.
    std::deque<std::function<void()>> round;
    round.swap(posted_);
    while (!round.empty()) {
        const std::function<void()> task = std::move(round.front());
        round.pop_front();
        task();  // may destroy the loop's windows, never the loop itself
    }
}

}  // namespace koropika
