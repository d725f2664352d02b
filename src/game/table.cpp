#include "game/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

namespace {

template <typename Source>
int drawSlot(int cardCount, Source& random) {
    // The product is never negative, so truncating is flooring.
    const int slot = static_cast<int>(cardCount * checkedDraw(random)) + 1;
    return std::min(slot, cardCount);  // the largest draw below 1 may still round up
}

template <typename Source>
Deal dealFrom(int cardCount, Source& random) {
    const int perSuit = cardCount / 4;
    Deal deal;
    deal.cardAt.assign(static_cast<std::size_t>(cardCount) + 1, Card{});
    deal.slotOfCard.assign(static_cast<std::size_t>(cardCount) + 1, 0);
    std::int16_t rank = 0;
    std::int16_t suit = 1;
    for (int k = 1; k <= cardCount; ++k) {
        ++rank;
        int slot = drawSlot(cardCount, random);
        while (k > 1 && deal.cardAt[static_cast<std::size_t>(slot)].rank != 0) {
            slot = drawSlot(cardCount, random);
        }
        deal.cardAt[static_cast<std::size_t>(slot)] = Card{suit, rank};
        deal.slotOfCard[static_cast<std::size_t>(k)] = slot;
        if (rank == perSuit) {
            rank = 0;
            ++suit;
        }
    }
    return deal;
}

}  // namespace

Deal dealCards(int cardCount, Random& random) {
    // A 52-card deal takes about 240 draws: from the game's own source they are made in place.
    if (auto* seeded = dynamic_cast<SeededRandom*>(&random)) {
        return dealFrom(cardCount, *seeded);
    }
    return dealFrom(cardCount, random);
}

bool isPairRank(std::string_view secondRankText, int firstRank) {
    double value = 0;
    const char* end = secondRankText.data() + secondRankText.size();
    const auto [ptr, error] = std::from_chars(secondRankText.data(), end, value);
    return error == std::errc{} && ptr == end && value == firstRank;
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
    }
}

void Table::throwNoSuchSlot(int slot) {
    throw std::out_of_range("no such slot on the table: " + std::to_string(slot));
}

Table::State Table::state(int slot) const {
    if (backShown(slot)) {
        return State::FaceDown;
    }
    return faceShown(slot) ? State::FaceUp : State::Taken;
}

}  // namespace koropika
