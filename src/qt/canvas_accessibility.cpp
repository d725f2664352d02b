#include "qt/canvas_accessibility.h"

#include <QEvent>
#include <QResizeEvent>
#include <algorithm>

#include "qt/conversions.h"

namespace koropika {

namespace {

const CanvasSource* sourceOf(QObject* object) {
    const auto* canvas = dynamic_cast<const DrawnElements*>(object);
    return canvas != nullptr ? &canvas->source() : nullptr;
}

QAccessibleInterface* canvasFactory(const QString& /*className*/, QObject* object) {
    const CanvasSource* source = sourceOf(object);
    return source != nullptr ? new CanvasAccessible(static_cast<QWidget*>(object), *source)
                             : nullptr;
}

bool reactsToClicks(const Element& element) {
    return element.clickHandler() || element.mouseDownHandler() || element.mouseUpHandler();
}

// A press through the accessibility interface is a click by key on the element: its handlers,
// with every guard of a click.
void pressThroughAccessibility(const CanvasSource& source, Element& element) {
    if (source.live() && element.alive()) {
        source.window->pressByKey(element);
    }
}

// The canvas's point (x, y) on the screen in the model window's client pixels.
Point windowPointOf(const QWidget& canvas, const CanvasSource& source, int x, int y) {
    const QPoint local = canvas.mapFromGlobal(QPoint(x, y));
    Point point{local.x(), local.y()};
    if (source.container != nullptr) {
        const Rect origin = source.container->windowRect();
        point.x += origin.left;
        point.y += origin.top;
    }
    return point;
}

// Whether something in front hides the whole element: a panel or control (these always lie in
// front of what a canvas draws), or a picture listed before it (a card's back over its face).
bool covered(const CanvasSource& source, const Element& element) {
    const QRect area = toQRect(element.rect());
    bool inFront = true;
    for (const Element* other : source.children()) {
        if (other == &element) {
            inFront = false;
            continue;
        }
        const bool hides =
            isHeavyweight(other->kind()) ||
            (inFront && other->kind() == ElementKind::Picture && !other->picture().empty());
        if (hides && other->visible() && toQRect(other->rect()).contains(area)) {
            return true;
        }
    }
    return false;
}

// Whether a person sees the element: it and every container above it are visible, the canvas
// is on screen, the element lies at least partly inside the canvas of `size` (the settings
// window's version area lies below the client area until the window is made taller), and
// nothing in front hides it.
bool seen(const QWidget& canvas, const CanvasSource& source, const Element& element, QSize size) {
    return element.shown() && canvas.isVisible() &&
           QRect(QPoint(), size).intersects(toQRect(element.rect())) && !covered(source, element);
}

void tellShowing(QAccessibleInterface* accessible, bool showing) {
    QAccessibleEvent told(accessible, showing ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&told);
}

// Hears a canvas being shown, hidden (with its own container or any above it) or resized, and
// tells screen readers which of its plain elements came into sight or left it, so that a
// client's copy of the tree follows what is on screen. Qt does the same for the canvas itself
// and its child widgets.
class SightWatcher final : public QObject {
  public:
    explicit SightWatcher(QWidget& canvas) : QObject(&canvas) { canvas.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Resize) &&
            QAccessible::isActive()) {
            auto* canvas = static_cast<QWidget*>(watched);
            const CanvasSource* source = sourceOf(canvas);
            if (source == nullptr) {
                return false;
            }
            for (const Element* element : accessibleElementsOf(*source)) {
                QAccessibleInterface* accessible = accessibleInterfaceOf(canvas, element);
                if (accessible == nullptr) {
                    continue;
                }
                if (type != QEvent::Resize) {
                    tellShowing(accessible, type == QEvent::Show);
                } else if (const auto* resize = static_cast<QResizeEvent*>(event);
                           seen(*canvas, *source, *element, resize->oldSize()) !=
                           seen(*canvas, *source, *element, resize->size())) {
                    tellShowing(accessible, seen(*canvas, *source, *element, resize->size()));
                }
            }
        }
        return false;
    }
};

}  // namespace

