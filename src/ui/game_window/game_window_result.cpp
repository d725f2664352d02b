// The game window's round end: the result panel, its stacks and blinking GAME-OVER, and its
// buttons.

#include "ui/game_window/game_window.h"

#include <utility>

#include "shared/texts.h"
#include "ui/elements/palette.h"
#include "ui/elements/text_fit.h"
#include "ui/game_window/game_window_elements.h"
#include "ui/game_window/game_window_layout.h"

namespace koropika {

namespace {

constexpr int kTopLevel = 6;

}  // namespace

// ---- Round end -------------------------------------------------------------------------------

void GameWindow::showResult() {
    if (resultShown_) {
        return;  // a round ends once
    }
    resultShown_ = true;
    reportRoundEnd(false);
    GameWindowElements& ui = *ui_;
    ui.Picture5.setWidth(700);
    ui.Picture5.setHeight(480);
    ui.Picture5.setBorder(Border::None);
    ui.Picture5.setLeft(15);
    ui.Picture5.setTop(50);
    ui.Picture5.setVisible(true);
    ui.Label12.setBackColour(kBlack);
    ui.Label13.setCaption(nameLine(desktop_, ui.Label13, setup_.playerName));
    if (twoPlayers()) {
        ui.Label14.setCaption(nameLine(desktop_, ui.Label14, setup_.secondPlayerName));
    }
    const RoundResult result = engine_.result();
    //: A side's count of cards on the result panel; English shows the number alone.
    const std::string countPattern = desktop_.translate("GameWindow", "%1 枚");
    ui.Label15.setCaption(fillText(countPattern, {std::to_string(result.playerCards)}));
    ui.Label16.setCaption(fillText(countPattern, {std::to_string(result.computerCards)}));
    for (Element* hidden : {&ui.Picture3, &ui.Picture4, &ui.Label10, &ui.Label11}) {
        hidden->setVisible(false);
    }
    // The screen reader hears the whole name, where the line may shorten it.
    std::string resultLine;
    switch (result.winner) {
        case Winner::Draw:
            resultLine = desktop_.translate("GameWindow", kDraw);
            ui.Label17.setCaption(resultLine);
            break;
        case Winner::Player: {
            const std::string pattern = desktop_.translate("GameWindow", kPlayerWins);
            resultLine = fillText(pattern, {setup_.playerName});
            ui.Label17.setCaption(nameLine(desktop_, ui.Label17, setup_.playerName, pattern));
            break;
        }
        case Winner::Computer:
            if (twoPlayers()) {
                const std::string pattern = desktop_.translate("GameWindow", kPlayerWins);
                resultLine = fillText(pattern, {setup_.secondPlayerName});
                ui.Label17.setCaption(
                    nameLine(desktop_, ui.Label17, setup_.secondPlayerName, pattern));
                break;
            }
            resultLine = desktop_.translate("GameWindow", kComputerWins);
            ui.Label17.setCaption(resultLine);
            break;
    }
    makeRoomForOneLine(desktop_, ui.Label14);
    makeRoomForOneLine(desktop_, ui.Label17);
    diceFace_ = 1;
    // The level offer is set before the stacks are built, which takes a moment: the panel is on
    // screen from the start, and must never show an offer of a wrong level meanwhile.
    showLevelOffer();
    announce([&] { return words_.roundOver(resultLine, result); });
    keys_.roundOver();
    buildResultStacks(0);
}

void GameWindow::showLevelOffer() {
    GameWindowElements& ui = *ui_;
    // Two players have no level to go up to.
    if (setup_.level >= kTopLevel || twoPlayers()) {
        ui.Label21.setVisible(false);
        ui.Image12.setVisible(false);
    } else {
        ui.Image12.setVisible(true);
        ui.Label21.setVisible(true);
        ui.Label21.setCaption(levelOffer(desktop_, setup_.level + 1));
        ui.Image12.setAccessibleName(ui.Label21.caption());
    }
    // Each button's caption stands in the middle of its button, however wide its words are.
    for (const auto& [caption, button] : {std::pair{&ui.Label19, &ui.Image8},
                                          {&ui.Label20, &ui.Image11},
                                          {&ui.Label21, &ui.Image12}}) {
        caption->setLeft(button->left() + (button->width() - caption->width()) / 2);
    }
}

void GameWindow::buildResultStacks(int placed) {
    GameWindowElements& ui = *ui_;
    // The stacks show the cards each side took.
    const RoundResult result = engine_.result();
    const int playerPictures = result.playerCards;
    if (placed >= playerPictures + result.computerCards) {
        finishResult();
        return;
    }
    // The player's stack fans out from left 20 at top 120, then the computer's from left 350
    // at top 110, five pixels a picture.
    const bool players = placed < playerPictures;
    const int number = players ? placed + 1 : placed - playerPictures + 1;
    ElementArray& stack = players ? ui.Image9 : ui.Image10;
    // A new member comes in front of its siblings: each picture lies on the one before.
    Element& picture = stack.create(number);
    picture.copyPicture(ui.Image2[0]);
    picture.setTop(players ? 120 : 110);
    picture.setLeft((players ? 20 : 350) + 5 * (number - 1));
    picture.setStretch(false);
    picture.setVisible(true);
    if (motion()) {
        window_.after(kStackPausePerPictureMs, [this, placed] { buildResultStacks(placed + 1); });
    } else {
        buildResultStacks(placed + 1);
    }
}

void GameWindow::finishResult() {
    stacksBuilt_ = true;
    ui_->Timer4.setInterval(pacedMs(durations::Wait::GameOverBlink));
    ui_->Timer4.setEnabled(true);
}

void GameWindow::Timer4_Timer() {
    if (engine_.phase() == GamePhase::StartUp) {
        onDiceTick();
    } else if (engine_.phase() == GamePhase::Play) {
        ui_->Label18.setVisible(diceFace_ == 1 || !motion());  // without motion it stays shown
        diceFace_ = diceFace_ == 1 ? 0 : 1;
    }
}

// ---- Result buttons --------------------------------------------------------------------------

void GameWindow::resultButton_MouseDown(Element& button) {
    button.copyPicture(ui_->Image13);
}

void GameWindow::resultButton_MouseUp(Element& button) {
    GameWindowElements& ui = *ui_;
    button.copyPicture(ui.Image14);
    // One release ends the window; a second one, or one before the round has ended, does
    // nothing. The level offer names a level only below the top one.
    if (resultButtonUsed_ || !resultShown_) {
        return;
    }
    if (&button == &ui.Image8) {
        resultButtonUsed_ = true;
        playAgain(false);
    } else if (&button == &ui.Image11) {
        resultButtonUsed_ = true;
        設定に戻る_Click();
    } else if (&button == &ui.Image12 && setup_.level < kTopLevel && !twoPlayers()) {
        resultButtonUsed_ = true;
        playAgain(true);
    }
}

void GameWindow::playAgain(bool nextLevel) {
    if (nextLevel) {
        ++setup_.level;
    }
    leavingForSettings_ = true;
    window_.unload();
    window_.show();
}

}  // namespace koropika
