// The game window as a painter of the round engine: the same rounds as the engine alone, and the
// moments where what the window shows or stores must already be right.

#include <gtest/gtest.h>

#include <string>

#include "shared/window_position_file.h"
#include "support/engine_rounds.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

class RoundInWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { run.program().start(); }

    Harness run;
    GameDriver driver{run};
};

TEST_F(RoundInWindowTest, TheWindowPlaysCardForCardTheRoundsOfTheEngineAlone) {
    int round = 0;
    for (const int cardCount : {28, 40, 52}) {
        for (int level = 1; level <= 6; ++level) {
            for (const int diceFace : {1, 2}) {
                const std::uint64_t seed = 1000 + static_cast<std::uint64_t>(round++);
                SCOPED_TRACE("seed " + std::to_string(seed));
                run.nextSeed = seed;
                driver.openRound("たろう", level, cardCount, diceFace);
                driver.playToTheEnd(seed);

                RoundEngine engine;
                SeededRandom random(seed);
                testing::playEngineRound(engine, cardCount, level, random, diceFace,
                                         testing::drivenPlayer(seed));
                const GameWindow& game = driver.game();
                ASSERT_EQ(game.engine().moveLog().text(), engine.moveLog().text());
                ASSERT_EQ(driver.ui().Label15.caption(),
                          std::to_string(engine.playerCards()) + " 枚");
                ASSERT_EQ(driver.ui().Label16.caption(),
                          std::to_string(engine.computerCards()) + " 枚");
                run.pressAndRelease("Label20");
            }
        }
    }
}

TEST_F(RoundInWindowTest, TheLevelOfferIsRightFromTheResultPanelsFirstMoment) {
    for (const int level : {5, 6}) {
        SCOPED_TRACE(level);
        driver.openRound("たろう", level, 28, 2);
        driver.playUntil([&] { return driver.game().resultShown(); }, 7);
        ASSERT_FALSE(driver.game().resultStacksBuilt()) << "the stacks take a moment";
        GameWindowElements& ui = driver.ui();
        if (level == 6) {
            EXPECT_FALSE(ui.Label21.visible());
            EXPECT_FALSE(ui.Image12.visible());
        } else {
            EXPECT_TRUE(ui.Label21.visible());
            EXPECT_EQ(ui.Label21.caption(), "レベル 6 に挑戦する");
        }
        ASSERT_TRUE(driver.runUntil([&] { return driver.game().resultStacksBuilt(); }));
        EXPECT_EQ(ui.Label21.visible(), level == 5);
        run.pressAndRelease("Label20");
    }
}

TEST(QuittingTheGameWindow, BeforeItsPlaceIsKnownStoresWhereItStandsNotTheCorner) {
    // 733 × 560 pixels centred on the 1280 × 1024 work area: left 273, top 232 pixels.
    constexpr int kCentredLeft = 273 * 15;
    constexpr int kCentredTop = 232 * 15;
    for (const char* way : {"終了", "close box", "設定に戻る"}) {
        SCOPED_TRACE(way);
        Harness run;  // a first start: no window position stored yet
        run.program().start();
        GameDriver(run).startFromSettings("たろう", 1, 28);
        if (std::string(way) == "close box") {
            run.gameWindow().closeBoxClicked();
            run.settle();
        } else {
            run.chooseMenu(way);
        }
        const auto stored = readWindowPositionFile(diskFiles(), run.folder().path());
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->topTwips, kCentredTop);
        EXPECT_EQ(stored->leftTwips, kCentredLeft);
    }
}

TEST_F(RoundInWindowTest, AMoveCutOffByTheWayBackToTheSettingsDoesNotLockTheNextRound) {
    driver.openRound("たろう", 1, 28, 1);
    const Table& table = driver.game().engine().table();
    int second = 2;
    while (table.rank(second) == table.rank(1)) {
        ++second;
    }
    run.click("omote1", 1);
    run.click("omote1", second);
    ASSERT_EQ(driver.game().engine().state().resolvingPair, 1);
    run.chooseMenu("設定に戻る");  // before the mismatch is turned back
    driver.openRound("たろう", 1, 28, 1);
    run.click("omote1", 3);
    EXPECT_EQ(driver.game().engine().state().flippedThisTurn, 1) << "the player's click is taken";
}

// While another window has the player's attention (the records) the round waits: the computer
// turns no card and the reveal stops, and both go on where they were.
TEST_F(RoundInWindowTest, AHeldWindowsRoundWaitsAndGoesOnWhereItWas) {
    driver.startFromSettings("たろう", 4, 28);
    driver.rollDiceTo(2);  // the computer starts
    run.pressAndRelease("Image4");
    run.loop.advanceBy(kRevealPauseMs * 3);
    Window& window = run.gameWindow();
    window.holdTimers();
    const std::size_t turnsAtHold = driver.game().engine().moveLog().turns().size();
    const GamePhase phaseAtHold = driver.game().engine().phase();
    run.loop.advanceBy(60'000);
    EXPECT_EQ(driver.game().engine().phase(), phaseAtHold);
    EXPECT_EQ(driver.game().engine().moveLog().turns().size(), turnsAtHold);
    window.resumeTimers();
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.game().engine().moveLog().turns().size() > 0; }));
    EXPECT_EQ(driver.game().engine().moveLog().turns()[0].side, Side::Computer);
}

TEST_F(RoundInWindowTest, APickOutsideTheLevelListChangesNothing) {
    run.pick("Combo2", 3);
    ASSERT_EQ(run.settings().level, 4);
    for (const int outside : {-1, 6, 99}) {
        run.pick("Combo2", outside);
        EXPECT_EQ(run.settings().level, 4) << outside;
    }
}

}  // namespace
}  // namespace koropika
