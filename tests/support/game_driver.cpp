#include "support/game_driver.h"

#include <gtest/gtest.h>

#include <charconv>
#include <vector>

namespace koropika::testing {

namespace {

int numberIn(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

const char* cardCountLabel(int cardCount) {
    return cardCount == 28 ? "Label8" : cardCount == 40 ? "Label9" : "Label10";
}

}  // namespace

void GameDriver::startFromSettings(const std::string& name, int level, int cardCount) {
    run_.type("Combo1", name);
    run_.pick("Combo2", level - 1);
    run_.pressAndRelease(cardCountLabel(cardCount));
    taken_.clear();
}

void GameDriver::rollDiceTo(int face) {
    run_.click("Picture2");
    // After showing 6 the dice holds 0, which counts as even like the 6 on display.
    ASSERT_TRUE(runUntil([&] {
        return face == 6 ? game().diceFace() == 0 && ui().Picture2.picture() == "dice_6"
                         : game().diceFace() == face;
    }));
    run_.click("Picture2");
    ASSERT_TRUE(runUntil([&] { return game().engine().phase() == GamePhase::StarterDecided; }));
}

void GameDriver::pressStartAndWaitForTheTable() {
    run_.pressAndRelease("Image4");
    ASSERT_TRUE(runUntil([&] { return game().engine().phase() == GamePhase::Play; }));
}

void GameDriver::openRound(const std::string& name, int level, int cardCount, int diceFace) {
    startFromSettings(name, level, cardCount);
    rollDiceTo(diceFace);
    pressStartAndWaitForTheTable();
}

bool GameDriver::playerMayClick() {
    const RoundState& r = game().engine().state();
    return r.gamePhase == GamePhase::Play && r.playerTurn && r.flippedThisTurn < 2 &&
           !r.resolvingPair && r.cardsLeft > 0;
}

void GameDriver::playToTheEnd(std::uint64_t policySeed) {
    playUntil([&] { return game().resultStacksBuilt(); }, policySeed);
}

void GameDriver::playUntil(const std::function<bool()>& done, std::uint64_t policySeed) {
    std::mt19937_64 policy(policySeed);
    for (;;) {
        ASSERT_TRUE(runUntil([&] { return done() || playerMayClick(); }));
        if (done()) {
            break;
        }
        std::vector<int> choices;
        for (int slot = 1; slot <= game().engine().table().cardCount(); ++slot) {
            if (game().engine().table().faceDown(slot) &&
                !(game().engine().state().flippedThisTurn == 1 &&
                  slot == game().engine().state().firstSlot)) {
                choices.push_back(slot);
            }
        }
        ASSERT_FALSE(choices.empty());
        const int slot = choices[policy() % choices.size()];
        ++playerClicks;
        run_.click("omote1", slot);
        checkInvariants();
    }
}

bool GameDriver::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    return run_.loop.runUntil(
        [&] {
            if (game().elements() != nullptr) {
                checkInvariants();
            }
            return done();
        },
        limitMs);
}

std::string GameDriver::moveState() {
    GameWindow& g = game();
    const RoundState& r = g.engine().state();
    if (g.resultShown()) {
        return "round over";
    }
    if (r.gamePhase != GamePhase::Play) {
        return "";
    }
    const char* side = r.playerTurn != 0 ? "player " : "computer ";
    switch (r.flippedThisTurn) {
        case 0:
            return std::string(side) + (r.playerTurn != 0 ? "ready" : "waiting");
        case 1:
            return std::string(side) + "first card";
        default:
            return std::string(side) + "resolving";
    }
}

void GameDriver::checkInvariants() {
    const std::string state = moveState();
    if (state.empty()) {
        lastState_.clear();
    } else if (state != lastState_) {
        if (!lastState_.empty()) {
            transitions.insert(lastState_ + " -> " + state);
        }
        lastState_ = state;
    }
    ++invariantChecks;
    GameWindow& g = game();
    GameWindowElements& ui = *g.elements();
    const int cardCount = g.setup().cardCount;
    if (g.engine().phase() != GamePhase::Play) {
        taken_.clear();  // a new table: nothing has been taken yet
    }
    const int taken = numberIn(ui.Label2.caption()) + numberIn(ui.Label3.caption());
    ASSERT_EQ(g.engine().state().cardsLeft, cardCount - taken);
    ASSERT_EQ(g.engine().state().cardsLeft % 2, 0);
    ASSERT_EQ(g.engine().table().cardCount(), cardCount);
    for (int slot = 1; slot <= cardCount; ++slot) {
        ASSERT_EQ(ui.omote1[slot].visible(), g.engine().table().backShown(slot)) << "slot " << slot;
        ASSERT_EQ(ui.ura1[slot].visible(), g.engine().table().faceShown(slot)) << "slot " << slot;
        ASSERT_EQ(ui.omote1[slot].tag(), std::to_string(g.engine().table().rank(slot)));
        ASSERT_EQ(ui.ura1[slot].tag(), ui.omote1[slot].tag());
        const int seen = g.engine().table().seenRank(slot);
        ASSERT_TRUE(seen == 0 || seen == g.engine().table().rank(slot)) << "slot " << slot;
        const bool isTaken = g.engine().table().state(slot) == Table::State::Taken;
        // The blinking first card is briefly without back and face; it is not taken.
        const bool blinking =
            g.engine().state().flippedThisTurn >= 1 && slot == g.engine().state().firstSlot;
        if (isTaken && !blinking && g.engine().phase() == GamePhase::Play) {
            taken_.insert(slot);
        } else if (taken_.count(slot) != 0) {
            ADD_FAILURE() << "slot " << slot << " came back after it was taken";
            return;
        }
    }
}

}  // namespace koropika::testing
