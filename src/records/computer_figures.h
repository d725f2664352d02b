// The computer's measured strength, shipped with the program in levels.dat: how often the
// computer wins and draws at each level and card count against two scripted players, one who
// never forgets a card and one who turns cards at random; and from that, how often each of those
// players wins, a win rate the player can set beside their own.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace koropika::records {

// The scripted players the computer was measured against.
enum class Opponent {
    NeverForgets,  // "perfect": remembers every card shown and takes every known pair
    Random,        // "random": turns cards at random
};

struct ComputerFigure {
    int level = 1;
    int cardCount = 28;
    Opponent opponent = Opponent::NeverForgets;
    double winPercent = 0;       // the computer's wins, in per cent of rounds
    double winPercentError = 0;  // its standard error, in percentage points
    double drawPercent = 0;      // the rounds drawn, in per cent
    double drawPercentError = 0;

    // The opponent's wins, in per cent: every round the computer neither won nor drew.
    double opponentWinPercent() const;
};

// The file's name in the program folder.
inline constexpr const char* kComputerFiguresFile = "levels.dat";

// A line reads "level cards player win% winSE draw% drawSE moves movesSE", the player being
// "perfect" or "random"; blank lines, lines starting with '#' and lines that do not read so are
// passed over.
std::vector<ComputerFigure> parseComputerFigures(std::istream& in);
// Empty when the file cannot be read.
std::vector<ComputerFigure> readComputerFigures(const std::string& path);

std::optional<ComputerFigure> figureFor(const std::vector<ComputerFigure>& figures, int level,
                                        int cardCount, Opponent opponent);

}  // namespace koropika::records
