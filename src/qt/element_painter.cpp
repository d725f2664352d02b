#include "qt/element_painter.h"

#include <ranges>

#include "qt/conversions.h"

namespace koropika {

namespace {

const QColor kPanelBorder{0x40, 0x40, 0x40};

Qt::Alignment toQtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

// A 1 px outline just inside `area`.
void drawOutline(QPainter& painter, const QRect& area, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace

void ElementPainter::paintFocusFrame(const QRect& area) {
    static const QColor kFocusYellow{0xFF, 0xE0, 0x00};
    drawOutline(painter_, area, Qt::black);
    drawOutline(painter_, area.adjusted(1, 1, -1, -1), kFocusYellow);
    drawOutline(painter_, area.adjusted(2, 2, -2, -2), kFocusYellow);
    drawOutline(painter_, area.adjusted(3, 3, -3, -3), Qt::black);
}

void ElementPainter::paintFocusOf(const Window& window, const Element* container,
                                  const QRect& canvasArea) {
    const Element* focused = window.focusFrameShown() ? window.focusedElement() : nullptr;
    if (focused == nullptr || !focused->alive()) {
        return;
    }
    if (container != nullptr && focused == container) {
        paintFocusFrame(canvasArea);
    } else if (focused->container() == container && !isHeavyweight(focused->kind())) {
        constexpr int kOutsetPx = 4;
        const QRect around =
            toQRect(focused->rect()).adjusted(-kOutsetPx, -kOutsetPx, kOutsetPx, kOutsetPx);
        paintFocusFrame(around.intersected(canvasArea));
    }
}

void ElementPainter::paintPlainChildren(const std::vector<Element*>& childrenFrontToBack,
                                        const QRect& dirtyArea) {
    for (const Element* child : std::views::reverse(childrenFrontToBack)) {
        if (!child->visible() || isHeavyweight(child->kind())) {
            continue;
        }
        if (const QRect area = toQRect(child->rect());
            !area.isEmpty() && !area.intersects(dirtyArea)) {
            continue;
        }
        switch (child->kind()) {
            case ElementKind::Label:
                paintLabel(*child);
                break;
            case ElementKind::Picture:
                paintPicture(toQRect(child->rect()), pictures_.picture(child->picture()),
                             child->stretch());
                break;
            case ElementKind::Shape:
                paintShape(*child);
                break;
            default:
                break;
        }
    }
}

void ElementPainter::paintPicture(const QRect& area, const QPixmap& picture, bool stretch) {
    if (picture.isNull() || area.isEmpty()) {
        return;
    }
    if (stretch) {
        painter_.drawPixmap(area, picture);
        return;
    }
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.drawPixmap(area.topLeft(), picture);
    painter_.restore();
}

void ElementPainter::paintPanelFace(const QRect& area, const Element& panel) {
    // Where the picture is smaller than the panel (or missing) the background colour shows.
    painter_.fillRect(area, toQColor(panel.backColour()));
    paintPicture(area, pictures_.picture(panel.picture()), panel.stretch());
}

void ElementPainter::paintBorder(const QRect& area) {
    drawOutline(painter_, area, kPanelBorder);
}

void ElementPainter::paintLabel(const Element& label) {
    const QRect area = toQRect(label.rect());
    if (area.isEmpty()) {
        return;
    }
    if (!label.transparent()) {
        painter_.fillRect(area, toQColor(label.backColour()));
    }
    if (label.caption().empty()) {
        return;
    }
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.setFont(toQFont(label.font(), language_));
    painter_.setPen(toQColor(label.textColour()));
    // Labels sized to their text hold one line; fixed ones wrap their text at word breaks.
    int flags = static_cast<int>(toQtAlignment(label.alignment()) | Qt::AlignTop);
    flags |= label.autoSize() ? Qt::TextSingleLine : Qt::TextWordWrap;
    const QString caption = toQString(label.caption());
    painter_.drawText(area, flags, caption);
    if (needsOverstrikeBold(label.font(), language_)) {
        painter_.drawText(area.translated(1, 0), flags, caption);
    }
    painter_.restore();
}

void ElementPainter::paintShape(const Element& shape) {
    const QRect area = toQRect(shape.rect());
    painter_.fillRect(area, toQColor(shape.backColour()));
    drawOutline(painter_, area, toQColor(shape.borderColour()));
}

}  // namespace koropika
