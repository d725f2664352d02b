// Placing a model window's outer size and position on a real top-level widget.
#pragma once

#include <QElapsedTimer>
#include <QMargins>
#include <QPoint>
#include <QWidget>
#include <optional>

#include "ui/elements/window.h"

namespace koropika {

// Makes the model's outer window size and position real on a top-level widget. The model
// counts the frame (borders, caption bar) in its sizes; Qt sizes the client area, and learns
// the frame only once the window manager has framed the window.
//
// The client area is the model's outer size less the frame, times the device pixel ratio: the
// layout inside is scaled as a whole. The window manager draws its frame in device pixels
// whatever the scale, so the frame is measured and taken off in device pixels too.
//
// Until then the window is sized with the frame of an earlier window (or none), and nothing
// read back is trusted: before framing, Qt reports no frame at all and takes the client's
// corner for the outer one. Once framed, the window "settles": its real frame corrects the
// size, and the window is moved again until its frame stands where the model wants it (a
// resize sent while the window manager was framing it can carry a stale position). Only a
// settled window reports where the person moved it.
class WindowPlacement {
  public:
    // `knownFrame`: the frame of a window framed earlier on this desktop, if any, in device
    // pixels.
    WindowPlacement(QWidget& topLevel, std::optional<QMargins> knownFrame);

    // Fixes the client size to the model's outer size less the frame; moves the window when
    // the model's position (or its wish to be centred) differs from the last one applied.
    void apply(const Window& model);

    enum class Check {
        NotFramed,  // the window manager has not framed the window yet: check again later
        Settling,   // the window was resized or moved again: check again after its next move
        Settled,    // size and position are as the model wants, or the person moved it
    };
    // Called once the window is shown and after every move. `learnedFrame` receives the real
    // frame (in device pixels) the first time it is known, to be shared with the next windows.
    Check check(const Window& model, std::optional<QMargins>& learnedFrame);

    // The outer position of a settled window when the model does not know it yet (the person
    // dragged the window, or it was centred); applying the model later keeps it there.
    std::optional<QPoint> positionToReport(const Window& model);

    bool settled() const { return settled_; }
    // The frame assumed now, in device pixels: measured on this window once framed, else the
    // earlier guess.
    QMargins frame() const { return frame_.value_or(QMargins()); }

  private:
    struct Spot {
        bool centred = true;
        int leftTwips = 0;
        int topTwips = 0;
        friend bool operator==(const Spot&, const Spot&) = default;
    };

    void applySize(const Window& model);
    // The client size in the window's own units, and the outer size with the frame around it.
    QSize clientSize(const Window& model) const;
    QSize outerSize(const Window& model) const;
    QPoint wantedOuterPosition(const Window& model) const;
    static QPoint onSomeScreen(const QRect& outer);
    // The frame in device pixels as the window system reports it, or nullopt while the window
    // is not framed.
    std::optional<QMargins> framedMargins() const;
    // The assumed frame in the window's own units.
    QMargins scaledFrame() const;
    QPoint outerPosition() const;

    QWidget& widget_;
    std::optional<QMargins> frame_;
    bool frameMeasured_ = false;  // frame_ was read on this window, not guessed
    bool settled_ = false;
    int placeAttempts_ = 0;
    QElapsedTimer sinceChange_;    // started at the last correction of size or position
    std::optional<Spot> applied_;  // the model position last applied or reported
};

}  // namespace koropika
