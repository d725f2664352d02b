#pragma once

// The scripted players the computer's strength is measured against.

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <stdexcept>

#include "game/move_log.h"
#include "game/round_state.h"
#include "game/table.h"
#include "support/engine_rounds.h"

namespace koropika::testing {

// The scripted opponents the computer's strength is measured against.
enum class PlayerKind {
    Perfect,  // remembers every card either side has shown and takes every known pair first
    Random,   // turns face-down cards at random
};

const char* nameOf(PlayerKind kind);

class StrengthPlayer {
  public:
    StrengthPlayer(PlayerKind kind, std::uint64_t seed) : kind_(kind), policy_(seed) {}

    PlayerKind kind() const { return kind_; }
    // A new round: everything seen before is forgotten.
    void newRound();
    // The next card to turn, from `offered`: the face-down slots the player may turn now, as
    // bits (bit s = slot s). The perfect player first learns every card the move log has shown
    // since its last choice.
    int choose(const RoundState& state, const MoveLog& log, std::uint64_t offered);
    // The same for a caller that shows the player every card as it is turned up, with `see`,
    // instead of handing it the move log.
    void see(int slot, int rank) { learn(slot, rank); }
    int chooseFromSeen(const RoundState& state, std::uint64_t offered);

  private:
    int pickFrom(std::uint64_t slots);
    void learn(int slot, int rank);

    PlayerKind kind_;
    std::mt19937_64 policy_;
    std::size_t logRead_ = 0;
    // The slots shown so far, and those of each rank. A pair taken stays in them: the slots
    // offered are face down, so a taken card is never offered again.
    std::uint64_t knownSlots_ = 0;
    std::array<std::uint64_t, Table::kMaxRank + 1> knownOfRank_{};
    // At least the ranks with two or more known face-down slots, as bits (bit r = rank r); a
    // rank found to have fewer when a move starts is dropped until a card of it is shown again.
    std::uint32_t pairRanks_ = 0;
};

// Called for every card the player turns, so kept where the rounds' loop can inline them.

inline int StrengthPlayer::pickFrom(std::uint64_t slots) {
    const SlotCounter counter(slots);
    return counter.nthBelowCount(static_cast<unsigned>(policy_() % counter.count()));
}

inline void StrengthPlayer::learn(int slot, int rank) {
    const std::uint64_t bit = std::uint64_t{1} << slot;
    knownSlots_ |= bit;
    std::uint64_t& ofRank = knownOfRank_[static_cast<std::size_t>(rank)];
    ofRank |= bit;
    if ((ofRank & (ofRank - 1)) != 0) {
        pairRanks_ |= std::uint32_t{1} << rank;
    }
}

inline int StrengthPlayer::choose(const RoundState& state, const MoveLog& log,
                                  std::uint64_t offered) {
    // What was shown since the last choice is learnt before anything counts as unknown.
    if (kind_ == PlayerKind::Perfect) {
        const auto& turns = log.turns();
        const std::size_t logged = turns.size();
        for (std::size_t i = logRead_; i < logged; ++i) {
            learn(turns[i].slot, turns[i].rank);
        }
        logRead_ = logged;
    }
    return chooseFromSeen(state, offered);
}

inline int StrengthPlayer::chooseFromSeen(const RoundState& state, std::uint64_t offered) {
    if (offered == 0) {
        throw std::logic_error("no card left to turn");
    }
    if (kind_ != PlayerKind::Perfect) {
        return pickFrom(offered);
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
    // No card of this move is up, so every card left on the table is offered.
    for (std::uint32_t ranks = pairRanks_; ranks != 0; ranks &= ranks - 1) {
        const int rank = std::countr_zero(ranks);
        const std::uint64_t pair = knownOfRank_[static_cast<std::size_t>(rank)] & offered;
        if ((pair & (pair - 1)) != 0) {
            return std::countr_zero(pair);
        }
        pairRanks_ &= ~(std::uint32_t{1} << rank);
    }
    return pickFrom(fresh);
}

}  // namespace koropika::testing
