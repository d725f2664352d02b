#pragma once

#include <QMargins>
#include <QPoint>
#include <QWidget>
#include <optional>

#include "ui/elements/window.h"

namespace koropika {

// Makes the model's outer window size and position real on a top-level widget. The model
// counts the frame (borders, caption bar) in its sizes; Qt sizes the client area, and learns
// the frame only once the window manager has framed the window. So the client area starts as
// outer size minus a guessed frame and is corrected when the real frame is known.
class WindowPlacement {
  public:
    WindowPlacement(QWidget& topLevel, QMargins frameGuess);

    // Fixes the size to the model's outer size less the frame; moves the window when the
    // model's position (or its wish to be centred) differs from the last one applied.
    void apply(const Window& model);

    // Re-reads the frame of a window on screen. When it differs from the one assumed, the
    // size is applied again; the position needs no correction, as move() places the frame.
    // Returns the new frame, or nullopt when it did not change.
    std::optional<QMargins> refreshFrame(const Window& model);

    // The outer position of the window when the model does not know it yet (the person dragged
    // the window, or it was centred); applying the model later keeps the window there.
    std::optional<QPoint> positionToReport(const Window& model);

    QMargins frame() const { return frame_; }

  private:
    struct Spot {
        bool centred = true;
        int leftTwips = 0;
        int topTwips = 0;
        friend bool operator==(const Spot&, const Spot&) = default;
    };

    void applySize(const Window& model);
    void place(const Window& model);
    QMargins measuredFrame() const;

    QWidget& widget_;
    QMargins frame_;
    std::optional<Spot> applied_;  // the model position last applied or reported
};

}  // namespace koropika
