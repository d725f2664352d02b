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

// "name(index)" of every element of `window` that reacts to the mouse yet has no name a screen
// reader could read.
std::vector<std::string> unnamedMouseTargets(const Window& window) {
    std::vector<std::string> unnamed;
    for (const Element* element : window.elements()) {
        if (element->handlesMouse() && element->accessibleName().empty()) {
            unnamed.push_back(element->name() + "(" + std::to_string(element->index()) + ")");
        }
    }
    return unnamed;
}

class AccessibleNamesTest : public ::testing::Test {
  protected:
    void SetUp() override { run.program().start(); }

    Harness run;
    GameDriver driver{run};
};

TEST_F(AccessibleNamesTest, EveryElementThatTakesTheMouseHasANameInBothWindows) {
    Window& settings = run.settingsWindow();
    ASSERT_TRUE(settings.loaded());
    EXPECT_EQ(unnamedMouseTargets(settings), std::vector<std::string>{});
    // The name box is named even while it is empty; the level list keeps its name whatever
    // level it shows.
    EXPECT_EQ(settings.at("Combo1").accessibleName(), "プレーヤーの名前");
    EXPECT_EQ(settings.at("Combo2").accessibleName(), "コンピュータのレベル");
    EXPECT_EQ(settings.at("Label8").accessibleName(), "カード数 28枚");

    driver.startFromSettings("たろう", 3, 52);
    Window& game = run.gameWindow();
    ASSERT_TRUE(game.loaded());
    EXPECT_EQ(unnamedMouseTargets(game), std::vector<std::string>{});
    GameWindowElements& ui = driver.ui();
    // A card says its place and that it lies face down; its face says place, suit and rank
    // (suit 1 spades, 2 clubs, 3 hearts, 4 diamonds, as the pictures show them).
    for (int slot = 1; slot <= 52; ++slot) {
        EXPECT_EQ(ui.omote1[slot].accessibleName(), "カード " + std::to_string(slot) + "、裏");
    }
    const Table& table = driver.game().engine().table();
    for (int slot : {1, 7, 52}) {
        EXPECT_EQ(ui.ura1[slot].accessibleName().rfind("カード " + std::to_string(slot) + "、", 0),
                  0u);
        EXPECT_EQ(ui.ura1[slot].picture(), "face_" + std::to_string(table.card(slot).suit) + "_" +
                                               std::to_string(table.card(slot).rank));
    }
    const RoundWords words(run.desktop.translator());
    EXPECT_EQ(words.faceUpCardName(12, Card{3, 7}), "カード 12、ハートの 7");
    EXPECT_EQ(words.cardInWords(Card{2, 13}), "クラブのキング");
    EXPECT_EQ(words.cardInWords(Card{4, 11}), "ダイヤのジャック");
    EXPECT_EQ(ui.Picture2.accessibleName(), "サイコロ");
    EXPECT_EQ(ui.Image4.accessibleName(), "スタート");
    EXPECT_EQ(ui.Label8.accessibleName(), ui.Label8.caption()) << "a label reads its caption";
    EXPECT_EQ(ui.Command1.accessibleName(), "C");
    EXPECT_EQ(ui.Frame1.accessibleName(), "カードを選択してください");
    EXPECT_EQ(ui.Image8.accessibleName(), "もう一度やり直す");
    EXPECT_EQ(ui.Image11.accessibleName(), "設定画面に戻る");
    EXPECT_EQ(ui.Image12.accessibleName(), ui.Label21.caption());
    for (int design = 0; design <= 4; ++design) {
        EXPECT_EQ(ui.Image1[design].accessibleName(), "カードの裏 " + std::to_string(design + 1));
    }
}

// The sentences a screen reader hears at each event, word for word, on the desktop that looks
// nothing up.
TEST_F(AccessibleNamesTest, TheAnnouncementsAreTheGamesOwnJapaneseWords) {
    using Said = std::vector<std::string>;
    const RoundWords words(run.desktop.translator());
    const TurnedCard first{.side = Side::Computer, .slot = 10, .face = {3, 5}};
    EXPECT_EQ(words.cardTurned(first), Said{"コンピュータ: カード 10、ハートの 5"});
    const TurnedCard pair{.side = Side::Player,
                          .slot = 1,
                          .face = {1, 1},
                          .second = true,
                          .firstSlot = 7,
                          .pair = true,
                          .playerCards = 4,
                          .computerCards = 6};
    EXPECT_EQ(words.cardTurned(pair),
              (Said{"カード 1、スペードのエース",
                    "ペア！ あなたが取りました。あなた 4 枚、コンピュータ 6 枚"}));
    TurnedCard computersPair = pair;
    computersPair.side = Side::Computer;
    EXPECT_EQ(words.cardTurned(computersPair)[1],
              "ペア。コンピュータが取りました。あなた 4 枚、コンピュータ 6 枚");
    TurnedCard mismatch = pair;
    mismatch.pair = false;
    EXPECT_EQ(words.cardTurned(mismatch)[1], "ペアではありません");
    EXPECT_EQ(words.roundOver("たろう さんの勝ち", RoundResult{16, 12}),
              Said{"たろう さんの勝ち。あなた 16 枚、コンピュータ 12 枚"});
    EXPECT_EQ(words.turn(Side::Computer), Said{"コンピュータの番です"});
    EXPECT_EQ(words.diceStopped(6, Side::Computer), Said{"サイコロは 6。コンピュータが先攻です"});
    // Cards outside the pack and places past the table are still named.
    EXPECT_EQ(words.cardInWords(Card{0, 14}), "?の 14");
    EXPECT_EQ(words.cardInWords(Card{1, 10}), "スペードの 10");
    EXPECT_EQ(words.faceDownCardName(60), "カード 60、裏");
    EXPECT_EQ(words.faceUpCardName(60, Card{4, 12}), "カード 60、ダイヤのクイーン");
}

TEST_F(AccessibleNamesTest, TheLevelOfferIsNamedByTheLevelItOffersAndCardsAgainAfterAReload) {
    driver.openRound("たろう", 5, 28, 1);
    driver.playToTheEnd(3);
    GameWindowElements& ui = driver.ui();
    ASSERT_TRUE(ui.Label21.visible());
    EXPECT_EQ(ui.Label21.caption(), "レベル 6 に挑戦する");
    EXPECT_EQ(ui.Image12.accessibleName(), "レベル 6 に挑戦する");

    run.pressAndRelease("Image8");  // the same level again: a new load with new cards
    ASSERT_EQ(driver.game().engine().phase(), GamePhase::StartUp);
    EXPECT_EQ(unnamedMouseTargets(run.gameWindow()), std::vector<std::string>{});
    EXPECT_EQ(driver.ui().omote1[28].accessibleName(), "カード 28、裏");
}

}  // namespace
}  // namespace koropika
