#include "ui/elements/window.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>

#include "ui/elements/desktop.h"

namespace koropika {

namespace {

// Outer size of a window before code sets one: the designed client area plus a plain frame
// (borders and caption bar), and a menu bar when the window has menus.
constexpr int kFrameWidthPx = 2;
constexpr int kFrameHeightPx = 21;
constexpr int kMenuBarHeightPx = 20;

template <typename Handler, typename... Args>
void callCopy(const Handler& handler, Args&&... args) {
    if (handler) {
        // A copy keeps the callable alive even if the handler unloads its own element.
        Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}

Point localTo(const Element& element, Point windowPoint) {
    const Rect r = element.windowRect();
    return {windowPoint.x - r.left, windowPoint.y - r.top};
}

}  // namespace

// ---- Timer ----------------------------------------------------------------------------------

Timer::Timer(Window& window, const TimerSpec& spec)
    : window_(window), name_(spec.name), enabled_(spec.enabled), intervalMs_(spec.intervalMs) {
    restart();
}

Timer::~Timer() {
    if (running_) {
        window_.loop().stop(*running_);
    }
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
    if (running_) {
        window_.loop().stop(*running_);
        running_.reset();
    }
    if (enabled_ && intervalMs_ > 0 && !retired_) {
        running_ = window_.loop().startRepeating(intervalMs_, [this] { callCopy(onTick); });
    }
}

// ---- MenuItem -------------------------------------------------------------------------------

MenuItem::MenuItem(Window& window, const MenuSpec& spec)
    : window_(window), name_(spec.name), caption_(spec.caption) {}

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        window_.notifyMenu(*this);
    }
}

void MenuItem::choose() {
    if (enabled_) {
        callCopy(onClick);
    }
}

// ---- ImageList ------------------------------------------------------------------------------

const std::string& ImageList::picture(int number) const {
    static const std::string none;
    if (number < 1 || number > count()) {
        return none;
    }
    return spec_.pictures[static_cast<std::size_t>(number - 1)];
}

// ---- Window ---------------------------------------------------------------------------------

// What one load of the window created and scheduled. It is retired as a whole: first everything
// it scheduled is stopped, then, once the running handler has returned, it is freed.
struct Window::Load {
    std::vector<std::unique_ptr<Element>> elements;
    std::vector<Element*> topLevel;
    std::vector<std::unique_ptr<Timer>> timers;
    std::vector<std::unique_ptr<MenuItem>> menus;
    std::vector<std::unique_ptr<ImageList>> imageLists;
    std::set<EventLoop::TimerId> delays;
    bool retired = false;
};

Window::Window(const WindowLayout& layout, EventLoop& loop, Desktop& desktop)
    : layout_(layout), loop_(loop), desktop_(desktop) {
    resetWindowProperties();
}

Window::~Window() {
    if (shown_) {
        shown_ = false;
        desktop_.windowHidden(*this);
    }
    retireLoad(true);
}

void Window::resetWindowProperties() {
    caption_ = layout_.caption;
    const int menuBar = layout_.menus.empty() ? 0 : kMenuBarHeightPx;
    widthTwips_ = (layout_.designedClient.width + kFrameWidthPx) * kTwipsPerPixel;
    heightTwips_ = (layout_.designedClient.height + kFrameHeightPx + menuBar) * kTwipsPerPixel;
    centred_ = true;
}

