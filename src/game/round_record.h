#pragma once

// One round that ended after play had started, as the game window reports it and the records
// keep it.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/round_engine.h"

namespace koropika {

// A round ends when the table is empty, or when the player leaves it (back to the settings
// window, the menu's quit, the close box, or another round started over it) after play had
// started.
enum class Ending { Finished, Left };

struct RoundRecord {
    std::chrono::sys_seconds started{};  // when play began (the cards all on the table)
    std::chrono::sys_seconds ended{};
    std::string playerName;  // UTF-8
    int level = 1;           // 1..6; none stored for a round of two players
    // The person who sat in the computer's seat; empty when the computer played. The
    // computer's side of every other value is theirs.
    std::string opponentName;
    int cardCount = 28;  // 28, 40 or 52
    Side firstMove = Side::Player;
    int playerCount = 0;    // cards the player took
    int computerCount = 0;  // cards the computer took
    // Who won a finished round; a left round has no winner.
    std::optional<Winner> winner;
    int playerMoves = 0;  // moves of two cards; a move left with one card up is not counted
    double secondsPlayed = 0;
    Ending ending = Ending::Finished;
    std::optional<std::int64_t> dealNumber;
    // The dice face (1..6) that decided who moved first, and every card turned in order; none
    // for a round recorded without them.
    std::optional<int> diceFace;
    std::optional<std::vector<MoveLog::Turn>> moves;
};

}  // namespace koropika
