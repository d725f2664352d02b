// The player's choice of pace: how fast play goes, whether it waits for a key, and whether
// anything moves or blinks.
#pragma once

#include <optional>
#include <string_view>

#include "shared/durations.h"

namespace koropika {

// ゆっくり, ふつう, はやく: every wait of play twice, once or half its own length.
enum class Speed { Slow, Normal, Fast };

struct Pace {
    Speed speed = Speed::Normal;
    // キーで進める: the computer waits for a key or a click before each card it turns, and a
    // move's two cards stay up until one.
    bool stepByKey = false;
    // 動きを減らす: nothing blinks, nothing slides, the table is laid at once.
    bool reduceMotion = false;

    bool operator==(const Pace&) const = default;
};

// The length of `wait` at `speed`, in milliseconds.
int waitMs(durations::Wait wait, Speed speed);

// The name a speed is stored and given on the command line under ("slow", "normal", "fast"),
// and the speed a name gives; none for any other text.
std::string_view storedName(Speed speed);
std::optional<Speed> speedNamed(std::string_view name);

}  // namespace koropika
