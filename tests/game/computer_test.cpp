#include "game/computer.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "game/computer_choices.h"

namespace koropika {
namespace {

// Gives the draws it was handed, in order.
class ScriptedRandom final : public Random {
  public:
    explicit ScriptedRandom(std::deque<double> draws) : draws_(std::move(draws)) {}
    void seed(std::uint64_t) override {}
    double next() override {
        if (draws_.empty()) {
            throw std::logic_error("no more draws scripted");
        }
        const double u = draws_.front();
        draws_.pop_front();
        return u;
    }
    bool used() const { return draws_.empty(); }

  private:
    std::deque<double> draws_;
};

// r = floor(10u + 1): u = 0 gives r = 1 (memory at every level), u = 0.95 gives r = 10 (memory
// only at level 6).
constexpr double kRemember = 0.0;
constexpr double kForget = 0.95;

// A 28-card table with the ranks laid out as given (suits do not matter to the computer), every
// card face down.
Table tableOf(const std::vector<std::int16_t>& ranks) {
    Deal deal;
    deal.cardAt.assign(ranks.size() + 1, Card{});
    for (std::size_t slot = 1; slot <= ranks.size(); ++slot) {
        deal.cardAt[slot] = Card{1, ranks[slot - 1]};
    }
    Table table(deal);
    for (int slot = 1; slot <= table.cardCount(); ++slot) {
        table.setBackShown(slot, true);
        table.setFaceShown(slot, false);
    }
    return table;
}

std::vector<std::int16_t> ranks28() {
    std::vector<std::int16_t> ranks;
    for (int slot = 0; slot < 28; ++slot) {
        ranks.push_back(static_cast<std::int16_t>(slot % 7 + 1));
    }
    return ranks;
}

// Turns a card up as the player does in a move, and back down after a mismatch.
void seenAndTurnedBack(Table& table, int slot) {
    table.remember(slot);
}

TEST(ComputerOpponent, ACardThePlayerShowedInAMismatchIsTakenWithItsMatch) {
    Table table = tableOf(ranks28());  // slot 2 and slot 9 both hold rank 2
    seenAndTurnedBack(table, 9);
    seenAndTurnedBack(table, 5);
    RoundState round;
    // The first card comes at random (slot 2, rank 2); the second uses memory.
    ScriptedRandom random({kForget, 1.5 / 28, kRemember});
    EXPECT_FALSE(chooseFirstCard(table, round, 1, random));
    EXPECT_EQ(round.cpuFirstSlot, 2);
    table.setBackShown(2, false);  // turned up
    EXPECT_TRUE(chooseSecondCard(table, round, 1, random));
    EXPECT_EQ(round.cpuSecondSlot, 9);
    EXPECT_EQ(round.cpuFoundMatch, 1);
    EXPECT_TRUE(random.used());
}

TEST(ComputerOpponent, WithSeveralKnownPairsTheSmallestSlotGoesFirst) {
    Table table = tableOf(ranks28());
    for (const int slot : {25, 4, 11, 18, 3}) {  // rank 4 at 4, 11, 18, 25; rank 3 at 3 only
        seenAndTurnedBack(table, slot);
    }
    RoundState round;
    ScriptedRandom random({kForget, kForget});
    EXPECT_TRUE(chooseFirstCard(table, round, 6, random)) << "level 6 remembers on r = 10";
    EXPECT_EQ(round.cpuFirstSlot, 4);
    EXPECT_EQ(round.cpuSecondSlot, 11) << "the smallest other slot of that rank";
    EXPECT_EQ(round.cpuKnowsPair, 1);
    table.setBackShown(4, false);
    EXPECT_TRUE(chooseSecondCard(table, round, 6, random));
    EXPECT_EQ(round.cpuSecondSlot, 11);
}

TEST(ComputerOpponent, AForgettingSecondPickIsRandomEvenWhenThePairIsKnown) {
    Table table = tableOf(ranks28());
    seenAndTurnedBack(table, 1);
    seenAndTurnedBack(table, 8);  // rank 1 twice
    RoundState round;
    // Level 1: the first pick remembers (r = 1), the second forgets (r = 10) and draws slot 1
    // (face up now, drawn again), then slot 20.
    ScriptedRandom random({kRemember, kForget, 0.0, 19.5 / 28});
    EXPECT_TRUE(chooseFirstCard(table, round, 1, random));
    EXPECT_EQ(round.cpuFirstSlot, 1);
    table.setBackShown(1, false);
    EXPECT_FALSE(chooseSecondCard(table, round, 1, random));
    EXPECT_EQ(round.cpuSecondSlot, 20);
    EXPECT_EQ(table.seenRank(20), table.rank(20)) << "the computer remembers its own picks";
    EXPECT_TRUE(random.used());
}

TEST(ComputerOpponent, TakenCardsAreNeverOfferedAgainThoughTheyStayRemembered) {
    Table table = tableOf(ranks28());
    seenAndTurnedBack(table, 6);
    seenAndTurnedBack(table, 13);  // rank 6 twice, then taken
    for (const int slot : {6, 13}) {
        table.setBackShown(slot, false);
    }
    RoundState round;
    ScriptedRandom random({kRemember, 5.5 / 28, 12.5 / 28, 0.5 / 28});
    chooseFirstCard(table, round, 6, random);
    EXPECT_EQ(round.cpuFirstSlot, 1) << "no known pair left: drawn until face down";
    EXPECT_EQ(table.seenRank(6), 6);
}

TEST(TheDeal, EveryRankOncePerSuitAndTheDrawRetriesUntilASlotIsFree) {
    // Card 1 takes slot 1; card 2 draws slot 1 again, then slot 2; and so on.
    std::deque<double> draws;
    for (int k = 0; k < 28; ++k) {
        if (k > 0) {
            draws.push_back(0.0);  // slot 1, taken
        }
        draws.push_back((k + 0.5) / 28);
    }
    ScriptedRandom random(draws);
    const Deal deal = dealCards(28, random);
    EXPECT_TRUE(random.used());
    for (int k = 1; k <= 28; ++k) {
        EXPECT_EQ(deal.slotOfCard[k], k);
        EXPECT_EQ(deal.cardAt[k], (Card{static_cast<std::int16_t>((k - 1) / 7 + 1),
                                        static_cast<std::int16_t>((k - 1) % 7 + 1)}));
    }
}

// The game's own source behind the plain interface, so its draws are taken one by one.
class OneByOne final : public Random {
  public:
    explicit OneByOne(SeededRandom& source) : source_(source) {}
    void seed(std::uint64_t) override {}
    double next() override { return source_.next(); }

