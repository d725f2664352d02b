#include "game/table.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string>

namespace koropika {

std::optional<TableGeometry> tableGeometryFor(int cardCount) {
    switch (cardCount) {
        case 28:
            return TableGeometry{69, 90, 7, 4, 7};
        case 40:
            return TableGeometry{59, 76, 8, 5, 10};
        case 52:
            return TableGeometry{52, 68, 9, 6, 13};
        default:
            return std::nullopt;
    }
}

SlotPlace slotPlace(const TableGeometry& geometry, int slot) {
    const int row = (slot - 1) / geometry.gridColumns;
    const int column = (slot - 1) % geometry.gridColumns;
    return {15 + column * (geometry.cardWidth + 8), 35 + row * (geometry.cardHeight + 12)};
}

Deal dealCards(int cardCount, Random& random) {
    if (cardCount < 0 || cardCount > Table::kMaxSlots) {
        throw std::invalid_argument("a table holds at most 52 cards");
    }
    Deal deal;
    deal.cardAt.assign(static_cast<std::size_t>(cardCount) + 1, Card{});
    deal.slotOfCard.assign(static_cast<std::size_t>(cardCount) + 1, 0);
    const int perSuit = cardCount / 4;
    std::uint64_t dealt = 0;  // bit s: slot s holds a card
    Card card{1, 0};
    for (int k = 1; k <= cardCount; ++k) {
        ++card.rank;
        int slot = 0;
        do {
            // The product is never negative, so truncating is flooring; the largest draw below 1
            // still falls on the last slot.
            slot = std::min(static_cast<int>(cardCount * checkedDraw(random)) + 1, cardCount);
        } while (((dealt >> slot) & 1U) != 0);
        dealt |= std::uint64_t{1} << slot;
        deal.cardAt[static_cast<std::size_t>(slot)] = card;
        deal.slotOfCard[static_cast<std::size_t>(k)] = slot;
        if (card.rank == perSuit) {
            card.rank = 0;
            ++card.suit;
        }
    }
    return deal;
}

Table::Table(const Deal& deal) {
    const std::size_t count = deal.cardAt.empty() ? 0 : deal.cardAt.size() - 1;
    if (count > static_cast<std::size_t>(kMaxSlots)) {
        throw std::invalid_argument("a table holds at most 52 cards");
    }
    cardCount_ = static_cast<int>(count);
    for (std::size_t slot = 1; slot <= count; ++slot) {
        const Card& card = deal.cardAt[slot];
        if (card.rank < 0 || card.rank > kMaxRank) {
            throw std::invalid_argument("a card's rank lies outside 1..13");
        }
        cards_[slot] = card;
        slotsOfRank_[static_cast<std::size_t>(card.rank)] |= std::uint64_t{1} << slot;
    }
}

std::size_t Table::checked(int slot) const {
    if (slot < 0 || slot > cardCount_) {
        throw std::out_of_range("no such slot on the table: " + std::to_string(slot));
    }
    return static_cast<std::size_t>(slot);
}

Table::State Table::state(int slot) const {
    if (backShown(slot)) {
        return State::FaceDown;
    }
    return faceShown(slot) ? State::FaceUp : State::Taken;
}

std::uint64_t Table::slotsOfRank(int rank) const {
    return rank < 1 || rank > kMaxRank ? 0 : slotsOfRank_[static_cast<std::size_t>(rank)];
}

Table::SlotPair Table::knownPair() const {
    // Going up the slots, a partner can only lie above, or it would have been found first.
    for (std::uint64_t rest = seen_ & backShown_; rest != 0;) {
        const int slot = std::countr_zero(rest);
        rest &= rest - 1;
        const std::uint64_t partners = slotsOfRank(rank(slot)) & rest;
        if (partners != 0) {
            return {slot, std::countr_zero(partners)};
        }
    }
    return {};
}

}  // namespace koropika
