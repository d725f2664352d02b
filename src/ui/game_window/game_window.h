#pragma once

// The game window トランプ and the texts it writes.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "game/kept_round.h"
#include "game/random.h"
#include "game/round_engine.h"
#include "game/round_record.h"
#include "game/table.h"
#include "shared/durations.h"
#include "shared/game_setup.h"
#include "shared/pace.h"
#include "shared/shared_settings.h"
#include "shared/sound_cues.h"
#include "shared/texts.h"
#include "ui/elements/desktop.h"
#include "ui/elements/event_loop.h"
#include "ui/elements/window.h"
#include "ui/game_window/announcements.h"
#include "ui/game_window/game_window_keyboard.h"
#include "ui/game_window/round_stamps.h"

namespace koropika {

struct GameWindowElements;

using durations::kRevealPauseMs;
using durations::kStackPausePerPictureMs;

// Texts the window writes, looked up with the context "GameWindow" where they are shown.
inline constexpr const char* kDicePrompt = TRANSLATABLE("GameWindow", "サイコロをクリック");
inline constexpr const char* kDiceRule = TRANSLATABLE("GameWindow", "１・３・５ ＝ あなたが先攻");
inline constexpr const char* kDiceStopPrompt = TRANSLATABLE("GameWindow", "クリックでストップ");
inline constexpr const char* kPlayerStarts = TRANSLATABLE("GameWindow", "あなたが先攻です");
inline constexpr const char* kComputerStarts = TRANSLATABLE("GameWindow", "コンピュータが先攻です");
inline constexpr const char* kStartCaption = TRANSLATABLE("GameWindow", "スタート");
inline constexpr const char* kDraw = TRANSLATABLE("GameWindow", "引き分け");
// %1 is the player's name.
inline constexpr const char* kPlayerWins = TRANSLATABLE("GameWindow", "%1 さんの勝ち");
inline constexpr const char* kComputerWins = TRANSLATABLE("GameWindow", "コンピュータの勝ち");
// At a table of two players; %1 is the name of the player who starts.
inline constexpr const char* kDiceRuleForTwo = TRANSLATABLE("GameWindow", "１・３・５ ＝ %1 さん");
inline constexpr const char* kNamedPlayerStarts = TRANSLATABLE("GameWindow", "%1 さんが先攻です");

// The game window トランプ: the table, the dice, the start button, both sides' moves and the
// result panel. The rules of the round are the engine's; the window's handlers ask it what
// happens, paint what it returns and tell it in words to a screen reader, and decide when (their
// timers). The object lives for the whole run; its elements are re-created from the layout at
// every load, while the fields below keep their values across unloads.
class GameWindow {
  public:
    // `newDealNumber` gives the number of each new round (see dealNumber()).
    GameWindow(SharedSettings& settings, EventLoop& loop, Desktop& desktop, SoundDevice& sound,
               Random& random, std::function<std::uint64_t()> newDealNumber);
    ~GameWindow();
    // The window's handlers hold `this`.
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    Window& window() { return window_; }

    // Opens the window for a new round with `setup`.
    void open(const GameSetup& setup);
    // Opens the window with a round an earlier run kept, where it stood after its last resolved
    // move. The round must be one checkKeptRound() accepts.
    void continueRound(const KeptRound& kept);
    // The program goes back to the settings window: the round is abandoned and the window
    // unloaded without ending the run.
    void leaveForSettings();

    // The number of the round on the table. Each load seeds the round's chance with it, so it
    // fixes the deal and every choice the computer draws (see RoundStamps).
    std::uint64_t dealNumber() const { return stamps_.dealNumber(); }
    // The next load plays round `number` instead of a new one.
    void setNextDealNumber(std::uint64_t number) { stamps_.setNextDealNumber(number); }
    // Starts round `number` afresh at the same level and card count, as the result panel's
    // play-again button does: the window reloads and the dice decides who starts. Does nothing
    // while the window is not loaded.
    void playDeal(std::uint64_t number);

    // The menu 設定に戻る and the result panel's back button: the program wires this to the
    // settings window's return step.
    std::function<void()> onBackToSettingsMenu;

    // Told once of every round that ends after play had started: finished (the result panel
    // comes up) or left (設定に戻る, 終了, the close box, or another round started over it).
    std::function<void(const RoundRecord&)> onRoundEnded;
    // Told of the round in play as it stands when play begins, after every card turned and after
    // every move resolved; answers whether it was kept. A kept round stays kept when the window
    // is closed or the program ends (the close box, 終了), for the next run to continue; one
    // that could not be kept is then reported as left.
    std::function<bool(const KeptRound&)> onRoundKept;
    // The date and time a round is stamped with (see RoundStamps::setWallClock).
    void setWallClock(std::function<std::chrono::sys_seconds()> clock) {
        stamps_.setWallClock(std::move(clock));
    }

    // The player's pace, taken up at once by the round in play: the speed of every wait of play,
    // the waits for a key, and whether anything blinks or slides.
    void setPace(const Pace& pace);
    const Pace& pace() const { return pace_; }
    // Whether play waits for the player's key or click to go on (キーで進める).
    bool waitingForKey() const { return keyWait_.timer != nullptr; }

