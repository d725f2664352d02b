// The player's choice of sound: on or off, and one of three volume steps.
#pragma once

#include <optional>
#include <string_view>

namespace koropika {

enum class Volume { Loud, Medium, Soft };

struct SoundChoice {
    bool on = true;
    Volume volume = Volume::Loud;

    bool operator==(const SoundChoice&) const = default;
};

// The factor the samples are multiplied by at `volume`: at most 1, so a sound never clips.
double gainOf(Volume volume);

// The name a volume is stored under ("loud", "medium", "soft"), and the volume a stored name
// gives; none for any other text.
std::string_view storedName(Volume volume);
std::optional<Volume> volumeNamed(std::string_view name);

}  // namespace koropika
