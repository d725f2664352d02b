#pragma once

// What the settings window hands the game window: the player, the level and the card count.

#include <cstdint>
#include <string>

namespace koropika {

// What the settings window hands the game window when it opens it: who plays, against which
// level of the computer, with how many cards.
struct GameSetup {
    std::string playerName;
    std::int16_t level = 1;       // 1..6
    std::int16_t cardCount = 28;  // 28, 40 or 52
    // The second person at the table, in the computer's seat; empty when the computer plays.
    std::string secondPlayerName;
};

}  // namespace koropika
