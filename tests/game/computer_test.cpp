#include "game/computer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

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
    EXPECT_TRUE(round.cpuFoundMatch);
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
    EXPECT_TRUE(round.cpuKnowsPair);
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

// The largest draw below 1, which a product rounding up would carry past the last slot.
const double kLargestDraw = std::nextafter(1.0, 0.0);

TEST(TheDeal, TheLargestDrawStillFallsOnTheLastSlot) {
    for (const int count : {1, 7, 28, 40, 51, 52}) {
        // Card 1 draws the largest draw; the others the slots from 1 up.
        std::deque<double> draws = {kLargestDraw};
        for (int slot = 1; slot < count; ++slot) {
            draws.push_back((slot - 0.5) / count);
        }
        ScriptedRandom random(draws);
        EXPECT_EQ(dealCards(count, random).slotOfCard[1], count) << count << " cards";
        Table table = tableOf(std::vector<std::int16_t>(static_cast<std::size_t>(count), 1));
        ScriptedRandom pick({kLargestDraw});
        EXPECT_EQ(randomFaceDownSlot(table, pick), count) << count << " cards";
    }
}

TEST(ComputerOpponent, MemoryIsUsedBelowTheLevelsBoundOfTheDraw) {
    // r = floor(10u + 1) < level + 5: level 1 remembers below u = 0.5, each level a tenth more,
    // level 6 always; below level -4 never.
    const auto uses = [](int level, double u) {
        ScriptedRandom random({u});
        return computerUsesMemory(level, random);
    };
    for (int level = -8; level <= 12; ++level) {
        const double bound = std::clamp((level + 4) / 10.0, 0.0, 1.0);
        if (bound > 0) {
            EXPECT_TRUE(uses(level, bound - 1e-9)) << "level " << level;
            EXPECT_TRUE(uses(level, 0.0)) << "level " << level;
        }
        if (bound < 1) {
            EXPECT_FALSE(uses(level, bound + 1e-9)) << "level " << level;
            EXPECT_FALSE(uses(level, kLargestDraw)) << "level " << level;
        }
    }
}

}  // namespace
}  // namespace koropika
