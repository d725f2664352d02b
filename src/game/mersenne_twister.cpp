#include "game/mersenne_twister.h"

namespace koropika {

namespace {

constexpr std::uint64_t kUpperBits = ~std::uint64_t{0} << 31;
constexpr std::uint64_t kLowerBits = ~kUpperBits;
constexpr std::uint64_t kTwist = 0xb5026f5aa96619e9ULL;

std::uint64_t twisted(std::uint64_t word, std::uint64_t successor, std::uint64_t distant) {
    const std::uint64_t y = (word & kUpperBits) | (successor & kLowerBits);
    // Without a branch: the twist applies when y is odd.
    return distant ^ (y >> 1) ^ ((std::uint64_t{0} - (y & 1U)) & kTwist);
}

std::uint64_t tempered(std::uint64_t z) {
    z ^= (z >> 29) & 0x5555555555555555ULL;
    z ^= (z << 17) & 0x71d67fffeda60000ULL;
    z ^= (z << 37) & 0xfff7eee000000000ULL;
    return z ^ (z >> 43);
}

// Turns the n words of `x` (with room for one more) and tempers each into `out`. Both loops
// have no dependence between neighbouring words, so they run on vectors.
void turnAndTemper(std::uint64_t* __restrict x, std::uint64_t* __restrict out, std::size_t n,
                   std::size_t m) {
#pragma GCC unroll 4
    for (std::size_t k = 0; k < n - m; ++k) {
        x[k] = twisted(x[k], x[k + 1], x[k + m]);
        out[k] = tempered(x[k]);
    }
    x[n] = x[0];  // the last word's successor is the new first word
#pragma GCC unroll 4
    for (std::size_t k = n - m; k < n; ++k) {
        x[k] = twisted(x[k], x[k + 1], x[k - (n - m)]);
        out[k] = tempered(x[k]);
    }
}

}  // namespace

void MersenneTwister64::seed(std::uint64_t value) {
    state_[0] = value;
    for (std::size_t i = 1; i < kWords; ++i) {
        const std::uint64_t previous = state_[i - 1];
        state_[i] = 6364136223846793005ULL * (previous ^ (previous >> 62)) + i;
    }
    next_ = kWords;
}

void MersenneTwister64::refill() {
    turnAndTemper(state_.data(), words_.data(), kWords, kShift);
    next_ = 0;
}

}  // namespace koropika
