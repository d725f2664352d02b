// The four sound cues of the game, one function each, and the file name each is saved under.
#pragma once

#include <span>
#include <string_view>

#include "synth.h"

namespace koropika::sounds {

// Every cue peaks at this level, leaving headroom below full scale.
inline constexpr double kCuePeakDbfs = -3.0;

Samples renderClick();   // the player turns a card: a short crisp flip and snap
Samples renderCancel();  // the computer turns a card: a softer, lower wooden "tock"
Samples renderPinpon();  // a pair is taken: a two-note bell chime, high then low
Samples renderClock();   // one clock tick and the silence after it, played over and over

struct Cue {
    std::u8string_view fileName;  // UTF-8, exactly as the game looks the file up
    Samples (*render)();
};

// All cues in a fixed order.
std::span<const Cue> allCues();

}  // namespace koropika::sounds
