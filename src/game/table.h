#pragma once

// The cards on the table: the deal, each slot's card and how it lies, and the computer's memory
// of the cards it has seen.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/random.h"

namespace koropika {

// One playing card: suit 1..4, rank 1..perSuit.
struct Card {
    std::int16_t suit = 0;
    std::int16_t rank = 0;
    friend bool operator==(const Card&, const Card&) = default;
};

// Card size and grid of the table for one card count, in window pixels.
struct TableGeometry {
    int cardWidth = 0;
    int cardHeight = 0;
    int gridColumns = 0;
    int gridRows = 0;
    int perSuit = 0;  // ranks per suit
};

// 28, 40 and 52 cards are the table's sizes; any other count has no table.
std::optional<TableGeometry> tableGeometryFor(int cardCount);

struct SlotPlace {
    int left = 0;
    int top = 0;
    friend bool operator==(const SlotPlace&, const SlotPlace&) = default;
};

// Slots are numbered row by row from 1 at the top left: 15 pixels from the left edge and 35 from
// the top, with 8 between columns and 12 between rows.
SlotPlace slotPlace(const TableGeometry& geometry, int slot);

// Where the deal put the deck.
struct Deal {
    std::vector<Card> cardAt;     // by slot, 1..cardCount (0 unused)
    std::vector<int> slotOfCard;  // by deck position k, 1..cardCount (0 unused)
};

// Deals the deck, suit by suit and ranks ascending, onto the slots: each card k draws a slot
// floor(cardCount × u) + 1 and draws again until the slot is free. Throws std::invalid_argument
// outside 0..52 cards.
Deal dealCards(int cardCount, Random& random);

// What lies on each slot and how it lies. A card is face down while its back is shown, face up
// while only its face is, and taken when neither is (also, briefly, the blinking first card).
//
// Slots are kept as bits (bit s = slot s): the slots of each rank, the slots the computer has
// seen, and the backs and faces shown, so the computer finds a remembered pair or match without
// scanning every slot.
class Table {
  public:
    enum class State { FaceDown, FaceUp, Taken };
    static constexpr int kMaxSlots = 52;
    static constexpr int kMaxRank = 13;

    Table() = default;
    // Every card as dealt, no side of it shown yet and nothing remembered. Throws
    // std::invalid_argument for more than kMaxSlots cards or a rank outside 0..kMaxRank.
    explicit Table(const Deal& deal);

    // Every slot below takes 1..cardCount() (0 is allowed and holds no card) and throws
    // std::out_of_range for any other.
    int cardCount() const { return cardCount_; }
    const Card& card(int slot) const { return cards_[checked(slot)]; }
    int rank(int slot) const { return card(slot).rank; }

    bool backShown(int slot) const { return has(backShown_, slot); }
    bool faceShown(int slot) const { return has(faceShown_, slot); }
    void setBackShown(int slot, bool shown) { set(backShown_, slot, shown); }
    void setFaceShown(int slot, bool shown) { set(faceShown_, slot, shown); }
    bool faceDown(int slot) const { return backShown(slot); }
    bool anyFaceDown() const { return backShown_ != 0; }
    std::uint64_t faceDownSlots() const { return backShown_; }
    State state(int slot) const;

    // The computer's memory: the rank of each slot once its card has been turned up, 0 before.
    int seenRank(int slot) const { return has(seen_, slot) ? rank(slot) : 0; }
    void remember(int slot) { set(seen_, slot, true); }

    // The slots holding `rank`.
    std::uint64_t slotsOfRank(int rank) const;
    // The face-down slots the computer has seen, of `rank`.
    std::uint64_t seenFaceDownOfRank(int rank) const {
        return slotsOfRank(rank) & seen_ & backShown_;
    }

    // The remembered pair with the smallest slot: the smallest seen face-down slot that has a
    // partner of its rank seen face down, and the smallest such partner; {0, 0} when there is
    // none.
    struct SlotPair {
        int first = 0;
        int second = 0;
    };
    SlotPair knownPair() const;

    friend bool operator==(const Table&, const Table&) = default;

  private:
    std::size_t checked(int slot) const;
    bool has(std::uint64_t bits, int slot) const { return ((bits >> checked(slot)) & 1U) != 0; }
    void set(std::uint64_t& bits, int slot, bool on) const {
        const std::uint64_t bit = std::uint64_t{1} << checked(slot);
        bits = on ? (bits | bit) : (bits & ~bit);
    }

    int cardCount_ = 0;
    std::array<Card, kMaxSlots + 1> cards_{};
    std::array<std::uint64_t, kMaxRank + 1> slotsOfRank_{};
    std::uint64_t seen_ = 0;
    std::uint64_t backShown_ = 0;
    std::uint64_t faceShown_ = 0;
};

}  // namespace koropika
