// A window's timers and delays: what runs later, and stops with the load that scheduled it.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/elements/window.h"
#include "ui/elements/window_load.h"

namespace koropika {

Timer::Timer(EventLoop& loop, const TimerSpec& spec)
    : loop_(loop), name_(spec.name), enabled_(spec.enabled), intervalMs_(spec.intervalMs) {
    // The tick calls the handler in place: the timer outlives every handler that runs while
    // its load is retired, so the handler cannot go away under its own call.
    id_ = loop_.addTimerCalling(&onTick);
    restart();
}

Timer::~Timer() {
    loop_.stop(id_);
}

void Timer::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        restart();
    }
}

void Timer::setInterval(int intervalMs) {
    intervalMs_ = std::max(0, intervalMs);
    restart();
}

void Timer::retire() {
    retired_ = true;
    restart();
}

void Timer::restart() {
    if (enabled_ && intervalMs_ > 0 && !retired_) {
        loop_.startTimer(id_, intervalMs_);  // a running timer counts afresh
        running_ = true;
    } else if (running_) {
        loop_.pauseTimer(id_);
        running_ = false;
    }
}

void Window::post(std::function<void()> task) {
    if (!load_) {
        return;
    }
    loop_.post([load = std::weak_ptr<Load>(load_), task = std::move(task)] {
        const auto alive = load.lock();
        if (alive && !alive->retired) {
            task();
        }
    });
}

void Window::after(int ms, std::function<void()> task) {
    if (!load_) {
        return;
    }
    Load& load = *load_;
    const DelayId id = load.nextDelay++;
    Load::Delay& delay = load.delays[id];
    delay.task = std::move(task);
    // Retiring the load stops the timer, so the load outlives every tick.
    delay.timer = loop_.addTimer([this, &load, id] { fireDelay(load, id); });
    loop_.startOnce(delay.timer, ms);
}

void Window::fireDelay(Load& load, DelayId id) {
    const auto it = load.delays.find(id);
    const std::function<void()> task = std::move(it->second.task);
    loop_.stop(it->second.timer);
    load.delays.erase(it);
    task();
}

std::size_t Window::pendingDelays() const {
    if (!load_) {
        return 0;
    }
    return load_->delays.size();
}

}  // namespace koropika