    // The round this load plays; its level is raised by the result panel's offer.
    const GameSetup& setup() const { return setup_; }
    // A second person plays in the computer's seat.
    bool twoPlayers() const { return !setup_.secondPlayerName.empty(); }
    // The round in play, read-only, for tests and scripted players.
    const RoundEngine& engine() const { return engine_; }

    // The elements of the current load (null while the window is not loaded).
    GameWindowElements* elements() { return ui_.get(); }
    // The dice's value as it rolls and once stopped (1..5, 0 for a 6: an even face).
    int diceFace() const { return diceFace_; }
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
    void showTurnIndicator(Side side);
    // The dice panel's words on who starts: before the dice has decided, and once it has.
    std::string diceRuleLine();
    std::string starterLine(Side starter);

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

    // What both sides' moves share: a turned card painted, and a move's resolution.
    void paintTurnedCard(const TurnedCard& card);
    void resolveMove(Timer& resolutionTimer);

    // The round end and the result buttons.
    void showResult();
    void showLevelOffer();
    // Places picture `placed` (from 0) of the result stacks, then the next one a moment later.
    void buildResultStacks(int placed);
    void finishResult();
    void Timer4_Timer();
    void resultButton_MouseDown(Element& button);
    void resultButton_MouseUp(Element& button);
    void playAgain(bool nextLevel);

    // Hands the round in play to onRoundEnded, once, if play had started.
    void reportRoundEnd(bool left);
    // Hands the round in play to onRoundKept.
    void keepRound();
    RoundRecord roundAsItStands(const RoundStamps::Played& played, bool left) const;
    // The round the load takes up instead of the dice (continueRound).
    void takeUpKeptRound(const KeptRound& kept);

    // Shows a slot's back and face as the engine's table has them.
    void paintSlot(int slot);
    void startPileSlide(Side side);

    // The pace (game_window_pace.cpp). The timers' intervals at the chosen speed.
    void applyPace();
    int pacedMs(durations::Wait wait) const { return waitMs(wait, pace_.speed); }
    bool motion() const { return !pace_.reduceMotion; }
    // Without motion: whatever slides is put where it comes to rest, whatever blinks is shown.
    void settleMotion();
    // A tick of a timer that may wait for a key: with キーで進める the timer stops and play
    // waits, else `tick` runs.
    void tickOrWait(Timer& timer, void (GameWindow::*tick)());
    // A key or a click while play waits: the waiting tick runs and its timer goes on. Whether
    // play was waiting.
    bool goOn();

    // Tells a screen reader, when one listens, the sentences `words` gives.
    template <typename Words>
    void announce(Words&& words) {
        if (window_.announcementsHeard()) {
            for (const std::string& sentence : words()) {
                window_.announce(sentence);
            }
        }
    }

    RoundEngine engine_;
    SharedSettings& settings_;
    EventLoop& loop_;
    Desktop& desktop_;
    SoundCues sounds_;
    Random& random_;
    RoundStamps stamps_;
    RoundWords words_;
    GameSetup setup_;
    Window window_;
    std::unique_ptr<GameWindowElements> ui_;
    GameWindowKeyboard keys_{window_, engine_};
    bool leavingForSettings_ = false;      // the unload goes on to another screen
    std::optional<KeptRound> toContinue_;  // for the next load
    bool roundKept_ = false;               // the round in play as it stands is kept
    bool backChoiceReady_ = false;         // a chosen card back is kept from now on
    std::int16_t cardBackIndex_ = 0;       // 0..4
    bool countersBlue_ = false;            // choosing back design 2 turned the counters blue
    int diceClicks_ = 0;                   // clicks on the dice plus one: 2 rolling, 3 decided
    int diceFace_ = 0;                     // the dice; after the round the GAME-OVER blink toggle
    std::optional<int> diceShown_;         // 1..6: the face that decided who starts this round
    bool startButtonLit_ = false;
    bool resultShown_ = false;
    bool stacksBuilt_ = false;
    bool resultButtonUsed_ = false;
    // Each slot's back and face in this load (slot 0 unused), for the paints of every move.
    struct SlotElements {
        Element* back = nullptr;
        Element* face = nullptr;
    };
    std::array<SlotElements, Table::kMaxSlots + 1> slots_{};
    // Both sides' piles in this load, the player's first: the card that slides in at each pair,
    // the one it comes to rest on, and its step per tick (twips).
    struct PileElements {
        Element* incoming = nullptr;
        Element* resting = nullptr;
        double step = 0;
    };
    std::array<PileElements, 2> piles_{};
    Side slidingPile_ = Side::Player;  // whose pile the taken pair slides onto
    int pileTick_ = 0;
    Pace pace_;
    // The timer whose tick waits for a key, and that tick (none while play does not wait).
    struct KeyWait {
        Timer* timer = nullptr;
        void (GameWindow::*tick)() = nullptr;
    };
    KeyWait keyWait_;
};

}  // namespace koropika
