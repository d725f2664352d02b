#include "qt/window_view.h"

#include "shared/durations.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <ranges>

#include "qt/announcement_board.h"
#include "qt/canvas.h"
#include "qt/canvas_accessibility.h"
#include "qt/combo_sync.h"
#include "qt/conversions.h"
#include "qt/key_router.h"
#include "qt/pointer_router.h"

namespace koropika {

namespace {

constexpr const char* kDefaultIcon = "icon";

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, colour);
    }
    widget.setPalette(palette);
}

}  // namespace

WindowView::WindowView(Window& window, ViewServices services)
    : window_(window),
      services_(services),
      attached_(std::make_shared<bool>(true)),
      placement_(*this, services.knownFrame) {
    setWindowTitle(toQString(window.caption()));
    const std::string& iconKey = window.layout().icon.empty() ? kDefaultIcon : window.layout().icon;
    if (const QPixmap& icon = services_.pictures.picture(iconKey); !icon.isNull()) {
        setWindowIcon(QIcon(icon));
    }
    buildMenuBar();

    clientArea_ = new ContainerCanvas(
        CanvasSource{&window_, nullptr, &services_.pictures, attached_, services_.language}, this);
    setCentralWidget(clientArea_);
    router_ = new PointerRouter(window_, *clientArea_, services_.pictures, attached_, this);
    router_->watch(*clientArea_);
    keys_ = new KeyRouter(window_, *this, attached_);
    board_ = new AnnouncementBoard(clientArea_);

    // Creation order lists every container before its children.
    for (Element* element : window_.elements()) {
        createWidget(*element);
    }
    for (const auto& [element, widget] : widgets_) {
        applyProperties(*element);
    }
    restack(nullptr);
    for (const auto& [element, widget] : widgets_) {
        if (isContainer(element->kind())) {
            restack(element);
        }
    }
    orderKeyboardFocus();
    placement_.apply(window_);
    window_.setObserver(this);
    followModelFocus();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* /*old*/, QWidget* now) { qtFocusMoved(now); });
}

WindowView::~WindowView() {
    detach();
    // Child widgets are destroyed by the QWidget base, after this object's own members are
    // gone; signals they send while dying must not reach a half-destroyed view. Nor must the
    // application's report that the focus left a dying child (the name box may hold it while
    // the view is deleted, before the window manager has taken the window's activation away).
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
    QObject::disconnect(qApp, nullptr, this, nullptr);
}

void WindowView::detach() {
    if (!*attached_) {
        return;
    }
    *attached_ = false;
    if (window_.observer() == this) {
        window_.setObserver(nullptr);
    }
    widgets_.clear();
    menuActions_.clear();
    typingInto_ = nullptr;
}

QWidget* WindowView::widgetOf(const Element* element) const {
    if (element == nullptr) {
        return clientArea_;
    }
    const auto it = widgets_.find(element);
    return it == widgets_.end() ? nullptr : it->second;
}

// ---- Building -------------------------------------------------------------------------------

void WindowView::buildMenuBar() {
    if (window_.menus().empty()) {
        return;
    }
    QMenuBar* bar = menuBar();
    for (const auto& item : window_.menus()) {
        QAction* action = bar->addAction(toQString(item->caption()));
        action->setEnabled(item->enabled());
        MenuItem* model = item.get();
        connect(action, &QAction::triggered, this, [this, model] {
            if (*attached_) {
                model->choose();  // may unload the window: nothing may follow here
            }
        });
        menuActions_.emplace_back(action, model);
    }
}

void WindowView::createWidget(Element& element) {
    if (!isHeavyweight(element.kind())) {
        return;
    }
    QWidget* parent = widgetOf(element.container());
    if (parent == nullptr) {
        return;  // the container's own widget is gone
    }
    const CanvasSource source{&window_, &element, &services_.pictures, attached_,
                              services_.language};
    QWidget* widget = nullptr;
    switch (element.kind()) {
        case ElementKind::Panel:
            widget = new ContainerCanvas(source, parent);
            router_->watch(*widget);
            break;
        case ElementKind::GroupBox:
            widget = new GroupBoxCanvas(source, parent);
            router_->watch(*widget);
            break;
        case ElementKind::PushButton:
            widget = makeButton(element, parent);
            break;
        case ElementKind::ComboBox:
        case ElementKind::DropDownList:
            widget = makeComboBox(element, parent);
            break;
        default:
            return;
    }
    widgets_[&element] = widget;
}

QWidget* WindowView::makeButton(Element& element, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, &element] {
        if (*attached_) {
            window_.click(element);  // may unload the window: nothing may follow here
        }
    });
    return button;
}

