#include "support/engine_rounds.h"

#include <bit>
#include <memory>
#include <random>
#include <stdexcept>

namespace koropika::testing {

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
        engine, cardCount, level, random, diceFace,
        [&policy](const RoundEngine& e, std::uint64_t offered) {
            const int slot = policy(e, offered);
            // The engine's own rule for a click agrees with the slots offered.
            if (e.playerMayTurn(slot) != (((offered >> (slot & 63)) & 1U) != 0)) {
                throw std::logic_error("the engine and the offered slots disagree on a card");
            }
            return slot;
        });
}

}  // namespace koropika::testing
