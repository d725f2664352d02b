#include "shared/sound_cues.h"

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
    play("click.wav");
}
void SoundCues::playCancel() {
    play("cancel.wav");
}
void SoundCues::playPinpon() {
    play("Pinpon.wav");
}
void SoundCues::playClock() {
    play("時計.wav");
}

void SoundCues::play(const char* fileName) {
    // The program folder may be set, or change, after the cues are made.
    if (wavFolder_.empty() || wavFolderOf_ != settings_.appPath) {
        wavFolderOf_ = settings_.appPath;
        wavFolder_ = utf8FromPath(pathFromUtf8(settings_.appPath) / "wav");
    }
    device_.playToEnd(wavFolder_ + "/" + fileName);
}

}  // namespace koropika
