#pragma once

#include <cstdint>
#include <functional>

#include "game/kept_round.h"
#include "game/random.h"
#include "shared/shared_settings.h"
#include "shared/sound_device.h"
#include "ui/game_window/game_window.h"
#include "ui/settings/settings_window.h"

namespace koropika {

// One run of the game: the shared settings and the two windows, exactly one of them on screen
// at any moment. Toolkit-free, so a test can drive a whole run in virtual time.
class Program {
  public:
    // `newDealNumber` gives the number of each new round, which seeds the round's chance.
    Program(EventLoop& loop, Desktop& desktop, SoundDevice& sound, Random& random,
            std::function<std::uint64_t()> newDealNumber);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Rounds that end go to `archive`, and the round in play is kept there after every card;
    // start() offers the round an earlier run kept there. Without one, rounds go nowhere.
    void useArchive(RoundArchive& archive);

    // Shows the settings window, centred: the first window of every run. A round an earlier run
    // kept is then offered over it.
    void start();

    SharedSettings& settings() { return settings_; }
    SettingsWindow& settingsWindow() { return settingsWindow_; }
    GameWindow& gameWindow() { return gameWindow_; }

  private:
    // The game window's menu 設定に戻る: leave the game and show the settings window again.
    void returnToSettings();
    // Asks whether to continue the kept round: yes opens it in the game window, no records it
    // as left.
    void offerKeptRound();

    EventLoop& loop_;
    Desktop& desktop_;
    RoundArchive* archive_ = nullptr;
    SharedSettings settings_;
    GameWindow gameWindow_;
    SettingsWindow settingsWindow_;
};

}  // namespace koropika
