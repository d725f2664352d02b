#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/announcements.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

// Hears what the game window announces, as a screen reader would.
class Announcements final : public WindowObserver {
  public:
    void announced(Window&, const std::string& text) override { said.push_back(text); }
    std::vector<std::string> said;
};

class GameWindowKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        run.program().start();
        run.gameWindow().setObserver(&heard);
    }
    // The listener goes before the windows do: they must not tell it of their last unload.
    void TearDown() override { run.gameWindow().setObserver(nullptr); }

    Window& game() { return run.gameWindow(); }
    GameWindowElements& ui() { return driver.ui(); }
    const RoundState& round() { return driver.game().engine().state(); }
    Element* focused() { return game().focusedElement(); }
    int focusedSlot() {
        Element* f = focused();
        return f != nullptr && f->name() == "omote1" ? f->index() : 0;
    }
    void key(Key k) {
        game().keyPressed(k);
        run.settle();
    }
    // Rolls the dice and presses the start button by keys until the player may turn a card.
    void openByKeys(int diceFace) {
        ASSERT_EQ(focused(), &ui().Picture2) << "the dice takes the focus at load";
        key(Key::Space);
        ASSERT_TRUE(ui().Timer4.running()) << "Space rolls the dice";
        ASSERT_TRUE(driver.runUntil([&] { return driver.game().diceFace() == diceFace; }));
        key(Key::Enter);
        ASSERT_TRUE(
            driver.runUntil([&] { return round().gamePhase == GamePhase::StarterDecided; }));
        ASSERT_EQ(focused(), &ui().Image4) << "the start button takes the focus";
        key(Key::Space);
        EXPECT_EQ(ui().Image4.picture(), ui().Image5.picture()) << "pressed picture first";
        // The release comes a moment later; then the cards are laid one by one.
        ASSERT_TRUE(driver.runUntil([&] { return focusedSlot() != 0; }));
        EXPECT_EQ(round().gamePhase, GamePhase::Play);
    }

    Harness run;
    GameDriver driver{run};
    Announcements heard;
    const RoundWords words{run.desktop.translator()};
};

TEST_F(GameWindowKeyboardTest, KeysRollTheDiceStartAndTurnTheFocusedCards) {
    driver.startFromSettings("はなこ", 3, 28);
    openByKeys(3);
    ASSERT_EQ(round().playerTurn, 1);
    EXPECT_EQ(focusedSlot(), 1) << "the first face-down card has the focus";
    ASSERT_GE(heard.said.size(), 2u);
    EXPECT_EQ(heard.said[0], "サイコロは 3。あなたが先攻です");
    EXPECT_EQ(heard.said[1], "あなたの番です");

    key(Key::Right);
    key(Key::Right);
    ASSERT_EQ(focusedSlot(), 3);
    key(Key::Space);
    EXPECT_EQ(round().flippedThisTurn, 1);
    EXPECT_EQ(round().firstSlot, 3) << "the card turned is the one that had the focus";
    EXPECT_EQ(heard.said.back(), words.faceUpCardName(3, driver.game().engine().table().card(3)));
    // The same card again is refused, as a second click on it is.
    key(Key::Enter);
    EXPECT_EQ(round().flippedThisTurn, 1);
    key(Key::Down);
    ASSERT_EQ(focusedSlot(), 10);
    key(Key::Space);
    EXPECT_EQ(round().secondSlot, 10);
    const bool pair =
        driver.game().engine().table().rank(3) == driver.game().engine().table().rank(10);
    EXPECT_EQ(heard.said.back(), pair ? "ペア！ あなたが取りました。あなた 2 枚、コンピュータ 0 枚"
                                      : "ペアではありません");
    // While the move is resolved no further card turns.
    key(Key::Right);
    const int third = focusedSlot();
    key(Key::Space);
    EXPECT_TRUE(driver.game().engine().table().faceDown(third));
    EXPECT_EQ(round().secondSlot, 10);
}

TEST_F(GameWindowKeyboardTest, NoCardTurnsByKeyDuringTheComputersTurn) {
    driver.startFromSettings("はなこ", 1, 28);
    openByKeys(2);
    ASSERT_EQ(round().playerTurn, 0);
    EXPECT_EQ(heard.said[0], "サイコロは 2。コンピュータが先攻です");
    const std::size_t turnedBefore = driver.game().engine().moveLog().turns().size();
    const int slot = focusedSlot();
    ASSERT_NE(slot, 0);
    if (driver.game().engine().table().faceDown(slot)) {
        key(Key::Space);
    }
    EXPECT_EQ(driver.game().engine().moveLog().turns().size(), turnedBefore);
    for (const std::string& path : run.sound.played) {
        EXPECT_EQ(path.find("click.wav"), std::string::npos) << "the player's card sound played";
    }
}

TEST_F(GameWindowKeyboardTest, ArrowsWalkRowsAndColumnsWrappingAndSkipTakenCards) {
    driver.startFromSettings("はなこ", 1, 28);
    openByKeys(1);
    Table table = driver.game().engine().table();
    const auto next = [&](int slot, Key arrow) {
        return GameWindowKeyboard::nextFaceDown(table, slot, arrow);
    };
    // 28 cards lie in 7 columns and 4 rows.
    EXPECT_EQ(next(7, Key::Right), 8) << "past a row's end to the next row";
    EXPECT_EQ(next(28, Key::Right), 1) << "past the last card to the first";
    EXPECT_EQ(next(1, Key::Left), 28);
    EXPECT_EQ(next(3, Key::Down), 10);
    EXPECT_EQ(next(22, Key::Down), 2) << "past a column's end to the next column";
    EXPECT_EQ(next(1, Key::Up), 28);
    EXPECT_EQ(next(2, Key::Up), 22);
    for (const int taken : {9, 10, 17}) {
        table.setBackShown(taken, false);
    }
    EXPECT_EQ(next(8, Key::Right), 11);
    EXPECT_EQ(next(3, Key::Down), 24);
    EXPECT_EQ(next(11, Key::Left), 8);
    EXPECT_EQ(next(9, Key::Right), 11) << "from a taken card too";
    for (int slot = 1; slot <= 28; ++slot) {
        table.setBackShown(slot, slot == 5);
    }
    EXPECT_EQ(next(5, Key::Right), 5) << "the only card left is its own next";
    table.setBackShown(5, false);
    EXPECT_EQ(next(5, Key::Up), 0);
}

