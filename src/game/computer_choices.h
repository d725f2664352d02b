#pragma once

// The computer's choices written once for any source of draws; computer.cpp gives them their
// public form, and the round engine calls them in place with the game's own source.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "game/random.h"
#include "game/round_state.h"
#include "game/table.h"

namespace koropika::choices {

template <typename Source>
inline std::int16_t randomFaceDownSlot(const Table& table, Source& random) {
    // The draw is uniform over every slot and repeats until it hits a face-down card; a pick is
    // only asked for while at least one card lies face down.
    const int count = table.cardCount();
    const std::uint64_t faceDown = table.faceDownSlots();
    for (;;) {
        // The product is never negative, so truncating is flooring.
        const int drawn = static_cast<int>(scaledDraw(random, count) + 1);
        const int slot = std::min(drawn, count);
        if ((faceDown >> slot) & 1U) {
            return static_cast<std::int16_t>(slot);
        }
    }
}

// The same from the game's own source, the draws made in one loop over its words.
inline std::int16_t randomFaceDownSlot(const Table& table, SeededRandom& random) {
    const int count = table.cardCount();
    const double toScaled = bitsToScaled(count);
    const std::uint64_t faceDown = table.faceDownSlots();
    int slot = 0;
    random.drawUntil([&](std::uint64_t bits) {
        slot = std::min(static_cast<int>(static_cast<double>(bits) * toScaled + 1), count);
        return ((faceDown >> slot) & 1U) != 0;
    });
    return static_cast<std::int16_t>(slot);
}

inline int lowestSlot(std::uint64_t bits) {
    return std::countr_zero(bits);
}

// 10u for one draw u, unchecked: a broken source's draw only changes whether memory is used.
inline double tenTimes(Random& random) {
    return 10 * random.next();
}

inline double tenTimes(SeededRandom& random) {
    return scaledDraw(random, 10);
}

// Whether a draw whose 10u is `tenU` makes the computer use its memory at `level`.
constexpr bool usesMemoryAt(int level, double tenU) {
    const double x = tenU + 1;
    // Truncating is flooring for the draws of [0, 1), and cheaper than std::floor.
    const int r = x >= 0 ? static_cast<int>(x) : static_cast<int>(std::floor(x));
    return r < level + 5;
}

template <typename Source>
inline bool usesMemory(int level, Source& random) {
    return usesMemoryAt(level, tenTimes(random));
}

// The same for the bits b of a draw of the game's own source: the test only turns from true to
// false as b grows, so it is b < the smallest bits that forget, found by bisection.
constexpr std::uint64_t forgettingBits(int level) {
    std::uint64_t low = 0;
    std::uint64_t high = std::uint64_t{1} << 53;  // no draw's bits: every draw remembers
    while (low < high) {
        const std::uint64_t middle = low + (high - low) / 2;
        if (usesMemoryAt(level, static_cast<double>(middle) * bitsToScaled(10))) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

inline constexpr int kLevelsWithBounds = 16;
inline constexpr auto kForgettingBits = [] {
    std::array<std::uint64_t, kLevelsWithBounds> bounds{};
    for (int level = 0; level < kLevelsWithBounds; ++level) {
        bounds[static_cast<std::size_t>(level)] = forgettingBits(level);
    }
    return bounds;
}();

inline bool usesMemory(int level, SeededRandom& random) {
    if (level >= 0 && level < kLevelsWithBounds) [[likely]] {
        return random.bits() < kForgettingBits[static_cast<std::size_t>(level)];
    }
    return usesMemoryAt(level, tenTimes(random));
}

template <typename Source>
inline bool chooseFirst(Table& table, RoundState& round, int level, Source& random) {
    round.cpuKnowsPair = 0;
    const bool fromMemory = usesMemory(level, random);
    if (fromMemory) {
        const auto [first, second] = table.knownPair();
        if (first != 0) {
            round.cpuFirstSlot = static_cast<std::int16_t>(first);
            round.cpuSecondSlot = static_cast<std::int16_t>(second);
            round.cpuKnowsPair = 1;
        }
    }
    if (round.cpuKnowsPair == 0) {
        round.cpuFirstSlot = randomFaceDownSlot(table, random);
    }
    table.remember(round.cpuFirstSlot);
    return fromMemory;
}

template <typename Source>
inline bool chooseSecond(Table& table, RoundState& round, int level, Source& random) {
    round.cpuFoundMatch = 0;
    bool chosen = false;
    const bool fromMemory = usesMemory(level, random);
    if (fromMemory) {
        if (round.cpuKnowsPair == 1) {
            chosen = true;  // the partner planned with the first card
        } else {
            // The smallest remembered face-down slot of the first card's rank, other than it.
            const std::uint64_t matches =
                table.seenFaceDownOfRank(table.seenRank(round.cpuFirstSlot)) &
                ~(std::uint64_t{1} << round.cpuFirstSlot);
            if (matches != 0) {
                round.cpuSecondSlot = static_cast<std::int16_t>(lowestSlot(matches));
                round.cpuFoundMatch = 1;
                chosen = true;
            }
        }
    }
    if (!chosen) {
        round.cpuSecondSlot = randomFaceDownSlot(table, random);
    }
    table.remember(round.cpuSecondSlot);
    return fromMemory;
}

}  // namespace koropika::choices
