#pragma once

// The interface of the sound output: play a WAV file to its end.

#include <string>

namespace koropika {

// Plays one WAV file to its end before returning; a missing file plays a fallback sound.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    virtual void playToEnd(const std::string& path) = 0;
};

}  // namespace koropika
