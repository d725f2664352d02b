// Window: a window of the element model, its loads, and what its front end hears of them.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/elements/element.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/keys.h"
#include "ui/elements/layout.h"
#include "ui/elements/window_items.h"

namespace koropika {

class Desktop;

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

// A window of the element model. Each load makes its elements, timers, menu items and image
// lists afresh: the rows of the layout's tables first, then whatever the owner's load step adds
// (a window's set-up adds its rows there and keeps the handle each gives back). Unloading
// cancels everything the load scheduled and frees what it made as a whole, once the running
// handler has returned. The window object itself outlives its loads.
//
// Its life, properties and element lookup are in window.cpp, its timers and delays in
// window_timing.cpp, pointer, keys and focus in window_input.cpp.
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

    // Window-level properties: the caption, and the outer size and position in twips.
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
    // The front end reports where the person moved the window; observers are not told.
    void positionReported(int leftTwips, int topTwips);
    // Whether left and top say where the window stands: code has placed it, or the front end
    // has reported its place. A window still being centred has no known place yet.
    bool positionKnown() const { return positionKnown_; }
    // Where the window stands, in twips: its known place, else the middle of `workAreaPixels`
    // where a centred window goes; empty when neither is known.
    std::optional<Point> placeTwips(const std::optional<Rect>& workAreaPixels) const;
    // Whether a rectangle in client pixels lies wholly right of or below the client area the
    // window's outer size leaves.
    bool beyondClient(const Rect& rect) const;

    // For a load step: runs `measure` now when the client area reaches `label`, else when the
    // window grows over it or once the window is on screen, as for a label sized to its text;
    // so measuring for a label the first window does not show need not hold that window up.
    void measureWhenReached(Element& label, std::function<void()> measure);

    // A load's set-up: each adds one row to the loading window and gives back its handle. An
    // element's container must have been added before it.
    Element& add(const ElementSpec& row);
    Timer& add(const TimerSpec& row);
    MenuItem& add(const MenuSpec& row);
    const ImageList& add(ImageListSpec row);

    // Elements by name and (for array members) index: the one way to look one up.
    Element* find(const std::string& name, int index = -1) const;
    Element& at(const std::string& name, int index = -1) const;
    // The members of the array `name` by index, null where there is none (valid for this load).
    const std::vector<Element*>& members(const std::string& name) const;
    // Creates array member `index` as a hidden copy of member 0, in front of its siblings.
    Element& createMember(const std::string& name, int index);
    // Moves `element` to the front of its container's children.
    void bringToFront(Element& element);
    // The children of `container` (nullptr: the window) front to back.
    const std::vector<Element*>& childrenOf(const Element* container) const;
    const std::vector<Element*>& topLevel() const { return childrenOf(nullptr); }
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
    // Holds everything this load scheduled (while another window has the player's attention):
    // its timers and delays keep the time left to them, and posted tasks wait. Resumed, each
    // goes on where it was; the waiting tasks run in a later pass. A new load is never held.
    void holdTimers();
    void resumeTimers();
    bool timersHeld() const;

    // Input, in window client pixels. A release goes to the element that took the press.
    Element* elementAt(Point windowPoint) const;
    void pointerPressed(Point windowPoint, MouseButton button);
    void pointerReleased(Point windowPoint, MouseButton button);
    void pointerMoved(Point windowPoint);
    // A press of the left button on the window's own ground, or on an element that has no
    // handler for the mouse (a plain picture or label) after that element has had it.
    std::function<void()> onGroundClick;
    // The same, aimed at one element (tests and front ends that know the target).
    void pressElement(Element& element, MouseButton button, Point local = {});
    void releaseOn(Element& element, MouseButton button, Point local = {});
    void click(Element& element);
    // Combo boxes: a pick from the list raises the click handler; typing does not.
    void pickItem(Element& combo, int index);
    void typeText(Element& combo, const std::string& text);

    // Keyboard focus: the element keys act on (none at load). Its frame is drawn only once a key
    // has been used in this window, and hidden again when the mouse is pressed, so a window used
    // with the mouse alone shows no frame; whether it is drawn carries over to the next load.
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
    struct Load;

    void notifyWindow();
    void resetWindowProperties();
    int menuBarHeight() const;
    // Stops everything the load scheduled and tells the observer its elements go. Unless
    // `now`, what it made is freed once the running handler has returned, since a handler may
    // unload its own window.
    void retireLoad(bool now);
    // Measures the labels the load left unmeasured: all, or those the client area now reaches.
    void measureLabels(bool all);
    using DelayId = std::size_t;
    void fireDelay(Load& load, DelayId delay);
    void showFocusFrame(bool shown);
    Element* hitTest(const std::vector<Element*>& children, Point local) const;
    void deliverPress(Element& target, MouseButton button, Point local);
    void deliverRelease(Element& target, MouseButton button, Point local, bool stillOver);
    void deliverMove(Element& target, Point local);

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

    // Everything the current load made; null while the window is not loaded.
    std::shared_ptr<Load> load_;

    Element* pressed_ = nullptr;
    MouseButton pressedButton_ = MouseButton::Left;
    Element* focused_ = nullptr;
    bool focusFrameShown_ = false;
};

}  // namespace koropika
