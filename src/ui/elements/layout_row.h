// Row: one element row written as its look, and the shorthands for the common kinds.
#pragma once

#include <string>
#include <utility>

#include "ui/elements/layout.h"
#include "ui/elements/palette.h"

namespace koropika {

// One row of the element tables, written as its look: start from the kind's defaults, then
// name what differs.
class Row {
  public:
    Row(std::string name, int index, ElementKind kind, std::string container, Rect rect) {
        spec_.name = std::move(name);
        spec_.index = index;
        spec_.kind = kind;
        spec_.container = std::move(container);
        spec_.properties.rect = rect;
        if (kind == ElementKind::Label || kind == ElementKind::PushButton) {
            spec_.properties.textColour = kBlack;
            spec_.properties.backColour = kControlGrey;
        }
    }

    Row& hidden() {
        spec_.properties.visible = false;
        return *this;
    }
    Row& caption(std::string text) {
        spec_.properties.caption = std::move(text);
        return *this;
    }
    Row& accessibleName(std::string name) {
        spec_.properties.accessibleName = std::move(name);
        return *this;
    }
    Row& picture(std::string key) {
        spec_.properties.picture = std::move(key);
        return *this;
    }
    Row& stretched() {
        spec_.properties.stretch = true;
        return *this;
    }
    Row& text(Colour colour) {
        spec_.properties.textColour = colour;
        return *this;
    }
    Row& back(Colour colour) {
        spec_.properties.backColour = colour;
        return *this;
    }
    Row& transparent() {
        spec_.properties.transparent = true;
        return *this;
    }
    Row& font(double points, bool bold = false) {
        spec_.properties.font.points = points;
        spec_.properties.font.bold = bold;
        return *this;
    }
    Row& face(const char* face) {
        spec_.properties.font.face = face;
        return *this;
    }
    Row& italic() {
        spec_.properties.font.italic = true;
        return *this;
    }
    Row& underlined() {
        spec_.properties.font.underline = true;
        return *this;
    }
    Row& tabIndex(int index) {
        spec_.properties.tabIndex = index;
        return *this;
    }
    Row& centred() {
        spec_.properties.alignment = Alignment::Centre;
        return *this;
    }
    Row& sizedToText() {
        spec_.properties.autoSize = true;
        return *this;
    }
    Row& fixedSize() {
        spec_.properties.autoSize = false;
        return *this;
    }
    // The hand shown over the element from creation on.
    Row& cursorA() {
        spec_.properties.pointer = Pointer::CursorA;
        spec_.properties.customPointer = Pointer::CursorA;
        return *this;
    }
    // The hand kept for the element; code shows it when the element becomes clickable.
    Row& cursorBStored() {
        spec_.properties.customPointer = Pointer::CursorB;
        return *this;
    }
    Row& singleBorder() {
        spec_.properties.border = Border::Single;
        return *this;
    }
    Row& innerUnitTwips() {
        spec_.properties.innerUnitTwips = true;
        return *this;
    }
    Row& squareColours(Colour fill, Colour border) {
        spec_.properties.backColour = fill;
        spec_.properties.borderColour = border;
        return *this;
    }

    ElementSpec spec() const { return spec_; }
    // A row is added to a loading window as it is written.
    operator const ElementSpec&() const { return spec_; }

  private:
    ElementSpec spec_;
};

inline Row label(std::string name, std::string container, Rect rect) {
    return Row(std::move(name), -1, ElementKind::Label, std::move(container), rect);
}

inline Row picture(std::string name, int index, std::string container, Rect rect) {
    return Row(std::move(name), index, ElementKind::Picture, std::move(container), rect);
}

inline Row panel(std::string name, std::string container, Rect rect) {
    return Row(std::move(name), -1, ElementKind::Panel, std::move(container), rect);
}

}  // namespace koropika
