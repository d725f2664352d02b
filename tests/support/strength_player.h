#pragma once

#include <array>
#include <cstdint>

#include "game/mersenne_twister.h"
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
    void newRound();
    // The next card to turn, from `offered`: the face-down slots the player may turn now, as
    // bits (bit s = slot s). The perfect player first learns every card the move log has shown
    // since its last choice.
    int choose(const RoundState& state, const MoveLog& log, std::uint64_t offered);

  private:
    int pickFrom(std::uint64_t slots);
    void learn(const MoveLog::Turn& turn);

    PlayerKind kind_;
    MersenneTwister64 policy_;  // the words of std::mt19937_64
    std::size_t logRead_ = 0;
    // The slots shown so far, and of each rank, those still on the table (a move's two cards of
    // one rank leave it).
    std::uint64_t knownSlots_ = 0;
    std::array<std::uint64_t, Table::kMaxRank + 1> knownOfRank_{};
    // The ranks with two or more such slots, as bits (bit r = rank r).
    std::uint32_t pairRanks_ = 0;
    // The first card of the move being learnt.
    std::uint64_t moveFirstBit_ = 0;
    unsigned moveFirstRank_ = 0;
    bool secondOfMove_ = false;
};

}  // namespace koropika::testing
