#include "ui/elements/window.h"

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "ui/elements/desktop.h"

namespace koropika {

namespace {

// Outer size of a window before code sets one: the designed client area plus a plain frame
// (borders and caption bar), and a menu bar when the window has menus.
constexpr int kFrameWidthPx = 2;
constexpr int kFrameHeightPx = 21;
constexpr int kMenuBarHeightPx = 20;

// How long after a load the labels it left unmeasured wait for their measuring, unless the
// window grows over them first: long enough for the window to be on screen and drawn.
constexpr int kUnmeasuredLabelsWaitMs = 500;

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
    : loop_(window.loop()), spec_(&spec), enabled_(spec.enabled), intervalMs_(spec.intervalMs) {
    // The tick calls the handler in place: a load's timers outlive every handler that runs
    // while the load is retired, and their handlers change only when a later load reuses them,
    // so the handler cannot go away under its own call.
    id_ = loop_.addTimerCalling(&onTick);
    restart();
}

Timer::~Timer() {
    loop_.stop(id_);
}

void Timer::reset() {
    retired_ = false;
    enabled_ = spec_->enabled;
    intervalMs_ = spec_->intervalMs;
    onTick = nullptr;
    restart();
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

// ---- MenuItem -------------------------------------------------------------------------------

MenuItem::MenuItem(Window& window, const MenuSpec& spec) : window_(window), spec_(&spec) {}

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        if (WindowObserver* observer = window_.observer()) {
            observer->menuChanged(*this);
        }
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
    return spec_->pictures[static_cast<std::size_t>(number - 1)];
}

// ---- Window ---------------------------------------------------------------------------------

// The layout resolved once: where each row goes, which array it belongs to, and where to find a
// row by name.
struct Window::Structure {
    struct Array {
        const std::string* name = nullptr;
        ElementId model = -1;  // member 0, the template; -1 when the layout lists none
    };
    std::vector<ElementId> containerOf;  // by row; -1 = the window itself
    std::vector<int> arrayOf;            // by row; -1 = not an array member
    std::vector<Array> arrays;
    std::unordered_map<std::string_view, int> arrayByName;
    // Rows by name and index.
    std::unordered_map<std::string_view, std::vector<ElementId>> rowsByName;
};

// What one load of the window created and scheduled. It is retired as a whole: first everything
// it scheduled is stopped, then, once the running handler has returned, it may be reset for a
// later load.
struct Window::Load {
    EventLoop* loop = nullptr;
    std::uint64_t serial = 0;  // which load of the window this is
    bool retired = false;
    std::vector<std::unique_ptr<Element>> rows;  // the layout's elements, by id
    struct Members {
        std::vector<Element*> byIndex;                // this load's members; null = none
        std::vector<std::unique_ptr<Element>> spare;  // created members, kept for reuse
    };
    std::vector<Members> arrays;
    std::vector<Element*> created;  // every element of this load, in creation order
    // Labels sized to their text that lay beyond the client area at the load, not yet measured.
    std::vector<Element*> unmeasured;
    StackingOrder topLevel;
    std::vector<std::unique_ptr<Timer>> timers;
    std::vector<std::unique_ptr<MenuItem>> menus;
    std::vector<std::unique_ptr<ImageList>> imageLists;
    // A delay slot keeps its loop timer from one delay to the next.
    struct Delay {
        EventLoop::TimerId timer = 0;
        bool pending = false;
        bool kept = false;  // keeps its task for the load (addDelay)
        std::function<void()> task;
    };
    // A deque: a running kept task stays in place when the task adds delays.
    std::deque<Delay> delays;
    std::vector<std::size_t> freeDelays;
    std::size_t pendingDelays = 0;

