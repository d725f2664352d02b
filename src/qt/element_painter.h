// Drawing of the element model's plain elements and container faces with a QPainter.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <vector>

#include "qt/picture_store.h"
#include "shared/language.h"
#include "ui/elements/element.h"
#include "ui/elements/window.h"

namespace koropika {

// Draws what the element model describes with a QPainter: the plain elements of a container
// (labels, pictures, shapes), and the background and border of containers. Labels are drawn in
// the faces of the window's language.
class ElementPainter {
  public:
    ElementPainter(QPainter& painter, PictureStore& pictures, Language language)
        : painter_(painter), pictures_(pictures), language_(language) {}

    // Draws the visible labels, pictures and shapes among `childrenFrontToBack`, back to front,
    // in the container's own coordinates. Panels and controls are widgets and are skipped, and
    // so is a child wholly outside `dirtyArea`: each child draws only inside its own rectangle,
    // so it could not show, and drawing it would load its font or picture for nothing.
    void paintPlainChildren(const std::vector<Element*>& childrenFrontToBack,
                            const QRect& dirtyArea);

    // A picture at its own size from the top-left corner of `area`, clipped to it, or
    // stretched to fill it.
    void paintPicture(const QRect& area, const QPixmap& picture, bool stretch);

    // A panel's face: its background colour with its picture on top. `area` is the whole panel
    // in its own coordinates.
    void paintPanelFace(const QRect& area, const Element& panel);
    // The 1 px dark frame of a panel with a single border.
    void paintBorder(const QRect& area);
    // The keyboard focus: a black, yellow, yellow, black frame 4 px wide just inside `area`.
    void paintFocusFrame(const QRect& area);
    // The focus frame of the window's focused element when it belongs on this canvas: around a
    // plain child of `container` (nullptr = the client area), kept inside `canvasArea`, or just
    // inside the panel when the panel itself has the focus.
    void paintFocusOf(const Window& window, const Element* container, const QRect& canvasArea);

  private:
    void paintLabel(const Element& label);
    void paintShape(const Element& shape);

    QPainter& painter_;
    PictureStore& pictures_;
    Language language_;
};

}  // namespace koropika
