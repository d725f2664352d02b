#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared/sound_device.h"

namespace koropika {

// Plays WAV files on the computer's sound output through SDL2 (audio only), one at a time and
// to their end before returning. The output is opened at the first play and stays open for the
// sounds that follow, until `closeOutput` or until the object goes away. An open output keeps
// SDL's audio thread feeding silence to it, about 90 times a second: the program closes it once
// the game has been quiet for a moment (`onPlayed` tells it when a sound ended). Where there is no
// usable output (no sound card, an unknown SDL_AUDIODRIVER, a device that stops taking samples)
// every play returns at once, silently.
//
// SDL's audio is global to the process: keep one of these at a time.
class SdlSoundDevice final : public SoundDevice {
  public:
    SdlSoundDevice() = default;
    ~SdlSoundDevice() override;
    // Owns the open output; a copy would close it twice.
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    // Plays the WAV file at `path` (UTF-8). A missing or unreadable file plays a short beep.
    void playToEnd(const std::string& path) override;
    // Closes an open output; the next sound opens it again. An output found unusable stays so.
    void closeOutput();

    // Runs after each sound has been played (not when there is no usable output).
    std::function<void()> onPlayed;

    // The output's fixed format: every sound is converted to it before it is queued.
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 1;
    static constexpr int kBufferFrames = 512;

    // The beep played in place of a missing file, in the output's format (16-bit mono).
    static std::vector<std::int16_t> defaultBeep();

  private:
    enum class State { Closed, Open, Unusable };

    bool ensureOpen();
    void close();
    void queueAndWait(const std::uint8_t* bytes, std::uint32_t length);

    State state_ = State::Closed;
    std::uint32_t device_ = 0;  // SDL_AudioDeviceID
    bool sdlStarted_ = false;
};

}  // namespace koropika
