#pragma once

#include <cstdint>
#include <functional>

#include "shared/shared_settings.h"
#include "ui/elements/desktop.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/window.h"

namespace koropika {

// The game window トランプ. The object lives for the whole run; its elements are re-created
// from the layout at every load, while the fields below keep their values across unloads.
class GameWindow {
  public:
    GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop);
    // The window's handlers hold `this`.
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    Window& window() { return window_; }
    SharedSettings& settings() { return settings_; }

    // The menu 設定に戻る: the program wires this to the settings window's return step.
    std::function<void()> onBackToSettingsMenu;

    // Window-level fields (16-bit flags as in the legacy program).
    std::int16_t backToSettings = 0;  // 1 = the unload goes on to another screen
    std::int16_t gamePhase = 0;

  private:
    void loadStep();
    // The window is going away; unless another screen follows, the program ends with it.
    void unloadStep();
    void backToSettingsMenu_Click();
    void quitMenu_Click();

    SharedSettings& settings_;
    Window window_;
};

}  // namespace koropika
