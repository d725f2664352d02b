#pragma once

// Every duration of the program, in milliseconds: the game window's timers, the pauses that let
// pictures appear one at a time, the sound output's quiet time and the front end's waits for the
// window manager. Change a duration here and nowhere else; the player's choice of speed scales
// the waits of play (see Wait and shared/pace.h).

namespace koropika::durations {

// The game window's timers.
inline constexpr int kStartButtonBlinkMs = 500;     // Timer1: the start button's two pictures
inline constexpr int kPlayerResolutionMs = 1000;    // Timer2: the player's two cards stay up
inline constexpr int kFirstCardBlinkMs = 300;       // Timer3: the first card of a move blinks
inline constexpr int kDiceRollStepMs = 100;         // Timer4 while the dice rolls: next face
inline constexpr int kGameOverBlinkMs = 500;        // Timer4 after the round: GAME-OVER blinks
inline constexpr int kPairSlideStepMs = 100;        // Timer5: a taken pair slides to its pile
inline constexpr int kComputerStepMs = 1000;        // Timer6: the computer's card, then the next
inline constexpr int kComputerResolutionMs = 1000;  // Timer7: the computer's two cards stay up
inline constexpr int kDicePanelSlideStepMs = 50;    // Timer9: the dice panel slides in

// The waits of play, which the player's choice of speed scales. The dice's roll keeps its own
// step, and the pauses below are no waits of play.
enum class Wait {
    StartButtonBlink,
    PlayerResolution,
    FirstCardBlink,
    GameOverBlink,
    PairSlideStep,
    ComputerStep,
    ComputerResolution,
    DicePanelSlideStep,
};

// A wait's own length, at the speed ふつう.
constexpr int baseMs(Wait wait) {
    switch (wait) {
        case Wait::StartButtonBlink:
            return kStartButtonBlinkMs;
        case Wait::PlayerResolution:
            return kPlayerResolutionMs;
        case Wait::FirstCardBlink:
            return kFirstCardBlinkMs;
        case Wait::GameOverBlink:
            return kGameOverBlinkMs;
        case Wait::PairSlideStep:
            return kPairSlideStepMs;
        case Wait::ComputerStep:
            return kComputerStepMs;
        case Wait::ComputerResolution:
            return kComputerResolutionMs;
        case Wait::DicePanelSlideStep:
            return kDicePanelSlideStepMs;
    }
    return 0;
}

// Pauses that let the table and the result stacks appear one picture at a time.
inline constexpr int kRevealPauseMs = 15;
inline constexpr int kStackPausePerPictureMs = 15;

// How long the game may play no sound before the sound output is closed.
inline constexpr int kQuietOutputMs = 3000;

// The front end: how long a window must stand still before its frame is trusted, and how soon a
// window the window manager has not placed yet is looked at again.
inline constexpr int kPlacementSettleMs = 50;
inline constexpr int kPlacementRecheckMs = 20;

}  // namespace koropika::durations
