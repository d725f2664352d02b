#include "ui/elements/window.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/elements/desktop.h"
#include "ui/elements/window_load.h"

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

std::string labelOf(const std::string& name, int index) {
    return index >= 0 ? name + "(" + std::to_string(index) + ")" : name;
}

}  // namespace

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        if (WindowObserver* observer = window_.observer()) {
            observer->menuChanged(*this);
        }
    }
}

void MenuItem::choose() {
    if (enabled_ && onClick) {
        const auto handler = onClick;  // the handler may unload the window
        handler();
    }
}

const std::string& ImageList::picture(int number) const {
    static const std::string none;
    if (number < 1 || number > count()) {
        return none;
    }
    return spec_.pictures[static_cast<std::size_t>(number - 1)];
}

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

int Window::menuBarHeight() const {
    const bool menus = !layout_.menus.empty() || (load_ && !load_->menus.empty());
    return menus ? kMenuBarHeightPx : 0;
}

void Window::resetWindowProperties() {
    caption_ = layout_.caption;
    widthTwips_ = (layout_.designedClient.width + kFrameWidthPx) * kTwipsPerPixel;
    heightTwips_ =
        (layout_.designedClient.height + kFrameHeightPx + menuBarHeight()) * kTwipsPerPixel;
    centred_ = true;
}

void Window::load() {
    if (loaded_) {
        return;
    }
    desktop_.windowLoading(*this);
    auto load = std::make_shared<Load>();
    load_ = load;
    resetWindowProperties();
    for (const ElementSpec& row : layout_.elements) {
        add(row);
    }
    for (const ImageListSpec& row : layout_.imageLists) {
        add(row);
    }
    for (const MenuSpec& row : layout_.menus) {
        add(row);
    }
    for (const TimerSpec& row : layout_.timers) {
        add(row);
    }
    loaded_ = true;
    if (onLoad) {
        const auto step = onLoad;
        step();
    }
    // The load step may have sized the window over them already.
    if (load_ == load && !load->unmeasured.empty()) {
        after(kUnmeasuredLabelsWaitMs, [this] { measureLabels(/*all=*/true); });
    }
}

void Window::measureWhenReached(Element& label, std::function<void()> measure) {
    if (!load_) {
        throw std::logic_error(layout_.name + " is not loaded");
    }
    if (beyondClient(label.windowRect())) {
        load_->unmeasured.push_back({&label, std::move(measure)});
    } else {
        measure();
    }
}

Element& Window::add(const ElementSpec& row) {
    if (!load_) {
        throw std::logic_error(layout_.name + " is not loaded");
    }
    Load& load = *load_;
    Element* container = nullptr;
    if (!row.container.empty()) {
        container = find(row.container);
        if (container == nullptr || !isContainer(container->kind())) {
            throw std::logic_error("layout of " + layout_.name + ": " + row.name +
                                   " is listed before its container " + row.container);
        }
    }
    Element& element = *load.elements.emplace_back(
        std::make_unique<Element>(*this, row.name, row.index, row.kind, container, row.properties));
    load.children[container].push_back(&element);
    if (row.index < 0) {
        load.single[row.name] = &element;
    } else {
        std::vector<Element*>& members = load.arrays[row.name];
        members.resize(std::max(members.size(), static_cast<std::size_t>(row.index) + 1));
        members[static_cast<std::size_t>(row.index)] = &element;
    }
    // The designed size of a label sized to its text came from other font metrics. A label
    // beyond the client area shows only once the window grows: it is measured then, or once
    // the window is on screen, which spares the first window loading its font.
    if (element.autoSize() && beyondClient(element.windowRect())) {
        load.unmeasured.push_back({&element, [&element] { element.fitToText(); }});
    }
    return element;
}

Timer& Window::add(const TimerSpec& row) {
    return *load_->timers.emplace_back(std::make_unique<Timer>(loop_, row));
}

MenuItem& Window::add(const MenuSpec& row) {
    if (menuBarHeight() == 0) {
        // The menu bar comes on top of the client area.
        heightTwips_ += kMenuBarHeightPx * kTwipsPerPixel;
    }
    return *load_->menus.emplace_back(std::make_unique<MenuItem>(*this, row));
}

const ImageList& Window::add(ImageListSpec row) {
    return *load_->imageLists.emplace_back(std::make_unique<ImageList>(std::move(row)));
}

