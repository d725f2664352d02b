#pragma once

// The sound output through SDL2.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "shared/sound_choice.h"
#include "shared/sound_device.h"

namespace koropika {

// Plays WAV files on the computer's sound output through SDL2 (audio only), one at a time and
// to their end before returning. The output is opened at the first play (or ahead of it by
// `prepareOutput`) and stays open for the sounds that follow, until `closeOutput` or until the
// object goes away. An open output keeps SDL's audio thread feeding silence to it, about 90 times
// a second: the program closes it once the game has been quiet for a moment (`onPlayed` tells it
// when a sound ended). Where there is no usable output (no sound card, an unknown
// SDL_AUDIODRIVER, a device that stops taking samples) every play returns at once, silently.
//
// SDL's library is loaded, and its audio started, at the first opening; the audio is stopped when
// the object goes away.
// Opening and closing the output run on a helper thread that lives as long as the object and
// sleeps in between, so that neither holds up the caller: closing waits for SDL's audio thread to
// drain two buffers (some 25 ms), and opening starts that thread. A play waits only for what was
// asked of the helper before it, and the helper is woken rather than started anew, which a busy
// machine schedules sooner.
//
// Muted, a play is silent and takes the sound's length all the same, so a muted game keeps the
// pace of a loud one; the output is neither opened nor kept open meanwhile. The volume scales
// every sound's samples down by a fixed step.
//
// Each sound is decoded once and kept, converted to the output's format, for the next plays: the
// last few sounds played (the game has four cues) and the beep.
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
    // Starts opening a closed (or closing) output, so that a sound that may follow soon does not
    // wait for it; true when it did. Returns at once.
    bool prepareOutput();
    // Starts closing an open output and returns at once; the next sound opens it again. An output
    // found unusable stays so.
    void closeOutput();
    // Waits until the output has been opened or closed as last asked. A close followed by an
    // open before the helper got to it leaves the output open.
    void waitForOutput();

    // Muting starts closing an open output; while muted, `prepareOutput` opens nothing.
    void setMuted(bool muted);
    // The volume of the plays that follow.
    void setVolume(Volume volume) { volume_ = volume; }

    // Runs after each sound has been played (not when there is no usable output, nor muted).
    std::function<void()> onPlayed;

    // The output's fixed format: every sound is converted to it before it is queued.
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 1;
    static constexpr int kBufferFrames = 512;
    // How many decoded sounds are kept (the beep apart).
    static constexpr std::size_t kKeptSounds = 4;

    // The beep played in place of a missing file, in the output's format (16-bit mono).
    static std::vector<std::int16_t> defaultBeep();

  private:
    enum class State { Closed, Open, Unusable };
    using Clock = std::chrono::steady_clock;
    // A sound in the output's format (16-bit samples, as bytes).
    using Sound = std::vector<std::uint8_t>;

    // The sound being played, shared with SDL's audio thread under `mutex_`.
    struct Playing {
        std::shared_ptr<const Sound> sound;
        std::size_t handedOut = 0;  // bytes given to the output so far
        bool allHandedOut = false;
        Clock::time_point endsAt;  // when the output has played the last of it
    };

    static void feed(void* self, std::uint8_t* stream, int length);
    void feed(std::uint8_t* stream, int length);

    bool ensureOpen();
    // The helper thread: opens or closes the output until it is as last asked.
    void startHelper();
    void serveRequests();
    bool requestPending() const;
    // Waits until the helper has done all that was asked of it.
    void settle(std::unique_lock<std::mutex>& lock);
    void open();
    void startSdl();
    void close();
    void stopSdl();
    std::shared_ptr<const Sound> soundFor(const std::string& path);
    void playAndWait(std::shared_ptr<const Sound> sound);

    // The helper changes these only while `working_`; the caller reads them once it has waited
    // for the helper to settle, and changes them only under `requestMutex_`. Every SDL call that
    // opens or closes the output is made by one thread at a time.
    State state_ = State::Closed;
    std::uint32_t device_ = 0;  // SDL_AudioDeviceID
    bool sdlStarted_ = false;
    // How long the output takes to play what it was handed, after handing it out.
    Clock::duration outputDelay_{};

    std::thread helper_;
    std::mutex requestMutex_;
    std::condition_variable requested_;  // wakes the helper
    std::condition_variable settled_;    // tells waiters the helper has finished a request
    bool wantOpen_ = false;              // what the output should be
    bool working_ = false;               // the helper is opening or closing the output
    bool quit_ = false;

    std::mutex mutex_;
    std::condition_variable handedOut_;
    Playing playing_;

    // Most recently played first.
    std::vector<std::pair<std::string, std::shared_ptr<const Sound>>> kept_;
    std::shared_ptr<const Sound> beep_;

    // Set and read by the caller's thread only.
    bool muted_ = false;
    Volume volume_ = Volume::Loud;
};

}  // namespace koropika
