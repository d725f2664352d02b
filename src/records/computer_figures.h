// The computer's measured strength, shipped with the program in levels.dat: how often the
// computer wins at each level and card count against a player who never forgets a card.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace koropika::records {

struct ComputerFigure {
    int level = 1;
    int cardCount = 28;
    double winPercent = 0;       // the computer's wins, in per cent of rounds
    double winPercentError = 0;  // its standard error, in percentage points
};

// The file's name in the program folder.
inline constexpr const char* kComputerFiguresFile = "levels.dat";

// The figures of the lines measured against a player who never forgets ("perfect"). A line
// reads "level cards player win% winSE draw% drawSE moves movesSE"; blank lines, lines starting
// with '#' and lines that do not read so are passed over.
std::vector<ComputerFigure> parseComputerFigures(std::istream& in);
// Empty when the file cannot be read.
std::vector<ComputerFigure> readComputerFigures(const std::string& path);

std::optional<ComputerFigure> figureFor(const std::vector<ComputerFigure>& figures, int level,
                                        int cardCount);

}  // namespace koropika::records