QWidget* WindowView::makeComboBox(Element& element, QWidget* parent) {
    auto* box = new PickComboBox(element.kind() == ElementKind::ComboBox,
                                 toQFont(element.font(), services_.language), parent);
    connect(box, &PickComboBox::picked, this, [this, &element](int index) {
        if (*attached_) {
            window_.pickItem(element, index);  // may unload the window: nothing may follow
        }
    });
    connect(box, &QComboBox::editTextChanged, this, [this, &element](const QString& text) {
        if (!*attached_ || element.kind() != ElementKind::ComboBox) {
            return;
        }
        // Typing raises no handler, so the view is still alive afterwards.
        typingInto_ = &element;
        window_.typeText(element, fromQString(text));
        typingInto_ = nullptr;
    });
    return box;
}

// ---- Model to view --------------------------------------------------------------------------

void WindowView::applyProperties(const Element& element) {
    QWidget* widget = widgetOf(&element);
    if (widget == nullptr || widget == clientArea_) {
        return;
    }
    widget->setGeometry(toQRect(element.rect()));
    widget->setEnabled(element.enabled());
    if (const QString name = toQString(element.accessibleName());
        widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
    if (const QCursor& cursor = services_.pictures.cursor(element.pointer());
        widget->cursor() != cursor) {
        widget->setCursor(cursor);
    }
    switch (element.kind()) {
        case ElementKind::Panel:
            widget->update();
            break;
        case ElementKind::GroupBox: {
            auto* group = static_cast<GroupBoxCanvas*>(widget);
            group->setFont(toQFont(element.font(), services_.language));
            group->setTitle(toQString(element.caption()));
            QPalette palette = group->palette();
            palette.setColor(QPalette::Window, toQColor(element.backColour()));
            group->setPalette(palette);
            setTextColour(*group, toQColor(element.textColour()));
            group->update();
            break;
        }
        case ElementKind::PushButton: {
            auto* button = static_cast<QPushButton*>(widget);
            button->setFont(toQFont(element.font(), services_.language));
            button->setText(toQString(element.caption()));
            setTextColour(*button, toQColor(element.textColour()));
            break;
        }
        case ElementKind::ComboBox:
        case ElementKind::DropDownList: {
            auto* box = static_cast<QComboBox*>(widget);
            box->setFont(toQFont(element.font(), services_.language));
            setTextColour(*box, toQColor(element.textColour()));
            // The open list shows its entries as the box shows the chosen one.
            box->view()->setFont(toQFont(element.font(), services_.language));
            setTextColour(*box->view(), toQColor(element.textColour()));
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, toQColor(element.backColour()));
            box->setPalette(palette);
            if (typingInto_ != &element) {
                syncComboBox(*box, element);
            }
            // The box's text field is where the person types: it says what the box is for.
            if (QLineEdit* field = box->lineEdit(); field != nullptr) {
                field->setAccessibleName(toQString(element.accessibleName()));
            }
            break;
        }
        default:
            break;
    }
    widget->setVisible(element.visible());
}

void WindowView::orderKeyboardFocus() {
    // Controls follow their tab index; among equal indexes, the order in which they were added
    // (back to front), and the first one takes the focus so the person can type at once.
    std::vector<std::pair<int, QWidget*>> controls;
    const std::function<void(const std::vector<Element*>&)> collect =
        [&](const std::vector<Element*>& children) {
            for (const Element* child : std::views::reverse(children)) {
                if (isContainer(child->kind())) {
                    collect(child->children());
                } else if (QWidget* widget = widgetOf(child)) {
                    controls.emplace_back(child->tabIndex(), widget);
                }
            }
        };
    collect(window_.topLevel());
    std::stable_sort(controls.begin(), controls.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1].second, controls[i].second);
    }
    if (!controls.empty()) {
        controls.front().second->setFocus();
    }
}

void WindowView::restack(const Element* container) {
    const auto& children = container == nullptr ? window_.topLevel() : container->children();
    // Children are listed front to back; raising them back to front leaves the first on top.
    for (const Element* child : std::views::reverse(children)) {
        if (QWidget* widget = widgetOf(child)) {
            widget->raise();
        }
    }
}

void WindowView::repaintContainerOf(const Element& element) {
    if (QWidget* canvas = widgetOf(element.container())) {
        canvas->update();
    }
}

void WindowView::windowChanged(Window& /*window*/) {
    setWindowTitle(toQString(window_.caption()));
    placement_.apply(window_);
}

void WindowView::elementCreated(Element& element) {
    if (isHeavyweight(element.kind())) {
        createWidget(element);
        applyProperties(element);
        restack(element.container());
    } else {
        repaintContainerOf(element);
    }
}

void WindowView::elementChanged(Element& element) {
    if (isHeavyweight(element.kind())) {
        applyProperties(element);
    } else {
        repaintContainerOf(element);
    }
}

void WindowView::elementDestroying(Element& element) {
    if (!window_.shown()) {
        // A guard: an unload or a destroyed window hides the window, which detaches this view
        // before any element goes.
        detach();
        hide();
        return;
    }
    if (const auto it = widgets_.find(&element); it != widgets_.end()) {
        QWidget* widget = it->second;
        widgets_.erase(it);
        widget->disconnect(this);
        widget->hide();
        widget->deleteLater();
    }
    repaintContainerOf(element);
}

