// The game window's dice, which decides who starts, and the start button that reveals the cards.

#include "ui/game_window/game_window.h"

#include "shared/texts.h"
#include "ui/elements/palette.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {

namespace {

constexpr double kStartCaptionPoints = 30;

}  // namespace

// ---- Dice ------------------------------------------------------------------------------------

void GameWindow::onDiceClick() {
    if (diceClicks_ <= 3) {
        ++diceClicks_;  // stays at 4 however often the dice is clicked afterwards
    }
    if (diceClicks_ != 2) {
        return;  // the rolling steps take the second click; later ones change nothing
    }
    GameWindowElements& ui = *ui_;
    ui.Label8.setCaption(desktop_.translate("GameWindow", kDiceStopPrompt));
    ui.Timer4.setInterval(durations::kDiceRollStepMs);
    ui.Timer4.setEnabled(true);
    ui.設定に戻る.setEnabled(false);
    window_.post([this] { rollStep(); });
}

void GameWindow::rollStep() {
    // Runs once the events waiting before it have been handled, so ticks and the stopping
    // click come between two plays of the clock.
    if (diceClicks_ > 2) {
        stopDice();
        return;
    }
    sounds_.playClock();
    window_.post([this] { rollStep(); });
}

void GameWindow::stopDice() {
    GameWindowElements& ui = *ui_;
    ui.Timer4.setEnabled(false);
    const Side starter = engine_.decideStarter(diceFace_);
    diceShown_ = diceFace_ == 0 ? 6 : diceFace_;  // the picture shows 6 when the count wrapped
    ui.Label9.setCaption(starterLine(starter));
    showTurnIndicator(starter);
    ui.Label8.setCaption(desktop_.translate("GameWindow", kStartCaption));
    ui.Label8.setFontSize(kStartCaptionPoints);
    ui.Label9.setVisible(true);
    ui.Picture2.setCustomPointerShown(false);
    for (Element* part : {&ui.Image4, &ui.Label8, &ui.Label9}) {
        part->setCustomPointerShown(true);
    }
    ui.設定に戻る.setEnabled(true);
    announce([&] { return words_.diceStopped(*diceShown_, starter); });
    keys_.diceStopped();
}

std::string GameWindow::diceRuleLine() {
    if (!twoPlayers()) {
        return desktop_.translate("GameWindow", kDiceRule);
    }
    return fillText(desktop_.translate("GameWindow", kDiceRuleForTwo), {setup_.playerName});
}

std::string GameWindow::starterLine(Side starter) {
    if (!twoPlayers()) {
        return desktop_.translate("GameWindow",
                                  starter == Side::Player ? kPlayerStarts : kComputerStarts);
    }
    return fillText(desktop_.translate("GameWindow", kNamedPlayerStarts),
                    {starter == Side::Player ? setup_.playerName : setup_.secondPlayerName});
}

void GameWindow::onDiceTick() {
    ++diceFace_;
    ui_->Picture2.setPicture(ui_->ImageList2.picture(diceFace_));
    if (diceFace_ == 6) {
        diceFace_ = 0;
    }
}

void GameWindow::showTurnIndicator(Side side) {
    const bool players = side == Side::Player;
    ui_->Picture3.setBackColour(players ? kBlue : kBlack);
    ui_->Picture4.setBackColour(players ? kBlack : kBlue);
}

// ---- Start button ----------------------------------------------------------------------------

void GameWindow::Timer9_Timer() {
    GameWindowElements& ui = *ui_;
    ui.Picture1.setTop(ui.Picture1.top() + 20);
    if (ui.Picture1.top() > 0) {
        ui.Timer9.setEnabled(false);
        ui.Timer1.setEnabled(true);
    }
}

void GameWindow::Timer1_Timer() {
    GameWindowElements& ui = *ui_;
    startButtonLit_ = motion() && !startButtonLit_;  // without motion the up picture stays
    ui.Image4.copyPicture(startButtonLit_ ? ui.Image7 : ui.Image6);
}

void GameWindow::startButton_MouseDown() {
    if (!engine_.pressStart()) {
        return;  // the dice has not decided yet
    }
    ui_->Timer1.setEnabled(false);
    ui_->Image4.copyPicture(ui_->Image5);
}

void GameWindow::startButton_MouseUp() {
    if (engine_.phase() != GamePhase::StartUp) {
        beginPlay();
    }
}

void GameWindow::beginPlay() {
    GameWindowElements& ui = *ui_;
    ui.Timer1.setEnabled(false);
    ui.Image4.copyPicture(ui.Image6);
    ui.Picture1.setVisible(false);
    engine_.beginReveal();  // card clicks are refused while the cards appear
    revealCard(1);
}

void GameWindow::revealCard(int slot) {
    // One card at a time, or without motion every card at once.
    for (; slot <= setup_.cardCount; ++slot) {
        engine_.revealCard(slot);
        paintSlot(slot);
        if (motion()) {
            window_.after(kRevealPauseMs, [this, slot] { revealCard(slot + 1); });
            return;
        }
    }
    const Side first = engine_.beginPlay();
    stamps_.playBegan(first);
    keepRound();
    ui_->カード選択.setEnabled(false);
    if (first == Side::Computer) {
        ui_->Timer6.setEnabled(true);
    }
    keys_.tableReady();
    announce([&] { return words_.turn(first); });
}

}  // namespace koropika