void installCanvasAccessibility(QWidget& canvas) {
    static const bool installed = [] {
        QAccessible::installFactory(canvasFactory);
        return true;
    }();
    (void)installed;
    new SightWatcher(canvas);
}

std::vector<Element*> accessibleElementsOf(const CanvasSource& source) {
    std::vector<Element*> elements;
    if (!source.live()) {
        return elements;
    }
    for (Element* child : source.children()) {
        // Elements that react to the mouse, and those given a name of their own (a card's face).
        // The switched-off template of an element array stands for no card: decoration only.
        const bool decoration = child->index() == 0 && !child->enabled();
        if (!isHeavyweight(child->kind()) && child->visible() && !decoration &&
            (child->handlesMouse() || !child->properties().accessibleName.empty())) {
            elements.push_back(child);
        }
    }
    return elements;
}

QAccessibleInterface* accessibleInterfaceOf(QWidget* canvas, const Element* element) {
    auto* accessible =
        dynamic_cast<CanvasAccessible*>(QAccessible::queryAccessibleInterface(canvas));
    return accessible != nullptr ? accessible->interfaceFor(element) : nullptr;
}

// ---- The canvas -----------------------------------------------------------------------------

CanvasAccessible::CanvasAccessible(QWidget* canvas, const CanvasSource& source)
    : QAccessibleWidget(canvas), source_(source) {}

CanvasAccessible::~CanvasAccessible() {
    for (const auto& [element, id] : ids_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessible::Role CanvasAccessible::role() const {
    const Element* container = source_.live() ? source_.container : nullptr;
    if (container == nullptr) {
        return QAccessible::Client;
    }
    if (container->kind() == ElementKind::GroupBox) {
        return QAccessible::Grouping;
    }
    // A panel that reacts to the mouse (the dice) is a button to the person.
    return reactsToClicks(*container) ? QAccessible::Button : QAccessible::Pane;
}

// Child widgets first, as Qt lists them, then the plain elements front to back.
int CanvasAccessible::childCount() const {
    return QAccessibleWidget::childCount() + static_cast<int>(accessibleElementsOf(source_).size());
}

QAccessibleInterface* CanvasAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) {
        return QAccessibleWidget::child(index);
    }
    const std::vector<Element*> elements = accessibleElementsOf(source_);
    const auto at = static_cast<std::size_t>(index - widgets);
    return at < elements.size() ? interfaceOf(elements[at]) : nullptr;
}

int CanvasAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* plain = dynamic_cast<const ElementAccessible*>(child);
    if (plain == nullptr) {
        return QAccessibleWidget::indexOfChild(child);
    }
    const std::vector<Element*> elements = accessibleElementsOf(source_);
    const auto it = std::find(elements.begin(), elements.end(), plain->element());
    return it == elements.end()
               ? -1
               : QAccessibleWidget::childCount() + static_cast<int>(it - elements.begin());
}

QAccessibleInterface* CanvasAccessible::childAt(int x, int y) const {
    if (!source_.live()) {
        return nullptr;
    }
    QWidget* canvas = widget();
    Element* hit = source_.window->elementAt(windowPointOf(*canvas, source_, x, y));
    if (hit == nullptr) {
        return nullptr;
    }
    if (hit->container() == source_.container && !isHeavyweight(hit->kind())) {
        // The element the pointer would reach; one that ignores the mouse hides what lies
        // behind it all the same.
        return hit->handlesMouse() ? interfaceOf(hit) : nullptr;
    }
    // A panel or control in front: the child widget that holds the point.
    QWidget* inner = canvas->childAt(canvas->mapFromGlobal(QPoint(x, y)));
    while (inner != nullptr && inner->parentWidget() != canvas) {
        inner = inner->parentWidget();
    }
    return inner != nullptr ? QAccessible::queryAccessibleInterface(inner) : nullptr;
}

QStringList CanvasAccessible::actionNames() const {
    const Element* container = source_.live() ? source_.container : nullptr;
    if (container != nullptr && reactsToClicks(*container)) {
        return {pressAction()};
    }
    return QAccessibleWidget::actionNames();
}

