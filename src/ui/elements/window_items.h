// The parts of a window's load besides its elements: timers, menu items and image lists.
#pragma once

#include <functional>
#include <string>

#include "ui/elements/event_loop.h"
#include "ui/elements/layout.h"

namespace koropika {

class Window;

// A repeating timer of a window. It runs while enabled with an interval above zero; changing
// the interval of a running timer starts its count again.
class Timer {
  public:
    Timer(EventLoop& loop, const TimerSpec& spec);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    int interval() const { return intervalMs_; }
    bool running() const { return running_; }
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);

    std::function<void()> onTick;

    // The load that created the timer is over: it stops and never starts again.
    void retire();
    // While held the timer does not tick; resumed, its next tick comes after the time that was
    // left to it when it was held. Enabled or given an interval while held, it counts a whole
    // interval from the resume.
    void hold();
    void resume();

  private:
    void restart();

    EventLoop& loop_;
    std::string name_;
    bool retired_ = false;
    bool enabled_;
    bool running_ = false;
    bool held_ = false;
    int intervalMs_;
    // The loop's timer, kept with its handler from creation on: enabling and disabling only
    // start and pause it.
    EventLoop::TimerId id_ = 0;
};

class MenuItem {
  public:
    MenuItem(Window& window, const MenuSpec& spec) : window_(window), spec_(spec) {}

    const std::string& name() const { return spec_.name; }
    const std::string& caption() const { return spec_.caption; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> onClick;
    // The front end calls this when the item is chosen; a disabled item does nothing.
    void choose();

  private:
    Window& window_;
    MenuSpec spec_;
    bool enabled_ = true;
};

// Pictures numbered from 1.
class ImageList {
  public:
    explicit ImageList(ImageListSpec spec) : spec_(std::move(spec)) {}
    const std::string& name() const { return spec_.name; }
    int index() const { return spec_.index; }
    Size pictureSize() const { return spec_.pictureSize; }
    int count() const { return static_cast<int>(spec_.pictures.size()); }
    // The picture key of picture `number` (1-based); "" outside 1..count().
    const std::string& picture(int number) const;

  private:
    ImageListSpec spec_;
};

}  // namespace koropika
