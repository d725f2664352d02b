// Window::Load: everything one load of a window made and scheduled (for the window's own
// source files only).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/elements/window.h"

namespace koropika {

// It is retired as a whole: first everything it scheduled is stopped, then, once the running
// handler has returned, it is freed.
struct Window::Load {
    bool retired = false;
    std::vector<std::unique_ptr<Element>> elements;    // in creation order
    std::unordered_map<std::string, Element*> single;  // elements outside arrays, by name
    // Array members by name and index; null where there is none.
    std::unordered_map<std::string, std::vector<Element*>> arrays;
    // Children front to back, by container; the window's own under nullptr.
    std::unordered_map<const Element*, std::vector<Element*>> children;
    // Labels that lay beyond the client area when made or measured, with how each is measured
    // (a label sized to its text is fitted to it), not yet measured.
    struct Unmeasured {
        Element* label = nullptr;
        std::function<void()> measure;
    };
    std::vector<Unmeasured> unmeasured;
    std::vector<std::unique_ptr<Timer>> timers;
    std::vector<std::unique_ptr<MenuItem>> menus;
    std::vector<std::unique_ptr<ImageList>> imageLists;
    // A delay of `after`: a loop timer started for one tick, gone once it has run.
    struct Delay {
        EventLoop::TimerId timer = 0;
        std::function<void()> task;
    };
    std::unordered_map<DelayId, Delay> delays;
    DelayId nextDelay = 0;
    // The timers and delays are held; posted tasks that came due meanwhile wait here.
    bool held = false;
    std::vector<std::function<void()>> heldTasks;
};

}  // namespace koropika
