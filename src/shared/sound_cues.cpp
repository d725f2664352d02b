#include "shared/sound_cues.h"

#include <filesystem>

namespace koropika {

void SoundCues::play(const std::string& file) {
    device_.playToEnd((std::filesystem::path(settings_.appPath) / "wav" / file).string());
}

}  // namespace koropika
