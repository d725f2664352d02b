#include "records/computer_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace koropika::records {
namespace {

TEST(ComputerFigures, ShippedFileGivesBothOpponentsFiguresForEveryCell) {
    const auto figures = readComputerFigures(KOROPIKA_LEVELS_FILE);
    ASSERT_EQ(figures.size(), 36u);
    for (int level = 1; level <= 6; ++level) {
        for (const int cards : {28, 40, 52}) {
            for (const Opponent opponent : {Opponent::NeverForgets, Opponent::Random}) {
                const auto figure = figureFor(figures, level, cards, opponent);
                ASSERT_TRUE(figure) << level << " " << cards;
                // Each share rests on 20 000 rounds: its standard error says so, which holds
                // only while win and draw are read from their own columns.
                for (const auto& [percent, error] :
                     {std::pair{figure->winPercent, figure->winPercentError},
                      std::pair{figure->drawPercent, figure->drawPercentError}}) {
                    const double p = percent / 100;
                    if (error > 0) {
                        EXPECT_NEAR(p * (1 - p) / std::pow(error / 100, 2), 20000, 5)
                            << level << " " << cards;
                    }
                }
            }
        }
    }
    EXPECT_DOUBLE_EQ(figureFor(figures, 6, 52, Opponent::NeverForgets)->winPercent, 16.205);
    EXPECT_DOUBLE_EQ(figureFor(figures, 1, 28, Opponent::NeverForgets)->winPercentError, 0.0887243);
    // The opponent's wins are the rounds the computer neither won nor drew.
    EXPECT_NEAR(figureFor(figures, 3, 28, Opponent::NeverForgets)->opponentWinPercent(), 89.08,
                1e-9);
    EXPECT_NEAR(figureFor(figures, 6, 52, Opponent::NeverForgets)->opponentWinPercent(), 75.43,
                1e-9);
    EXPECT_NEAR(figureFor(figures, 1, 28, Opponent::Random)->opponentWinPercent(), 0.32, 1e-9);
    EXPECT_EQ(figureFor(figures, 2, 40, Opponent::Random)->opponentWinPercent(), 0.0);
}

TEST(ComputerFigures, CommentsOtherOpponentsAndBrokenLinesArePassedOver) {
    std::istringstream in(
        "# level cards player win% winSE draw% drawSE\n"
        "2 40 random 99 0.1 0.5 0.05 1 1\n"
        "2 40 careless 50 1 1 1 1 1\n"
        "3 40 perfect\n"
        "3 28 perfect 5 0.1\n"
        "x 40 perfect 1 2 1 1 1 1\n"
        "\n"
        "4 52 perfect 3.5 0.25 1.25 0.1 1 1\n");
    const auto figures = parseComputerFigures(in);
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].opponent, Opponent::Random);
    EXPECT_DOUBLE_EQ(figures[0].opponentWinPercent(), 0.5);
    EXPECT_EQ(figures[1].level, 4);
    EXPECT_EQ(figures[1].cardCount, 52);
    EXPECT_EQ(figures[1].opponent, Opponent::NeverForgets);
    EXPECT_DOUBLE_EQ(figures[1].opponentWinPercent(), 95.25);
    EXPECT_FALSE(figureFor(figures, 4, 52, Opponent::Random));
    EXPECT_TRUE(readComputerFigures("/nonexistent/levels.dat").empty());
}

}  // namespace
}  // namespace koropika::records