void WindowView::elementOrderChanged(Element* container) {
    restack(container);
    if (QWidget* canvas = widgetOf(container)) {
        canvas->update();
    }
}

void WindowView::menuChanged(MenuItem& item) {
    for (const auto& [action, model] : menuActions_) {
        if (model == &item) {
            action->setEnabled(item.enabled());
        }
    }
}

void WindowView::focusChanged(Window& /*window*/) {
    // The frame may have left one canvas for another.
    clientArea_->update();
    for (const auto& [element, widget] : widgets_) {
        if (element->kind() == ElementKind::Panel || element->kind() == ElementKind::GroupBox) {
            widget->update();
        }
    }
    followModelFocus();
}

void WindowView::followModelFocus() {
    Element* focused = window_.focusedElement();
    if (!*attached_ || focused == nullptr) {
        return;
    }
    const bool control = focused->kind() == ElementKind::ComboBox ||
                         focused->kind() == ElementKind::DropDownList ||
                         focused->kind() == ElementKind::PushButton;
    QWidget* own = widgetOf(focused);
    if (control) {
        // Before the window is shown, focusWidget() is the one it will take when shown.
        if (QWidget* current = focusWidget();
            own != nullptr && current != own && !own->isAncestorOf(current)) {
            own->setFocus(Qt::TabFocusReason);
        }
        return;  // Qt tells screen readers of a control's focus itself
    }
    if (QWidget* holder = QApplication::focusWidget();
        holder == nullptr || holder->window() != this ||
        qobject_cast<ContainerCanvas*>(holder) == nullptr) {
        clientArea_->setFocus(Qt::OtherFocusReason);
    }
    if (!QAccessible::isActive()) {
        return;
    }
    if (own != nullptr) {
        QAccessibleEvent event(own, QAccessible::Focus);  // a panel: the dice
        QAccessible::updateAccessibility(&event);
    } else if (QWidget* canvas = widgetOf(focused->container())) {
        if (QAccessibleInterface* element = accessibleInterfaceOf(canvas, focused)) {
            QAccessibleEvent event(element, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void WindowView::qtFocusMoved(QWidget* now) {
    if (!*attached_ || now == nullptr || now->window() != this) {
        return;
    }
    for (Element* element : window_.elements()) {
        const bool control = element->kind() == ElementKind::ComboBox ||
                             element->kind() == ElementKind::DropDownList ||
                             element->kind() == ElementKind::PushButton;
        QWidget* widget = control ? widgetOf(element) : nullptr;
        if (widget != nullptr && (widget == now || widget->isAncestorOf(now))) {
            window_.setFocusedElement(element);
            return;
        }
    }
}

void WindowView::announced(Window& /*window*/, const std::string& text) {
    board_->announce(toQString(text));
}

QString WindowView::lastAnnouncement() const {
    return board_->lastAnnouncement();
}

// ---- Window events --------------------------------------------------------------------------

void WindowView::closeEvent(QCloseEvent* event) {
    // The model decides: it may unload the window, which tears this view down later.
    event->ignore();
    if (*attached_) {
        window_.closeBoxClicked();
    }
}

void WindowView::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    scheduleFrameCheck();
}

void WindowView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    scheduleFrameCheck();
}

void WindowView::scheduleFrameCheck(int delayMs) {
    if (frameCheckPending_) {
        return;
    }
    frameCheckPending_ = true;
    // After the events now pending, the window manager's reply included.
    QTimer::singleShot(delayMs, this, [this] {
        frameCheckPending_ = false;
        checkFrame();
    });
}

void WindowView::whenSettled(std::function<void()> then) {
    onSettled_.push_back(std::move(then));
    if (placement_.settled()) {
        runSettledCallbacks();
    }
}

void WindowView::runSettledCallbacks() {
    for (const std::function<void()>& then : std::exchange(onSettled_, {})) {
        then();
    }
}

void WindowView::checkFrame() {
    if (!*attached_ || !isVisible()) {
        return;
    }
    std::optional<QMargins> learned;
    const WindowPlacement::Check state = placement_.check(window_, learned);
    if (learned) {
        services_.knownFrame = learned;
    }
    if (state != WindowPlacement::Check::Settled) {
        // Framing and the answer to a correction may come without a move of the window: look
        // again shortly, for a few seconds at most.
        constexpr int kMaxRechecks = 150;
        if (frameChecksWithoutEvent_++ < kMaxRechecks) {
            scheduleFrameCheck(durations::kPlacementRecheckMs);
        } else {
            runSettledCallbacks();
        }
        return;
    }
    runSettledCallbacks();
    if (const auto moved = placement_.positionToReport(window_)) {
        window_.positionReported(moved->x() * kTwipsPerPixel, moved->y() * kTwipsPerPixel);
    }
}

}  // namespace koropika