  private:
    SeededRandom& source_;
};

TEST(TheDeal, TheGamesOwnSourceDealsEveryTableSizeAsDrawByDraw) {
    for (int count = 0; count <= Table::kMaxSlots; ++count) {
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            SeededRandom inPlace(seed);
            SeededRandom source(seed);
            OneByOne oneByOne(source);
            Table table;
            table.deal(count, inPlace);
            const Table expected(dealCards(count, oneByOne));
            ASSERT_EQ(table.cardCount(), count);
            for (int slot = 1; slot <= count; ++slot) {
                ASSERT_EQ(table.card(slot), expected.card(slot))
                    << count << " cards, slot " << slot;
            }
            for (int rank = 1; rank <= Table::kMaxRank; ++rank) {
                ASSERT_EQ(table.slotsOfRank(rank), expected.slotsOfRank(rank));
            }
            ASSERT_EQ(inPlace.bits(), source.bits()) << "as many draws for " << count << " cards";
        }
    }
}

TEST(TheDeal, TheLargestDrawStillFallsOnTheLastSlot) {
    constexpr std::uint64_t kLargest = (std::uint64_t{1} << 53) - 1;
    for (int count = 1; count <= Table::kMaxSlots; ++count) {
        EXPECT_EQ(scaledIndex(kLargest, bitsToScaled(count)), count - 1) << count << " cards";
    }
}

TEST(ComputerOpponent, TheGamesOwnSourceDecidesMemoryExactlyAsDrawByDraw) {
    for (int level = -2; level <= choices::kLevelsWithBounds + 1; ++level) {
        SeededRandom inPlace(static_cast<std::uint64_t>(level + 100));
        SeededRandom source(static_cast<std::uint64_t>(level + 100));
        OneByOne oneByOne(source);
        for (int draw = 0; draw < 3000; ++draw) {
            ASSERT_EQ(choices::usesMemory(level, inPlace), choices::usesMemory(level, oneByOne))
                << "level " << level << ", draw " << draw;
        }
        if (level < 0 || level >= choices::kLevelsWithBounds) {
            continue;
        }
        // Random draws almost never land next to the bound, so the bits there are tried too.
        const std::uint64_t bound = choices::kForgettingBits[static_cast<std::size_t>(level)];
        for (std::uint64_t bits = bound - 2; bits <= bound + 2; ++bits) {
            if (bits < (std::uint64_t{1} << 53)) {
                EXPECT_EQ(choices::usesMemoryAt(level, static_cast<double>(bits) * 0x1.0p-53 * 10),
                          bits < bound)
                    << "level " << level << ", bits " << bits;
            }
        }
    }
    EXPECT_EQ(choices::kForgettingBits[1], std::uint64_t{1} << 52) << "level 1: half the draws";
    EXPECT_EQ(choices::kForgettingBits[6], std::uint64_t{1} << 53) << "level 6: every draw";
}

TEST(TheDeal, ThePairTestReadsTheRankTextAsANumber) {
    EXPECT_TRUE(isPairRank("7", 7));
    EXPECT_TRUE(isPairRank("13", 13));
    EXPECT_FALSE(isPairRank("1", 11));
    EXPECT_FALSE(isPairRank("", 0)) << "an empty tag is no card";
    EXPECT_FALSE(isPairRank("7x", 7));
}

}  // namespace
}  // namespace koropika
