#include "game/computer.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace koropika {

namespace {

template <typename Source>
std::int16_t randomFaceDownSlot(const Table& table, Source& random) {
    // The draw is uniform over every slot and repeats until it hits a face-down card; a pick is
    // only asked for while at least one card lies face down.
    const int count = table.cardCount();
    const std::uint64_t faceDown = table.faceDownSlots();
    for (;;) {
        // The product is never negative, so truncating is flooring.
        const int drawn = static_cast<int>(count * checkedDraw(random) + 1);
        const int slot = std::min(drawn, count);
        if ((faceDown >> slot) & 1U) {
            return static_cast<std::int16_t>(slot);
        }
    }
}

int lowestSlot(std::uint64_t slots) {
    return std::countr_zero(slots);
}

template <typename Source>
bool usesMemory(int level, Source& random) {
    const double x = 10 * random.next() + 1;
    // Truncating is flooring for the draws of [0, 1), and cheaper than std::floor.
    const int r = x >= 0 ? static_cast<int>(x) : static_cast<int>(std::floor(x));
    return r < level + 5;
}

template <typename Source>
bool chooseFirst(Table& table, RoundState& round, int level, Source& random) {
    round.cpuKnowsPair = 0;
    const bool fromMemory = usesMemory(level, random);
    if (fromMemory) {
        // The known pair with the smallest slot: the smallest remembered face-down slot that
        // has a partner of its rank, and the smallest such partner. Going up the slots, a
        // partner can only lie above, or the partner would have been found first.
        int first = 0;
        int second = 0;
        for (std::uint64_t rest = table.seenFaceDownSlots(); rest != 0;) {
            const int slot = lowestSlot(rest);
            rest &= rest - 1;
            const std::uint64_t partners = table.slotsOfRank(table.rank(slot)) & rest;
            if (partners != 0) {
                first = slot;
                second = lowestSlot(partners);
                break;
            }
        }
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
bool chooseSecond(Table& table, RoundState& round, int level, Source& random) {
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

}  // namespace

bool computerUsesMemory(int level, Random& random) {
    return usesMemory(level, random);
}

bool chooseFirstCard(Table& table, RoundState& round, int level, Random& random) {
    return chooseFirst(table, round, level, random);
}

bool chooseFirstCard(Table& table, RoundState& round, int level, SeededRandom& random) {
    return chooseFirst(table, round, level, random);
}

bool chooseSecondCard(Table& table, RoundState& round, int level, Random& random) {
    return chooseSecond(table, round, level, random);
}

bool chooseSecondCard(Table& table, RoundState& round, int level, SeededRandom& random) {
    return chooseSecond(table, round, level, random);
}

}  // namespace koropika
