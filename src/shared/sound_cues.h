#pragma once

#include <string>

#include "shared/shared_settings.h"
#include "shared/sound_device.h"

namespace koropika {

// The game's four sound cues. Each plays one WAV file from the wav folder of the program folder
// to its end before returning (the device plays a fallback beep when the file is missing).
class SoundCues {
  public:
    SoundCues(const SharedSettings& settings, SoundDevice& device)
        : settings_(settings), device_(device) {}
    void playClick() { play("click.wav"); }
    void playCancel() { play("cancel.wav"); }
    void playPinpon() { play("Pinpon.wav"); }
    void playClock() { play("時計.wav"); }

  private:
    void play(const std::string& file);

    const SharedSettings& settings_;
    SoundDevice& device_;
};

}  // namespace koropika
