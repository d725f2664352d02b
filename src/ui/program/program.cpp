#include "ui/program/program.h"

#include <utility>

namespace koropika {

Program::Program(EventLoop& loop, Desktop& desktop, SoundDevice& sound, Random& random,
                 std::function<std::uint64_t()> newDealNumber)
    : gameWindow_(settings_, loop, desktop, sound, random, std::move(newDealNumber)),
      settingsWindow_(settings_, loop, desktop) {
    settingsWindow_.showGameWindow = [this](const GameSetup& setup) { gameWindow_.open(setup); };
    gameWindow_.onBackToSettingsMenu = [this] { returnToSettings(); };
}

void Program::start() {
    settingsWindow_.window().show();
}

void Program::returnToSettings() {
    gameWindow_.leaveForSettings();
    settingsWindow_.showAfterGame(gameWindow_.setup().level);
}

}  // namespace koropika
