#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/game_driver.h"
#include "support/harness.h"

namespace koropika {
namespace {

using durations::Wait;

struct Heard final : WindowObserver {
    void announced(Window&, const std::string& text) override { said = text; }
    std::string said;
};

class PaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.program().start();
        run.gameWindow().setObserver(&heard);
    }
    void TearDown() override { run.gameWindow().setObserver(nullptr); }

    GameWindow& game() { return driver.game(); }
    GameWindowElements& ui() { return driver.ui(); }
    const RoundState& round() { return game().engine().state(); }
    // Two face-down cards: of one rank when `pair`, else of different ranks.
    std::pair<int, int> twoCards(bool pair) {
        const Table& table = game().engine().table();
        for (int a = 1; a <= table.cardCount(); ++a) {
            for (int b = a + 1; b <= table.cardCount(); ++b) {
                if (table.faceDown(a) && table.faceDown(b) &&
                    (table.card(a).rank == table.card(b).rank) == pair) {
                    return {a, b};
                }
            }
        }
        return {0, 0};
    }
    void key(Key k) {
        run.gameWindow().keyPressed(k);
        run.settle();
    }
    // Whether what `seen` gives stays the same for two seconds, looked at every 25 ms.
    template <typename Look>
    bool steadyFor2s(Look seen) {
        const auto first = seen();
        bool steady = true;
        for (int step = 0; step < 80; ++step) {
            run.loop.advanceBy(25);
            steady = steady && seen() == first;
        }
        return steady;
    }

    testing::Harness run;
    testing::GameDriver driver{run};
    Heard heard;
};

TEST_F(PaceTest, EachSpeedScalesEveryWaitOfPlayAndTheDiceKeepsItsRoll) {
    const std::pair<const char*, Wait> timers[] = {
        {"Timer1", Wait::StartButtonBlink},  {"Timer2", Wait::PlayerResolution},
        {"Timer3", Wait::FirstCardBlink},    {"Timer5", Wait::PairSlideStep},
        {"Timer6", Wait::ComputerStep},      {"Timer7", Wait::ComputerResolution},
        {"Timer9", Wait::DicePanelSlideStep}};
    for (const auto& [speed, factor] :
         {std::pair{Speed::Slow, 2.0}, {Speed::Normal, 1.0}, {Speed::Fast, 0.5}}) {
        SCOPED_TRACE(static_cast<int>(speed));
        const auto scaled = [&](Wait wait) { return int(durations::baseMs(wait) * factor); };
        game().setPace(Pace{speed});  // taken up by the next load
        driver.startFromSettings("たろう", 2, 28);
        for (const auto& [name, wait] : timers) {
            EXPECT_EQ(run.gameWindow().timer(name).interval(), scaled(wait)) << name;
        }
        driver.rollDiceTo(1);
        EXPECT_EQ(ui().Timer4.interval(), durations::kDiceRollStepMs);
        driver.pressStartAndWaitForTheTable();
        driver.playToTheEnd(7);
        EXPECT_EQ(ui().Timer4.interval(), scaled(Wait::GameOverBlink));
        run.chooseMenu("設定に戻る");
    }
}

TEST_F(PaceTest, StepByKeyWaitsAtEachComputerCardAndEachMoveAndARoundIsPlayedByKeys) {
    game().setPace(Pace{Speed::Normal, true});
    driver.startFromSettings("たろう", 4, 28);
    driver.rollDiceTo(2);  // the computer starts
    driver.pressStartAndWaitForTheTable();
    run.loop.advanceBy(60'000);
    EXPECT_TRUE(game().waitingForKey());
    EXPECT_EQ(heard.said, "キーで次へ");
    game().setPace(Pace{});  // out of the mode play goes on at once
    EXPECT_EQ(round().flippedThisTurn, 1);
    game().setPace(Pace{Speed::Normal, true});
    run.loop.advanceBy(60'000);
    EXPECT_EQ(round().flippedThisTurn, 1);
    key(Key::Enter);
    EXPECT_EQ(round().flippedThisTurn, 2);
    run.loop.advanceBy(60'000);
    EXPECT_TRUE(game().waitingForKey());
    EXPECT_FALSE(game().engine().table().backShown(round().secondSlot)) << "still up";
    // A click on the table goes on: here on a face-up card, which takes no clicks of its own.
    const Rect face = ui().ura1[round().cpuFirstSlot].windowRect();
    run.gameWindow().pointerPressed({face.left + 2, face.top + 2}, MouseButton::Left);
    run.settle();
    EXPECT_EQ(round().flippedThisTurn, 0);

    // The rest of the round by keys alone: arrows and Enter turn cards, Space goes on.
    int waits = 0;
    for (int step = 0; step < 20'000 && !game().resultStacksBuilt(); ++step) {
        if (game().waitingForKey()) {
            ++waits;
            key(Key::Space);
        } else if (driver.playerMayClick()) {
            key(Key::Right);
            key(Key::Enter);
        } else {
            run.loop.advanceBy(100);
        }
    }
    EXPECT_TRUE(game().resultStacksBuilt());
    EXPECT_GT(waits, 14) << "at least one wait for each of the 14 pairs";
}

TEST_F(PaceTest, WithoutMotionNothingBlinksOrSlidesAndTheTableIsLaidAtOnce) {
    game().setPace(Pace{Speed::Normal, false, true});
    driver.startFromSettings("たろう", 1, 28);
    EXPECT_EQ(ui().Picture1.top(), 20) << "the dice panel at its place at once";
    EXPECT_TRUE(steadyFor2s([&] { return ui().Image4.picture(); }));
    EXPECT_EQ(ui().Image4.picture(), ui().Image6.picture()) << "the start button is up";
    driver.rollDiceTo(1);
    run.pressAndRelease("Image4");
    run.loop.advanceBy(100);  // the key release of the start button, no pause for each card
    EXPECT_EQ(round().gamePhase, GamePhase::Play);

    const auto [first, second] = twoCards(true);
    run.click("omote1", first);
    EXPECT_TRUE(steadyFor2s([&] { return ui().ura1[first].visible(); }) &&
                ui().ura1[first].visible());
    run.click("omote1", second);
    EXPECT_EQ(ui().Image2[0].top(), ui().Image2[1].top()) << "the pair is on its pile at once";

    driver.playToTheEnd(3);
    EXPECT_TRUE(steadyFor2s([&] { return ui().Label18.visible(); }) && ui().Label18.visible());
    game().setPace(Pace{});  // with motion again GAME-OVER blinks at once
    EXPECT_FALSE(steadyFor2s([&] { return ui().Label18.visible(); }));
}

}  // namespace
}  // namespace koropika
