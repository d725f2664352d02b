// The plain values of the element model: units, points, rectangles, colours, fonts and kinds.
#pragma once

#include <cstdint>
#include <string>

namespace koropika {

// Twips are the unit of window sizes and positions (as the window position file stores them) and
// of some panels: 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool contains(Point p) const {
        return p.x >= left && p.y >= top && p.x < left + width && p.y < top + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour is either plain RGB or one of the desktop's system colours, which the front end
// resolves (white and black in the standard scheme).
struct Colour {
    enum class Role : std::uint8_t { Rgb, HighlightText, MenuText };

    Role role = Role::Rgb;
    std::uint32_t rgb = 0;  // 0xRRGGBB

    static constexpr Colour fromRgb(std::uint32_t rrggbb) { return {Role::Rgb, rrggbb}; }
    // The game logic writes colours as &H00BBGGRR, blue in the high byte.
    static constexpr Colour fromBgr(std::uint32_t bbggrr) {
        return {Role::Rgb, ((bbggrr & 0xFF) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF)};
    }
    static constexpr Colour highlightText() { return {Role::HighlightText, 0xFFFFFF}; }
    static constexpr Colour menuText() { return {Role::MenuText, 0x000000}; }

    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr const char* kProportionalGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kProportionalMincho = "ＭＳ Ｐ明朝";
inline constexpr const char* kHeavyGothic = "HG創英角ｺﾞｼｯｸUB";

struct Font {
    std::string face = kProportionalGothic;
    double points = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class ElementKind : std::uint8_t {
    Label,         // text, optionally transparent and sized to its text
    Picture,       // a picture, optionally stretched to its rectangle
    Panel,         // a container with a background colour or picture
    GroupBox,      // a container with a caption drawn in its frame
    PushButton,    // a native push button
    ComboBox,      // an editable drop-down: typed text or a pick from the list
    DropDownList,  // a drop-down whose text is always one of its entries
    Shape,         // a small filled square with a border
};

// Panels, group boxes and the native controls are drawn in front of the plain labels,
// pictures and shapes of the same container, whatever their listed order.
constexpr bool isHeavyweight(ElementKind kind) {
    return kind == ElementKind::Panel || kind == ElementKind::GroupBox ||
           kind == ElementKind::PushButton || kind == ElementKind::ComboBox ||
           kind == ElementKind::DropDownList;
}

constexpr bool isContainer(ElementKind kind) {
    return kind == ElementKind::Panel || kind == ElementKind::GroupBox;
}

enum class Alignment : std::uint8_t { Left, Centre, Right };

// Normal is the desktop's arrow; the two hands are the program's own cursors.
enum class Pointer : std::uint8_t { Normal, CursorA, CursorB };

enum class Border : std::uint8_t { None, Single };

enum class MouseButton : std::uint8_t { Left, Right, Middle };

}  // namespace koropika
