#include "ui/game_window/game_window.h"

#include "ui/game_window/game_window_layout.h"

namespace koropika {

GameWindow::GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop)
    : settings_(settings), window_(gameWindowLayout(), loop, desktop) {
    window_.onLoad = [this] { loadStep(); };
    window_.onUnload = [this] { unloadStep(); };
}

void GameWindow::loadStep() {
    backToSettings = 0;
    window_.menu("設定に戻る").onClick = [this] { backToSettingsMenu_Click(); };
    window_.menu("終了").onClick = [this] { quitMenu_Click(); };
}

void GameWindow::unloadStep() {
    if (backToSettings == 0) {
        window_.desktop().endProgram();
    }
}

void GameWindow::backToSettingsMenu_Click() {
    if (onBackToSettingsMenu) {
        onBackToSettingsMenu();
    }
}

void GameWindow::quitMenu_Click() {
    window_.desktop().endProgram();
}

}  // namespace koropika
