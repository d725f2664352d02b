#pragma once

// The record of every card turned in a round, and its signature.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koropika {

// The 64-bit FNV-1a hash of `bytes`.
std::uint64_t fnv1a(std::string_view bytes);

// Every card turned in a round, in order, by whom. Its signature (a hash of the whole log) pins
// a seeded round: any change in how the round plays changes it.
class MoveLog {
  public:
    enum class Side : std::uint8_t { Player, Computer };
    struct Turn {
        Side side;
        int slot;
        int rank;
        friend bool operator==(const Turn&, const Turn&) = default;
    };

    void clear() { turns_.clear(); }
    void record(Side side, int slot, int rank) { turns_.push_back({side, slot, rank}); }
    const std::vector<Turn>& turns() const { return turns_; }
    // FNV-1a over "P12:5;C3:9;..." (side, slot, rank of each turn).
    std::uint64_t signature() const;
    std::string text() const;
    // The turns a text() gave; empty when `text` is not such a list.
    static std::optional<std::vector<Turn>> turnsFromText(std::string_view text);

  private:
    std::vector<Turn> turns_;
};

}  // namespace koropika
