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
using testing::RecordingDesktop;

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
    EXPECT_EQ(faceUpCardName(run.desktop, 12, Card{3, 7}), "カード 12、ハートの 7");
    EXPECT_EQ(faceUpCardName(run.desktop, 1, Card{1, 1}), "カード 1、スペードのエース");
    EXPECT_EQ(cardInWords(run.desktop, Card{2, 13}), "クラブのキング");
    EXPECT_EQ(cardInWords(run.desktop, Card{4, 11}), "ダイヤのジャック");
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

// The sentences a screen reader hears, word for word, on the desktop that looks nothing up.
TEST_F(AccessibleNamesTest, TheAnnouncementsAreTheGamesOwnJapaneseWords) {
    const RecordingDesktop& d = run.desktop;
    EXPECT_EQ(pairSentence(d, true, 4, 6),
              "ペア！ あなたが取りました。あなた 4 枚、コンピュータ 6 枚");
    EXPECT_EQ(pairSentence(d, false, 4, 6),
              "ペア。コンピュータが取りました。あなた 4 枚、コンピュータ 6 枚");
    EXPECT_EQ(cardTurnedSentence(d, false, 10, Card{3, 5}), "コンピュータ: カード 10、ハートの 5");
    EXPECT_EQ(cardTurnedSentence(d, true, 1, Card{1, 1}), "カード 1、スペードのエース");
    EXPECT_EQ(resultSentence(d, "たろう さんの勝ち", 16, 12),
              "たろう さんの勝ち。あなた 16 枚、コンピュータ 12 枚");
    EXPECT_EQ(turnSentence(d, false), "コンピュータの番です");
    EXPECT_EQ(mismatchSentence(d), "ペアではありません");
    EXPECT_EQ(diceSentence(d, 6, false), "サイコロは 6。コンピュータが先攻です");
    // Cards outside the pack and places past the table are still named.
    EXPECT_EQ(cardInWords(d, Card{0, 14}), "?の 14");
    EXPECT_EQ(cardInWords(d, Card{1, 10}), "スペードの 10");
    EXPECT_EQ(faceDownCardName(d, 60), "カード 60、裏");
    EXPECT_EQ(faceUpCardName(d, 60, Card{4, 12}), "カード 60、ダイヤのクイーン");
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
