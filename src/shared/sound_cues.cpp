#include "shared/sound_cues.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace koropika {
namespace {

namespace fs = std::filesystem;

// Paths are UTF-8 in memory; going through char8_t keeps them UTF-8 whatever the narrow
// encoding of the platform is.
fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

SoundCues::SoundCues(const SharedSettings& settings, SoundDevice& device)
    : settings_(settings), device_(device) {}

void SoundCues::playClick() {
    play(Cue::Click);
}
void SoundCues::playCancel() {
    play(Cue::Cancel);
}
void SoundCues::playPinpon() {
    play(Cue::Pinpon);
}
void SoundCues::playClock() {
    play(Cue::Clock);
}

void SoundCues::play(Cue cue) {
    // The program folder may be set, or change, after the cues are made.
    if (pathsOf_ != settings_.appPath || paths_[0].empty()) {
        static constexpr std::array<const char*, kCueCount> kFileNames = {"click.wav", "cancel.wav",
                                                                          "Pinpon.wav", "時計.wav"};
        pathsOf_ = settings_.appPath;
        const std::string folder = utf8FromPath(pathFromUtf8(settings_.appPath) / "wav");
        for (std::size_t i = 0; i < kCueCount; ++i) {
            paths_[i] = folder + "/" + kFileNames[i];
        }
    }
    device_.playToEnd(paths_[static_cast<std::size_t>(cue)]);
}

}  // namespace koropika
