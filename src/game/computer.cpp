#include "game/computer.h"

#include <algorithm>
#include <bit>

namespace koropika {

bool computerUsesMemory(int level, Random& random) {
    // The draw is never negative, so truncating is flooring.
    const int r = static_cast<int>(10 * checkedDraw(random) + 1);
    return r < level + 5;
}

int randomFaceDownSlot(const Table& table, Random& random) {
    const int count = table.cardCount();
    for (;;) {
        const int slot = std::min(static_cast<int>(count * checkedDraw(random) + 1), count);
        if (table.faceDown(slot)) {
            return slot;
        }
    }
}

bool chooseFirstCard(Table& table, RoundState& round, int level, Random& random) {
    round.cpuKnowsPair = false;
    const bool fromMemory = computerUsesMemory(level, random);
    if (fromMemory) {
        const auto [first, second] = table.knownPair();
        if (first != 0) {
            round.cpuFirstSlot = first;
            round.cpuSecondSlot = second;
            round.cpuKnowsPair = true;
        }
    }
    if (!round.cpuKnowsPair) {
        round.cpuFirstSlot = randomFaceDownSlot(table, random);
    }
    table.remember(round.cpuFirstSlot);
    return fromMemory;
}

bool chooseSecondCard(Table& table, RoundState& round, int level, Random& random) {
    round.cpuFoundMatch = false;
    bool chosen = false;
    const bool fromMemory = computerUsesMemory(level, random);
    if (fromMemory) {
        if (round.cpuKnowsPair) {
            chosen = true;  // the partner planned with the first card
        } else {
            // The smallest remembered face-down slot of the first card's rank, other than it.
            const std::uint64_t matches =
                table.seenFaceDownOfRank(table.seenRank(round.cpuFirstSlot)) &
                ~(std::uint64_t{1} << round.cpuFirstSlot);
            if (matches != 0) {
                round.cpuSecondSlot = std::countr_zero(matches);
                round.cpuFoundMatch = true;
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

}  // namespace koropika
