#include "support/strength_player.h"

#include <bit>
#include <stdexcept>

#include "support/engine_rounds.h"

namespace koropika::testing {

const char* nameOf(PlayerKind kind) {
    switch (kind) {
        case PlayerKind::Perfect:
            return "perfect";
        case PlayerKind::Random:
            return "random";
        case PlayerKind::None:
            return "none";
    }
    return "?";
}

void StrengthPlayer::newRound() {
    logRead_ = 0;
    known_.fill(0);
    knownOfRank_.fill(0);
    knownSlots_ = 0;
}

int StrengthPlayer::pickFrom(std::uint64_t slots) {
    const auto count = static_cast<unsigned>(std::popcount(slots));
    return nthSlot(slots, static_cast<unsigned>(policy_() % count));
}

int StrengthPlayer::choose(const RoundState& state, const MoveLog& log, std::uint64_t offered) {
    if (offered == 0) {
        throw std::logic_error("no card left to turn");
    }
    if (kind_ != PlayerKind::Perfect) {
        return pickFrom(offered);
    }
    // What was shown since the last choice is learnt before anything counts as unknown.
    const auto& turns = log.turns();
    for (; logRead_ < turns.size(); ++logRead_) {
        const MoveLog::Turn& turn = turns[logRead_];
        known_[static_cast<std::size_t>(turn.slot)] = turn.rank;
        knownOfRank_[static_cast<std::size_t>(turn.rank)] |= std::uint64_t{1} << turn.slot;
        knownSlots_ |= std::uint64_t{1} << turn.slot;
    }
    const std::uint64_t unknown = offered & ~knownSlots_;
    const std::uint64_t fresh = unknown != 0 ? unknown : offered;
    if (state.flippedThisTurn == 1) {
        // The first card's match when one is known, else a card never seen.
        const int firstRank = known_[static_cast<std::size_t>(state.firstSlot)];
        const std::uint64_t match = knownOfRank_[static_cast<std::size_t>(firstRank)] & offered;
        return match != 0 ? std::countr_zero(match) : pickFrom(fresh);
    }
    // A known pair first; else a card never seen, whose match may then be known.
    for (std::size_t rank = 1; rank <= Table::kMaxRank; ++rank) {
        const std::uint64_t pair = knownOfRank_[rank] & offered;
        if ((pair & (pair - 1)) != 0) {
            return std::countr_zero(pair);
        }
    }
    return pickFrom(fresh);
}

}  // namespace koropika::testing
