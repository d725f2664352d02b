#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/harness.h"
#include "ui/game_window/game_window.h"

namespace koropika::bench {

// How the scripted player takes its turns.
enum class Opponent {
    PerfectMemory,  // remembers every card shown by either side and takes known pairs first
    Random,         // turns face-down cards at random
    ComputerAlone,  // never moves: each of its turns goes straight back to the computer
    PlayerAlone,    // the perfect-memory player with every turn: the computer never moves
};

const char* nameOf(Opponent opponent);

// What one round came to.
struct RoundResult {
    int playerCards = 0;
    int computerCards = 0;
    int playerMoves = 0;  // moves of two cards each
    int computerMoves = 0;
    long computerPicks = 0;
    long computerPicksFromMemory = 0;
    // The computer's moves whose first card it had seen before and did not take a pair with,
    // and whose second card it had seen before and could not match the first.
    int computerFirstSeenWasted = 0;
    int computerSecondSeenWasted = 0;
};

// Plays whole rounds of the real program, headless and in virtual time: starts from the settings
// window, rolls the dice, presses the start button, plays the player's side with a script,
// waits for the result panel to be complete and plays again from its button.
class RoundPlayer {
  public:
    explicit RoundPlayer(std::uint64_t seed);

    // Goes to the settings window (from the result panel when a round was played) and starts a
    // game with the level and card count.
    void configure(int level, int cardCount, Opponent opponent);
    // Plays the next round; `computerStarts` decides the dice. Throws when the round stalls.
    RoundResult playRound(bool computerStarts);

  private:
    GameWindow& game() { return run_.program().gameWindow(); }
    void rollDice(bool computerStarts);
    void runUntil(const std::function<bool()>& done, const char* what);
    bool playerMayClick();
    // Hands a turn that is not the scripted side's straight to the other side.
    void passTurnIfAlone();
    int choosePlayerCard();
    void learnFromMoveLog();

    testing::Harness run_;
    Opponent opponent_ = Opponent::PerfectMemory;
    std::mt19937_64 policy_;
    bool roundPlayed_ = false;
    // The perfect-memory player's own memory: the rank of each slot once it was shown, else 0.
    std::vector<int> known_;
    std::size_t logRead_ = 0;
};

}  // namespace koropika::bench