TEST_F(GameWindowKeyboardTest, TheFocusFrameShowsAfterAKeyAndHidesWhenTheMouseIsPressed) {
    driver.startFromSettings("はなこ", 1, 28);
    EXPECT_NE(focused(), nullptr);
    EXPECT_FALSE(game().focusFrameShown()) << "a mouse player sees no frame";
    driver.rollDiceTo(1);
    EXPECT_FALSE(game().focusFrameShown());
    key(Key::Left);  // a key that does nothing here still shows where the focus is
    EXPECT_TRUE(game().focusFrameShown());
    game().pointerPressed({5, 5}, MouseButton::Left);
    game().pointerReleased({5, 5}, MouseButton::Left);
    EXPECT_FALSE(game().focusFrameShown());
}

TEST_F(GameWindowKeyboardTest, AWholeRoundIsAnnouncedInOrderAndTheResultButtonsWorkByKeys) {
    driver.startFromSettings("はなこ", 2, 28);
    driver.rollDiceTo(5);
    driver.pressStartAndWaitForTheTable();
    driver.playToTheEnd(7);
    // Every card turned was told, in the order of the move log, between the turn sentences.
    std::vector<std::string> cards;
    for (const std::string& line : heard.said) {
        if (line.find("カード ") != std::string::npos) {
            cards.push_back(line);
        }
    }
    const MoveLog& log = driver.game().engine().moveLog();
    ASSERT_EQ(cards.size(), log.turns().size());
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const MoveLog::Turn& move = log.turns()[i];
        const Card card = driver.game().engine().table().card(move.slot);
        EXPECT_EQ(cards[i],
                  words.cardTurned({.side = move.side, .slot = move.slot, .face = card})[0]);
    }
    const std::string result = heard.said.back();
    EXPECT_EQ(result,
              words.roundOver(ui().Label17.caption(), {std::stoi(ui().Label2.caption()),
                                                       std::stoi(ui().Label3.caption())})[0]);

    ASSERT_EQ(focused(), &ui().Image8);
    key(Key::Right);
    EXPECT_EQ(focused(), &ui().Image11);
    key(Key::Tab);
    EXPECT_EQ(focused(), &ui().Image12) << "level 2 offers level 3";
    key(Key::Down);
    EXPECT_EQ(focused(), &ui().Image8) << "past the last button to the first";
    key(Key::Up);
    EXPECT_EQ(focused(), &ui().Image12);
    key(Key::BackTab);
    key(Key::BackTab);
    ASSERT_EQ(focused(), &ui().Image8);
    key(Key::Enter);
    EXPECT_EQ(ui().Image8.picture(), ui().Image13.picture()) << "pressed picture first";
    ASSERT_TRUE(driver.runUntil([&] { return !driver.game().resultShown(); }));
    EXPECT_EQ(focused(), &ui().Picture2) << "a new round, the dice has the focus";
    EXPECT_TRUE(game().focusFrameShown()) << "a keyboard player keeps the frame";
    EXPECT_EQ(driver.game().setup().level, 2);
}

TEST(SettingsWindowKeyboard, TabGoesThroughTheChoicesInOrderAndEnterStartsLikeAClick) {
    Harness run;
    run.program().start();
    Window& settings = run.settingsWindow();
    const auto name = [&] {
        Element* f = settings.focusedElement();
        return f == nullptr ? std::string("(none)") : f->name();
    };
    EXPECT_EQ(name(), "Combo1");
    std::vector<std::string> order;
    for (int i = 0; i < 7; ++i) {
        settings.keyPressed(Key::Tab);
        order.push_back(name());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Combo2", "Label8", "Label9", "Label10", "Label7",
                                               "Label2", "Combo1"}));
    settings.keyPressed(Key::BackTab);
    settings.keyPressed(Key::BackTab);
    ASSERT_EQ(name(), "Label7");
    settings.keyPressed(Key::Enter);  // the version area opens: the web page link joins in
    settings.keyPressed(Key::Tab);
    ASSERT_EQ(name(), "Label4");
    settings.keyPressed(Key::Space);
    EXPECT_EQ(run.desktop.webPages.size(), 1u);
    settings.keyPressed(Key::Tab);
    settings.keyPressed(Key::Tab);
    settings.keyPressed(Key::Tab);
    settings.keyPressed(Key::Tab);
    ASSERT_EQ(name(), "Label8");
    settings.keyPressed(Key::Enter);
    ASSERT_EQ(run.desktop.messages.size(), 1u) << "an empty name is refused as on a click";
    EXPECT_TRUE(settings.shown());
    run.type("Combo1", "はなこ");
    settings.keyPressed(Key::Space);
    run.settle();
    EXPECT_FALSE(settings.loaded());
    ASSERT_TRUE(run.gameWindow().shown());
    EXPECT_EQ(run.settings().cardCount, 28);
}

}  // namespace
}  // namespace koropika
