#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"

namespace koropika {
namespace {

using durations::Wait;
using testing::GameDriver;
using testing::Harness;

class Heard final : public WindowObserver {
  public:
    void announced(Window&, const std::string& text) override { said.push_back(text); }
    std::vector<std::string> said;
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
    // The cards of the move in play, the first one counted while its blink hides its face.
    int cardsUp() {
        int up = 0;
        const Table& table = game().engine().table();
        for (int slot = 1; slot <= game().setup().cardCount; ++slot) {
            const bool blinking = round().flippedThisTurn == 1 && slot == round().firstSlot;
            up += !table.backShown(slot) && (table.faceShown(slot) || blinking) ? 1 : 0;
        }
        return up;
    }
    // Two face-down cards: of different ranks when `pair` is false, of one rank when true.
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
        ADD_FAILURE() << "no such two cards";
        return {1, 2};
    }
    void key(Key k) {
        run.gameWindow().keyPressed(k);
        run.settle();
    }
    // Whether `seen` keeps one value over two seconds, looked at every 25 ms.
    template <typename Look>
    bool steadyFor2s(Look seen) {
        const auto first = seen();
        for (int step = 0; step < 80; ++step) {
            run.loop.advanceBy(25);
            if (seen() != first) {
                return false;
            }
        }
        return true;
    }

    Harness run;
    GameDriver driver{run};
    Heard heard;
};

TEST_F(PaceTest, EachSpeedScalesEveryWaitOfPlayAndTheDiceKeepsItsRoll) {
    const std::pair<Speed, double> speeds[] = {
        {Speed::Slow, 2.0}, {Speed::Normal, 1.0}, {Speed::Fast, 0.5}};
    const std::pair<const char*, Wait> timers[] = {
        {"Timer1", Wait::StartButtonBlink},  {"Timer2", Wait::PlayerResolution},
        {"Timer3", Wait::FirstCardBlink},    {"Timer5", Wait::PairSlideStep},
        {"Timer6", Wait::ComputerStep},      {"Timer7", Wait::ComputerResolution},
        {"Timer9", Wait::DicePanelSlideStep}};
    for (const auto& [speed, factor] : speeds) {
        SCOPED_TRACE(static_cast<int>(speed));
        const auto scaled = [factor](Wait wait) {
            return static_cast<int>(durations::baseMs(wait) * factor);
        };
        game().setPace(Pace{speed});  // taken up by the next load
        driver.startFromSettings("たろう", 2, 28);
        for (const auto& [name, wait] : timers) {
            EXPECT_EQ(run.gameWindow().timer(name).interval(), scaled(wait)) << name;
        }
        driver.rollDiceTo(1);
        EXPECT_EQ(ui().Timer4.interval(), durations::kDiceRollStepMs);
        driver.pressStartAndWaitForTheTable();

        // A mismatch stays up for the scaled look, to the millisecond.
        const auto [first, second] = twoCards(false);
        run.click("omote1", first);
        run.click("omote1", second);
        run.loop.advanceBy(scaled(Wait::PlayerResolution) - 1);
        EXPECT_EQ(cardsUp(), 2);
        run.loop.advanceBy(1);
        EXPECT_EQ(cardsUp(), 0);

        driver.playToTheEnd(7);
        EXPECT_EQ(ui().Timer4.interval(), scaled(Wait::GameOverBlink));
        // Another speed takes effect at once, here on the GAME-OVER blink.
        game().setPace(Pace{Speed::Fast});
        EXPECT_EQ(ui().Timer4.interval(), durations::kGameOverBlinkMs / 2);
        run.chooseMenu("設定に戻る");
    }
}

TEST_F(PaceTest, StepByKeyWaitsAtEachComputerCardAndEachMoveAndARoundIsPlayedByKeys) {
    game().setPace(Pace{Speed::Normal, true});
    driver.startFromSettings("たろう", 4, 28);
    driver.rollDiceTo(2);  // the computer starts
    driver.pressStartAndWaitForTheTable();

    // Before its first card the computer waits, however long.
    run.loop.advanceBy(60'000);
    EXPECT_TRUE(game().waitingForKey());
    EXPECT_EQ(cardsUp(), 0);
    EXPECT_EQ(heard.said.back(), "キーで次へ");
    // Leaving the mode lets play go on at once; taking it up again waits at the next card.
    game().setPace(Pace{});
    EXPECT_EQ(cardsUp(), 1);
    game().setPace(Pace{Speed::Normal, true});
    run.loop.advanceBy(60'000);
    EXPECT_EQ(cardsUp(), 1);
    key(Key::Enter);
    EXPECT_EQ(cardsUp(), 2);
    // The move's two cards stay up until a click on the table: here on a face-up card.
    run.loop.advanceBy(60'000);
    EXPECT_EQ(cardsUp(), 2);
    ASSERT_TRUE(game().waitingForKey());
    const Rect face = ui().ura1[round().cpuFirstSlot].windowRect();
    run.gameWindow().pointerPressed({face.left + 2, face.top + 2}, MouseButton::Left);
    run.gameWindow().pointerReleased({face.left + 2, face.top + 2}, MouseButton::Left);
    run.settle();
    EXPECT_EQ(cardsUp(), 0);

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
    EXPECT_EQ(ui().Image4.picture(), ui().Image6.picture()) << "the start button's up picture";

    driver.rollDiceTo(1);
    run.pressAndRelease("Image4");
    run.loop.advanceBy(100);  // the key release of the start button, no pause for each card
    EXPECT_EQ(round().gamePhase, GamePhase::Play);

    const auto [first, second] = twoCards(true);
    run.click("omote1", first);
    EXPECT_TRUE(steadyFor2s([&] { return ui().ura1[first].visible(); }));
    EXPECT_TRUE(ui().ura1[first].visible()) << "the first card's face stays shown";
    run.click("omote1", second);
    EXPECT_EQ(ui().Image2[0].top(), ui().Image2[1].top()) << "the pair is on its pile at once";
    EXPECT_FALSE(ui().Timer5.running());

    driver.playToTheEnd(3);
    EXPECT_TRUE(steadyFor2s([&] { return ui().Label18.visible(); }));
    EXPECT_TRUE(ui().Label18.visible());
    // With motion again GAME-OVER blinks at once.
    game().setPace(Pace{});
    EXPECT_FALSE(steadyFor2s([&] { return ui().Label18.visible(); }));
}

}  // namespace
}  // namespace koropika
