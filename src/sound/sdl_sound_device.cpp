#include "sound/sdl_sound_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace koropika {
namespace {

constexpr int kBytesPerFrame = SdlSoundDevice::kChannels * static_cast<int>(sizeof(std::int16_t));

// The beep: a soft sine tone whose start and end are faded so it does not click.
constexpr double kBeepSeconds = 0.15;
constexpr double kBeepHz = 880.0;
constexpr double kBeepAmplitude = 0.25;
constexpr double kBeepAttackSeconds = 0.01;
constexpr double kBeepReleaseSeconds = 0.04;

// How long queued bytes take to play.
std::chrono::microseconds playTime(std::uint64_t bytes) {
    const std::uint64_t frames = bytes / kBytesPerFrame;
    return std::chrono::microseconds(frames * 1'000'000 / SdlSoundDevice::kSampleRate);
}

// The last device buffer leaves the queue when the output starts playing it, not when it ends.
const auto kLastBufferTime =
    playTime(std::uint64_t{SdlSoundDevice::kBufferFrames} * kBytesPerFrame);
// A device that has not played a sound this long after its length is taken as stalled.
constexpr auto kStallAllowance = std::chrono::seconds(1);

// Drops one of ALSA's error lines.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA writes its own error lines to stderr when it finds no sound card, which is an ordinary
// case for this program (the game then plays without sound). SDL loads libasound itself; the
// same library, loaded here, gets a handler that drops those lines. Nothing happens without it.
void silenceAlsaErrors() {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
    if (alsa == nullptr) {
        alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    }
    if (alsa == nullptr) {
        return;
    }
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(ErrorHandler);
    auto* setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&ignoreAlsaError);
    }
    // The library stays loaded: SDL uses it, and the handler must outlive every call.
}

// The WAV file converted to the output's format, or false when it cannot be read or converted.
// Converts the whole sound in one go with SDL_AudioCVT: SDL 2.26's SDL_AudioStream drops the last
// ~20 ms of a resampled sound even after a flush.
bool loadConverted(const std::string& path, std::vector<std::uint8_t>& converted) {
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &spec, &data, &length) == nullptr) {
        return false;
    }
    SDL_AudioCVT cvt;
    bool ok = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                                SdlSoundDevice::kChannels, SdlSoundDevice::kSampleRate) >= 0;
    if (ok) {
        converted.assign(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult),
                         0);
        std::copy_n(data, length, converted.begin());
        cvt.buf = converted.data();
        cvt.len = static_cast<int>(length);
        ok = SDL_ConvertAudio(&cvt) == 0;
        converted.resize(ok ? static_cast<std::size_t>(cvt.len_cvt) : 0);
    }
    SDL_FreeWAV(data);
    return ok;
}

}  // namespace

std::vector<std::int16_t> SdlSoundDevice::defaultBeep() {
    const int frames = static_cast<int>(kBeepSeconds * kSampleRate);
    std::vector<std::int16_t> samples;
    samples.reserve(static_cast<std::size_t>(frames) * kChannels);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double remaining = static_cast<double>(frames - 1 - i) / kSampleRate;
        // Raised-cosine ramps at both ends.
        double gain = 1.0;
        if (t < kBeepAttackSeconds) {
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * t / kBeepAttackSeconds);
        } else if (remaining < kBeepReleaseSeconds) {
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * remaining / kBeepReleaseSeconds);
        }
        const double value = kBeepAmplitude * gain * std::sin(2.0 * std::numbers::pi * kBeepHz * t);
        const auto sample = static_cast<std::int16_t>(std::lround(value * 32767.0));
        for (int channel = 0; channel < kChannels; ++channel) {
            samples.push_back(sample);
        }
    }
    return samples;
}

SdlSoundDevice::~SdlSoundDevice() {
    close();
}

void SdlSoundDevice::playToEnd(const std::string& path) {
    if (!ensureOpen()) {
        return;
    }
    std::vector<std::uint8_t> sound;
    if (loadConverted(path, sound)) {
        queueAndWait(sound.data(), static_cast<std::uint32_t>(sound.size()));
    } else {
        const std::vector<std::int16_t> beep = defaultBeep();
        queueAndWait(reinterpret_cast<const std::uint8_t*>(beep.data()),
                     static_cast<std::uint32_t>(beep.size() * sizeof(std::int16_t)));
    }
    if (state_ == State::Open && onPlayed) {
        onPlayed();
    }
}

void SdlSoundDevice::closeOutput() {
    if (state_ == State::Open) {
        close();
    }
}

bool SdlSoundDevice::ensureOpen() {
    if (state_ != State::Closed) {
        return state_ == State::Open;
    }
    state_ = State::Unusable;  // until the output is open
    // The program handles its own quitting; SDL must not take over SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
            SDL_Quit();
        }
        return false;
    }
    sdlStarted_ = true;
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    // No changes allowed: SDL converts to whatever the hardware takes, so the queue is always in
    // the format above.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        close();
        state_ = State::Unusable;
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    state_ = State::Open;
    return true;
}

void SdlSoundDevice::close() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    if (sdlStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
            SDL_Quit();
        }
        sdlStarted_ = false;
    }
    state_ = State::Closed;
}

void SdlSoundDevice::queueAndWait(const std::uint8_t* bytes, std::uint32_t length) {
    using Clock = std::chrono::steady_clock;
    if (length == 0) {
        return;
    }
    if (SDL_QueueAudio(device_, bytes, length) != 0) {
        return;
    }
    const auto deadline = Clock::now() + playTime(length) + kStallAllowance;
    while (true) {
        const Uint32 queued = SDL_GetQueuedAudioSize(device_);
        if (queued == 0) {
            break;
        }
        if (Clock::now() >= deadline) {
            // The output stopped taking samples. Drop it for the rest of the run so that no
            // later sound holds the game up again.
            SDL_ClearQueuedAudio(device_);
            close();
            state_ = State::Unusable;
            return;
        }
        // Sleep for about half of what is left, in short steps near the end.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(playTime(queued));
        SDL_Delay(static_cast<Uint32>(std::clamp<long long>(left.count() / 2, 1, 20)));
    }
    SDL_Delay(static_cast<Uint32>(
        std::chrono::duration_cast<std::chrono::milliseconds>(kLastBufferTime).count() + 1));
}

}  // namespace koropika
