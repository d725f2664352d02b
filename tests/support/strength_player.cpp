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
    knownSlots_ = 0;
    knownOfRank_.fill(0);
    pairRanks_ = 0;
    secondOfMove_ = false;
}

int StrengthPlayer::pickFrom(std::uint64_t slots) {
    const SlotCounter counter(slots);
    return counter.nth(static_cast<unsigned>(policy_() % counter.count()));
}

void StrengthPlayer::learn(const MoveLog::Turn& turn) {
    const auto rank = static_cast<unsigned>(turn.rank);
    const std::uint64_t bit = std::uint64_t{1} << turn.slot;
    knownSlots_ |= bit;
    std::uint64_t& ofRank = knownOfRank_[rank];
    const std::uint32_t rankBit = std::uint32_t{1} << rank;
    if (secondOfMove_ && rank == moveFirstRank_ && bit != moveFirstBit_) {
        // The pair was taken: both cards leave the table.
        ofRank &= ~(bit | moveFirstBit_);
        if ((ofRank & (ofRank - 1)) == 0) {
            pairRanks_ &= ~rankBit;
        }
    } else {
        ofRank |= bit;
        if ((ofRank & (ofRank - 1)) != 0) {
            pairRanks_ |= rankBit;
        }
    }
    moveFirstBit_ = bit;
    moveFirstRank_ = rank;
    secondOfMove_ = !secondOfMove_;
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
        learn(turns[logRead_]);
    }
    const std::uint64_t unknown = offered & ~knownSlots_;
    const std::uint64_t fresh = unknown != 0 ? unknown : offered;
    if (state.flippedThisTurn == 1) {
        // The first card's match when one is known, else a card never seen. The first card lies
        // face up, so its rank is known.
        const std::uint64_t match =
            knownOfRank_[static_cast<std::size_t>(state.firstRank)] & offered;
        return match != 0 ? std::countr_zero(match) : pickFrom(fresh);
    }
    // A known pair first, the smallest rank's; else a card never seen, whose match may then be
    // known.
    for (std::uint32_t ranks = pairRanks_; ranks != 0; ranks &= ranks - 1) {
        const std::uint64_t pair =
            knownOfRank_[static_cast<std::size_t>(std::countr_zero(ranks))] & offered;
        if ((pair & (pair - 1)) != 0) {
            return std::countr_zero(pair);
        }
    }
    return pickFrom(fresh);
}

}  // namespace koropika::testing
