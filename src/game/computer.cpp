#include "game/computer.h"

#include <cmath>

namespace koropika {

namespace {

std::int16_t randomFaceDownSlot(const Table& table, Random& random) {
    // The draw is uniform over every slot and repeats until it hits a face-down card; a pick is
    // only asked for while at least one card lies face down.
    for (;;) {
        const auto slot =
            static_cast<std::int16_t>(std::floor(table.cardCount() * random.next() + 1));
        if (table.faceDown(slot)) {
            return slot;
        }
    }
}

bool rememberedFaceDown(const Table& table, int slot) {
    return table.faceDown(slot) && table.seenRank(slot) != 0;
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
        const int count = table.cardCount();
        for (int i = 1; i <= count && round.cpuKnowsPair == 0; ++i) {
            if (!rememberedFaceDown(table, i)) {
                continue;
            }
            for (int j = 1; j <= count; ++j) {
                if (j != i && rememberedFaceDown(table, j) &&
                    table.seenRank(j) == table.seenRank(i)) {
                    round.cpuFirstSlot = static_cast<std::int16_t>(i);
                    round.cpuSecondSlot = static_cast<std::int16_t>(j);
                    round.cpuKnowsPair = 1;
                    break;
                }
            }
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
            const std::int16_t wanted = table.seenRank(round.cpuFirstSlot);
            for (int i = 1; i <= table.cardCount(); ++i) {
                if (i != round.cpuFirstSlot && rememberedFaceDown(table, i) &&
                    table.seenRank(i) == wanted) {
                    round.cpuSecondSlot = static_cast<std::int16_t>(i);
                    round.cpuFoundMatch = 1;
                    chosen = true;
                    break;
                }
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
