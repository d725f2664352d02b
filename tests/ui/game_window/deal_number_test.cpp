#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"

namespace koropika {
namespace {

class DealNumberTest : public ::testing::Test {
  protected:
    void SetUp() override { run.program().start(); }

    std::vector<Card> tableCards() {
        const Table& table = driver.game().engine().table();
        std::vector<Card> cards;
        for (int slot = 1; slot <= table.cardCount(); ++slot) {
            cards.push_back(table.card(slot));
        }
        return cards;
    }

    testing::Harness run;
    testing::GameDriver driver{run};
};

TEST_F(DealNumberTest, OneNumberPlayedTwiceDealsAndPlaysTheSameRoundAndAnotherDealsOtherCards) {
    run.nextSeed = 424242;
    driver.openRound("たろう", 2, 40, 2);
    GameWindow& game = driver.game();
    const std::vector<Card> firstDeal = tableCards();
    driver.playToTheEnd(5);
    const std::string firstLog = game.engine().moveLog().text();

    game.playDeal(game.dealNumber());
    EXPECT_EQ(game.setup().level, 2);
    EXPECT_EQ(tableCards(), firstDeal);
    driver.rollDiceTo(2);
    driver.pressStartAndWaitForTheTable();
    driver.playToTheEnd(5);
    EXPECT_EQ(game.engine().moveLog().text(), firstLog);

    // Play again takes the next new number, which deals other cards.
    run.pressAndRelease("Image8");
    EXPECT_EQ(game.dealNumber(), 424243u);
    EXPECT_NE(tableCards(), firstDeal);
}

TEST_F(DealNumberTest, PlayingANumberMidRoundRestartsTheWindowOnThatDeal) {
    GameWindow& game = driver.game();
    // A number asked for before the window opens plays its first round, as --deal does.
    game.setNextDealNumber(999'999'999);
    driver.openRound("たろう", 5, 28, 1);
    const std::vector<Card> deal = tableCards();
    // Cut into the computer's move, then into a rolling dice.
    driver.playUntil([&] { return game.engine().turn() == Side::Computer; }, 9);
    game.playDeal(999'999'999);
    EXPECT_EQ(tableCards(), deal);
    run.click("Picture2");
    run.loop.advanceBy(350);
    game.playDeal(31);
    EXPECT_EQ(game.dealNumber(), 31u);
    run.click("Picture2");
    EXPECT_TRUE(driver.ui().Timer4.running()) << "a fresh dice rolls at the first click";
    // No new number was drawn for the rounds asked for by number.
    EXPECT_EQ(run.nextSeed, 1u);
}

}  // namespace
}  // namespace koropika
