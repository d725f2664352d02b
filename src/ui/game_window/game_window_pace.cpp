// The game window at the player's pace: the timers at the chosen speed, the waits for a key, and
// play without motion.

#include <utility>

#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {

void GameWindow::setPace(const Pace& pace) {
    pace_ = pace;
    if (!ui_) {
        return;  // the next load takes it up
    }
    applyPace();
    settleMotion();
    if (!pace_.stepByKey) {
        goOn();
    }
}

void GameWindow::applyPace() {
    using durations::Wait;
    GameWindowElements& ui = *ui_;
    const auto pace = [this](Timer& timer, Wait wait) {
        // A new interval starts the count again: a timer at its interval runs on undisturbed.
        if (timer.interval() != pacedMs(wait)) {
            timer.setInterval(pacedMs(wait));
        }
    };
    pace(ui.Timer1, Wait::StartButtonBlink);
    pace(ui.Timer2, Wait::PlayerResolution);
    pace(ui.Timer3, Wait::FirstCardBlink);
    pace(ui.Timer5, Wait::PairSlideStep);
    pace(ui.Timer6, Wait::ComputerStep);
    pace(ui.Timer7, Wait::ComputerResolution);
    pace(ui.Timer9, Wait::DicePanelSlideStep);
    // The dice's timer blinks GAME-OVER once the round is over; its roll keeps its own step.
    if (stacksBuilt_) {
        pace(ui.Timer4, Wait::GameOverBlink);
    }
}

void GameWindow::settleMotion() {
    if (motion()) {
        return;
    }
    GameWindowElements& ui = *ui_;
    // Each slide's own steps, run at once, leave it where it comes to rest.
    while (ui.Timer9.enabled()) {
        Timer9_Timer();
    }
    while (ui.Timer5.enabled()) {
        Timer5_Timer();
    }
    // What blinks shows its lit state: the start button up, the first card's face, GAME-OVER.
    if (ui.Timer1.enabled() && startButtonLit_) {
        Timer1_Timer();
    }
    if (ui.Timer3.enabled()) {
        Timer3_Timer();
    }
    if (resultShown_) {
        ui.Label18.setVisible(true);
    }
}

void GameWindow::tickOrWait(Timer& timer, void (GameWindow::*tick)()) {
    // The computer's last step turns no card and ends its part of the move: it never waits.
    const bool cardOrResolution = &timer != &ui_->Timer6 || engine_.computerCardDue();
    if (!pace_.stepByKey || !cardOrResolution) {
        (this->*tick)();
        return;
    }
    timer.setEnabled(false);
    keyWait_ = {&timer, tick};
    announce([&] { return words_.waitingForKey(); });
}

bool GameWindow::goOn() {
    if (keyWait_.timer == nullptr || !ui_) {
        return false;
    }
    const KeyWait wait = std::exchange(keyWait_, {});
    wait.timer->setEnabled(true);
    (this->*wait.tick)();
    return true;
}

}  // namespace koropika
