// A small table layout for the element window tests.
#pragma once

#include "ui/elements/layout.h"

namespace koropika::testing {

// A small table for the reload tests: a panel holding an array of cards (its template at index
// 0, showing the back), a score label, a running and a stopped timer.
inline WindowLayout tableLayout() {
    WindowLayout layout;
    layout.name = "table";
    layout.designedClient = {600, 400};
    ElementProperties panel;
    panel.rect = {10, 10, 500, 300};
    layout.elements.push_back({"Table", -1, ElementKind::Panel, "", panel});
    ElementProperties card;
    card.rect = {0, 0, 30, 40};
    card.picture = "back";
    layout.elements.push_back({"Card", 0, ElementKind::Picture, "Table", card});
    ElementProperties score;
    score.caption = "0";
    layout.elements.push_back({"Score", -1, ElementKind::Label, "", score});
    layout.timers = {{"Blink", 500, true}, {"Slow", 1000, false}};
    return layout;
}

}  // namespace koropika::testing
