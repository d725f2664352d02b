#include "shared/sound_choice.h"

#include <array>
#include <cstddef>

namespace koropika {
namespace {

struct VolumeStep {
    Volume volume;
    double gain;
    std::string_view name;
};

// Each step halves the one before it.
constexpr std::array<VolumeStep, 3> kSteps = {{
    {Volume::Loud, 1.0, "loud"},
    {Volume::Medium, 0.5, "medium"},
    {Volume::Soft, 0.25, "soft"},
}};

const VolumeStep& stepOf(Volume volume) {
    return kSteps[static_cast<std::size_t>(volume)];
}

}  // namespace

double gainOf(Volume volume) {
    return stepOf(volume).gain;
}

std::string_view storedName(Volume volume) {
    return stepOf(volume).name;
}

std::optional<Volume> volumeNamed(std::string_view name) {
    for (const VolumeStep& step : kSteps) {
        if (step.name == name) {
            return step.volume;
        }
    }
    return std::nullopt;
}

}  // namespace koropika
