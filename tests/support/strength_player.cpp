#include "support/strength_player.h"

#include <stdexcept>

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

void StrengthPlayer::newRound(int cardCount) {
    known_.assign(static_cast<std::size_t>(cardCount) + 1, 0);
    logRead_ = 0;
}

int StrengthPlayer::choose(const Table& table, const RoundState& state, const MoveLog& log,
                           const std::vector<int>& offered) {
    if (offered.empty()) {
        throw std::logic_error("no card left to turn");
    }
    if (kind_ != PlayerKind::Perfect) {
        return pickFrom(offered);
    }
    if (known_.size() != static_cast<std::size_t>(table.cardCount()) + 1) {
        newRound(table.cardCount());
    }
    // What was shown since the last choice is learnt before anything counts as unknown.
    const auto& turns = log.turns();
    for (; logRead_ < turns.size(); ++logRead_) {
        known_[static_cast<std::size_t>(turns[logRead_].slot)] = turns[logRead_].rank;
    }
    unknown_.clear();
    for (const int slot : offered) {
        if (rankOf(slot) == 0) {
            unknown_.push_back(slot);
        }
    }
    const std::vector<int>& fresh = unknown_.empty() ? offered : unknown_;
    if (state.flippedThisTurn == 1) {
        // The first card's match when one is known, else a card never seen.
        for (const int slot : offered) {
            if (rankOf(slot) == rankOf(state.firstSlot)) {
                return slot;
            }
        }
        return pickFrom(fresh);
    }
    // A known pair first; else a card never seen, whose match may then be known.
    int seenOfRank[Table::kMaxRank + 1] = {};
    for (const int slot : offered) {
        const int rank = rankOf(slot);
        if (rank == 0) {
            continue;
        }
        if (seenOfRank[rank] != 0) {
            return seenOfRank[rank];
        }
        seenOfRank[rank] = slot;
    }
    return pickFrom(fresh);
}

}  // namespace koropika::testing
