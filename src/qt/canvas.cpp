#include "qt/canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <utility>

#include "qt/canvas_accessibility.h"
#include "qt/conversions.h"
#include "qt/element_painter.h"

namespace koropika {

const std::vector<Element*>& CanvasSource::children() const {
    return container != nullptr ? container->children() : window->topLevel();
}

ContainerCanvas::ContainerCanvas(CanvasSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
    // Every pixel is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installCanvasAccessibility();
}

void ContainerCanvas::paintEvent(QPaintEvent* event) {
    if (!source_.live()) {
        return;
    }
    QPainter painter(this);
    ElementPainter draw(painter, *source_.pictures);
    if (source_.container == nullptr) {
        painter.fillRect(rect(), toQColor(source_.window->layout().background));
        draw.paintPlainChildren(source_.children(), event->rect());
        draw.paintFocusOf(*source_.window, nullptr, rect());
        return;
    }
    const Element& panel = *source_.container;
    draw.paintPanelFace(rect(), panel);
    draw.paintPlainChildren(source_.children(), event->rect());
    if (panel.border() == Border::Single) {
        // The frame stays on top of the children it surrounds.
        draw.paintBorder(rect());
    }
    draw.paintFocusOf(*source_.window, &panel, rect());
}

GroupBoxCanvas::GroupBoxCanvas(CanvasSource source, QWidget* parent)
    : QGroupBox(parent), source_(std::move(source)) {
    setAutoFillBackground(true);
    installCanvasAccessibility();
}

void GroupBoxCanvas::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    if (!source_.live()) {
        return;
    }
    QPainter painter(this);
    ElementPainter(painter, *source_.pictures)
        .paintPlainChildren(source_.children(), event->rect());
}

}  // namespace koropika
