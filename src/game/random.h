#pragma once

#include <cassert>
#include <cmath>
#include <cstdint>

#include "game/mersenne_twister.h"

namespace koropika {

// The round's source of chance: uniform draws in [0, 1). The game window seeds it from the
// clock at every load; tests seed it or script it.
class Random {
  public:
    virtual ~Random() = default;
    virtual void seed(std::uint64_t seed) = 0;
    virtual double next() = 0;
};

class SeededRandom final : public Random {
  public:
    explicit SeededRandom(std::uint64_t seed = 1) : engine_(seed) {}
    void seed(std::uint64_t seed) override { engine_.seed(seed); }
    // 53 random bits make every double in [0, 1) on the 2^-53 grid equally likely.
    double next() override { return static_cast<double>(bits()) * 0x1.0p-53; }
    // The 53 bits behind the next draw: that draw is bits() × 2^-53.
    std::uint64_t bits() { return engine_() >> 11; }
    // Draws until `accept` takes the bits of a draw.
    template <typename Accept>
    void drawUntil(Accept&& accept) {
        engine_.drawUntil([&accept](std::uint64_t word) { return accept(word >> 11); });
    }
    // Hands the bits of draw after draw to `more` until it returns false.
    template <typename More>
    void drawWhile(More&& more) {
        engine_.drawWhile([&more](std::uint64_t word) { return more(word >> 11); });
    }

  private:
    MersenneTwister64 engine_;
};

// One draw of `random`, checked: a source that breaks its promise of [0, 1) is a programming
// fault, reported by an assertion in debug builds; release builds clamp the draw into [0, 1) so
// an index computed from it stays on the table. A caller that knows its source is a
// `SeededRandom` passes it as one, and the draw is made in place.
template <typename Source>
double checkedDraw(Source& random) {
    const double u = random.next();
    const bool inRange = u >= 0.0 && u < 1.0;  // false for NaN too
    assert(inRange && "a random draw must lie in [0, 1)");
    if (inRange) [[likely]] {
        return u;
    }
    return u >= 1.0 ? std::nextafter(1.0, 0.0) : 0.0;
}

// scale × u for one checked draw u, for a small whole `scale` (a slot count, a die's faces).
template <typename Source>
double scaledDraw(Source& random, int scale) {
    return scale * checkedDraw(random);
}

// The same from the game's own source, whose draws always lie in [0, 1), in one multiplication:
// u = bits × 2^-53 and scale × 2^-53 are both exact, so bits × (scale × 2^-53) rounds the very
// same product as scale × u. `bitsToScaled` gives that factor, for loops over many draws.
constexpr double bitsToScaled(int scale) {
    return scale * 0x1.0p-53;
}

inline double scaledDraw(SeededRandom& random, int scale) {
    return static_cast<double>(random.bits()) * bitsToScaled(scale);
}

// floor(scale × u) for the bits of a draw u, always below `scale`: the largest draw,
// 1 − 2^-53, times a whole scale s lies s × 2^-53 below s, more than half a step of the doubles
// there, so the product rounds below s, and so does every smaller one.
inline int scaledIndex(std::uint64_t bits, double toScaled) {
    return static_cast<int>(static_cast<double>(bits) * toScaled);
}

}  // namespace koropika
