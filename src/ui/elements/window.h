#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/elements/element.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/layout.h"

namespace koropika {

class Desktop;
class Window;

// A repeating timer of a window. It runs while enabled with an interval above zero; changing
// the interval of a running timer starts its count again.
class Timer {
  public:
    Timer(Window& window, const TimerSpec& spec);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    int interval() const { return intervalMs_; }
    bool running() const { return running_.has_value(); }
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);

    std::function<void()> onTick;

    // The load that created the timer is over: it stops and never starts again.
    void retire();

  private:
    void restart();

    Window& window_;
    std::string name_;
    bool retired_ = false;
    bool enabled_ = false;
    int intervalMs_ = 0;
    std::optional<EventLoop::TimerId> running_;
};

class MenuItem {
  public:
    MenuItem(Window& window, const MenuSpec& spec);

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> onClick;
    // The front end calls this when the item is chosen; a disabled item does nothing.
    void choose();

  private:
    Window& window_;
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
};

// Pictures numbered from 1.
class ImageList {
  public:
    explicit ImageList(const ImageListSpec& spec) : spec_(spec) {}
    const std::string& name() const { return spec_.name; }
    int index() const { return spec_.index; }
    Size pictureSize() const { return spec_.pictureSize; }
    int count() const { return static_cast<int>(spec_.pictures.size()); }
    // The picture key of picture `number` (1-based); "" outside 1..count().
    const std::string& picture(int number) const;

  private:
    ImageListSpec spec_;
};

// Hears of every change so it can draw it.
class WindowObserver {
  public:
    virtual ~WindowObserver() = default;
    virtual void windowChanged(Window&) {}
    virtual void elementCreated(Element&) {}
    virtual void elementChanged(Element&) {}
    virtual void elementDestroying(Element&) {}
    virtual void elementOrderChanged(Element* /*container, nullptr = window*/) {}
    virtual void menuChanged(MenuItem&) {}
};

// A window of the element model. Loading creates every element, timer, menu item and image
// list from the layout; unloading cancels everything the load scheduled and retires what it
// created as a whole, once the running handler has returned. The window object itself, and the
// fields of the class that owns it, outlive both.
class Window {
  public:
    Window(const WindowLayout& layout, EventLoop& loop, Desktop& desktop);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const WindowLayout& layout() const { return layout_; }
    const std::string& name() const { return layout_.name; }
    EventLoop& loop() const { return loop_; }
    Desktop& desktop() const { return desktop_; }

    // The owner's load step, run at the end of load(); and its unload step, run first thing in
    // unload() while the elements still exist.
    std::function<void()> onLoad;
    std::function<void()> onUnload;
    // The close box: by default it unloads the window.
    std::function<void()> onCloseBox;

    bool loaded() const { return loaded_; }
    bool shown() const { return shown_; }
    void load();
    void unload();
    // Loads when needed, then puts the window on screen.
    void show();
    void closeBoxClicked();

    // Window-level properties (outer size and position in twips, as the legacy logic uses them).
    const std::string& caption() const { return caption_; }
    int leftTwips() const { return leftTwips_; }
    int topTwips() const { return topTwips_; }
    int widthTwips() const { return widthTwips_; }
    int heightTwips() const { return heightTwips_; }
    void setLeftTwips(int twips);
    void setTopTwips(int twips);
    void setWidthTwips(int twips);
    void setHeightTwips(int twips);
    // Where the window is placed when shown: centred on the screen unless code has moved it.
    bool centred() const { return centred_; }
    void setCentred(bool centred);
    // The front end reports where the person moved the window; observers are not told.
    void positionReported(int leftTwips, int topTwips);
    // Whether left and top say where the window stands: code has placed it, or the front end
    // has reported its place. A window still being centred has no known place yet.
    bool positionKnown() const { return positionKnown_; }
    // Where the window stands, in twips: its known place, else the middle of `workAreaPixels`
    // where a centred window goes; empty when neither is known.
    std::optional<Point> placeTwips(const std::optional<Rect>& workAreaPixels) const;

    // Elements, by name and (for array members) index.
    Element* find(const std::string& name, int index = -1) const;
    Element& at(const std::string& name, int index = -1) const;
    // Creates array member `index` as a hidden copy of member 0, in front of its siblings.
    Element& createMember(const std::string& name, int index);
    // Top-level elements front to back.
    const std::vector<Element*>& topLevel() const;
    // Every element, in creation order.
    std::vector<Element*> elements() const;

    Timer& timer(const std::string& name) const;
    const std::vector<std::unique_ptr<Timer>>& timers() const;
    MenuItem& menu(const std::string& name) const;
    const std::vector<std::unique_ptr<MenuItem>>& menus() const;
    const ImageList& imageList(const std::string& name, int index = -1) const;

    // Runs `task` in a later pass of the loop, unless the window is unloaded first.
    void post(std::function<void()> task);
    // Runs `task` once, `ms` from now, unless the window is unloaded first.
    void after(int ms, std::function<void()> task);
    // Delays started by `after` that have not fired yet (none once unloaded).
    std::size_t pendingDelays() const;

    // Input, in window client pixels. A release goes to the element that took the press.
    Element* elementAt(Point windowPoint) const;
    void pointerPressed(Point windowPoint, MouseButton button);
    void pointerReleased(Point windowPoint, MouseButton button);
    void pointerMoved(Point windowPoint);
    // The same, aimed at one element (tests and front ends that know the target).
    void pressElement(Element& element, MouseButton button, Point local = {});
    void releaseOn(Element& element, MouseButton button, Point local = {});
    void click(Element& element);
    // Combo boxes: a pick from the list raises the click handler; typing does not.
    void pickItem(Element& combo, int index);
    void typeText(Element& combo, const std::string& text);
    Element* pressedElement() const { return pressed_; }

    void setObserver(WindowObserver* observer) { observer_ = observer; }
    WindowObserver* observer() const { return observer_; }

  private:
    friend class Element;
    friend class Timer;
    friend class MenuItem;

    void notifyWindow();
    void notifyElement(Element& element);
    void notifyOrder(Element* container);
    void notifyMenu(MenuItem& item);
    std::vector<Element*>& childrenOf(Element* container);
    Element* hitTest(const std::vector<Element*>& children, Point local) const;
    void deliverPress(Element& target, MouseButton button, Point local);
    void deliverRelease(Element& target, MouseButton button, Point local, bool stillOver);
    void deliverMove(Element& target, Point local);
    void resetWindowProperties();
    struct Load;
    // Stops everything the load scheduled. Unless `now`, what it created is freed only once the
    // running handler has returned, since a handler may unload its own window.
    void retireLoad(bool now);

    const WindowLayout& layout_;
    EventLoop& loop_;
    Desktop& desktop_;
    WindowObserver* observer_ = nullptr;

    bool loaded_ = false;
    bool shown_ = false;
    std::string caption_;
    int leftTwips_ = 0;
    int topTwips_ = 0;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    bool centred_ = true;
    bool positionKnown_ = false;

    // Everything the current load created; null while the window is not loaded.
    std::shared_ptr<Load> load_;

    Element* pressed_ = nullptr;
    MouseButton pressedButton_ = MouseButton::Left;
};

}  // namespace koropika
