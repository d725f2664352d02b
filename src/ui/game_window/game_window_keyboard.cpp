#include "ui/game_window/game_window_keyboard.h"

#include <optional>
#include <vector>

#include "ui/elements/focus_ring.h"
#include "ui/elements/window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {

void GameWindowKeyboard::windowLoaded(GameWindowElements& elements) {
    ui_ = &elements;
    window_.setFocusedElement(&elements.Picture2);
}

void GameWindowKeyboard::diceStopped() {
    window_.setFocusedElement(&ui_->Image4);
}

void GameWindowKeyboard::tableReady() {
    focusFirstFaceDownFrom(0);
}

void GameWindowKeyboard::moveResolved() {
    // A taken card leaves the table: the focus goes on to the next face-down card. Once a move
    // is resolved no card lies face up, so a card not face down has been taken.
    const int slot = focusedSlot();
    if (slot != 0 && !engine_.table().faceDown(slot)) {
        focusFirstFaceDownFrom(slot);
    }
}

void GameWindowKeyboard::roundOver() {
    window_.setFocusedElement(&ui_->Image8);
}

bool GameWindowKeyboard::keyPressed(Key key) {
    Window& window = window_;
    GameWindowElements* ui = ui_;
    Element* focused = window.focusedElement();
    if (ui == nullptr || focused == nullptr) {
        return false;
    }
    const bool press = key == Key::Enter || key == Key::Space;
    if (focused == &ui->Picture2 || focused == &ui->Image4) {
        if (!press) {
            return false;
        }
        // The dice reacts to a click; the start button to its press and release.
        if (focused == &ui->Picture2) {
            window.click(*focused);
        } else {
            window.pressByKey(*focused);
        }
        return true;
    }
    if (focused == &ui->Image8 || focused == &ui->Image11 || focused == &ui->Image12) {
        return resultButtonKey(*focused, key);
    }
    const int slot = focusedSlot();
    if (slot == 0) {
        return false;
    }
    if (press) {
        // A card that is not face down is not on screen, and the click path refuses it.
        window.click(ui->omote1[slot]);
        return true;
    }
    if (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down) {
        if (const int next = nextFaceDown(engine_.table(), slot, key); next != 0) {
            focusCard(next);
        }
        return true;
    }
    return false;
}

bool GameWindowKeyboard::resultButtonKey(Element& focused, Key key) {
    GameWindowElements& ui = *ui_;
    Window& window = window_;
    const std::vector<Element*> buttons = {&ui.Image8, &ui.Image11, &ui.Image12};
    switch (key) {
        case Key::Enter:
        case Key::Space:
            window.pressByKey(focused);
            return true;
        case Key::Tab:
        case Key::Right:
        case Key::Down:
        case Key::BackTab:
        case Key::Left:
        case Key::Up: {
            const bool forward = key == Key::Tab || key == Key::Right || key == Key::Down;
            if (Element* next = nextInRing(buttons, &focused, forward)) {
                window.setFocusedElement(next);
            }
            return true;
        }
    }
    return false;
}

int GameWindowKeyboard::nextFaceDown(const Table& table, int slot, Key arrow) {
    const int cards = table.cardCount();
    const std::optional<TableGeometry> grid = tableGeometryFor(cards);
    if (!grid) {
        return 0;
    }
    const int columns = grid->gridColumns;
    const int rows = grid->gridRows;
    // Left and right walk the table row by row, up and down column by column; past the end of
    // a row (or column) the walk goes on in the next one, and past the last card to the first.
    const bool byColumn = arrow == Key::Up || arrow == Key::Down;
    const bool forward = arrow == Key::Right || arrow == Key::Down;
    const int places = columns * rows;
    const auto positionOf = [&](int s) {
        const int row = (s - 1) / columns;
        const int column = (s - 1) % columns;
        return byColumn ? column * rows + row : row * columns + column;
    };
    const auto slotAt = [&](int position) {
        const int row = byColumn ? position % rows : position / columns;
        const int column = byColumn ? position / rows : position % columns;
        return row * columns + column + 1;
    };
    const int start = slot >= 1 && slot <= cards ? positionOf(slot) : (forward ? places - 1 : 0);
    for (int step = 1; step <= places; ++step) {
        const int position = ((start + (forward ? step : -step)) % places + places) % places;
        const int candidate = slotAt(position);
        if (candidate <= cards && table.faceDown(candidate)) {
            return candidate;
        }
    }
    return 0;
}

int GameWindowKeyboard::focusedSlot() const {
    const Element* focused = window_.focusedElement();
    const GameWindowElements* ui = ui_;
    if (focused == nullptr || ui == nullptr || focused->name() != ui->omote1.name() ||
        focused->index() < 1) {
        return 0;
    }
    return focused->index();
}

void GameWindowKeyboard::focusFirstFaceDownFrom(int slot) {
    const int next = nextFaceDown(engine_.table(), slot, Key::Right);
    if (next != 0) {
        focusCard(next);
    }
}

void GameWindowKeyboard::focusCard(int slot) {
    window_.setFocusedElement(&ui_->omote1[slot]);
}

}  // namespace koropika
