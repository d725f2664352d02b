// The settings window 設定 and the handles of its elements.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "shared/game_setup.h"
#include "shared/shared_settings.h"
#include "shared/texts.h"
#include "ui/elements/window.h"

namespace koropika {

// Messages, looked up with the context "SettingsWindow" where they are shown.
inline constexpr const char* kEmptyNameMessage =
    TRANSLATABLE("SettingsWindow", "プレーヤーの名前が入力されていません。");
inline constexpr const char* kEmptySecondNameMessage =
    TRANSLATABLE("SettingsWindow", "2人目のプレーヤーの名前が入力されていません。");
inline constexpr const char* kSameNamesMessage =
    TRANSLATABLE("SettingsWindow", "ふたりの名前が同じです。");
// The choice of a second person instead of the computer, and its state for a screen reader.
inline constexpr const char* kTwoPlayersChoice = TRANSLATABLE("SettingsWindow", "ふたりで遊ぶ");
inline constexpr const char* kChoiceOn = TRANSLATABLE("SettingsWindow", "%1（オン）");
inline constexpr const char* kChoiceOff = TRANSLATABLE("SettingsWindow", "%1（オフ）");
// The choice as it is shown, marked when it is chosen.
inline constexpr const char* kMarkedOn = TRANSLATABLE("SettingsWindow", "■ %1");
inline constexpr const char* kMarkedOff = TRANSLATABLE("SettingsWindow", "□ %1");
inline constexpr const char* kUnstorableNameMessage =
    TRANSLATABLE("SettingsWindow", "この名前には保存できない文字が含まれています。");

// Outer heights of the window: the choice area only, or with the version area below it.
inline constexpr int kCompactHeightTwips = 3500;
inline constexpr int kExpandedHeightTwips = 4700;

// Every element and the image list of one load of the settings window, each the handle its row
// gave back. Made by the window's load step, as a generated form class's set-up is: building it
// adds each row to the loading window (settings_layout.cpp), in the order declared here.
struct SettingsWindowElements {
    explicit SettingsWindowElements(Window& window);

    Element& Picture1;  // the background
    // The version area below the choices, seen when the window is grown.
    Element& Label6;
    Element& Label5;
    Element& Image11;
    Element& Label4;  // the web page link
    // The choices.
    Element& Combo2;  // the computer's level
    Element& Combo1;  // the player's name
    // The second player's name, shown only while two players are chosen, and that choice.
    Element& Combo3;
    Element& Label2;
    Element& Label10;  // カード数 52枚
    Element& Label9;   // カード数 40枚
    Element& Label8;   // カード数 28枚
    Element& Label7;   // バージョン情報
    Element& Label3;
    Element& Label1;
    const ImageList& ImageList1;
};

// The settings window 設定: name, level and card count, the gate to every game.
class SettingsWindow {
  public:
    SettingsWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop);
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    Window& window() { return window_; }

    // Wired by the program: puts the game window on screen.
    std::function<void(const GameSetup&)> showGameWindow;
    // Told of the opponent of each game started (SharedSettings::twoPlayers and
    // secondPlayerName), for the next run to offer the same.
    std::function<void(const SharedSettings&)> onOpponentChosen;

    // The rest of the way back from the game window, which has already gone: reload this
    // window, put back the player's name and the level the game window played last (the one
    // chosen here, or a higher one the result panel offered), and show it.
    void showAfterGame(int level);

    // 0 while the load step runs; the list handlers light the next choice only when it is 1.
    std::int16_t settingsLoaded = 0;

  private:
    void loadStep();
    void wireHandlers();
    void showBackground(int picture);
    void Combo1_Click();
    void Combo2_Click();
    void Label7_Click();
    void Label4_Click();
    void cardCountLabel_MouseMove(Element& label);
    void cardCountLabel_MouseUp(std::int16_t cardCount);
    void resetCardCountColours();
    // Switches between the computer and a second player.
    void Label2_Click();
    // Shows the choice of opponent: the mark of the choice, and the second player's name box
    // in place of the computer's level.
    void showOpponent();
    void startGame();
    // The message that refuses the second name, or "" when it may play.
    std::string secondNameRefusal(const std::string& first, const std::string& second) const;
    // Adds the name to the stored list unless it is there already, then writes name.txt.
    void storeName(const std::string& typed);
    void closeBoxClicked();

    SharedSettings& settings_;
    Desktop& desktop_;
    // name.txt is there but could not be read at the last load; it is then never written.
    bool nameListUnreadable_ = false;
    Window window_;
    std::unique_ptr<SettingsWindowElements> ui_;
};

}  // namespace koropika
