#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
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
    std::int16_t gridColumns = 0;
    std::int16_t gridRows = 0;
    std::int16_t perSuit = 0;  // ranks per suit
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
// floor(cardCount × u) + 1 and draws again until the slot is free.
Deal dealCards(int cardCount, Random& random);

// The rank pair test: the second card's rank text, read as a number, equals the first rank.
bool isPairRank(std::string_view secondRankText, int firstRank);

// What lies on each slot and how it lies. A card is face down while its back is shown, face up
// while only its face is, and taken when neither is (also, briefly, the blinking first card).
//
// The table also keeps the slots of each rank and the slots the computer has seen, as bits, so
// the computer finds a remembered pair or match without scanning every slot.
class Table {
  public:
    enum class State { FaceDown, FaceUp, Taken };
    static constexpr int kMaxSlots = 52;
    static constexpr int kMaxRank = 13;

    Table() = default;
    // Throws std::invalid_argument for more than kMaxSlots cards or a rank outside 1..kMaxRank.
    explicit Table(const Deal& deal);

    // A fresh table with `cardCount` cards dealt as `dealCards` deals them, every card still
    // unshown and nothing remembered. Throws std::invalid_argument outside 0..kMaxSlots cards.
    // The game's own source is taken as what it is, so its draws are made in place.
    void deal(int cardCount, Random& random);
    void deal(int cardCount, SeededRandom& random);

    int cardCount() const { return cardCount_; }
    const Card& card(int slot) const { return cards_[checked(slot)]; }
    int rank(int slot) const { return card(slot).rank; }

    bool backShown(int slot) const { return (backShown_ >> checked(slot)) & 1U; }
    bool faceShown(int slot) const { return (faceShown_ >> checked(slot)) & 1U; }
    void setBackShown(int slot, bool shown) { setBit(backShown_, checked(slot), shown); }
    void setFaceShown(int slot, bool shown) { setBit(faceShown_, checked(slot), shown); }
    bool faceDown(int slot) const { return backShown(slot); }
    // Every slot's back shown, as setBackShown(slot, true) for each.
    void showAllBacks() { backShown_ |= ((std::uint64_t{1} << cardCount_) - 1) << 1; }
    bool anyFaceDown() const { return backShown_ != 0; }
    // The face-down slots as bits (bit s = slot s).
    std::uint64_t faceDownSlots() const { return backShown_; }
    State state(int slot) const;

    // The computer's memory: the rank of each slot once its card has been turned up, 0 before.
    std::int16_t seenRank(int slot) const {
        const std::size_t index = checked(slot);
        return ((seen_ >> index) & 1U) != 0 ? cards_[index].rank : std::int16_t{0};
    }
    void remember(int slot) { seen_ |= std::uint64_t{1} << checked(slot); }

    // The round's own steps, on slots known to lie on the table (a checked call or the table's
    // own bits gave them), so unchecked.
    int rankAt(int slot) const { return cards_[static_cast<std::size_t>(slot)].rank; }
    // The back hidden and the face shown.
    void turnFaceUp(int slot) {
        const std::uint64_t bit = std::uint64_t{1} << slot;
        backShown_ &= ~bit;
        faceShown_ |= bit;
    }
    void showFace(int slot) { faceShown_ |= std::uint64_t{1} << slot; }
    // A move's two cards: taken, neither side shown; else face down again, the face kept
    // under the back.
    void settleMove(int first, int second, bool taken) {
        const std::uint64_t both = (std::uint64_t{1} << first) | (std::uint64_t{1} << second);
        if (taken) {
            backShown_ &= ~both;
            faceShown_ &= ~both;
        } else {
            backShown_ |= both;
            faceShown_ |= both;
        }
    }

    // The slots holding `rank`, as bits (bit s = slot s).
    std::uint64_t slotsOfRank(int rank) const {
        return rank < 1 || rank > kMaxRank ? 0 : slotsOfRank_[static_cast<std::size_t>(rank)];
    }
    // The slots the computer has seen that lie face down, as bits.
    std::uint64_t seenFaceDownSlots() const { return seen_ & backShown_; }
    // Those of `rank`.
    std::uint64_t seenFaceDownOfRank(int rank) const {
        return slotsOfRank(rank) & seenFaceDownSlots();
    }

    // The remembered pair with the smallest slot: the smallest seen face-down slot that has a
    // partner of its rank seen face down, and the smallest such partner; {0, 0} when there is
    // none. Going up the slots, a partner can only lie above, or it would have been found first.
    struct SlotPair {
        int first = 0;
        int second = 0;
    };
    SlotPair knownPair() const {
        // The slots come from the table's own bits, so they need no check.
        for (std::uint64_t rest = seenFaceDownSlots(); rest != 0;) {
            const int slot = std::countr_zero(rest);
            rest &= rest - 1;
            const auto rank = static_cast<std::size_t>(cards_[static_cast<std::size_t>(slot)].rank);
            const std::uint64_t partners = slotsOfRank_[rank] & rest;
            if (partners != 0 && rank != 0) {
                return {slot, std::countr_zero(partners)};
            }
        }
        return {};
    }

  private:
    template <typename Source>
    void dealFrom(int cardCount, Source& random);

    // The slot as an index; throws std::out_of_range outside 0..cardCount().
    std::size_t checked(int slot) const {
        // One unsigned comparison: a negative slot wraps round to a large one.
        if (static_cast<unsigned>(slot) > static_cast<unsigned>(cardCount_)) {
            throwNoSuchSlot(slot);
        }
        return static_cast<std::size_t>(slot);
    }
    [[noreturn]] static void throwNoSuchSlot(int slot);
    static void setBit(std::uint64_t& bits, std::size_t index, bool on) {
        const std::uint64_t bit = std::uint64_t{1} << index;
        bits = on ? (bits | bit) : (bits & ~bit);
    }
    void place(int slot, Card card) {
        cards_[static_cast<std::size_t>(slot)] = card;
        slotsOfRank_[static_cast<std::size_t>(card.rank)] |= std::uint64_t{1} << slot;
    }

    int cardCount_ = 0;
    std::array<Card, kMaxSlots + 1> cards_{};
    std::array<std::uint64_t, kMaxRank + 1> slotsOfRank_{};
    std::uint64_t seen_ = 0;
    std::uint64_t backShown_ = 0;
    std::uint64_t faceShown_ = 0;
};

}  // namespace koropika
