#include "ui/program/program.h"

#include <utility>

namespace koropika {

Program::Program(EventLoop& loop, Desktop& desktop, SoundDevice& sound, Random& random,
                 std::function<std::uint64_t()> clockSeed)
    : gameWindow_(settings_, loop, desktop, sound, random, std::move(clockSeed)),
      settingsWindow_(settings_, loop, desktop) {
    settingsWindow_.showGameWindow = [this] { gameWindow_.window().show(); };
    gameWindow_.onBackToSettingsMenu = [this] { returnToSettings(); };
}

void Program::start() {
    settingsWindow_.window().show();
}

void Program::returnToSettings() {
    // The flag keeps the game window's unload from ending the run.
    gameWindow_.backToSettings = 1;
    gameWindow_.round.gamePhase = 0;
    gameWindow_.window().unload();
    settingsWindow_.showAfterGame();
}

}  // namespace koropika
