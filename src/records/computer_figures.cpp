#include "records/computer_figures.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace koropika::records {

double ComputerFigure::opponentWinPercent() const {
    // The three shares are each rounded in the file: never below nothing.
    return std::max(0.0, 100.0 - winPercent - drawPercent);
}

std::vector<ComputerFigure> parseComputerFigures(std::istream& in) {
    std::vector<ComputerFigure> figures;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        ComputerFigure figure;
        std::string opponent;
        if (!(fields >> figure.level >> figure.cardCount >> opponent >> figure.winPercent >>
              figure.winPercentError >> figure.drawPercent >> figure.drawPercentError)) {
            continue;
        }
        if (opponent == "perfect" || opponent == "random") {
            figure.opponent = opponent == "perfect" ? Opponent::NeverForgets : Opponent::Random;
            figures.push_back(figure);
        }
    }
    return figures;
}

std::vector<ComputerFigure> readComputerFigures(const std::string& path) {
    std::ifstream in(path);
    return parseComputerFigures(in);
}

std::optional<ComputerFigure> figureFor(const std::vector<ComputerFigure>& figures, int level,
                                        int cardCount, Opponent opponent) {
    for (const ComputerFigure& figure : figures) {
        if (figure.level == level && figure.cardCount == cardCount && figure.opponent == opponent) {
            return figure;
        }
    }
    return std::nullopt;
}

}  // namespace koropika::records
