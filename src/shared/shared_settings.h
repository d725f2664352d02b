#pragma once

// The values both windows share for the whole run.

#include <cstdint>
#include <string>
#include <vector>

namespace koropika {

// The values both windows share for the whole run. There is exactly one instance: the program
// object owns it and hands it by reference to each window, so there are no mutable globals.
// Everything starts at zero or empty; only the name list outlives a run (in name.txt).
struct SharedSettings {
    std::string appPath;  // program folder, no trailing separator
    // UTF-8; slot 0 unused and empty, slots 1..playerNameCount
    std::vector<std::string> playerNames;
    std::int16_t playerNameCount = 0;
    std::string playerName;
    std::int16_t level = 0;      // 1..6, 0 = not yet set
    std::int16_t cardCount = 0;  // 28, 40, 52; 0 = not yet chosen
    // A second person plays in the computer's seat, under this name (the last one used).
    bool twoPlayers = false;
    std::string secondPlayerName;
};

}  // namespace koropika
