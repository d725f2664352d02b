#include "support/engine_rounds.h"

#include <bit>
#include <memory>
#include <random>

namespace koropika::testing {

SlotCounter::SlotCounter(std::uint64_t slots) : slots_(slots) {
    // The set bits of each byte, then their running sums from the lowest byte up.
    std::uint64_t c = slots - ((slots >> 1) & 0x5555555555555555ULL);
    c = (c & 0x3333333333333333ULL) + ((c >> 2) & 0x3333333333333333ULL);
    c = (c + (c >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    runningCounts_ = c * 0x0101010101010101ULL;
}

int SlotCounter::nth(unsigned n) const {
    if (n >= count()) {
        return 64;  // no such bit, as std::countr_zero of no bits
    }
    // The lowest byte whose running count exceeds n, found in all bytes at once: with the top
    // bit of each byte set (no count reaches 128), subtracting n + 1 leaves it set exactly
    // where the count is at least n + 1.
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    const std::uint64_t reached = ((runningCounts_ | kTops) - (n + 1) * kOnes) & kTops;
    const int shift = std::countr_zero(reached) - 7;
    // The bits below that byte, then the remaining count within it.
    const auto below = static_cast<unsigned>(((runningCounts_ << 8) >> shift) & 0xffU);
    std::uint64_t byte = (slots_ >> shift) & 0xffU;
    for (n -= below; n > 0; --n) {
        byte &= byte - 1;
    }
    return shift + std::countr_zero(byte);
}

int nthSlot(std::uint64_t slots, unsigned n) {
    return SlotCounter(slots).nth(n);
}

PlayerPolicy drivenPlayer(std::uint64_t policySeed) {
    auto generator = std::make_shared<std::mt19937_64>(policySeed);
    return [generator](const RoundEngine&, std::uint64_t offered) {
        const SlotCounter slots(offered);
        return slots.nth(static_cast<unsigned>((*generator)() % slots.count()));
    };
}

ComputerPicks playEngineRound(RoundEngine& engine, int cardCount, int level, Random& random,
                              int diceFace, const PlayerPolicy& policy) {
    return playEngineRoundWith(
        engine, cardCount, level, random, diceFace, !policy,
        [&policy](const RoundEngine& e, std::uint64_t offered) { return policy(e, offered); });
}

}  // namespace koropika::testing
