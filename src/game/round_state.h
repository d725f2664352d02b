#pragma once

// The move in progress and whose turn it is.

#include <cstdint>

namespace koropika {

// Where the round stands.
enum class GamePhase : std::uint8_t {
    StartUp = 0,         // the dice has not decided yet, or the cards are being revealed
    StarterDecided = 1,  // the dice has decided who starts
    Play = 2,            // moves are made
};

// The computer's move takes three ticks of its timer: the first card, the second card, then
// this one, which stops the timer.
inline constexpr int kComputerStopTick = 3;

struct RoundState {
    GamePhase gamePhase = GamePhase::StartUp;
    bool playerTurn = false;  // else the computer's
    int flippedThisTurn = 0;  // cards turned in this move, or the computer's timer ticks
    int firstSlot = 0;
    int firstRank = 0;
    int secondSlot = 0;
    int secondRank = 0;
    bool resolvingPair = false;  // the player's two cards wait to be resolved
    bool blinkShowNext = false;  // the next blink tick shows the first card's face
    int cardsLeft = 0;
    int cpuFirstSlot = 0;
    int cpuSecondSlot = 0;
    bool cpuKnowsPair = false;   // the first pick came from a remembered pair
    bool cpuFoundMatch = false;  // the second pick came from memory
    friend bool operator==(const RoundState&, const RoundState&) = default;
};

}  // namespace koropika
