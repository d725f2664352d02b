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

DrawnElements::DrawnElements(CanvasSource source, QWidget& canvas) : source_(std::move(source)) {
    installCanvasAccessibility(canvas);
}

ContainerCanvas::ContainerCanvas(CanvasSource source, QWidget* parent)
    : QWidget(parent), DrawnElements(std::move(source), *this) {
    // Every pixel is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ContainerCanvas::paintEvent(QPaintEvent* event) {
    if (!source().live()) {
        return;
    }
    QPainter painter(this);
    ElementPainter draw(painter, *source().pictures, source().language);
    if (source().container == nullptr) {
        painter.fillRect(rect(), toQColor(source().window->layout().background));
        draw.paintPlainChildren(source().children(), event->rect());
        draw.paintFocusOf(*source().window, nullptr, rect());
        return;
    }
    const Element& panel = *container();
    draw.paintPanelFace(rect(), panel);
    draw.paintPlainChildren(source().children(), event->rect());
    if (panel.border() == Border::Single) {
        // The frame stays on top of the children it surrounds.
        draw.paintBorder(rect());
    }
    draw.paintFocusOf(*source().window, &panel, rect());
}

GroupBoxCanvas::GroupBoxCanvas(CanvasSource source, QWidget* parent)
    : QGroupBox(parent), DrawnElements(std::move(source), *this) {
    setAutoFillBackground(true);
}

void GroupBoxCanvas::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    if (!source().live()) {
        return;
    }
    QPainter painter(this);
    ElementPainter(painter, *source().pictures, source().language)
        .paintPlainChildren(source().children(), event->rect());
}

}  // namespace koropika
