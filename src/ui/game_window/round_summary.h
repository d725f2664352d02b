#pragma once

// What the game window tells of a round that ended after play had started.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "game/round_engine.h"

namespace koropika {

struct RoundSummary {
    std::chrono::sys_seconds started{};  // when play began (the cards all on the table)
    std::chrono::sys_seconds ended{};
    std::string playerName;  // UTF-8
    int level = 1;
    int cardCount = 28;
    Side firstMove = Side::Player;
    int playerCards = 0;  // cards each side took
    int computerCards = 0;
    // Left: the player went back to the settings, quit, closed the window or started another
    // round before the table was empty. A left round has no winner.
    bool left = false;
    std::optional<RoundResult::Winner> winner;
    int playerMoves = 0;  // moves of two cards; a move left with one card up is not counted
    double secondsPlayed = 0;
    std::uint64_t dealNumber = 0;
};

}  // namespace koropika
