#include "shared/pace.h"

#include <array>
#include <cstddef>

namespace koropika {
namespace {

struct SpeedStep {
    Speed speed;
    int times;  // the wait is multiplied by `times`, then divided by `parts`
    int parts;
    std::string_view name;
};

constexpr std::array<SpeedStep, 3> kSpeeds = {{
    {Speed::Slow, 2, 1, "slow"},
    {Speed::Normal, 1, 1, "normal"},
    {Speed::Fast, 1, 2, "fast"},
}};

const SpeedStep& stepOf(Speed speed) {
    return kSpeeds[static_cast<std::size_t>(speed)];
}

}  // namespace

int waitMs(durations::Wait wait, Speed speed) {
    const SpeedStep& step = stepOf(speed);
    return durations::baseMs(wait) * step.times / step.parts;
}

std::string_view storedName(Speed speed) {
    return stepOf(speed).name;
}

std::optional<Speed> speedNamed(std::string_view name) {
    for (const SpeedStep& step : kSpeeds) {
        if (step.name == name) {
            return step.speed;
        }
    }
    return std::nullopt;
}

}  // namespace koropika
