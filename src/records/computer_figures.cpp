#include "records/computer_figures.h"

#include <fstream>
#include <sstream>

namespace koropika::records {

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
              figure.winPercentError)) {
            continue;
        }
        if (opponent == "perfect") {
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
                                        int cardCount) {
    for (const ComputerFigure& figure : figures) {
        if (figure.level == level && figure.cardCount == cardCount) {
            return figure;
        }
    }
    return std::nullopt;
}

}  // namespace koropika::records
