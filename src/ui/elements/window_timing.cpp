// A window's timers and delays: what runs later, and stops with the load that scheduled it.
#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ui/elements/window.h"
#include "ui/elements/window_load.h"

namespace koropika {

Timer::Timer(EventLoop& loop, const TimerSpec& spec)
    : loop_(loop), name_(spec.name), enabled_(spec.enabled), intervalMs_(spec.intervalMs) {
    // The timer outlives every handler that runs while its load is retired, so the handler
    // cannot go away under its own call.
    id_ = loop_.addTimer([this] {
        if (onTick) {
            onTick();
        }
    });
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

void Timer::hold() {
    if (!held_ && running_) {
        loop_.holdTimer(id_);
    }
    held_ = true;
}

void Timer::resume() {
    if (!held_) {
        return;
    }
    held_ = false;
    if (running_) {
        loop_.resumeTimer(id_);
    } else {
        restart();
    }
}

void Timer::restart() {
    if (held_) {
        // Changed while held: it starts afresh at the resume.
        if (running_) {
            loop_.pauseTimer(id_);
            running_ = false;
        }
        return;
    }
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
    loop_.post([load = std::weak_ptr<Load>(load_), task = std::move(task)]() mutable {
        const auto alive = load.lock();
        if (!alive || alive->retired) {
            return;
        }
        if (alive->held) {
            alive->heldTasks.push_back(std::move(task));  // runs once the timers resume
            return;
        }
        task();
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
    if (load.held) {
        loop_.holdTimer(delay.timer);
    }
}

void Window::fireDelay(Load& load, DelayId id) {
    const auto it = load.delays.find(id);
    const std::function<void()> task = std::move(it->second.task);
    loop_.stop(it->second.timer);
    load.delays.erase(it);
    task();
}

void Window::holdTimers() {
    if (!load_ || load_->held) {
        return;
    }
    load_->held = true;
    for (const auto& timer : load_->timers) {
        timer->hold();
    }
    for (const auto& [id, delay] : load_->delays) {
        loop_.holdTimer(delay.timer);
    }
}

void Window::resumeTimers() {
    if (!load_ || !load_->held) {
        return;
    }
    load_->held = false;
    for (const auto& timer : load_->timers) {
        timer->resume();
    }
    for (const auto& [id, delay] : load_->delays) {
        loop_.resumeTimer(delay.timer);
    }
    std::vector<std::function<void()>> waiting;
    waiting.swap(load_->heldTasks);
    for (auto& task : waiting) {
        post(std::move(task));
    }
}

bool Window::timersHeld() const {
    return load_ && load_->held;
}

std::size_t Window::pendingDelays() const {
    if (!load_) {
        return 0;
    }
    return load_->delays.size();
}

}  // namespace koropika
