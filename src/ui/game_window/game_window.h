#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/move_log.h"
#include "game/random.h"
#include "game/round_state.h"
#include "game/table.h"
#include "shared/shared_settings.h"
#include "shared/sound_cues.h"
#include "ui/elements/desktop.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/window.h"
#include "ui/game_window/game_window_keyboard.h"

namespace koropika {

struct GameWindowElements;

// Pauses that let the table and the result stacks appear one picture at a time.
inline constexpr int kRevealPauseMs = 15;
inline constexpr int kStackPausePerPictureMs = 15;

// Texts the window writes.
inline constexpr const char* kDicePrompt = "サイコロをクリック";
inline constexpr const char* kDiceRule = "１・３・５ ＝ あなたが先攻";
inline constexpr const char* kDiceStopPrompt = "クリックでストップ";
inline constexpr const char* kPlayerStarts = "あなたが先攻です";
inline constexpr const char* kComputerStarts = "コンピュータが先攻です";
inline constexpr const char* kStartCaption = "スタート";
inline constexpr const char* kDraw = "引き分け";
inline constexpr const char* kPlayerWinsSuffix = " さんの勝ち";
inline constexpr const char* kComputerWins = "コンピュータの勝ち";

// The game window トランプ: the table, the dice, the start button, both sides' moves and the
// result panel. The object lives for the whole run; its elements are re-created from the layout
// at every load, while the fields below keep their values across unloads.
class GameWindow {
  public:
    // `clockSeed` gives the seed of the round's chance at every load.
    GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop, SoundDevice& sound,
               Random& random, std::function<std::uint64_t()> clockSeed);
    ~GameWindow();
    // The window's handlers hold `this`.
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    Window& window() { return window_; }
    SharedSettings& settings() { return settings_; }

    // The menu 設定に戻る and the result panel's back button: the program wires this to the
    // settings window's return step.
    std::function<void()> onBackToSettingsMenu;

    // Window-level fields (16-bit flags and counters).
    std::int16_t backToSettings = 0;  // 1 = the unload goes on to another screen
    std::int16_t backChoiceReady = 0;
    std::int16_t diceClicks = 0;  // clicks on the dice plus one: 2 rolling, 3 decided
    std::int16_t diceFace = 0;    // the dice; after the round the GAME-OVER blink toggle
    std::int16_t startButtonBlink = 0;
    std::int16_t pileTick = 0;
    double pileStep[3] = {0, 0, 0};  // twips per slide tick: 1 the player's pile, 2 the computer's
    int cardWidth = 0;
    int cardHeight = 0;
    std::int16_t gridColumns = 0;
    std::int16_t gridRows = 0;
    RoundState round;
    Table table;
    // Every card turned this round, for the round's signature.
    MoveLog moveLog;
    // The computer's picks this run, and how many of them came from its memory.
    long computerPicks = 0;
    long computerPicksFromMemory = 0;

    // The elements of the current load (null while the window is not loaded).
    GameWindowElements* elements() { return ui_.get(); }
    // Whether the round's result panel is up, and whether the result stacks are complete.
    bool resultShown() const { return resultShown_; }
    bool resultStacksBuilt() const { return stacksBuilt_; }

  private:
    // Start-up, run at every load.
    void startUpGameWindow();
    void wireHandlers();
    void layOutTable(const TableGeometry& geometry);
    void dealCards(const TableGeometry& geometry);
    void readWindowPosition();
    void saveWindowPosition();
    // The window is going away; unless another screen follows, the program ends with it.
    void onGameWindowUnload();
    void onQuitMenu();
    void 設定に戻る_Click();

    // The card back choice.
    void applyCardBack(int index);
    void openCardBackChoice();
    void closeCardBackChoice();

    // The dice.
    void onDiceClick();
    void rollStep();
    void stopDice();
    void onDiceTick();
    void showTurnIndicator();

    // The start button and the slide-in of the dice panel.
    void Timer9_Timer();
    void Timer1_Timer();
    void startButton_MouseDown();
    void startButton_MouseUp();
    void beginPlay();
    void revealCard(int slot);

    // The player's move.
    void omote1_Click(int index);
    void omote1_MouseMove(int index);
    void Timer3_Timer();
    void Timer2_Timer();
    void Timer5_Timer();

    // The computer's move.
    void Timer6_Timer();
    void Timer7_Timer();
    void computerFirstCard();
    void computerSecondCard();

    // The round end and the result buttons.
    void showResult();
    void buildResultStacks(int playerPictures, int computerPictures, int placed);
    void finishResult();
    void Timer4_Timer();
    void resultButton_MouseDown(Element& button);
    void resultButton_MouseUp(Element& button);
    void playAgain(bool nextLevel);

    // The table as the round sees it: each change goes to the table and to its elements.
    void showBack(int slot, bool shown);
    void showFace(int slot, bool shown);
    const std::string& rankText(int slot) const;
    // A taken-card count plus two, written back as its caption.
    static void addTwo(Element& count);
    void startPileSlide(Element& incoming);

    SharedSettings& settings_;
    EventLoop& loop_;
    Desktop& desktop_;
    SoundCues sounds_;
    Random& random_;
    std::function<std::uint64_t()> clockSeed_;
    Window window_;
    std::unique_ptr<GameWindowElements> ui_;
    bool resultShown_ = false;
    bool stacksBuilt_ = false;
    bool resultButtonUsed_ = false;
    GameWindowKeyboard keys_{*this};
};

}  // namespace koropika
