#include "sound/sdl_sound_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

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

// A sound card holds one device buffer besides the one being filled.
const auto kDeviceBufferTime =
    playTime(std::uint64_t{SdlSoundDevice::kBufferFrames} * kBytesPerFrame);
// A device that has not played a sound this long after its length is taken as stalled.
constexpr auto kStallAllowance = std::chrono::seconds(1);

// The SDL functions the output uses, looked up in the library when the output is first opened.
// SDL brings some thirty sound libraries with it; loading them when the program starts would
// hold up its first window by several milliseconds, for a sound the player may never hear.
struct SdlAudio {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_WasInit) wasInit;
    decltype(&SDL_Quit) quit;
    decltype(&SDL_TLSCleanup) tlsCleanup;
    decltype(&SDL_OpenAudioDevice) openAudioDevice;
    decltype(&SDL_CloseAudioDevice) closeAudioDevice;
    decltype(&SDL_PauseAudioDevice) pauseAudioDevice;
    decltype(&SDL_GetCurrentAudioDriver) currentAudioDriver;
    decltype(&SDL_RWFromFile) rwFromFile;
    decltype(&SDL_LoadWAV_RW) loadWavRw;
    decltype(&SDL_FreeWAV) freeWav;
    decltype(&SDL_BuildAudioCVT) buildAudioCvt;
    decltype(&SDL_ConvertAudio) convertAudio;
};

template <typename Function>
bool lookUp(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// SDL's functions, loaded at the first call; null when the library cannot be loaded, which
// leaves the game silent as on a computer without a sound card. The library stays loaded.
const SdlAudio* sdlAudio() {
    static const std::optional<SdlAudio> loaded = []() -> std::optional<SdlAudio> {
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return std::nullopt;
        }
        SdlAudio sdl{};
        const bool found = lookUp(library, "SDL_SetHint", sdl.setHint) &&
                           lookUp(library, "SDL_InitSubSystem", sdl.initSubSystem) &&
                           lookUp(library, "SDL_QuitSubSystem", sdl.quitSubSystem) &&
                           lookUp(library, "SDL_WasInit", sdl.wasInit) &&
                           lookUp(library, "SDL_Quit", sdl.quit) &&
                           lookUp(library, "SDL_TLSCleanup", sdl.tlsCleanup) &&
                           lookUp(library, "SDL_OpenAudioDevice", sdl.openAudioDevice) &&
                           lookUp(library, "SDL_CloseAudioDevice", sdl.closeAudioDevice) &&
                           lookUp(library, "SDL_PauseAudioDevice", sdl.pauseAudioDevice) &&
                           lookUp(library, "SDL_GetCurrentAudioDriver", sdl.currentAudioDriver) &&
                           lookUp(library, "SDL_RWFromFile", sdl.rwFromFile) &&
                           lookUp(library, "SDL_LoadWAV_RW", sdl.loadWavRw) &&
                           lookUp(library, "SDL_FreeWAV", sdl.freeWav) &&
                           lookUp(library, "SDL_BuildAudioCVT", sdl.buildAudioCvt) &&
                           lookUp(library, "SDL_ConvertAudio", sdl.convertAudio);
        if (!found) {
            return std::nullopt;
        }
        return sdl;
    }();
    return loaded ? &*loaded : nullptr;
}

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
bool loadConverted(const SdlAudio& sdl, const std::string& path,
                   std::vector<std::uint8_t>& converted) {
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (sdl.loadWavRw(sdl.rwFromFile(path.c_str(), "rb"), 1, &spec, &data, &length) == nullptr) {
        return false;
    }
    SDL_AudioCVT cvt;
    bool ok = sdl.buildAudioCvt(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS,
                                SdlSoundDevice::kChannels, SdlSoundDevice::kSampleRate) >= 0;
    if (ok) {
        converted.assign(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult),
                         0);
        std::copy_n(data, length, converted.begin());
        cvt.buf = converted.data();
        cvt.len = static_cast<int>(length);
        ok = sdl.convertAudio(&cvt) == 0;
        converted.resize(ok ? static_cast<std::size_t>(cvt.len_cvt) : 0);
    }
    sdl.freeWav(data);
    return ok;
}

