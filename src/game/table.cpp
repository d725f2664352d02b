#include "game/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

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

// Slot floor(cardCount × u) + 1 from cardCount × u.
int slotAt(double scaled, int cardCount) {
    // The product is never negative, so truncating is flooring.
    const int slot = static_cast<int>(scaled) + 1;
    return std::min(slot, cardCount);  // the largest draw below 1 may still round up
}

// Draws slots until one is free.
template <typename Source, typename Place>
int drawFreeSlot(int cardCount, Source& random, const Place& place) {
    for (;;) {
        const int slot = slotAt(scaledDraw(random, cardCount), cardCount);
        if (!place.holdsCard(slot)) {
            return slot;
        }
    }
}

// The same from the game's own source, the draws made in one loop over its words.
template <typename Place>
int drawFreeSlot(int cardCount, SeededRandom& random, const Place& place) {
    const double toScaled = bitsToScaled(cardCount);
    int slot = 0;
    random.drawUntil([&](std::uint64_t bits) {
        slot = slotAt(static_cast<double>(bits) * toScaled, cardCount);
        return !place.holdsCard(slot);
    });
    return slot;
}

// Deals the deck onto the slots of `place`, which says whether a slot already holds a card and
// puts card k on a slot.
template <typename Source, typename Place>
void dealDeck(int cardCount, Source& random, Place& place) {
    const int perSuit = cardCount / 4;
    std::int16_t rank = 0;
    std::int16_t suit = 1;
    for (int k = 1; k <= cardCount; ++k) {
        ++rank;
        const int slot = drawFreeSlot(cardCount, random, place);
        place.put(k, slot, Card{suit, rank});
        if (rank == perSuit) {
            rank = 0;
            ++suit;
        }
    }
}

template <typename Source>
Deal dealFrom(int cardCount, Source& random) {
    struct Slots {
        Deal deal;
        bool holdsCard(int slot) const {
            return deal.cardAt[static_cast<std::size_t>(slot)].rank != 0;
        }
        void put(int k, int slot, Card card) {
            deal.cardAt[static_cast<std::size_t>(slot)] = card;
            deal.slotOfCard[static_cast<std::size_t>(k)] = slot;
        }
    } slots;
    slots.deal.cardAt.assign(static_cast<std::size_t>(cardCount) + 1, Card{});
    slots.deal.slotOfCard.assign(static_cast<std::size_t>(cardCount) + 1, 0);
    dealDeck(cardCount, random, slots);
    return std::move(slots.deal);
}

}  // namespace

Deal dealCards(int cardCount, Random& random) {
    // A 52-card deal takes about 240 draws: from the game's own source they are made in place.
    if (auto* seeded = dynamic_cast<SeededRandom*>(&random)) {
        return dealFrom(cardCount, *seeded);
    }
    return dealFrom(cardCount, random);
}

template <typename Source>
void Table::dealFrom(int cardCount, Source& random) {
    if (cardCount < 0 || cardCount > kMaxSlots) {
        throw std::invalid_argument("a table holds at most 52 cards");
    }
    *this = Table{};
    cardCount_ = cardCount;
    // The cards go straight onto the table, the slots dealt so far kept as bits.
    struct Slots {
        Table& table;
        std::uint64_t taken = 0;
        bool holdsCard(int slot) const { return (taken >> slot) & 1U; }
        void put(int, int slot, Card card) {
            taken |= std::uint64_t{1} << slot;
            table.place(slot, card);
        }
    } slots{*this};
    dealDeck(cardCount, random, slots);
}

void Table::deal(int cardCount, Random& random) {
    dealFrom(cardCount, random);
}

void Table::deal(int cardCount, SeededRandom& random) {
    if (cardCount < 0 || cardCount > kMaxSlots) {
        throw std::invalid_argument("a table holds at most 52 cards");
    }
    *this = Table{};
    cardCount_ = cardCount;
    if (cardCount == 0) {
        return;
    }
    // The whole deck in one loop over the generator's words, the same draws as card by card:
    // a draw on a dealt slot is drawn again, one on a free slot takes the next card.
    const double toScaled = bitsToScaled(cardCount);
    const int perSuit = cardCount / 4;
    std::uint64_t dealt = 0;  // bit i: slot i + 1
    int left = cardCount;
    std::int16_t rank = 1;
    std::int16_t suit = 1;
    random.drawWhile([&](std::uint64_t bits) {
        const int index = scaledIndex(bits, toScaled);
        if (((dealt >> index) & 1U) != 0) {
            return true;
        }
        dealt |= std::uint64_t{1} << index;
        place(index + 1, Card{suit, rank});
        if (rank == perSuit) {
            rank = 0;
            ++suit;
        }
        ++rank;
        return --left != 0;
    });
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
        place(static_cast<int>(slot), card);
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