void Window::load() {
    if (loaded_) {
        return;
    }
    load_ = std::make_shared<Load>();
    resetWindowProperties();
    for (const ElementSpec& spec : layout_.elements) {
        Element* container = nullptr;
        if (!spec.container.empty()) {
            container = find(spec.container);
            if (container == nullptr || !isContainer(container->kind())) {
                throw std::logic_error("layout of " + layout_.name + ": " + spec.name +
                                       " is listed before its container " + spec.container);
            }
        }
        auto& elements = load_->elements;
        elements.push_back(std::make_unique<Element>(*this, spec.name, spec.index, spec.kind,
                                                     container, spec.properties));
        childrenOf(container).push_back(elements.back().get());
        // The designed size of a label sized to its text came from other font metrics.
        elements.back()->fitToText();
    }
    for (const ImageListSpec& spec : layout_.imageLists) {
        load_->imageLists.push_back(std::make_unique<ImageList>(spec));
    }
    for (const MenuSpec& spec : layout_.menus) {
        load_->menus.push_back(std::make_unique<MenuItem>(*this, spec));
    }
    for (const TimerSpec& spec : layout_.timers) {
        load_->timers.push_back(std::make_unique<Timer>(*this, spec));
    }
    loaded_ = true;
    callCopy(onLoad);
}

void Window::unload() {
    if (!loaded_) {
        return;
    }
    callCopy(onUnload);
    if (!loaded_) {
        return;  // the unload step unloaded the window itself
    }
    loaded_ = false;
    if (shown_) {
        shown_ = false;
        desktop_.windowHidden(*this);
    }
    retireLoad(false);
}

void Window::retireLoad(bool now) {
    if (!load_) {
        return;
    }
    std::shared_ptr<Load> load = std::move(load_);
    load->retired = true;
    pressed_ = nullptr;
    for (auto& timer : load->timers) {
        timer->retire();
    }
    for (const EventLoop::TimerId delay : load->delays) {
        loop_.stop(delay);
    }
    load->delays.clear();
    for (auto& element : load->elements) {
        if (observer_ != nullptr) {
            observer_->elementDestroying(*element);
        }
        element->alive_ = false;
    }
    if (!now) {
        loop_.post([load] {});  // the last reference goes when this task has run
    }
}

void Window::show() {
    if (!loaded_) {
        load();
    }
    if (loaded_ && !shown_) {
        shown_ = true;
        desktop_.windowShown(*this);
    }
}

void Window::closeBoxClicked() {
    if (onCloseBox) {
        callCopy(onCloseBox);
    } else {
        unload();
    }
}

void Window::setLeftTwips(int twips) {
    leftTwips_ = twips;
    centred_ = false;
    positionKnown_ = true;
    notifyWindow();
}

void Window::setTopTwips(int twips) {
    topTwips_ = twips;
    centred_ = false;
    positionKnown_ = true;
    notifyWindow();
}

void Window::setWidthTwips(int twips) {
    widthTwips_ = std::max(0, twips);
    notifyWindow();
}

void Window::setHeightTwips(int twips) {
    heightTwips_ = std::max(0, twips);
    notifyWindow();
}

void Window::setCentred(bool centred) {
    centred_ = centred;
    positionKnown_ = !centred;
    notifyWindow();
}

void Window::positionReported(int leftTwips, int topTwips) {
    leftTwips_ = leftTwips;
    topTwips_ = topTwips;
    centred_ = false;
    positionKnown_ = true;
}

std::optional<Point> Window::placeTwips(const std::optional<Rect>& workAreaPixels) const {
    if (positionKnown_) {
        return Point{leftTwips_, topTwips_};
    }
    if (!workAreaPixels) {
        return std::nullopt;
    }
    const int width = widthTwips_ / kTwipsPerPixel;
    const int height = heightTwips_ / kTwipsPerPixel;
    return Point{(workAreaPixels->left + (workAreaPixels->width - width) / 2) * kTwipsPerPixel,
                 (workAreaPixels->top + (workAreaPixels->height - height) / 2) * kTwipsPerPixel};
}

Element* Window::find(const std::string& name, int index) const {
    if (!load_) {
        return nullptr;
    }
    for (const auto& element : load_->elements) {
        // The index first: most elements differ in it, and it costs less than the name.
        if (element->index() == index && element->name() == name) {
            return element.get();
        }
    }
    return nullptr;
}

