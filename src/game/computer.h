#pragma once

// The computer opponent's choices: whether it uses its memory, and which card it turns.

#include "game/random.h"
#include "game/round_state.h"
#include "game/table.h"

namespace koropika {

// Before each pick the computer draws r = floor(10u + 1) and uses its memory when r < level + 5:
// half of its picks at level 1, ten points more per level, every pick at level 6.
bool computerUsesMemory(int level, Random& random);

// A face-down slot at random: slot floor(cardCount × u + 1), drawn again until it lies face
// down. Only asked for while a card lies face down.
int randomFaceDownSlot(const Table& table, Random& random);

// The computer's first card: with memory, the remembered pair with the smallest slot (its partner
// the smallest other slot of that rank), else a random face-down slot. Sets cpuFirstSlot, and
// cpuSecondSlot with cpuKnowsPair for a remembered pair; the card is remembered. True when the
// pick used memory.
bool chooseFirstCard(Table& table, RoundState& round, int level, Random& random);

// The computer's second card: with memory, the planned partner or the smallest face-down slot
// remembered with the first card's rank, else a random face-down slot. Sets cpuSecondSlot and
// cpuFoundMatch; the card is remembered. True when the pick used memory.
bool chooseSecondCard(Table& table, RoundState& round, int level, Random& random);

}  // namespace koropika
