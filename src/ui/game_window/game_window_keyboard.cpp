#include "ui/game_window/game_window_keyboard.h"

#include <vector>

#include "ui/elements/focus_ring.h"
#include "ui/game_window/announcements.h"
#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {

void GameWindowKeyboard::windowLoaded() {
    GameWindowElements& ui = *game_.elements();
    game_.window().setFocusedElement(&ui.Picture2);
}

void GameWindowKeyboard::diceStopped() {
    GameWindowElements& ui = *game_.elements();
    if (game_.window().announcementsHeard()) {
        // The dice picture shows face 6 when the count has wrapped to 0.
        const int face = game_.diceFace == 0 ? 6 : game_.diceFace;
        game_.window().announce(diceSentence(face, game_.round.playerTurn != 0));
    }
    game_.window().setFocusedElement(&ui.Image4);
}

void GameWindowKeyboard::tableReady() {
    focusFirstFaceDownFrom(0);
    announceTurn();
}

void GameWindowKeyboard::cardTurned(const TurnedCard& card) {
    const bool byPlayer = card.side == Side::Player;
    Window& window = game_.window();
    if (!window.announcementsHeard()) {
        return;
    }
    window.announce(cardTurnedSentence(byPlayer, card.slot, game_.table.card(card.slot)));
    if (!card.second) {
        return;
    }
    if (card.pair) {
        const RoundEngine& engine = game_.engine();
        window.announce(pairSentence(byPlayer, engine.playerCards(), engine.computerCards()));
    } else {
        window.announce(mismatchSentence());
    }
}

void GameWindowKeyboard::moveResolved() {
    if (game_.resultShown()) {
        return;
    }
    // A taken card leaves the table: the focus goes on to the next face-down card.
    const int slot = focusedSlot();
    if (slot != 0 && game_.table.state(slot) == Table::State::Taken) {
        focusFirstFaceDownFrom(slot);
    }
    announceTurn();
}

void GameWindowKeyboard::announceTurn() {
    if (game_.window().announcementsHeard()) {
        game_.window().announce(turnSentence(game_.round.playerTurn != 0));
    }
}

void GameWindowKeyboard::roundOver() {
    GameWindowElements& ui = *game_.elements();
    if (game_.window().announcementsHeard()) {
        game_.window().announce(resultSentence(ui.Label17.caption(), game_.engine().playerCards(),
                                               game_.engine().computerCards()));
    }
    game_.window().setFocusedElement(&ui.Image8);
}

bool GameWindowKeyboard::keyPressed(Key key) {
    Window& window = game_.window();
    GameWindowElements* ui = game_.elements();
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
        if (const int next = nextFaceDown(slot, key); next != 0) {
            focusCard(next);
        }
        return true;
    }
    return false;
}

bool GameWindowKeyboard::resultButtonKey(Element& focused, Key key) {
    GameWindowElements& ui = *game_.elements();
    Window& window = game_.window();
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

int GameWindowKeyboard::nextFaceDown(int slot, Key arrow) const {
    return nextFaceDown(game_.table, game_.gridColumns, game_.gridRows, slot, arrow);
}

int GameWindowKeyboard::nextFaceDown(const Table& table, int columns, int rows, int slot,
                                     Key arrow) {
    const int cards = table.cardCount();
    if (columns <= 0 || rows <= 0 || cards <= 0) {
        return 0;
    }
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
    const Element* focused = game_.window().focusedElement();
    GameWindowElements* ui = game_.elements();
    if (focused == nullptr || ui == nullptr || focused->name() != ui->omote1.name() ||
        focused->index() < 1) {
        return 0;
    }
    return focused->index();
}

void GameWindowKeyboard::focusFirstFaceDownFrom(int slot) {
    const int next = nextFaceDown(slot, Key::Right);
    if (next != 0) {
        focusCard(next);
    }
}

void GameWindowKeyboard::focusCard(int slot) {
    game_.window().setFocusedElement(&(*game_.elements()).omote1[slot]);
}

}  // namespace koropika
