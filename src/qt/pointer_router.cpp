#include "qt/pointer_router.h"

#include <QMouseEvent>
#include <utility>

#include "qt/conversions.h"

namespace koropika {

PointerRouter::PointerRouter(Window& window, QWidget& clientArea, PictureStore& pictures,
                             std::shared_ptr<const bool> attached, QObject* parent)
    : QObject(parent),
      window_(window),
      clientArea_(clientArea),
      pictures_(pictures),
      attached_(std::move(attached)) {}

void PointerRouter::watch(QWidget& canvas) {
    canvas.setMouseTracking(true);
    canvas.installEventFilter(this);
}

bool PointerRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) {
        return false;
    }
    if (!*attached_) {
        return true;  // the window is gone; its elements must not be touched
    }
    auto* canvas = qobject_cast<QWidget*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint inClient = canvas->mapTo(&clientArea_, mouse->position().toPoint());
    const Point windowPoint{inClient.x(), inClient.y()};

    // A model handler may unload this window: the view is then detached and deleted later, and
    // from here on only the guards below may be looked at.
    const QPointer<QWidget> canvasGuard(canvas);
    const std::shared_ptr<const bool> attached = attached_;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:  // Qt sends a quick second press as this alone
            if (const auto button = fromQt(mouse->button())) {
                window_.pointerPressed(windowPoint, *button);
            }
            break;
        case QEvent::MouseButtonRelease:
            if (const auto button = fromQt(mouse->button())) {
                window_.pointerReleased(windowPoint, *button);
            }
            break;
        default:
            window_.pointerMoved(windowPoint);
            break;
    }
    if (*attached && canvasGuard) {
        showPointerOf(*canvasGuard, windowPoint);
    }
    return true;
}

void PointerRouter::showPointerOf(QWidget& canvas, Point windowPoint) {
    const Element* under = window_.elementAt(windowPoint);
    const QCursor& wanted = pictures_.cursor(under != nullptr ? under->pointer() : Pointer::Normal);
    if (canvas.cursor() != wanted) {
        canvas.setCursor(wanted);
    }
}

}  // namespace koropika