// `sound` with every sample multiplied by `gain` (at most 1, so nothing clips).
std::shared_ptr<const std::vector<std::uint8_t>> atVolume(const std::vector<std::uint8_t>& sound,
                                                          double gain) {
    auto scaled = std::make_shared<std::vector<std::uint8_t>>(sound);
    for (std::size_t at = 0; at + sizeof(std::int16_t) <= scaled->size();
         at += sizeof(std::int16_t)) {
        std::int16_t sample = 0;
        std::memcpy(&sample, scaled->data() + at, sizeof sample);
        sample = static_cast<std::int16_t>(std::lround(sample * gain));
        std::memcpy(scaled->data() + at, &sample, sizeof sample);
    }
    return scaled;
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
    if (!helper_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(requestMutex_);
        wantOpen_ = false;
        quit_ = true;
    }
    requested_.notify_one();
    helper_.join();  // it closes an open output first
}

void SdlSoundDevice::playToEnd(const std::string& path) {
    if (muted_) {
        // Without SDL there is nothing to decode, and a loud play returns at once too.
        if (sdlAudio() != nullptr) {
            std::this_thread::sleep_for(playTime(soundFor(path)->size()));
        }
        return;
    }
    if (!ensureOpen()) {
        return;
    }
    playAndWait(atVolume(*soundFor(path), gainOf(volume_)));
    if (state_ == State::Open && onPlayed) {
        onPlayed();
    }
}

bool SdlSoundDevice::prepareOutput() {
    if (muted_) {
        return false;
    }
    std::unique_lock lock(requestMutex_);
    // Open or on its way; or found unusable, which is not tried again.
    if (wantOpen_ || (!working_ && state_ == State::Unusable)) {
        return false;
    }
    wantOpen_ = true;
    startHelper();
    lock.unlock();
    requested_.notify_one();
    return true;
}

void SdlSoundDevice::closeOutput() {
    std::unique_lock lock(requestMutex_);
    if (!wantOpen_) {
        return;
    }
    wantOpen_ = false;
    lock.unlock();
    requested_.notify_one();
}

void SdlSoundDevice::setMuted(bool muted) {
    muted_ = muted;
    if (muted_) {
        closeOutput();
    }
}

void SdlSoundDevice::waitForOutput() {
    std::unique_lock lock(requestMutex_);
    settle(lock);
}

bool SdlSoundDevice::ensureOpen() {
    std::unique_lock lock(requestMutex_);
    if (!wantOpen_) {
        wantOpen_ = true;
        startHelper();
        requested_.notify_one();
    }
    settle(lock);
    return state_ == State::Open;
}

void SdlSoundDevice::startHelper() {
    if (!helper_.joinable()) {
        helper_ = std::thread([this] { serveRequests(); });
    }
}

bool SdlSoundDevice::requestPending() const {
    return wantOpen_ ? state_ == State::Closed : state_ == State::Open;
}

void SdlSoundDevice::settle(std::unique_lock<std::mutex>& lock) {
    settled_.wait(lock, [this] { return !working_ && !requestPending(); });
}

// Runs on the helper thread: sleeps until the output should be opened or closed, does it with
// the request lock released, and starts over; ends once asked to, with the output closed and
// SDL's audio stopped.
void SdlSoundDevice::serveRequests() {
    std::unique_lock lock(requestMutex_);
    for (;;) {
        requested_.wait(lock, [this] { return quit_ || requestPending(); });
        if (!requestPending()) {
            break;  // quit_, and nothing left to do
        }
        const bool opening = wantOpen_;
        working_ = true;
        lock.unlock();
        if (opening) {
            open();
        } else {
            close();
        }
        lock.lock();
        working_ = false;
        settled_.notify_all();
    }
    lock.unlock();
    stopSdl();
    // SDL keeps data of its own (the error text) for each thread that calls it; a thread SDL did
    // not create hands it back before it ends.
    if (const SdlAudio* sdl = sdlAudio()) {
        sdl->tlsCleanup();
    }
}

void SdlSoundDevice::open() {
    state_ = State::Unusable;  // until the output is open
    if (!sdlStarted_) {
        startSdl();
        if (!sdlStarted_) {
            return;
        }
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &SdlSoundDevice::feed;
    wanted.userdata = this;
    const SdlAudio& sdl = *sdlAudio();
    // No changes allowed: SDL converts to whatever the hardware takes, so the output is always fed
    // in the format above.
    device_ = sdl.openAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        state_ = State::Unusable;
        return;
    }
    // The dummy and disk drivers play each buffer as they take it; a sound card plays it after
    // the buffer before it, which is still in its hands.
    const char* driver = sdl.currentAudioDriver();
    const bool playsAtOnce = driver != nullptr && (std::strcmp(driver, "dummy") == 0 ||
                                                   std::strcmp(driver, "disk") == 0);
    outputDelay_ = playsAtOnce ? Clock::duration::zero() : Clock::duration(kDeviceBufferTime);
    sdl.pauseAudioDevice(device_, 0);
    state_ = State::Open;
}

