// What the records file holds of each round that ends in the game window: exactly one row, with
// the round's own figures, whether it was played to the end or left. The window's report goes
// straight to a records store, as in the program.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "records/records_store.h"
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

class RoundRecordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.program().start();
        driver.game().onRoundEnded = [this](const RoundRecord& round) {
            EXPECT_TRUE(store.record(round));
        };
    }

    // Every round in the file, read by a store of its own, the latest first.
    std::vector<RoundRecord> rounds(const std::string& player) const {
        records::RecordsStore reader(run.folder().path());
        return reader.lastRounds(player, 100).value_or(std::vector<RoundRecord>{});
    }

    Harness run;
    GameDriver driver{run};
    records::RecordsStore store{run.folder().path()};
};

TEST_F(RoundRecordTest, AFinishedRoundIsRecordedOnceWithItsOwnFigures) {
    run.nextSeed = 777;
    driver.openRound("はなこ", 3, 40, 2);  // an even face: the computer starts
    const std::int64_t playStartMs = run.loop.nowMs();
    driver.playUntil([&] { return driver.game().resultShown(); }, 4);
    const std::int64_t endMs = run.loop.nowMs();
    const std::vector<RoundRecord> kept = rounds("はなこ");
    ASSERT_EQ(kept.size(), 1u);
    const RoundRecord& round = kept[0];
    const RoundResult result = driver.game().engine().result();
    EXPECT_EQ(round.playerName, "はなこ");
    EXPECT_EQ(round.level, 3);
    EXPECT_EQ(round.cardCount, 40);
    EXPECT_EQ(round.firstMove, Side::Computer);
    EXPECT_EQ(round.playerCount, result.playerCards);
    EXPECT_EQ(round.computerCount, result.computerCards);
    EXPECT_EQ(round.playerCount + round.computerCount, 40);
    const Winner expectedWinner = result.playerCards > result.computerCards   ? Winner::Player
                                  : result.playerCards < result.computerCards ? Winner::Computer
                                                                              : Winner::Draw;
    EXPECT_EQ(round.winner, expectedWinner);
    EXPECT_EQ(round.playerMoves, driver.playerClicks / 2);
    EXPECT_DOUBLE_EQ(round.secondsPlayed, double(endMs - playStartMs) / 1000.0);
    EXPECT_EQ(round.started, atVirtualMs(playStartMs));
    EXPECT_EQ(round.ended, atVirtualMs(endMs));
    EXPECT_EQ(round.ending, Ending::Finished);
    EXPECT_EQ(round.dealNumber, 777);

    // Playing again after the result panel records nothing more about the finished round.
    driver.playToTheEnd(4);
    run.pressAndRelease("Image8");
    EXPECT_EQ(rounds("はなこ").size(), 1u);
}

TEST_F(RoundRecordTest, ARoundLeftAfterPlayBeganIsRecordedOnceAsLeftWithoutAWinner) {
    std::size_t recorded = 0;
    for (const std::string way : {"設定に戻る", "終了", "close box", "another number"}) {
        SCOPED_TRACE(way);
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
        std::vector<RoundRecord> kept = rounds("たろう");
        ASSERT_EQ(kept.size(), ++recorded);
        EXPECT_EQ(kept[0].ending, Ending::Left);
        EXPECT_FALSE(kept[0].winner.has_value());
        EXPECT_EQ(kept[0].firstMove, Side::Player);
        EXPECT_GE(kept[0].playerMoves, 2);
        EXPECT_EQ(kept[0].playerCount, playerCards);
        EXPECT_EQ(kept[0].computerCount, computerCards);
        EXPECT_EQ(kept[0].dealNumber, std::int64_t(number));
        if (run.gameWindow().loaded()) {
            run.chooseMenu("設定に戻る");  // nothing played in the new round: nothing recorded
        }
        EXPECT_EQ(rounds("たろう").size(), recorded);
        if (!run.settingsWindow().shown()) {
            run.settingsWindow().show();
        }
    }
}

TEST_F(RoundRecordTest, LeavingBeforeTheCardsAreOnTheTableRecordsNothing) {
    driver.startFromSettings("たろう", 1, 28);
    driver.rollDiceTo(3);
    run.chooseMenu("設定に戻る");
    driver.startFromSettings("たろう", 1, 28);
    run.gameWindow().closeBoxClicked();
    run.settle();
    EXPECT_TRUE(rounds("たろう").empty());
}

}  // namespace
}  // namespace koropika
