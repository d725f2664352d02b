// Mouse input from a window view's canvases to the model window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "qt/picture_store.h"
#include "ui/elements/window.h"

namespace koropika {

// Passes the mouse on the canvases of one window view to the model window, in client-area
// coordinates, and shows the pointer of the element under the mouse. Installed as an event
// filter on every canvas. Qt's implicit grab sends moves and the release to the canvas that
// took the press; the model then routes the release to the element that took the press.
class PointerRouter final : public QObject {
  public:
    PointerRouter(Window& window, QWidget& clientArea, PictureStore& pictures,
                  std::shared_ptr<const bool> attached, QObject* parent);

    void watch(QWidget& canvas);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showPointerOf(QWidget& canvas, Point windowPoint);

    Window& window_;
    QWidget& clientArea_;
    PictureStore& pictures_;
    std::shared_ptr<const bool> attached_;
};

}  // namespace koropika
