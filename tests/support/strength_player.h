#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "game/move_log.h"
#include "game/round_state.h"
#include "game/table.h"

namespace koropika::testing {

// The scripted opponents the computer's strength is measured against.
enum class PlayerKind {
    Perfect,  // remembers every card either side has shown and takes every known pair first
    Random,   // turns face-down cards at random
    None,     // never moves: each of its turns goes straight back to the computer
};

const char* nameOf(PlayerKind kind);

class StrengthPlayer {
  public:
    StrengthPlayer(PlayerKind kind, std::uint64_t seed) : kind_(kind), policy_(seed) {}

    PlayerKind kind() const { return kind_; }
    // A new round: everything seen before is forgotten.
    void newRound(int cardCount);
    // The next card to turn, from `offered`: the face-down slots the player may turn now.
    // The perfect player first learns every card the move log has shown since its last choice.
    int choose(const Table& table, const RoundState& state, const MoveLog& log,
               const std::vector<int>& offered);

  private:
    int rankOf(int slot) const { return known_[static_cast<std::size_t>(slot)]; }
    int pickFrom(const std::vector<int>& slots) { return slots[policy_() % slots.size()]; }

    PlayerKind kind_;
    std::mt19937_64 policy_;
    // The rank of each slot once it was shown, else 0.
    std::vector<int> known_;
    std::size_t logRead_ = 0;
    std::vector<int> unknown_;
};

}  // namespace koropika::testing
