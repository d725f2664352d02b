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
        int suit = 0;             // 1..4; 0 where it is not known
        bool fromMemory = false;  // a computer's pick that came from its memory
        friend bool operator==(const Turn&, const Turn&) = default;
    };

    void clear() { turns_.clear(); }
    void record(const Turn& turn) { turns_.push_back(turn); }
    const std::vector<Turn>& turns() const { return turns_; }
    // FNV-1a over "P12:5;C3:9;..." (side, slot, rank of each turn).
    std::uint64_t signature() const;
    std::string text() const;

    // Every field of the turns, as the records keep them: "P12b5C3a9M7d13" is the player at
    // slot 12, the card of suit 2 (b) and rank 5, then the computer at random at slot 3 (suit 1,
    // rank 9), then the computer from memory at slot 7 (suit 4, rank 13). A suit outside 1..4 is
    // written x and read as 0. A 52-card round's moves take at most 6 bytes a card.
    static std::string fullText(const std::vector<Turn>& turns);
    // The turns a fullText() gave; empty when `text` is not such a list.
    static std::optional<std::vector<Turn>> turnsFromText(std::string_view text);

  private:
    std::vector<Turn> turns_;
};

}  // namespace koropika