    Load() = default;
    Load(const Load&) = delete;
    Load& operator=(const Load&) = delete;
    ~Load() {
        for (const Delay& delay : delays) {
            loop->stop(delay.timer);
        }
    }
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

const Window::Structure& Window::structure() {
    if (structure_) {
        return *structure_;
    }
    auto built = std::make_unique<Structure>();
    const auto& specs = layout_.elements;
    for (ElementId id = 0; id < static_cast<ElementId>(specs.size()); ++id) {
        const ElementSpec& spec = specs[static_cast<std::size_t>(id)];
        ElementId container = -1;
        if (!spec.container.empty()) {
            const auto rows = built->rowsByName.find(spec.container);
            if (rows != built->rowsByName.end()) {
                for (const ElementId row : rows->second) {
                    if (specs[static_cast<std::size_t>(row)].index == -1) {
                        container = row;
                    }
                }
            }
            if (container == -1 || !isContainer(specs[static_cast<std::size_t>(container)].kind)) {
                throw std::logic_error("layout of " + layout_.name + ": " + spec.name +
                                       " is listed before its container " + spec.container);
            }
        }
        built->containerOf.push_back(container);
        built->rowsByName[spec.name].push_back(id);
        int array = -1;
        if (spec.index >= 0) {
            const auto [it, added] =
                built->arrayByName.try_emplace(spec.name, static_cast<int>(built->arrays.size()));
            if (added) {
                built->arrays.push_back({&spec.name, -1});
            }
            array = it->second;
            if (spec.index == 0) {
                built->arrays[static_cast<std::size_t>(array)].model = id;
            }
        }
        built->arrayOf.push_back(array);
    }
    structure_ = std::move(built);
    return *structure_;
}

std::shared_ptr<Window::Load> Window::freshLoad() {
    // A retired load still referenced is in use by a handler that has not returned (or by the
    // task that lets it go): it waits.
    for (auto it = retired_.begin(); it != retired_.end(); ++it) {
        if (it->use_count() == 1) {
            std::shared_ptr<Load> load = std::move(*it);
            retired_.erase(it);
            return load;
        }
    }
    auto load = std::make_shared<Load>();
    load->loop = &loop_;
    return load;
}

void Window::load() {
    if (loaded_) {
        return;
    }
    const Structure& structure = this->structure();
    std::shared_ptr<Load> load = freshLoad();
    const bool reused = !load->rows.empty();
    load->serial = ++loads_;
    load->retired = false;
    load_ = load;
    resetWindowProperties();

    const auto& specs = layout_.elements;
    load->created.clear();
    load->unmeasured.clear();
    load->topLevel.clear();
    load->arrays.resize(structure.arrays.size());
    for (auto& members : load->arrays) {
        members.byIndex.clear();  // keeps its storage for this load's members
    }
    load->rows.reserve(specs.size());
    for (std::size_t id = 0; id < specs.size(); ++id) {
        const ElementSpec& spec = specs[id];
        const ElementId containerId = structure.containerOf[id];
        Element* container =
            containerId < 0 ? nullptr : load->rows[static_cast<std::size_t>(containerId)].get();
        Element* element = nullptr;
        if (reused) {
            element = load->rows[id].get();
            element->reset(container, spec.properties);
        } else {
            load->rows.push_back(std::unique_ptr<Element>(new Element(
                *this, observer_, spec.name, spec.index, spec.kind, container, spec.properties)));
            element = load->rows.back().get();
        }
        childrenOf(container).addAtBack(element);
        load->created.push_back(element);
        if (const int array = structure.arrayOf[id]; array >= 0) {
            auto& byIndex = load->arrays[static_cast<std::size_t>(array)].byIndex;
            const auto index = static_cast<std::size_t>(spec.index);
            if (byIndex.size() <= index) {
                byIndex.resize(index + 1, nullptr);
            }
            byIndex[index] = element;
        }
        // The designed size of a label sized to its text came from other font metrics. A label
        // beyond the client area shows only once the window grows: it is measured then, or once
        // the window is on screen, which spares the first window loading its font.
        if (element->autoSize() && beyondClient(element->windowRect())) {
            load->unmeasured.push_back(element);
        } else {
            element->fitToText();
        }
    }

    if (reused) {
        for (auto& timer : load->timers) {
            timer->reset();
        }
        for (auto& item : load->menus) {
            item->enabled_ = true;
            item->onClick = nullptr;
        }
        // Every delay slot is free again; each keeps its loop timer. (A kept task stays until
        // here: it may have been running when its load was retired.)
        load->freeDelays.clear();
        for (std::size_t slot = load->delays.size(); slot-- > 0;) {
            load->delays[slot].kept = false;
            load->delays[slot].task = nullptr;
            load->freeDelays.push_back(slot);
        }
        load->pendingDelays = 0;
    } else {
        for (const ImageListSpec& spec : layout_.imageLists) {
            load->imageLists.push_back(std::make_unique<ImageList>(spec));
        }
        for (const MenuSpec& spec : layout_.menus) {
            load->menus.push_back(std::make_unique<MenuItem>(*this, spec));
        }
        for (const TimerSpec& spec : layout_.timers) {
            load->timers.push_back(std::make_unique<Timer>(*this, spec));
        }
    }
    loaded_ = true;
    callCopy(onLoad);
    // The load step may have sized the window over them already.
    if (load_ == load && !load->unmeasured.empty()) {
        after(kUnmeasuredLabelsWaitMs, [this] { measureLabels(/*all=*/true); });
    }
}

bool Window::beyondClient(const Rect& rect) const {
    const int menuBar = layout_.menus.empty() ? 0 : kMenuBarHeightPx;
    const int clientWidth = widthTwips_ / kTwipsPerPixel - kFrameWidthPx;
    const int clientHeight = heightTwips_ / kTwipsPerPixel - kFrameHeightPx - menuBar;
    return rect.left >= clientWidth || rect.top >= clientHeight;
}

void Window::measureLabels(bool all) {
    if (!load_) {
        return;
    }
    std::erase_if(load_->unmeasured, [this, all](Element* element) {
        if (!all && beyondClient(element->windowRect())) {
            return false;
        }
        const Rect before = element->rect();
        element->fitToText();
        if (element->rect() != before) {
            element->changed();
        }
        return true;
    });
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
    focused_ = nullptr;
    for (auto& timer : load->timers) {
        timer->retire();
    }
    for (auto& delay : load->delays) {
        if (delay.pending) {
            loop_.pauseTimer(delay.timer);
            delay.pending = false;
        }
        if (!delay.kept) {
            delay.task = nullptr;
        }
    }
    load->pendingDelays = 0;
    for (Element* element : load->created) {
        if (observer_ != nullptr) {
            observer_->elementDestroying(*element);
        }
        element->alive_ = false;
    }
    if (!now) {
        // The running handler may still use what the load created; the task holds the load
        // until it has returned, and a later load may reuse it after that.
        loop_.post([load] {});
        retired_.push_back(std::move(load));
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
    measureLabels(/*all=*/false);
    notifyWindow();
}

void Window::setHeightTwips(int twips) {
    heightTwips_ = std::max(0, twips);
    measureLabels(/*all=*/false);
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
    if (!load_ || !structure_) {
        return nullptr;
    }
    if (const auto rows = structure_->rowsByName.find(name); rows != structure_->rowsByName.end()) {
        for (const ElementId row : rows->second) {
            if (layout_.elements[static_cast<std::size_t>(row)].index == index) {
                return load_->rows[static_cast<std::size_t>(row)].get();
            }
        }
    }
    if (index < 0) {
        return nullptr;
    }
    const auto array = structure_->arrayByName.find(name);
    if (array == structure_->arrayByName.end()) {
        return nullptr;
    }
    const auto& byIndex = load_->arrays[static_cast<std::size_t>(array->second)].byIndex;
    return static_cast<std::size_t>(index) < byIndex.size()
               ? byIndex[static_cast<std::size_t>(index)]
               : nullptr;
}

Element& Window::at(const std::string& name, int index) const {
    Element* element = find(name, index);
    if (element == nullptr) {
        throw std::out_of_range(layout_.name + " has no element " + name +
                                (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
    }
    return *element;
}

Element& Window::element(ElementId id) const {
    if (!load_ || id < 0 || static_cast<std::size_t>(id) >= load_->rows.size()) {
        throw std::out_of_range(layout_.name + " has no element with id " + std::to_string(id));
    }
    return *load_->rows[static_cast<std::size_t>(id)];
}

Element& Window::createMember(const std::string& name, int index) {
    const Element* model = find(name, 0);
    if (model == nullptr) {
        throw std::out_of_range(layout_.name + " has no element " + name + "(0)");
    }
    const auto array = structure_->arrayByName.find(name);
    return createMember(structure_->arrays[static_cast<std::size_t>(array->second)].model, index);
}

const std::vector<Element*>& Window::members(ElementId array) const {
    if (!load_ || array < 0 || static_cast<std::size_t>(array) >= structure_->arrayOf.size() ||
        structure_->arrayOf[static_cast<std::size_t>(array)] < 0) {
        throw std::logic_error(layout_.name + " has no element array with id " +
                               std::to_string(array));
    }
    return load_
        ->arrays[static_cast<std::size_t>(structure_->arrayOf[static_cast<std::size_t>(array)])]
        .byIndex;
}

Element& Window::createMember(ElementId array, int index) {
    const int number =
        load_ && array >= 0 && static_cast<std::size_t>(array) < structure_->arrayOf.size()
            ? structure_->arrayOf[static_cast<std::size_t>(array)]
            : -1;
    const ElementId modelId =
        number < 0 ? -1 : structure_->arrays[static_cast<std::size_t>(number)].model;
    if (modelId < 0) {
        throw std::out_of_range(layout_.name + " has no template for the array of row " +
                                std::to_string(array));
    }
    const Element& model = *load_->rows[static_cast<std::size_t>(modelId)];
    Load::Members& members = load_->arrays[static_cast<std::size_t>(number)];
    const auto slot = static_cast<std::size_t>(index);
    if (index <= 0 || (slot < members.byIndex.size() && members.byIndex[slot] != nullptr)) {
        throw std::logic_error(model.name() + "(" + std::to_string(index) + ") already exists");
    }
    // Members are mostly created in order of index: each one adds a place at the end.
    if (members.byIndex.size() == slot) {
        members.byIndex.push_back(nullptr);
    } else if (members.byIndex.size() < slot) {
        members.byIndex.resize(slot + 1, nullptr);
    }
    if (members.spare.size() <= slot) {
        members.spare.resize(slot + 1);
    }
    std::unique_ptr<Element>& kept = members.spare[slot];
    if (kept) {
        // A template untouched since its load still has its row's properties: made from those
        // again, the member keeps the texts it already has.
        const bool modelAsMade = model.pristine() && model.madeFrom() != nullptr;
        if (!modelAsMade) {
            kept->madeFrom_ = nullptr;  // the template may differ from last time: copy all
        }
        kept->reset(model.container(), modelAsMade ? *model.madeFrom() : model.properties());
    } else {
        kept.reset(new Element(*this, observer_, model.name(), index, model.kind(),
                               model.container(), model.properties()));
    }
    Element& member = *kept;
    member.props_.visible = false;
    member.changedFields_ |= Element::kOtherChanged;
    // A member starts without handlers of its own and runs the template's.
    member.handlersOf_ = &model;
    members.byIndex[slot] = &member;
    load_->created.push_back(&member);
    childrenOf(member.container()).addAtFront(&member);
    if (observer_ != nullptr) {
        observer_->elementCreated(member);
    }
    return member;
}

void Window::bringToFront(Element& element) {
    if (!load_ || !element.alive()) {
        return;
    }
    StackingOrder& siblings = childrenOf(element.container());
    if (!siblings.atFront(&element)) {
        siblings.bringToFront(&element);
        if (observer_ != nullptr) {
            observer_->elementOrderChanged(element.container());
        }
    }
}

std::vector<Element*> Window::elements() const {
    return load_ ? load_->created : std::vector<Element*>{};
}

const std::vector<Element*>& Window::topLevel() const {
    static const std::vector<Element*> none;
    return load_ ? load_->topLevel.frontToBack() : none;
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

Timer& Window::timerAt(int place) const {
    return *timers().at(static_cast<std::size_t>(place));
}

MenuItem& Window::menuAt(int place) const {
    return *menus().at(static_cast<std::size_t>(place));
}

const ImageList& Window::imageListAt(int place) const {
    if (!load_) {
        throw std::out_of_range(layout_.name + " is not loaded");
    }
    return *load_->imageLists.at(static_cast<std::size_t>(place));
}

void Window::post(std::function<void()> task) {
    if (!load_) {
        return;
    }
    // A later load may reuse the same load object: the serial tells them apart.
    loop_.post([load = std::weak_ptr<Load>(load_), serial = load_->serial, task = std::move(task)] {
        const auto alive = load.lock();
        if (alive && !alive->retired && alive->serial == serial) {
            task();
        }
    });
}

std::size_t Window::delaySlot(Load& load) {
    // Delays live in reused slots of the load, each with a loop timer made once, whose handler
    // (the load and the slot) needs no allocation of its own.
    if (!load.freeDelays.empty()) {
        const std::size_t slot = load.freeDelays.back();
        load.freeDelays.pop_back();
        return slot;
    }
    const std::size_t slot = load.delays.size();
    Load* owner = &load;
    load.delays.emplace_back().timer = loop_.addTimer([owner, slot] { fireDelay(*owner, slot); });
    return slot;
}

void Window::after(int ms, std::function<void()> task) {
    if (!load_) {
        return;
    }
    // A delay is a timer started for one tick; retiring the load pauses it before it can fire.
    Load& load = *load_;
    Load::Delay& delay = load.delays[delaySlot(load)];
    delay.task = std::move(task);
    delay.pending = true;
    ++load.pendingDelays;
    loop_.startOnce(delay.timer, ms);
}

Window::DelayId Window::addDelay(std::function<void()> task) {
    if (!load_) {
        throw std::logic_error(layout_.name + " is not loaded");
    }
    const std::size_t slot = delaySlot(*load_);
    Load::Delay& delay = load_->delays[slot];
    delay.kept = true;
    delay.task = std::move(task);
    return slot;
}

void Window::startDelay(DelayId id, int ms) {
    Load* load = load_.get();
    if (load == nullptr || id >= load->delays.size()) {
        return;  // unloaded since: the delay went with its load
    }
    Load::Delay& delay = load->delays[id];
    if (!delay.kept) {
        return;
    }
    if (!delay.pending) {
        delay.pending = true;
        ++load->pendingDelays;
    }
    loop_.startOnce(delay.timer, ms);
}

void Window::fireDelay(Load& load, std::size_t slot) {
    Load::Delay& delay = load.delays[slot];
    delay.pending = false;  // its timer has paused itself
    --load.pendingDelays;
    if (delay.kept) {
        // The task stays where it is while it runs, even if it unloads the window.
        delay.task();
        return;
    }
    std::function<void()> run = std::move(delay.task);
    delay.task = nullptr;
    load.freeDelays.push_back(slot);
    run();
}

std::size_t Window::pendingDelays() const {
    return load_ ? load_->pendingDelays : 0;
}

StackingOrder& Window::childrenOf(Element* container) {
    return container == nullptr ? load_->topLevel : container->children_;
}

Element* Window::hitTest(const std::vector<Element*>& children, Point local) const {
    // Panels and native controls lie in front of the plain elements of their container: the
    // frontmost of those under the point wins, else the frontmost plain element. One pass
    // finds both.
    Element* plain = nullptr;
    for (Element* child : children) {
        if (!child->visible() || !child->rect().contains(local)) {
            continue;
        }
        if (!isHeavyweight(child->kind())) {
            if (plain == nullptr) {
                plain = child;
            }
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
    return plain;  // plain elements hold no children
}

Element* Window::elementAt(Point windowPoint) const {
    return loaded_ && load_ ? hitTest(load_->topLevel.frontToBack(), windowPoint) : nullptr;
}

void Window::pointerPressed(Point windowPoint, MouseButton button) {
    showFocusFrame(false);
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
        callCopy(combo.clickHandler(), combo.index());
    }
}

void Window::typeText(Element& combo, const std::string& text) {
    if (combo.kind() == ElementKind::ComboBox) {
        combo.setText(text);
    }
}

void Window::deliverPress(Element& target, MouseButton button, Point local) {
    if (target.enabled()) {
        callCopy(target.mouseDownHandler(), target.index(), MouseEvent{button, local});
    }
}

void Window::deliverRelease(Element& target, MouseButton button, Point local, bool stillOver) {
    if (!target.enabled()) {
        return;
    }
    const std::uint64_t serial = load_ ? load_->serial : 0;
    callCopy(target.mouseUpHandler(), target.index(), MouseEvent{button, local});
    // The release handler may have unloaded the window; then the click is gone with it.
    if (button == MouseButton::Left && stillOver && load_ && load_->serial == serial) {
        callCopy(target.clickHandler(), target.index());
    }
}

void Window::deliverMove(Element& target, Point local) {
    if (target.enabled() && (target.shown() || &target == pressed_)) {
        callCopy(target.mouseMoveHandler(), target.index(), MouseEvent{MouseButton::Left, local});
    }
}

void Window::setFocusedElement(Element* element) {
    if (element != focused_ && (element == nullptr || &element->window() == this)) {
        focused_ = element;
        if (observer_ != nullptr) {
            observer_->focusChanged(*this);
        }
    }
}

void Window::showFocusFrame(bool shown) {
    if (focusFrameShown_ != shown) {
        focusFrameShown_ = shown;
        if (observer_ != nullptr && focused_ != nullptr) {
            observer_->focusChanged(*this);
        }
    }
}

bool Window::keyPressed(Key key) {
    if (!loaded_) {
        return false;
    }
    showFocusFrame(true);
    if (!onKey) {
        return false;
    }
    const auto handler = onKey;  // the key step may unload the window
    return handler(key);
}

void Window::pressByKey(Element& element) {
    if (!element.shown()) {
        return;
    }
    pressElement(element, MouseButton::Left);
    Element* target = &element;
    after(kKeyPressShowMs, [this, target] { releaseOn(*target, MouseButton::Left); });
}

void Window::announce(const std::string& text) {
    if (observer_ != nullptr && !text.empty()) {
        observer_->announced(*this, text);
    }
}

void Window::notifyWindow() {
    if (observer_ != nullptr) {
        observer_->windowChanged(*this);
    }
}

}  // namespace koropika
