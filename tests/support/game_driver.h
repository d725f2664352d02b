// GameDriver: plays the game window through its handlers for tests.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "support/harness.h"
#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika::testing {

// Plays the game window headless as a person would: starts a game from the settings window,
// rolls the dice, presses the start button and turns cards chosen by a seeded policy, checking
// the table's invariants between every two passes of the event loop.
class GameDriver {
  public:
    explicit GameDriver(Harness& run) : run_(run) {}

    GameWindow& game() { return run_.program().gameWindow(); }
    GameWindowElements& ui() { return *game().elements(); }

    // From the settings window on screen: types the name, picks the level and releases the
    // mouse on the card-count label.
    void startFromSettings(const std::string& name, int level, int cardCount);
    // Rolls the dice until it shows `face` (1..6) and stops it there.
    void rollDiceTo(int face);
    // Presses and releases the start button, then waits until every card lies on the table.
    void pressStartAndWaitForTheTable();
    // The whole opening: settings window to the first move.
    void openRound(const std::string& name, int level, int cardCount, int diceFace);
    // Plays until the result stacks are complete, the player turning random face-down cards.
    void playToTheEnd(std::uint64_t policySeed);
    // The same, until `done` holds.
    void playUntil(const std::function<bool()>& done, std::uint64_t policySeed);
    // Runs the loop until `done`, checking the invariants between passes; fails after `limitMs`.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600'000);

    bool playerMayClick();
    // Adds a test failure for every broken rule of the table.
    void checkInvariants();

    // The move state of the table, as the round's rules name them ("" outside play).
    std::string moveState();
    // Every change of move state seen since the driver was made, as "from -> to".
    std::set<std::string> transitions;

    long invariantChecks = 0;
    long playerClicks = 0;

  private:
    Harness& run_;
    std::set<int> taken_;
    std::string lastState_;
};

}  // namespace koropika::testing
