// The layout data of a window: element, timer, menu and image list rows and the window's look.
#pragma once

#include <string>
#include <vector>

#include "ui/elements/values.h"

namespace koropika {

// The properties an element is created with; the window's load copies them into a new
// element, and run-time changes never write back into the layout.
struct ElementProperties {
    Rect rect;
    Colour textColour = Colour::fromRgb(0x000000);
    Colour backColour = Colour::fromRgb(0xFFFFFF);
    Colour borderColour = Colour::fromRgb(0x000000);  // shapes only
    int tabIndex = 0;  // keyboard focus order among the controls that take focus
    bool visible = true;
    bool enabled = true;
    bool stretch = false;
    bool transparent = false;
    bool autoSize = false;
    bool innerUnitTwips = false;  // containers whose inner unit is the twip
    Alignment alignment = Alignment::Left;
    Pointer pointer = Pointer::Normal;        // the pointer shown over the element now
    Pointer customPointer = Pointer::Normal;  // the hand stored for it, shown when code asks
    Border border = Border::None;

    std::string caption;  // label text, group box caption, button text, combo box text
    // What a screen reader calls the element; "" = its caption.
    std::string accessibleName;
    std::string picture;  // picture key ("" = no picture)
    Font font;
    std::string tag;                 // free text kept by the game logic; empty at creation
    std::vector<std::string> items;  // combo box entries
    int selectedIndex = -1;          // combo box selection, -1 = none
};

struct ElementSpec {
    std::string name;
    int index = -1;  // array members: 0 is the template; -1 = not an array member
    ElementKind kind = ElementKind::Label;
    std::string container;  // "" = the window itself
    ElementProperties properties;
};

struct TimerSpec {
    std::string name;
    int intervalMs = 0;
    bool enabled = false;
};

struct MenuSpec {
    std::string name;
    std::string caption;
};

struct ImageListSpec {
    std::string name;
    int index = -1;  // arrays of image lists
    Size pictureSize;
    std::vector<std::string> pictures;  // picture 1 is pictures[0]
};

struct WindowLayout {
    std::string name;
    std::string caption;
    std::string icon;  // picture key
    Colour background = Colour::fromRgb(0xFFFFFF);
    Size designedClient;
    // Rows every load makes before its set-up adds its own: front to back within each
    // container, a container before its children.
    std::vector<ElementSpec> elements;
    std::vector<TimerSpec> timers;
    std::vector<MenuSpec> menus;
    std::vector<ImageListSpec> imageLists;
};

}  // namespace koropika
