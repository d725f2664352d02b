#pragma once

// The round's source of chance and the one way a draw is taken from it.

#include <cstdint>
#include <random>

namespace koropika {

// Uniform draws in [0, 1). The game window seeds it from the clock at every load; tests seed it
// or script it.
class Random {
  public:
    virtual ~Random() = default;
    virtual void seed(std::uint64_t seed) = 0;
    virtual double next() = 0;
};

// The game's own source: the top 53 bits of each word of std::mt19937_64, so that every double
// in [0, 1) on the 2^-53 grid is equally likely.
class SeededRandom final : public Random {
  public:
    explicit SeededRandom(std::uint64_t seed = 1) : engine_(seed) {}
    void seed(std::uint64_t seed) override { engine_.seed(seed); }
    double next() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

  private:
    std::mt19937_64 engine_;
};

// One draw of `random`, checked: a source that breaks its promise of [0, 1) is a programming
// fault, reported by an assertion in debug builds; release builds clamp the draw into [0, 1) so
// that an index computed from it stays on the table.
double checkedDraw(Random& random);

}  // namespace koropika
