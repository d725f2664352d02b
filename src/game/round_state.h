#pragma once

#include <cstdint>

namespace koropika {

// The move in progress and whose turn it is. Flags hold 0 or 1 and every value is a 16-bit
// integer, as the window's fields always were.
struct RoundState {
    std::int16_t gamePhase = 0;        // 0 start-up or reveal, 1 starting side decided, 2 play
    std::int16_t playerTurn = 0;       // 1 the player moves, 0 the computer
    std::int16_t flippedThisTurn = 0;  // cards turned in this move (the computer's timer: 3)
    std::int16_t firstSlot = 0;
    std::int16_t firstRank = 0;
    std::int16_t secondSlot = 0;
    std::int16_t secondRank = 0;
    std::int16_t resolvingPair = 0;  // 1 while the player's two cards wait to be resolved
    std::int16_t blinkShowNext = 0;  // 1 = the next blink tick shows the first card's face
    std::int16_t cardsLeft = 0;
    std::int16_t cpuFirstSlot = 0;
    std::int16_t cpuSecondSlot = 0;
    std::int16_t cpuKnowsPair = 0;   // 1 = the first pick came from a remembered pair
    std::int16_t cpuFoundMatch = 0;  // 1 = the second pick came from memory
};

}  // namespace koropika
