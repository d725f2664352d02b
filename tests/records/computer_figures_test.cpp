#include "records/computer_figures.h"

#include <gtest/gtest.h>

#include <sstream>

namespace koropika::records {
namespace {

TEST(ComputerFigures, ShippedFileGivesTheComputersWinsAgainstAPerfectMemoryForEveryCell) {
    const auto figures = readComputerFigures(KOROPIKA_LEVELS_FILE);
    ASSERT_EQ(figures.size(), 18u);
    for (int level = 1; level <= 6; ++level) {
        for (const int cards : {28, 40, 52}) {
            EXPECT_TRUE(figureFor(figures, level, cards)) << level << " " << cards;
        }
    }
    EXPECT_DOUBLE_EQ(figureFor(figures, 6, 52)->winPercent, 16.205);
    EXPECT_DOUBLE_EQ(figureFor(figures, 1, 28)->winPercentError, 0.0887243);
}

TEST(ComputerFigures, CommentsOtherOpponentsAndBrokenLinesArePassedOver) {
    std::istringstream in(
        "# level cards player win% winSE\n"
        "2 40 random 99 0.1 0 0 1 1\n"
        "3 40 perfect\n"
        "x 40 perfect 1 2\n"
        "\n"
        "4 52 perfect 3.5 0.25 1 1 1 1\n");
    const auto figures = parseComputerFigures(in);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].level, 4);
    EXPECT_EQ(figures[0].cardCount, 52);
    EXPECT_DOUBLE_EQ(figures[0].winPercent, 3.5);
    EXPECT_TRUE(readComputerFigures("/nonexistent/levels.dat").empty());
}

}  // namespace
}  // namespace koropika::records