// Starts SDL's audio once for the life of the device: starting it finds the driver and probes the
// session bus (SDL asks D-Bus about the desktop, which may mean starting a helper process), work
// that a reopening after a quiet spell need not repeat.
void SdlSoundDevice::startSdl() {
    const SdlAudio* sdl = sdlAudio();
    if (sdl == nullptr) {
        return;
    }
    // The program handles its own quitting; SDL must not take over SIGINT and SIGTERM.
    sdl->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceAlsaErrors();
    if (sdl->initSubSystem(SDL_INIT_AUDIO) != 0) {
        if (sdl->wasInit(SDL_INIT_EVERYTHING) == 0) {
            sdl->quit();
        }
        return;
    }
    sdlStarted_ = true;
}

void SdlSoundDevice::close() {
    if (device_ != 0) {
        sdlAudio()->closeAudioDevice(device_);
        device_ = 0;
    }
    state_ = State::Closed;
}

void SdlSoundDevice::stopSdl() {
    close();
    if (sdlStarted_) {
        const SdlAudio& sdl = *sdlAudio();
        sdl.quitSubSystem(SDL_INIT_AUDIO);
        if (sdl.wasInit(SDL_INIT_EVERYTHING) == 0) {
            sdl.quit();
        }
        sdlStarted_ = false;
    }
}

std::shared_ptr<const SdlSoundDevice::Sound> SdlSoundDevice::soundFor(const std::string& path) {
    const auto found = std::find_if(kept_.begin(), kept_.end(),
                                    [&path](const auto& entry) { return entry.first == path; });
    if (found != kept_.end()) {
        std::rotate(kept_.begin(), found, found + 1);
        return kept_.front().second;
    }
    auto sound = std::make_shared<Sound>();
    if (loadConverted(*sdlAudio(), path, *sound)) {
        if (kept_.size() >= kKeptSounds) {
            kept_.pop_back();
        }
        kept_.emplace(kept_.begin(), path, sound);
        return sound;
    }
    // A file that cannot be read is looked for again next time: it may have come back.
    if (beep_ == nullptr) {
        const std::vector<std::int16_t> beep = defaultBeep();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(beep.data());
        beep_ = std::make_shared<Sound>(bytes, bytes + beep.size() * sizeof(std::int16_t));
    }
    return beep_;
}

void SdlSoundDevice::feed(void* self, std::uint8_t* stream, int length) {
    static_cast<SdlSoundDevice*>(self)->feed(stream, length);
}

// Runs on SDL's audio thread: hands out the next part of the sound, silence after it.
void SdlSoundDevice::feed(std::uint8_t* stream, int length) {
    const auto size = static_cast<std::size_t>(std::max(length, 0));
    std::size_t given = 0;
    {
        const std::lock_guard lock(mutex_);
        if (playing_.sound != nullptr && !playing_.allHandedOut) {
            const Sound& sound = *playing_.sound;
            given = std::min(size, sound.size() - playing_.handedOut);
            std::copy_n(sound.begin() + static_cast<std::ptrdiff_t>(playing_.handedOut), given,
                        stream);
            playing_.handedOut += given;
            if (playing_.handedOut == sound.size()) {
                playing_.allHandedOut = true;
                playing_.endsAt = Clock::now() + playTime(given);
                handedOut_.notify_one();
            }
        }
    }
    std::fill(stream + given, stream + size, std::uint8_t{0});
}

void SdlSoundDevice::playAndWait(std::shared_ptr<const Sound> sound) {
    if (sound->empty()) {
        return;
    }
    const auto deadline = Clock::now() + playTime(sound->size()) + kStallAllowance;
    std::unique_lock lock(mutex_);
    playing_ = Playing{std::move(sound), 0, false, {}};
    const bool handedOut =
        handedOut_.wait_until(lock, deadline, [this] { return playing_.allHandedOut; });
    const Clock::time_point endsAt = playing_.endsAt + outputDelay_;
    playing_ = Playing{};
    lock.unlock();
    if (!handedOut) {
        // The output stopped taking samples. Drop it for the rest of the run so that no later
        // sound holds the game up again. The helper has nothing to do meanwhile: it was last
        // asked for the open output this play found.
        const std::lock_guard requestLock(requestMutex_);
        close();
        state_ = State::Unusable;
        return;
    }
    std::this_thread::sleep_until(endsAt);
}

}  // namespace koropika