void CanvasAccessible::doAction(const QString& actionName) {
    Element* container = source_.live() ? source_.container : nullptr;
    if (container != nullptr && reactsToClicks(*container) && actionName == pressAction()) {
        pressThroughAccessibility(source_, *container);
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QAccessible::State CanvasAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const Element* container = source_.live() ? source_.container : nullptr;
    if (container != nullptr && reactsToClicks(*container)) {
        state.focusable = true;
        state.focused = source_.window->focusedElement() == container;
    }
    return state;
}

QAccessibleInterface* CanvasAccessible::interfaceFor(const Element* element) const {
    for (Element* child : accessibleElementsOf(source_)) {
        if (child == element) {
            return interfaceOf(child);
        }
    }
    return nullptr;
}

QAccessibleInterface* CanvasAccessible::interfaceOf(Element* element) const {
    if (const auto it = ids_.find(element); it != ids_.end()) {
        return QAccessible::accessibleInterface(it->second);
    }
    // Elements the window has hidden or freed since their interface was made go first.
    const std::vector<Element*> current = accessibleElementsOf(source_);
    std::erase_if(ids_, [&](const auto& entry) {
        if (std::find(current.begin(), current.end(), entry.first) != current.end()) {
            return false;
        }
        QAccessible::deleteAccessibleInterface(entry.second);
        return true;
    });
    auto* made = new ElementAccessible(widget(), source_, element);
    ids_.emplace(element, QAccessible::registerAccessibleInterface(made));
    return made;
}

// ---- One element ----------------------------------------------------------------------------

ElementAccessible::ElementAccessible(QWidget* canvas, const CanvasSource& source,
                                     const Element* element)
    : canvas_(canvas), source_(source), element_(element) {}

const Element* ElementAccessible::live() const {
    if (canvas_.isNull()) {
        return nullptr;
    }
    const std::vector<Element*> current = accessibleElementsOf(source_);
    return std::find(current.begin(), current.end(), element_) != current.end() ? element_
                                                                                : nullptr;
}

bool ElementAccessible::isValid() const {
    return live() != nullptr;
}

QWindow* ElementAccessible::window() const {
    return canvas_.isNull() ? nullptr : canvas_->window()->windowHandle();
}

QAccessibleInterface* ElementAccessible::parent() const {
    return canvas_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(canvas_.data());
}

QString ElementAccessible::text(QAccessible::Text t) const {
    const Element* element = live();
    if (element == nullptr || t != QAccessible::Name) {
        return {};
    }
    return toQString(element->accessibleName());
}

QRect ElementAccessible::rect() const {
    const Element* element = live();
    if (element == nullptr) {
        return {};
    }
    const Rect& r = element->rect();
    return {canvas_->mapToGlobal(QPoint(r.left, r.top)), QSize(r.width, r.height)};
}

QAccessible::Role ElementAccessible::role() const {
    const Element* element = live();
    if (element == nullptr) {
        return QAccessible::NoRole;
    }
    switch (element->kind()) {
        case ElementKind::Label:
            return QAccessible::StaticText;
        case ElementKind::Picture:
            return reactsToClicks(*element) ? QAccessible::Button : QAccessible::Graphic;
        default:
            return QAccessible::Graphic;
    }
}

QAccessible::State ElementAccessible::state() const {
    QAccessible::State state;
    const Element* element = live();
    if (element == nullptr) {
        state.invalid = true;
        return state;
    }
    state.disabled = !element->enabled();
    // Inside a hidden panel, outside the canvas, or in a window not on screen.
    state.invisible = !seen(*canvas_, source_, *element, canvas_->size());
    state.offscreen = state.invisible;
    if (reactsToClicks(*element)) {
        state.focusable = true;
        state.focused = source_.window->focusedElement() == element;
    }
    return state;
}

void* ElementAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList ElementAccessible::actionNames() const {
    const Element* element = live();
    return element != nullptr && reactsToClicks(*element) ? QStringList{pressAction()}
                                                          : QStringList{};
}

void ElementAccessible::doAction(const QString& actionName) {
    if (live() == nullptr || actionName != pressAction()) {
        return;
    }
    for (Element* child : accessibleElementsOf(source_)) {
        if (child == element_ && reactsToClicks(*child)) {
            pressThroughAccessibility(source_, *child);
        }
    }
}

}  // namespace koropika