Element& Window::at(const std::string& name, int index) const {
    Element* element = find(name, index);
    if (element == nullptr) {
        throw std::out_of_range(layout_.name + " has no element " + name +
                                (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
    }
    return *element;
}

Element& Window::createMember(const std::string& name, int index) {
    const Element& model = at(name, 0);
    if (index <= 0 || find(name, index) != nullptr) {
        throw std::logic_error(name + "(" + std::to_string(index) + ") already exists");
    }
    ElementProperties properties = model.properties();
    properties.visible = false;
    load_->elements.push_back(std::make_unique<Element>(*this, name, index, model.kind(),
                                                        model.container(), std::move(properties)));
    Element& member = *load_->elements.back();
    member.onClick = model.onClick;
    member.onMouseDown = model.onMouseDown;
    member.onMouseUp = model.onMouseUp;
    member.onMouseMove = model.onMouseMove;
    auto& siblings = childrenOf(member.container());
    siblings.insert(siblings.begin(), &member);
    if (observer_ != nullptr) {
        observer_->elementCreated(member);
    }
    return member;
}

std::vector<Element*> Window::elements() const {
    std::vector<Element*> all;
    if (load_) {
        all.reserve(load_->elements.size());
        for (const auto& element : load_->elements) {
            all.push_back(element.get());
        }
    }
    return all;
}

const std::vector<Element*>& Window::topLevel() const {
    static const std::vector<Element*> none;
    return load_ ? load_->topLevel : none;
}

const std::vector<std::unique_ptr<Timer>>& Window::timers() const {
    static const std::vector<std::unique_ptr<Timer>> none;
    return load_ ? load_->timers : none;
}

const std::vector<std::unique_ptr<MenuItem>>& Window::menus() const {
    static const std::vector<std::unique_ptr<MenuItem>> none;
    return load_ ? load_->menus : none;
}

Timer& Window::timer(const std::string& name) const {
    for (const auto& timer : timers()) {
        if (timer->name() == name) {
            return *timer;
        }
    }
    throw std::out_of_range(layout_.name + " has no timer " + name);
}

MenuItem& Window::menu(const std::string& name) const {
    for (const auto& item : menus()) {
        if (item->name() == name) {
            return *item;
        }
    }
    throw std::out_of_range(layout_.name + " has no menu item " + name);
}

const ImageList& Window::imageList(const std::string& name, int index) const {
    if (!load_) {
        throw std::out_of_range(layout_.name + " is not loaded");
    }
    for (const auto& list : load_->imageLists) {
        if (list->name() == name && list->index() == index) {
            return *list;
        }
    }
    throw std::out_of_range(layout_.name + " has no image list " + name);
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
    // A one-shot delay is a repeating timer stopped at its first tick; retiring the load stops
    // it before it can fire.
    auto id = std::make_shared<EventLoop::TimerId>(0);
    Load* load = load_.get();
    *id = loop_.startRepeating(ms, [this, load, id, task = std::move(task)] {
        const auto run = task;  // stopping the timer frees this closure
        load->delays.erase(*id);
        loop_.stop(*id);
        run();
    });
    load->delays.insert(*id);
}

std::size_t Window::pendingDelays() const {
    return load_ ? load_->delays.size() : 0;
}

std::vector<Element*>& Window::childrenOf(Element* container) {
    return container == nullptr ? load_->topLevel : container->children_;
}

Element* Window::hitTest(const std::vector<Element*>& children, Point local) const {
    // Panels and native controls lie in front of the plain elements of their container.
    for (const bool heavy : {true, false}) {
        for (Element* child : children) {
            if (isHeavyweight(child->kind()) != heavy || !child->visible() ||
                !child->rect().contains(local)) {
                continue;
            }
            if (isContainer(child->kind())) {
                const Point inner{local.x - child->left(), local.y - child->top()};
                if (Element* hit = hitTest(child->children(), inner)) {
                    return hit;
                }
            }
            return child;
        }
    }
    return nullptr;
}

Element* Window::elementAt(Point windowPoint) const {
    return loaded_ && load_ ? hitTest(load_->topLevel, windowPoint) : nullptr;
}

void Window::pointerPressed(Point windowPoint, MouseButton button) {
    if (pressed_ != nullptr) {
        if (button != pressedButton_) {
            return;  // the first button held keeps the capture
        }
        // The same button cannot go down twice: its release was lost (a grab taken away by the
        // desktop), so the old capture must not keep the window deaf to the mouse.
        pressed_ = nullptr;
    }
    if (Element* target = elementAt(windowPoint)) {
        pressElement(*target, button, localTo(*target, windowPoint));
    }
}

void Window::pointerReleased(Point windowPoint, MouseButton button) {
    if (pressed_ == nullptr || button != pressedButton_) {
        return;
    }
    Element& target = *pressed_;
    pressed_ = nullptr;
    deliverRelease(target, button, localTo(target, windowPoint), elementAt(windowPoint) == &target);
}

void Window::pointerMoved(Point windowPoint) {
    Element* target = pressed_ != nullptr ? pressed_ : elementAt(windowPoint);
    if (target != nullptr) {
        deliverMove(*target, localTo(*target, windowPoint));
    }
}

void Window::pressElement(Element& element, MouseButton button, Point local) {
    if (!element.shown()) {
        return;  // nobody can press what is not on screen
    }
    pressed_ = &element;
    pressedButton_ = button;
    deliverPress(element, button, local);
}

void Window::releaseOn(Element& element, MouseButton button, Point local) {
    if (pressed_ == &element && pressedButton_ == button) {
        pressed_ = nullptr;
        deliverRelease(element, button, local, true);
    }
}

void Window::click(Element& element) {
    pressElement(element, MouseButton::Left);
    releaseOn(element, MouseButton::Left);
}

void Window::pickItem(Element& combo, int index) {
    // Only an entry of the list can be picked: an index outside it changes nothing.
    if (!combo.shown() || index < 0 || index >= static_cast<int>(combo.items().size())) {
        return;
    }
    combo.setSelectedIndex(index);
    if (combo.enabled()) {
        callCopy(combo.onClick, combo.index());
    }
}

void Window::typeText(Element& combo, const std::string& text) {
    if (combo.kind() == ElementKind::ComboBox) {
        combo.setText(text);
    }
}

void Window::deliverPress(Element& target, MouseButton button, Point local) {
    if (target.enabled()) {
        callCopy(target.onMouseDown, target.index(), MouseEvent{button, local});
    }
}

void Window::deliverRelease(Element& target, MouseButton button, Point local, bool stillOver) {
    if (!target.enabled()) {
        return;
    }
    const Load* load = load_.get();
    callCopy(target.onMouseUp, target.index(), MouseEvent{button, local});
    // The release handler may have unloaded the window; then the click is gone with it.
    if (button == MouseButton::Left && stillOver && load_.get() == load) {
        callCopy(target.onClick, target.index());
    }
}

void Window::deliverMove(Element& target, Point local) {
    if (target.enabled() && (target.shown() || &target == pressed_)) {
        callCopy(target.onMouseMove, target.index(), MouseEvent{MouseButton::Left, local});
    }
}

void Window::notifyWindow() {
    if (observer_ != nullptr) {
        observer_->windowChanged(*this);
    }
}

void Window::notifyElement(Element& element) {
    if (observer_ != nullptr) {
        observer_->elementChanged(element);
    }
}

void Window::notifyOrder(Element* container) {
    if (observer_ != nullptr) {
        observer_->elementOrderChanged(container);
    }
}

void Window::notifyMenu(MenuItem& item) {
    if (observer_ != nullptr) {
        observer_->menuChanged(item);
    }
}

}  // namespace koropika
