#include "game/computer.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace koropika {

namespace {

std::int16_t randomFaceDownSlot(const Table& table, Random& random) {
    // The draw is uniform over every slot and repeats until it hits a face-down card; a pick is
    // only asked for while at least one card lies face down.
    for (;;) {
        // The product is never negative, so truncating is flooring.
        const int drawn = static_cast<int>(table.cardCount() * checkedDraw(random) + 1);
        const auto slot = static_cast<std::int16_t>(std::min(drawn, table.cardCount()));
        if (table.faceDown(slot)) {
            return slot;
        }
    }
}

int lowestSlot(std::uint64_t slots) {
    return std::countr_zero(slots);
}

}  // namespace

bool computerUsesMemory(int level, Random& random) {
    const int r = static_cast<int>(std::floor(10 * random.next() + 1));
    return r < level + 5;
}

bool chooseFirstCard(Table& table, RoundState& round, int level, Random& random) {
    round.cpuKnowsPair = 0;
    const bool fromMemory = computerUsesMemory(level, random);
    if (fromMemory) {
        // The known pair with the smallest slot: among the ranks with two or more remembered
        // face-down cards, the one whose lowest such slot is smallest; its partner is the next
        // slot of that rank.
        int first = 0;
        int second = 0;
        for (int rank = 1; rank <= Table::kMaxRank; ++rank) {
            const std::uint64_t slots = table.seenFaceDownOfRank(rank);
            const bool twoOrMore = (slots & (slots - 1)) != 0;
            if (twoOrMore && (first == 0 || lowestSlot(slots) < first)) {
                first = lowestSlot(slots);
                second = lowestSlot(slots & (slots - 1));
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

bool chooseSecondCard(Table& table, RoundState& round, int level, Random& random) {
    round.cpuFoundMatch = 0;
    bool chosen = false;
    const bool fromMemory = computerUsesMemory(level, random);
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

}  // namespace koropika
