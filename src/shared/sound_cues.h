#pragma once

// The game's four sound cues.

#include <array>
#include <cstddef>
#include <string>

#include "shared/shared_settings.h"
#include "shared/sound_device.h"

namespace koropika {

// The game's four sound cues. Each plays one WAV file from the wav folder of the program folder
// to its end before returning (the device plays a fallback beep when the file is missing).
class SoundCues {
  public:
    SoundCues(const SharedSettings& settings, SoundDevice& device);

    void playClick();   // appPath + "/wav/click.wav"
    void playCancel();  // appPath + "/wav/cancel.wav"
    void playPinpon();  // appPath + "/wav/Pinpon.wav"
    void playClock();   // appPath + "/wav/時計.wav"

  private:
    enum class Cue { Click, Cancel, Pinpon, Clock };
    static constexpr std::size_t kCueCount = 4;

    // Plays the cue's file from the wav folder of the program folder as it is now.
    void play(Cue cue);

    const SharedSettings& settings_;
    SoundDevice& device_;
    // The cues' paths in the program folder they were made for, kept until the program folder
    // changes: building them is most of the cost of a cue in a headless run.
    std::string pathsOf_;
    std::array<std::string, kCueCount> paths_;
};

}  // namespace koropika
