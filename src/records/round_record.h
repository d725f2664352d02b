// One round as the records keep it, and the figures the records answer about a player's rounds.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace koropika::records {

enum class Side { Player, Computer };
enum class Winner { Player, Computer, Draw };
// A round ends when the table is empty, or when the player leaves it (back to the settings
// window, the menu's quit or the close box) after play had started.
enum class Ending { Finished, Left };

struct RoundRecord {
    std::chrono::sys_seconds started{};
    std::chrono::sys_seconds ended{};
    std::string playerName;  // UTF-8
    int level = 1;           // 1..6
    int cardCount = 28;      // 28, 40 or 52
    Side firstMove = Side::Player;
    int playerCount = 0;    // cards the player took
    int computerCount = 0;  // cards the computer took
    // Who won a finished round; a left round has no winner.
    std::optional<Winner> winner;
    int playerMoves = 0;
    double secondsPlayed = 0;
    Ending ending = Ending::Finished;
    std::optional<std::int64_t> dealNumber;
};

// What a set of rounds adds up to. The win percentage is taken over the finished rounds only
// (won + lost + drawn; left rounds are not in it), and its standard error is the binomial one,
// sqrt(p (1 - p) / n) with n the finished rounds, in percentage points. A winning streak is a run
// of won rounds in the order they ended; any other round, a left one included, ends it.
struct RoundStats {
    int played = 0;
    int won = 0;
    int lost = 0;
    int drawn = 0;
    int left = 0;
    int longestStreak = 0;
    int currentStreak = 0;
    std::optional<int> fewestMovesInWin;

    int finished() const { return won + lost + drawn; }
    // Empty when no round was finished.
    std::optional<double> winPercent() const;
    std::optional<double> winPercentError() const;
};

}  // namespace koropika::records
