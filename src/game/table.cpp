#include "game/table.h"

#include <charconv>
#include <cmath>

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

int drawSlot(int cardCount, Random& random) {
    return static_cast<int>(std::floor(cardCount * random.next())) + 1;
}

}  // namespace

Deal dealCards(int cardCount, Random& random) {
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

bool isPairRank(std::string_view secondRankText, int firstRank) {
    double value = 0;
    const char* end = secondRankText.data() + secondRankText.size();
    const auto [ptr, error] = std::from_chars(secondRankText.data(), end, value);
    return error == std::errc{} && ptr == end && value == firstRank;
}

Table::Table(const Deal& deal)
    : cards_(deal.cardAt),
      backShown_(deal.cardAt.size(), false),
      faceShown_(deal.cardAt.size(), false),
      seenRank_(deal.cardAt.size(), 0) {}

bool Table::anyFaceDown() const {
    for (int slot = 1; slot <= cardCount(); ++slot) {
        if (faceDown(slot)) {
            return true;
        }
    }
    return false;
}

Table::State Table::state(int slot) const {
    if (backShown(slot)) {
        return State::FaceDown;
    }
    return faceShown(slot) ? State::FaceUp : State::Taken;
}

}  // namespace koropika
