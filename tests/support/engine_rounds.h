#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/round_engine.h"

namespace koropika::testing {

// Picks the player's next card from the face-down slots it may turn, offered in slot order. An
// empty policy sits the round out: each of the player's turns goes straight to the computer.
using PlayerPolicy =
    std::function<int(const RoundEngine& engine, const std::vector<int>& faceDownSlots)>;

// The computer's picks in a round, and how many of them came from its memory.
struct ComputerPicks {
    long picks = 0;
    long fromMemory = 0;
};

// The policy the headless game driver plays with: a uniform pick from the offered slots by a
// seeded std::mt19937_64, so a round through the engine alone and one through the window play
// the same cards.
PlayerPolicy drivenPlayer(std::uint64_t policySeed);

// Plays a whole round through the engine alone, in the order the game window's timers call
// it: the dice shows `diceFace`, the start button reveals the table, then the player moves with
// `policy` and the computer with its timer's three steps, each move resolved, until the last
// pair. Throws when the round does not end within a generous number of moves.
ComputerPicks playEngineRound(RoundEngine& engine, int cardCount, int level, Random& random,
                              int diceFace, const PlayerPolicy& policy);

}  // namespace koropika::testing
