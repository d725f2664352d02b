#include "qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace koropika {

namespace {

int pixels(int twips) {
    return qRound(static_cast<double>(twips) / kTwipsPerPixel);
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget& topLevel, QMargins frameGuess)
    : widget_(topLevel), frame_(frameGuess) {}

void WindowPlacement::apply(const Window& model) {
    applySize(model);
    const Spot wanted{model.centred(), model.leftTwips(), model.topTwips()};
    if (applied_ != wanted) {
        applied_ = wanted;
        place(model);
    }
}

void WindowPlacement::applySize(const Window& model) {
    const int width = pixels(model.widthTwips()) - frame_.left() - frame_.right();
    const int height = pixels(model.heightTwips()) - frame_.top() - frame_.bottom();
    // The person cannot resize the window: the layout is made for this one size.
    widget_.setFixedSize(std::max(1, width), std::max(1, height));
}

void WindowPlacement::place(const Window& model) {
    QPoint outer(pixels(model.leftTwips()), pixels(model.topTwips()));
    if (model.centred()) {
        const QScreen* screen =
            widget_.screen() != nullptr ? widget_.screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            const QSize outerSize(pixels(model.widthTwips()), pixels(model.heightTwips()));
            const QRect available = screen->availableGeometry();
            outer = available.topLeft() + QPoint((available.width() - outerSize.width()) / 2,
                                                 (available.height() - outerSize.height()) / 2);
        }
    }
    // move() places the outer frame of a top-level window.
    widget_.move(outer);
}

QMargins WindowPlacement::measuredFrame() const {
    const QRect outer = widget_.frameGeometry();
    const QRect inner = widget_.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

std::optional<QMargins> WindowPlacement::refreshFrame(const Window& model) {
    const QMargins measured = measuredFrame();
    if (measured == frame_) {
        return std::nullopt;
    }
    frame_ = measured;
    applySize(model);
    return frame_;
}

std::optional<QPoint> WindowPlacement::positionToReport(const Window& model) {
    const QPoint now = widget_.frameGeometry().topLeft();
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
