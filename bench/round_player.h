#pragma once

// Whole rounds for the benchmark, through the engine alone or through the whole program.

#include <cstdint>
#include <memory>

#include "game/round_engine.h"
#include "support/strength_player.h"

namespace koropika::bench {

// What one round came to.
struct RoundResult {
    int playerCards = 0;
    int computerCards = 0;
    int moves = 0;  // moves of two cards, both sides
    long computerPicks = 0;
    long computerPicksFromMemory = 0;  // counted through the engine alone
};

// Plays whole rounds against a scripted player, the sides taking turns to start.
class RoundPlayer {
  public:
    virtual ~RoundPlayer() = default;
    // Plays the next round; `computerStarts` decides the dice.
    virtual RoundResult playRound(bool computerStarts) = 0;
};

// Rounds through the round engine alone.
std::unique_ptr<RoundPlayer> engineRounds(int cardCount, int level, testing::PlayerKind player,
                                          std::uint64_t seed);
// Rounds through the whole program headless in virtual time: the settings window, the dice, the
// start button, the player's clicks on the game window and its result panel's play-again button.
std::unique_ptr<RoundPlayer> windowRounds(int cardCount, int level, testing::PlayerKind player,
                                          std::uint64_t seed);

}  // namespace koropika::bench
