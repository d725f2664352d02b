#include "qt/key_router.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "qt/canvas.h"

namespace koropika {

std::optional<Key> modelKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return std::nullopt;
    }
    switch (qtKey) {
        case Qt::Key_Tab:
            return modifiers & Qt::ShiftModifier ? Key::BackTab : Key::Tab;
        case Qt::Key_Backtab:
            return Key::BackTab;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        case Qt::Key_Space:
            return Key::Space;
        default:
            return std::nullopt;
    }
}

KeyRouter::KeyRouter(Window& window, QMainWindow& view, std::shared_ptr<const bool> attached)
    : QObject(&view), window_(window), view_(view), attached_(std::move(attached)) {
    qApp->installEventFilter(this);
}

KeyRouter::~KeyRouter() {
    qApp->removeEventFilter(this);
}

bool KeyRouter::controlHasFocus(QWidget* widget) const {
    // The drawn elements live on canvases; anything else that holds the focus is a control.
    return widget != &view_ && qobject_cast<ContainerCanvas*>(widget) == nullptr &&
           qobject_cast<GroupBoxCanvas*>(widget) == nullptr;
}

void KeyRouter::openMenuBar() {
    QMenuBar* bar = view_.menuBar();
    if (bar->actions().isEmpty()) {
        return;
    }
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().first());
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !*attached_) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &view_) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->key() == Qt::Key_F10 && press->modifiers() == Qt::NoModifier &&
        !view_.menuBar()->actions().isEmpty()) {
        openMenuBar();
        return true;
    }
    const std::optional<Key> key = modelKey(press->key(), press->modifiers());
    if (!key) {
        return false;
    }
    const bool focusKey = *key == Key::Tab || *key == Key::BackTab;
    if (!focusKey && controlHasFocus(widget)) {
        return false;
    }
    // May unload the window; the view is then detached and deleted later, with this router.
    // A key the model does not use goes on to Qt (Tab then moves Qt's own focus).
    return window_.keyPressed(*key);
}

}  // namespace koropika
