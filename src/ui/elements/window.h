#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/elements/element.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/keys.h"
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

    const std::string& name() const { return spec_->name; }
    bool enabled() const { return enabled_; }
    int interval() const { return intervalMs_; }
    bool running() const { return running_; }
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);

    std::function<void()> onTick;

    // The load that created the timer is over: it stops and never starts again.
    void retire();

  private:
    friend class Window;

    // Back to the layout's state for a new load of the window.
    void reset();
    void restart();

    EventLoop& loop_;
    const TimerSpec* spec_;
    bool retired_ = false;
    bool enabled_ = false;
    bool running_ = false;
    int intervalMs_ = 0;
    // The loop's timer, kept with its handler from creation on: enabling and disabling only
    // start and pause it.
    EventLoop::TimerId id_ = 0;
};

class MenuItem {
  public:
    MenuItem(Window& window, const MenuSpec& spec);

    const std::string& name() const { return spec_->name; }
    const std::string& caption() const { return spec_->caption; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> onClick;
    // The front end calls this when the item is chosen; a disabled item does nothing.
    void choose();

  private:
    friend class Window;

    Window& window_;
    const MenuSpec* spec_;
    bool enabled_ = true;
};

// Pictures numbered from 1.
class ImageList {
  public:
    // `spec` is the layout's, which outlives the window.
    explicit ImageList(const ImageListSpec& spec) : spec_(&spec) {}
    const std::string& name() const { return spec_->name; }
    int index() const { return spec_->index; }
    Size pictureSize() const { return spec_->pictureSize; }
    int count() const { return static_cast<int>(spec_->pictures.size()); }
    // The picture key of picture `number` (1-based); "" outside 1..count().
    const std::string& picture(int number) const;

  private:
    const ImageListSpec* spec_;
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
    // The keyboard focus moved, or its frame was shown or hidden.
    virtual void focusChanged(Window&) {}
    // Something happened that a screen reader should say.
    virtual void announced(Window&, const std::string& /*text*/) {}
};

// A window of the element model. Loading creates every element, timer, menu item and image
// list from the layout; unloading cancels everything the load scheduled and retires what it
// created as a whole, once the running handler has returned. The window object itself, and the
// fields of the class that owns it, outlive both.
//
// The layout is read once, at the first load: each element's container and array are resolved
// then, and later loads start from a retired load's objects reset to the layout's values
// (elements, array members, timers) instead of building them again. Only the window changes the
// element tree.
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
    // The element of the layout's row `id`, in constant time.
    Element& element(ElementId id) const;
    // Creates array member `index` as a hidden copy of member 0, in front of its siblings.
    Element& createMember(const std::string& name, int index);
    // The same for the array of layout row `array` (any listed member), in constant time.
    Element& createMember(ElementId array, int index);
    // The members of that array by index, null where there is none (valid for this load).
    const std::vector<Element*>& members(ElementId array) const;
    // Moves `element` to the front of its container's children.
    void bringToFront(Element& element);
    // Top-level elements front to back.
    const std::vector<Element*>& topLevel() const;
    // Every element, in creation order.
    std::vector<Element*> elements() const;

    Timer& timer(const std::string& name) const;
    const std::vector<std::unique_ptr<Timer>>& timers() const;
    MenuItem& menu(const std::string& name) const;
    const std::vector<std::unique_ptr<MenuItem>>& menus() const;
    const ImageList& imageList(const std::string& name, int index = -1) const;
    // By their place in the layout's tables.
    Timer& timerAt(int place) const;
    MenuItem& menuAt(int place) const;
    const ImageList& imageListAt(int place) const;

    // Runs `task` in a later pass of the loop, unless the window is unloaded first.
    void post(std::function<void()> task);
    // Runs `task` once, `ms` from now, unless the window is unloaded first.
    void after(int ms, std::function<void()> task);
    // A delay kept for the rest of the load with its task, for a step that comes again and
    // again: each `startDelay` runs the task once, `ms` from then, unless the window is
    // unloaded first. The id names the delay until the window unloads.
    using DelayId = std::size_t;
    DelayId addDelay(std::function<void()> task);
    void startDelay(DelayId delay, int ms);
    // Delays started by `after` or `startDelay` that have not fired yet (none once unloaded).
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

    // Keyboard focus: the element keys act on (none at load). Its frame is drawn only once a key
    // has been used in this window, and hidden again when the mouse is pressed, so a window used
    // with the mouse alone looks as it always has; a reload keeps whether it is drawn.
    Element* focusedElement() const { return focused_; }
    bool focusFrameShown() const { return focusFrameShown_ && focused_ != nullptr; }
    void setFocusedElement(Element* element);
    // A key reached the window: it shows the focus frame, then the owner's key step decides
    // what the key does and says whether it used it.
    std::function<bool(Key)> onKey;
    bool keyPressed(Key key);
    // A click by key: the element's press now, its release (and click) a moment later, so a
    // button shows its pressed picture; the very handlers the mouse runs, with their guards.
    void pressByKey(Element& element);
    // Tells screen readers what just happened.
    void announce(const std::string& text);
    // Whether anything hears announcements: without a front end nobody does, and a sentence
    // need not be composed.
    bool announcementsHeard() const { return observer_ != nullptr; }

    void setObserver(WindowObserver* observer) { observer_ = observer; }
    WindowObserver* observer() const { return observer_; }

  private:
    void notifyWindow();
    StackingOrder& childrenOf(Element* container);
    Element* hitTest(const std::vector<Element*>& children, Point local) const;
    void deliverPress(Element& target, MouseButton button, Point local);
    void deliverRelease(Element& target, MouseButton button, Point local, bool stillOver);
    void deliverMove(Element& target, Point local);
    void resetWindowProperties();
    struct Structure;
    struct Load;
    const Structure& structure();
    // A load to fill: a retired one nobody holds any more, or a new one.
    std::shared_ptr<Load> freshLoad();
    // Stops everything the load scheduled. Unless `now`, what it created is kept until the
    // running handler has returned, since a handler may unload its own window.
    void retireLoad(bool now);
    static void fireDelay(Load& load, std::size_t delay);
    // A delay slot of the load with its loop timer: a free one, or a new one.
    std::size_t delaySlot(Load& load);
    // Whether a rectangle in client pixels lies wholly right of or below the client area the
    // window's outer size leaves.
    bool beyondClient(const Rect& rect) const;
    // Sizes to their texts the labels the load left unmeasured: all, or those the client area
    // now reaches.
    void measureLabels(bool all);

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

    // The layout resolved: containers, arrays, names (built at the first load).
    std::unique_ptr<Structure> structure_;
    // Everything the current load created; null while the window is not loaded.
    std::shared_ptr<Load> load_;
    // Loads retired earlier, reused once nothing else holds them.
    std::vector<std::shared_ptr<Load>> retired_;
    std::uint64_t loads_ = 0;

    Element* pressed_ = nullptr;
    MouseButton pressedButton_ = MouseButton::Left;
    Element* focused_ = nullptr;
    bool focusFrameShown_ = false;
    void showFocusFrame(bool shown);
};

}  // namespace koropika