bool Window::beyondClient(const Rect& rect) const {
    const int clientWidth = widthTwips_ / kTwipsPerPixel - kFrameWidthPx;
    const int clientHeight = heightTwips_ / kTwipsPerPixel - kFrameHeightPx - menuBarHeight();
    return rect.left >= clientWidth || rect.top >= clientHeight;
}

void Window::measureLabels(bool all) {
    if (!load_) {
        return;
    }
    std::erase_if(load_->unmeasured, [this, all](const Load::Unmeasured& unmeasured) {
        if (!all && beyondClient(unmeasured.label->windowRect())) {
            return false;
        }
        unmeasured.measure();
        return true;
    });
}

void Window::unload() {
    if (!loaded_) {
        return;
    }
    if (onUnload) {
        const auto step = onUnload;
        step();
    }
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
    for (auto& [id, delay] : load->delays) {
        loop_.stop(delay.timer);
    }
    for (const auto& element : load->elements) {
        if (observer_ != nullptr) {
            observer_->elementDestroying(*element);
        }
        element->retire();
    }
    if (!now) {
        // The running handler may still use what the load made: the task holds it until the
        // handler has returned.
        loop_.post([load] {});
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
        const auto handler = onCloseBox;
        handler();
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

void Window::notifyWindow() {
    if (observer_ != nullptr) {
        observer_->windowChanged(*this);
    }
}

Element* Window::find(const std::string& name, int index) const {
    if (!load_) {
        return nullptr;
    }
    if (index < 0) {
        const auto it = load_->single.find(name);
        return it == load_->single.end() ? nullptr : it->second;
    }
    const auto it = load_->arrays.find(name);
    if (it == load_->arrays.end() || static_cast<std::size_t>(index) >= it->second.size()) {
        return nullptr;
    }
    return it->second[static_cast<std::size_t>(index)];
}

Element& Window::at(const std::string& name, int index) const {
    Element* element = find(name, index);
    if (element == nullptr) {
        throw std::out_of_range(layout_.name + " has no element " + labelOf(name, index));
    }
    return *element;
}

const std::vector<Element*>& Window::members(const std::string& name) const {
    if (load_) {
        if (const auto it = load_->arrays.find(name); it != load_->arrays.end()) {
            return it->second;
        }
    }
    throw std::logic_error(layout_.name + " has no element array " + name);
}

Element& Window::createMember(const std::string& name, int index) {
    const Element& model = at(name, 0);
    std::vector<Element*>& members = load_->arrays[name];
    const auto slot = static_cast<std::size_t>(index);
    if (index <= 0 || (slot < members.size() && members[slot] != nullptr)) {
        throw std::logic_error(labelOf(name, index) + " already exists");
    }
    ElementProperties properties = model.properties();
    properties.visible = false;
    Element& member = *load_->elements.emplace_back(std::make_unique<Element>(
        *this, name, index, model.kind(), model.container(), properties, &model));
    members.resize(std::max(members.size(), slot + 1));
    members[slot] = &member;
    std::vector<Element*>& siblings = load_->children[member.container()];
    siblings.insert(siblings.begin(), &member);
    if (observer_ != nullptr) {
        observer_->elementCreated(member);
    }
    return member;
}

void Window::bringToFront(Element& element) {
    if (!load_ || !element.alive()) {
        return;
    }
    std::vector<Element*>& siblings = load_->children[element.container()];
    const auto it = std::find(siblings.begin(), siblings.end(), &element);
    if (it != siblings.begin()) {
        std::rotate(siblings.begin(), it, it + 1);
        if (observer_ != nullptr) {
            observer_->elementOrderChanged(element.container());
        }
    }
}

const std::vector<Element*>& Window::childrenOf(const Element* container) const {
    static const std::vector<Element*> none;
    if (!load_ || (container != nullptr && !container->alive())) {
        return none;
    }
    const auto it = load_->children.find(container);
    return it == load_->children.end() ? none : it->second;
}

std::vector<Element*> Window::elements() const {
    std::vector<Element*> out;
    if (load_) {
        for (const auto& element : load_->elements) {
            out.push_back(element.get());
        }
    }
    return out;
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
    if (load_) {
        for (const auto& list : load_->imageLists) {
            if (list->name() == name && list->index() == index) {
                return *list;
            }
        }
    }
    throw std::out_of_range(layout_.name + " has no image list " + labelOf(name, index));
}

}  // namespace koropika
