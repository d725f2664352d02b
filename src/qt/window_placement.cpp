#include "qt/window_placement.h"

#include "shared/durations.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <memory>

#include <xcb/xcb.h>

namespace koropika {

namespace {

int pixels(int twips) {
    return qRound(static_cast<double>(twips) / kTwipsPerPixel);
}

// Moving a framed window again when the window manager put it elsewhere: a few tries, so a
// window manager that insists on its own place does not make the window dance for ever.
constexpr int kMaxPlaceAttempts = 3;
// How long a change must have stood before the window counts as settled: long enough for the
// window system's answer to a resize or move to have come back.
constexpr qint64 kSettleMs = durations::kPlacementSettleMs;

// The frame an X11 window manager has put round `window`, in device pixels, as it publishes it
// (_NET_FRAME_EXTENTS: left, right, top, bottom); nullopt off X11 or before it is published.
std::optional<QMargins> x11FrameExtents(const QWindow& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    constexpr const char* kName = "_NET_FRAME_EXTENTS";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(kName), kName),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), atom->atom,
                             XCB_ATOM_CARDINAL, 0, 4),
            nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* extents = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                    static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget& topLevel, std::optional<QMargins> knownFrame)
    : widget_(topLevel), frame_(knownFrame) {}

void WindowPlacement::apply(const Window& model) {
    applySize(model);
    const Spot wanted{model.centred(), model.leftTwips(), model.topTwips()};
    if (applied_ != wanted) {
        applied_ = wanted;
        // move() places the outer frame of a top-level window.
        widget_.move(wantedOuterPosition(model));
    }
}

void WindowPlacement::applySize(const Window& model) {
    // The person cannot resize the window: the layout is made for this one size.
    widget_.setFixedSize(clientSize(model));
}

QSize WindowPlacement::clientSize(const Window& model) const {
    const QMargins f = frame();
    const int width = pixels(model.widthTwips()) - f.left() - f.right();
    const int height = pixels(model.heightTwips()) - f.top() - f.bottom();
    return {std::max(1, width), std::max(1, height)};
}

QSize WindowPlacement::outerSize(const Window& model) const {
    return clientSize(model).grownBy(scaledFrame());
}

QMargins WindowPlacement::scaledFrame() const {
    const qreal ratio = widget_.devicePixelRatioF();
    const QMargins f = frame();
    return {qRound(f.left() / ratio), qRound(f.top() / ratio), qRound(f.right() / ratio),
            qRound(f.bottom() / ratio)};
}

QPoint WindowPlacement::onSomeScreen(const QRect& outer) {
    // A place partly off the screen is kept; one that no screen shows at all (a stored place
    // from a screen that is gone) is moved onto the primary screen, where it can be reached.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(outer)) {
            return outer.topLeft();
        }
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return outer.topLeft();
    }
    const QRect area = primary->availableGeometry();
    return {std::clamp(outer.left(), area.left(),
                       std::max(area.left(), area.right() - outer.width() + 1)),
            std::clamp(outer.top(), area.top(),
                       std::max(area.top(), area.bottom() - outer.height() + 1))};
}

QPoint WindowPlacement::wantedOuterPosition(const Window& model) const {
    if (!model.centred()) {
        return onSomeScreen(
            QRect(QPoint(pixels(model.leftTwips()), pixels(model.topTwips())), outerSize(model)));
    }
    const QScreen* screen =
        widget_.screen() != nullptr ? widget_.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize outer = outerSize(model);
    const QRect available = screen->availableGeometry();
    return available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                        (available.height() - outer.height()) / 2);
}

std::optional<QMargins> WindowPlacement::framedMargins() const {
    const QWindow* handle = widget_.windowHandle();
    if (handle == nullptr) {
        return std::nullopt;
    }
    const QMargins margins = handle->frameMargins();
    // A window manager frames a window before it maps it: a mapped window with no frame has
    // none (no window manager, or a platform without frames).
    if (margins.isNull() && !handle->isExposed()) {
        return std::nullopt;
    }
    // Qt gives the frame in the window's units, rounded; the window system's own figure is
    // exact. Where there is none, the rounded one is the best there is.
    if (const std::optional<QMargins> exact = x11FrameExtents(*handle)) {
        return exact;
    }
    const qreal ratio = handle->devicePixelRatio();
    return QMargins(qRound(margins.left() * ratio), qRound(margins.top() * ratio),
                    qRound(margins.right() * ratio), qRound(margins.bottom() * ratio));
}

QPoint WindowPlacement::outerPosition() const {
    const QMargins f = scaledFrame();
    return widget_.geometry().topLeft() - QPoint(f.left(), f.top());
}

WindowPlacement::Check WindowPlacement::check(const Window& model,
                                              std::optional<QMargins>& learnedFrame) {
    const std::optional<QMargins> measured = framedMargins();
    if (!measured) {
        return Check::NotFramed;
    }
    bool changed = false;
    if (!frameMeasured_ || frame_ != measured) {
        frameMeasured_ = true;
        learnedFrame = measured;
        if (frame_ != measured) {
            frame_ = measured;
            applySize(model);
            changed = true;
        }
    }
    if (settled_) {
        return Check::Settled;
    }
    if (const Spot wanted{model.centred(), model.leftTwips(), model.topTwips()};
        applied_ == wanted && outerPosition() != wantedOuterPosition(model) &&
        placeAttempts_ < kMaxPlaceAttempts) {
        ++placeAttempts_;
        widget_.move(wantedOuterPosition(model));
        changed = true;
    }
    if (changed) {
        sinceChange_.start();
    }
    if (changed || (sinceChange_.isValid() && sinceChange_.elapsed() < kSettleMs)) {
        // Confirmed by a later check, once the window system has answered.
        return Check::Settling;
    }
    settled_ = true;
    return Check::Settled;
}

std::optional<QPoint> WindowPlacement::positionToReport(const Window& model) {
    if (!settled_) {
        return std::nullopt;
    }
    const QPoint now = outerPosition();
    const Spot seen{false, now.x() * kTwipsPerPixel, now.y() * kTwipsPerPixel};
    const Spot known{model.centred(), model.leftTwips(), model.topTwips()};
    if (known == seen) {
        return std::nullopt;
    }
    // Once reported, the model's position is where the window already is.
    applied_ = seen;
    return now;
}

}  // namespace koropika
