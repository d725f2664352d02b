// Numbered rounds through the whole program: a number fixes the deal and the computer's play,
// and playing a number restarts the window at the same level and card count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

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

    Harness run;
    GameDriver driver{run};
};

TEST_F(DealNumberTest, OneNumberPlayedTwiceDealsAndPlaysTheSameRound) {
    run.nextSeed = 424242;
    driver.openRound("たろう", 2, 40, 2);
    GameWindow& game = driver.game();
    EXPECT_EQ(game.dealNumber(), 424242u);
    const std::vector<Card> firstDeal = tableCards();
    driver.playToTheEnd(5);
    const std::string firstLog = game.engine().moveLog().text();

    game.playDeal(game.dealNumber());
    run.settle();
    EXPECT_EQ(game.dealNumber(), 424242u);
    EXPECT_EQ(game.setup().level, 2);
    EXPECT_EQ(game.setup().cardCount, 40);
    EXPECT_FALSE(game.resultShown());
    EXPECT_EQ(tableCards(), firstDeal);
    driver.rollDiceTo(2);
    driver.pressStartAndWaitForTheTable();
    driver.playToTheEnd(5);
    EXPECT_EQ(game.engine().moveLog().text(), firstLog);
    // Asking for a number takes none from the source of new rounds.
    EXPECT_EQ(run.nextSeed, 424243u);
}

TEST_F(DealNumberTest, TwoNumbersDealDifferentlyAndEachNewRoundTakesANewNumber) {
    run.nextSeed = 77;
    driver.startFromSettings("たろう", 1, 52);
    const std::vector<Card> deal77 = tableCards();
    run.chooseMenu("設定に戻る");
    driver.startFromSettings("たろう", 1, 52);
    EXPECT_EQ(driver.game().dealNumber(), 78u);
    EXPECT_NE(tableCards(), deal77);
}

TEST_F(DealNumberTest, PlayingANumberMidRoundRestartsTheWindowOnThatDeal) {
    // A number asked for before the window opens plays its first round, as --deal does.
    driver.game().setNextDealNumber(999'999'999);
    driver.openRound("たろう", 5, 28, 1);
    GameWindow& game = driver.game();
    EXPECT_EQ(game.dealNumber(), 999'999'999u);
    const std::vector<Card> deal = tableCards();
    // Cut into the computer's move, then into a rolling dice: each time the reload deals the
    // same cards, and the round goes on normally from the dice.
    driver.playUntil([&] { return game.engine().turn() == Side::Computer; }, 9);
    game.playDeal(999'999'999);
    run.settle();
    EXPECT_EQ(tableCards(), deal);
    run.click("Picture2");
    run.loop.advanceBy(350);
    game.playDeal(31);
    run.settle();
    EXPECT_EQ(game.dealNumber(), 31u);
    EXPECT_EQ(game.setup().level, 5);
    EXPECT_EQ(game.diceClicks, 1);
    EXPECT_EQ(game.engine().phase(), GamePhase::StartUp);
    driver.rollDiceTo(1);
    driver.pressStartAndWaitForTheTable();
    driver.playToTheEnd(9);
    EXPECT_TRUE(game.resultShown());
    // The play-again button deals a new number.
    run.pressAndRelease("Image8");
    EXPECT_EQ(game.dealNumber(), 1u);
}

TEST_F(DealNumberTest, PlayingANumberDoesNothingWhileTheGameWindowIsClosed) {
    GameWindow& game = driver.game();
    game.playDeal(5);
    run.settle();
    EXPECT_FALSE(run.gameWindow().loaded());
    driver.startFromSettings("たろう", 1, 28);
    EXPECT_EQ(game.dealNumber(), 1u);
}

}  // namespace
}  // namespace koropika
