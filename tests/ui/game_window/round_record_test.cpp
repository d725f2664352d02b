// What the game window reports of each round that ends: exactly one summary, with the round's
// own figures, whether it was played to the end or left.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

std::chrono::sys_seconds atVirtualMs(std::int64_t ms) {
    return std::chrono::sys_seconds{} + std::chrono::seconds(ms / 1000);
}

class RoundSummaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.program().start();
        driver.game().onRoundEnded = [this](const RoundSummary& round) { rounds.push_back(round); };
    }

    Harness run;
    GameDriver driver{run};
    std::vector<RoundSummary> rounds;
};

TEST_F(RoundSummaryTest, AFinishedRoundIsReportedOnceWithItsOwnFigures) {
    run.nextSeed = 777;
    driver.openRound("はなこ", 3, 40, 2);  // an even face: the computer starts
    const std::int64_t playStartMs = run.loop.nowMs();
    driver.playUntil([&] { return driver.game().resultShown(); }, 4);
    const std::int64_t endMs = run.loop.nowMs();
    ASSERT_EQ(rounds.size(), 1u);
    const RoundSummary& round = rounds[0];
    const RoundResult result = driver.game().engine().result();
    EXPECT_EQ(round.playerName, "はなこ");
    EXPECT_EQ(round.level, 3);
    EXPECT_EQ(round.cardCount, 40);
    EXPECT_EQ(round.firstMove, Side::Computer);
    EXPECT_EQ(round.playerCards, result.playerCards);
    EXPECT_EQ(round.computerCards, result.computerCards);
    EXPECT_EQ(round.playerCards + round.computerCards, 40);
    const RoundResult::Winner expectedWinner =
        result.playerCards > result.computerCards   ? RoundResult::Winner::Player
        : result.playerCards < result.computerCards ? RoundResult::Winner::Computer
                                                    : RoundResult::Winner::Draw;
    EXPECT_EQ(round.winner, expectedWinner);
    EXPECT_EQ(round.playerMoves, driver.playerClicks / 2);
    EXPECT_DOUBLE_EQ(round.secondsPlayed, double(endMs - playStartMs) / 1000.0);
    EXPECT_EQ(round.started, atVirtualMs(playStartMs));
    EXPECT_EQ(round.ended, atVirtualMs(endMs));
    EXPECT_FALSE(round.left);
    EXPECT_EQ(round.dealNumber, 777u);

    // Playing again after the result panel reports nothing more about the finished round.
    driver.playToTheEnd(4);
    run.pressAndRelease("Image8");
    EXPECT_EQ(rounds.size(), 1u);
}

TEST_F(RoundSummaryTest, ARoundLeftAfterPlayBeganIsReportedOnceAsLeftWithoutAWinner) {
    for (const std::string way : {"設定に戻る", "終了", "close box", "another number"}) {
        SCOPED_TRACE(way);
        rounds.clear();
        driver.openRound("たろう", 5, 28, 1);  // an odd face: the player starts
        // Two whole moves of the player's and the first card of a third.
        for (int clicks = 0; clicks < 5; ++clicks) {
            ASSERT_TRUE(driver.runUntil([&] { return driver.playerMayClick(); }));
            const RoundState& state = driver.game().engine().state();
            int slot = 1;
            while (!driver.game().engine().table().faceDown(slot) ||
                   (state.flippedThisTurn == 1 && slot == state.firstSlot)) {
                ++slot;
            }
            run.click("omote1", slot);
        }
        const int playerCards = driver.game().engine().playerCards();
        const int computerCards = driver.game().engine().computerCards();
        const std::uint64_t number = driver.game().dealNumber();
        if (way == "close box") {
            run.gameWindow().closeBoxClicked();
            run.settle();
        } else if (way == "another number") {
            driver.game().playDeal(12345);
            run.settle();
        } else {
            run.chooseMenu(way);
        }
        ASSERT_EQ(rounds.size(), 1u);
        EXPECT_TRUE(rounds[0].left);
        EXPECT_FALSE(rounds[0].winner.has_value());
        EXPECT_EQ(rounds[0].firstMove, Side::Player);
        EXPECT_GE(rounds[0].playerMoves, 2);
        EXPECT_EQ(rounds[0].playerCards, playerCards);
        EXPECT_EQ(rounds[0].computerCards, computerCards);
        EXPECT_EQ(rounds[0].dealNumber, number);
        if (run.gameWindow().loaded()) {
            run.chooseMenu("設定に戻る");  // nothing played in the new round: nothing reported
        }
        EXPECT_EQ(rounds.size(), 1u);
        if (!run.settingsWindow().shown()) {
            run.settingsWindow().show();
        }
    }
}

TEST_F(RoundSummaryTest, LeavingBeforeTheCardsAreOnTheTableReportsNothing) {
    driver.startFromSettings("たろう", 1, 28);
    driver.rollDiceTo(3);
    run.chooseMenu("設定に戻る");
    driver.startFromSettings("たろう", 1, 28);
    run.gameWindow().closeBoxClicked();
    run.settle();
    EXPECT_TRUE(rounds.empty());
}

}  // namespace
}  // namespace koropika
