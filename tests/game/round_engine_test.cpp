#include "game/round_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "game/computer.h"
#include "support/engine_rounds.h"
#include "support/strength_player.h"
#include "support/test_size.h"

namespace koropika {
namespace {

// The computer's searches as first written: for every slot, a scan of every other slot. They read
// a plain copy of the table's memory, so a million states stay quick to check.
struct Memory {
    int count = 0;
    std::array<bool, Table::kMaxSlots + 1> faceDown{};
    std::array<int, Table::kMaxSlots + 1> seen{};

    explicit Memory(const Table& table) : count(table.cardCount()) {
        for (int slot = 1; slot <= count; ++slot) {
            faceDown[static_cast<std::size_t>(slot)] = table.faceDown(slot);
            seen[static_cast<std::size_t>(slot)] = table.seenRank(slot);
        }
    }
    bool rememberedFaceDown(int slot) const {
        return faceDown[static_cast<std::size_t>(slot)] &&
               seen[static_cast<std::size_t>(slot)] != 0;
    }
    int seenRank(int slot) const { return seen[static_cast<std::size_t>(slot)]; }
};

struct NestedChoice {
    int first = 0;
    int second = 0;
    bool found = false;
};

NestedChoice nestedKnownPair(const Memory& m) {
    for (int i = 1; i <= m.count; ++i) {
        if (!m.rememberedFaceDown(i)) {
            continue;
        }
        for (int j = 1; j <= m.count; ++j) {
            if (j != i && m.rememberedFaceDown(j) && m.seenRank(j) == m.seenRank(i)) {
                return {i, j, true};
            }
        }
    }
    return {};
}

NestedChoice nestedMatch(const Memory& m, int firstSlot) {
    for (int i = 1; i <= m.count; ++i) {
        if (i != firstSlot && m.rememberedFaceDown(i) && m.seenRank(i) == m.seenRank(firstSlot)) {
            return {firstSlot, i, true};
        }
    }
    return {};
}

// Each choice's first draw is 0 (r = 1: the pick uses memory at every level); later draws, for a
// random pick, come from a seeded source.
class RememberThenSeeded final : public Random {
  public:
    void seed(std::uint64_t) override {}
    double next() override { return fresh_ ? (fresh_ = false, 0.0) : rest_.next(); }
    void nextChoice() { fresh_ = true; }

  private:
    bool fresh_ = true;
    SeededRandom rest_{17};
};

TEST(ComputerChoices, TheQuickSearchesPickWhatTheNestedScansPickOnManyMemoryStates) {
    std::mt19937_64 chance(20261207);
    SeededRandom dealing(1);
    RememberThenSeeded remember;
    const int kStates = test::testSize(100'000, 1'000'000);
    constexpr int kCardCounts[] = {28, 40, 52};
    Table table;
    int pairsFound = 0;
    int matchesFound = 0;
    for (int state = 0; state < kStates; ++state) {
        if (state % 20 == 0) {
            table = Table(dealCards(kCardCounts[(state / 20) % 3], dealing));
            for (int slot = 1; slot <= table.cardCount(); ++slot) {
                table.setBackShown(slot, true);
            }
        }
        // A few cards change between two states: turned up, turned back, taken or seen.
        for (int change = 0; change < 3; ++change) {
            const int slot = static_cast<int>(chance() % table.cardCount()) + 1;
            switch (chance() % 4) {
                case 0:
                    table.setBackShown(slot, false);
                    break;
                case 1:
                    table.setBackShown(slot, true);
                    break;
                default:
                    table.remember(slot);
            }
        }
        if (!table.anyFaceDown()) {
            table.setBackShown(1, true);
        }
        const NestedChoice pair = nestedKnownPair(Memory(table));
        RoundState round;
        Table picked = table;
        remember.nextChoice();
        chooseFirstCard(picked, round, 1, remember);
        ASSERT_EQ(round.cpuKnowsPair, pair.found) << "state " << state;
        if (pair.found) {
            ++pairsFound;
            ASSERT_EQ(round.cpuFirstSlot, pair.first) << "state " << state;
            ASSERT_EQ(round.cpuSecondSlot, pair.second) << "state " << state;
        }
        // The second pick, after a first card that may or may not have a remembered match.
        const int firstSlot = static_cast<int>(chance() % table.cardCount()) + 1;
        picked = table;
        picked.remember(firstSlot);
        const NestedChoice match = nestedMatch(Memory(picked), firstSlot);
        RoundState second;
        second.cpuFirstSlot = firstSlot;
        remember.nextChoice();
        chooseSecondCard(picked, second, 1, remember);
        ASSERT_EQ(second.cpuFoundMatch, match.found) << "state " << state;
        if (match.found) {
            ++matchesFound;
            ASSERT_EQ(second.cpuSecondSlot, match.second) << "state " << state;
        }
    }
    // The states must exercise both outcomes of both searches.
    EXPECT_GT(pairsFound, kStates / 10);
    EXPECT_LT(pairsFound, kStates - kStates / 10);
    EXPECT_GT(matchesFound, kStates / 10);
    EXPECT_LT(matchesFound, kStates - kStates / 10);
}

// The same whole rounds as the window's pinned ones: 28 cards, level 3, the player starting and
// turning the cards the headless driver turns.
TEST(RoundEngine, AloneItPlaysTheWindowsPinnedRoundsCardForCard) {
    const auto signatureOf = [](std::uint64_t seed) {
        RoundEngine engine;
        SeededRandom random(seed);
        testing::playEngineRound(engine, 28, 3, random, 1, testing::drivenPlayer(seed));
        return engine.moveLog().signature();
    };
    EXPECT_EQ(signatureOf(11), 3625470124845670035u) << "seed 11";
    EXPECT_EQ(signatureOf(12), 268040884243321058u) << "seed 12";
}

TEST(RoundEngine, EveryRoundEndsWithTheCountsTheMovesGaveAndTheRightWinner) {
    for (const int cardCount : {28, 40, 52}) {
        for (int level = 1; level <= 6; ++level) {
            for (std::uint64_t seed = 1; seed <= 20; ++seed) {
                RoundEngine engine;
                SeededRandom random(seed * 7919 + static_cast<std::uint64_t>(level));
                testing::playEngineRound(engine, cardCount, level, random, seed % 2 == 0 ? 2 : 1,
                                         testing::drivenPlayer(seed));
                // Recount from the move log: each side's pairs are its second cards that
                // matched the first card of the same move.
                int taken[2] = {0, 0};
                const auto& turns = engine.moveLog().turns();
                ASSERT_EQ(turns.size() % 2, 0u);
                for (std::size_t i = 0; i < turns.size(); i += 2) {
                    ASSERT_EQ(turns[i].side, turns[i + 1].side);
                    ASSERT_NE(turns[i].slot, turns[i + 1].slot);
                    if (turns[i].rank == turns[i + 1].rank) {
                        taken[turns[i].side == Side::Player ? 0 : 1] += 2;
                    }
                }
                const RoundResult result = engine.result();
                ASSERT_EQ(result.playerCards, taken[0]);
                ASSERT_EQ(result.computerCards, taken[1]);
                ASSERT_EQ(taken[0] + taken[1], cardCount);
                const auto winner = taken[0] == taken[1]  ? Winner::Draw
                                    : taken[0] > taken[1] ? Winner::Player
                                                          : Winner::Computer;
                ASSERT_EQ(result.winner, winner);
                for (int slot = 1; slot <= cardCount; ++slot) {
                    ASSERT_EQ(engine.table().state(slot), Table::State::Taken);
                }
            }
        }
    }
}

TEST(RoundEngine, AMoveCutOffHalfWayLeavesNothingBehindForTheNextRound) {
    RoundEngine engine;
    SeededRandom random(5);
    engine.deal(28, 1, random);
    engine.decideStarter(1);
    engine.pressStart();
    engine.beginReveal();
    for (int slot = 1; slot <= 28; ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    engine.turnPlayerCard(1);
    engine.turnPlayerCard(2);  // two cards up, waiting to be resolved, when the window goes
    ASSERT_TRUE(engine.state().resolvingPair);
    engine.deal(28, 1, random);
    EXPECT_FALSE(engine.state().resolvingPair);
    EXPECT_EQ(engine.state().flippedThisTurn, 0);
    EXPECT_EQ(engine.playerCards() + engine.computerCards(), 0);
    EXPECT_TRUE(engine.moveLog().turns().empty());
}

// What each call returns is what it did to the table and the counts, so a caller can paint and
// announce from the returned values alone.
TEST(RoundEngine, EachCallReturnsWhatItDidToTheTable) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        RoundEngine engine;
        SeededRandom random(seed);
        const int cardCount = seed % 3 == 0 ? 28 : 52;
        const Deal deal = engine.deal(cardCount, static_cast<int>(seed % 6) + 1, random);
        for (int slot = 1; slot <= cardCount; ++slot) {
            ASSERT_EQ(deal.cardAt[static_cast<std::size_t>(slot)], engine.table().card(slot));
        }
        const auto checkTurned = [&](const TurnedCard& card) {
            const Table& table = engine.table();
            ASSERT_EQ(card.face, table.card(card.slot));
            ASSERT_EQ(table.state(card.slot), Table::State::FaceUp);
            ASSERT_EQ(card.firstSlot, engine.state().firstSlot);
            if (card.second) {
                ASSERT_TRUE(table.faceShown(card.firstSlot)) << "the first card shows with it";
                ASSERT_EQ(card.pair, card.face.rank == table.rank(card.firstSlot));
            }
            ASSERT_EQ(card.playerCards, engine.playerCards());
            ASSERT_EQ(card.computerCards, engine.computerCards());
        };
        testing::PlayerPolicy player = testing::drivenPlayer(seed);
        engine.decideStarter(static_cast<int>(seed % 2) + 1);
        ASSERT_TRUE(engine.pressStart());
        engine.beginReveal();
        for (int slot = 1; slot <= cardCount; ++slot) {
            engine.revealCard(slot);
        }
        ASSERT_EQ(engine.beginPlay(), engine.turn());
        while (!engine.roundOver()) {
            if (engine.turn() == Side::Player) {
                checkTurned(engine.turnPlayerCard(player(engine, engine.table().faceDownSlots())));
                for (int tick = 0; tick < 3; ++tick) {
                    const Blink blink = engine.blinkFirstCard();
                    ASSERT_EQ(blink.slot, engine.state().firstSlot);
                    ASSERT_EQ(blink.faceShown, engine.table().faceShown(blink.slot));
                }
                const std::uint64_t offered = engine.table().faceDownSlots();
                checkTurned(engine.turnPlayerCard(player(engine, offered)));
            } else {
                while (engine.computerStep()) {
                    const std::optional<TurnedCard> card = engine.turnComputerCard();
                    ASSERT_TRUE(card.has_value());
                    checkTurned(*card);
                }
            }
            const Side mover = engine.turn();
            const MoveOutcome outcome = engine.resolveMove();
            ASSERT_EQ(outcome.mover, mover);
            ASSERT_EQ(outcome.next, engine.turn());
            ASSERT_EQ(outcome.next == mover, outcome.pairTaken);
            ASSERT_EQ(outcome.roundOver, engine.roundOver());
            for (const int slot : {outcome.firstSlot, outcome.secondSlot}) {
                ASSERT_EQ(engine.table().state(slot),
                          outcome.pairTaken ? Table::State::Taken : Table::State::FaceDown);
            }
        }
    }
}

// Over many picks, the share the computer makes from memory is its level's: 50 % at level 1, ten
// points more a level, every pick at level 6.
TEST(RoundEngine, MemoryIsUsedAtEachLevelsRate) {
    const long picksPerLevel = test::testSize(10'000L, 100'000L);
    for (int level = 1; level <= 6; ++level) {
        testing::ComputerPicks total;
        for (std::uint64_t round = 0; total.picks < picksPerLevel; ++round) {
            RoundEngine engine;
            SeededRandom random(static_cast<std::uint64_t>(level) * 1000 + round);
            const testing::ComputerPicks picks = testing::playEngineRound(
                engine, 52, level, random, 2, testing::drivenPlayer(round));
            total.picks += picks.picks;
            total.fromMemory += picks.fromMemory;
        }
        const double share =
            100.0 * static_cast<double>(total.fromMemory) / static_cast<double>(total.picks);
        EXPECT_NEAR(share, 50 + 10 * (level - 1), 2.0) << "level " << level;
        if (level == 6) {
            EXPECT_EQ(total.fromMemory, total.picks) << "level 6 remembers at every pick";
        }
    }
}

// The player the strength figures are measured against must truly never forget: every card it
// turns that either side has shown before is the known half of a pair, or there was no card left
// it had never seen.
TEST(StrengthPlayer, ThePerfectPlayerNeverTurnsACardItHasSeenAsANewOne) {
    int seenCardsTurned = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        testing::StrengthPlayer player(testing::PlayerKind::Perfect, seed);
        const testing::PlayerPolicy checked = [&](const RoundEngine& engine,
                                                  std::uint64_t offeredSlots) {
            std::vector<int> offered;
            for (int slot = 1; slot <= Table::kMaxSlots; ++slot) {
                if ((offeredSlots >> slot) & 1U) {
                    offered.push_back(slot);
                }
            }
            std::vector<int> seen(Table::kMaxSlots + 1, 0);
            for (const MoveLog::Turn& turn : engine.moveLog().turns()) {
                seen[static_cast<std::size_t>(turn.slot)] = turn.rank;
            }
            const int slot = player.choose(engine.state(), engine.moveLog(), offeredSlots);
            const int rank = seen[static_cast<std::size_t>(slot)];
            if (rank != 0) {
                ++seenCardsTurned;
                const bool second = engine.state().flippedThisTurn == 1;
                const bool knownHalf =
                    second
                        ? rank == engine.state().firstRank
                        : std::any_of(offered.begin(), offered.end(), [&](int other) {
                              return other != slot && seen[static_cast<std::size_t>(other)] == rank;
                          });
                const bool nothingNew = std::none_of(
                    offered.begin(), offered.end(),
                    [&](int other) { return seen[static_cast<std::size_t>(other)] == 0; });
                EXPECT_TRUE(knownHalf || nothingNew) << "seed " << seed << ", slot " << slot;
            }
            return slot;
        };
        RoundEngine engine;
        SeededRandom random(seed);
        player.newRound();
        testing::playEngineRound(engine, 52, static_cast<int>(seed % 6) + 1, random,
                                 seed % 2 == 0 ? 2 : 1, checked);
    }
    EXPECT_GT(seenCardsTurned, 500) << "the rounds must give the player known cards to use";
}

TEST(StrengthPlayer, ShownEachCardAsItTurnsItChoosesAsFromTheMoveLog) {
    for (const testing::PlayerKind kind :
         {testing::PlayerKind::Perfect, testing::PlayerKind::Random}) {
        for (std::uint64_t seed = 1; seed <= 30; ++seed) {
            testing::StrengthPlayer fromLog(kind, seed);
            testing::StrengthPlayer fromCards(kind, seed);
            RoundEngine engine;
            SeededRandom random(seed);
            int choices = 0;
            testing::playEngineRoundWith(
                engine, seed % 3 == 0 ? 28 : 52, static_cast<int>(seed % 6) + 1, random,
                seed % 2 == 0 ? 2 : 1,
                [&](const RoundEngine& e, std::uint64_t offered) {
                    const int slot = fromCards.chooseFromSeen(e.state(), offered);
                    EXPECT_EQ(fromLog.choose(e.state(), e.moveLog(), offered), slot)
                        << testing::nameOf(kind) << ", seed " << seed << ", choice " << choices;
                    ++choices;
                    return slot;
                },
                [&](const TurnedCard& card) { fromCards.see(card.slot, card.face.rank); });
            EXPECT_GT(choices, 10);
        }
    }
}

TEST(SlotCounter, FindsEveryBitOfAMaskInSlotOrder) {
    std::mt19937_64 words(3);
    for (int i = 0; i < 3000; ++i) {
        // Sparse, dense and full masks, the top and bottom bits included.
        std::uint64_t mask = words();
        mask = i % 3 == 0 ? mask & words() & words() : i % 3 == 1 ? mask | words() : mask;
        mask = i == 0 ? ~std::uint64_t{0} : mask;
        const testing::SlotCounter counter(mask);
        unsigned n = 0;
        for (int slot = 0; slot < 64; ++slot) {
            if ((mask >> slot) & 1U) {
                ASSERT_EQ(counter.nthBelowCount(n), slot) << std::hex << mask << ", bit " << n;
                ASSERT_EQ(counter.nth(n), slot);
                ++n;
            }
        }
        ASSERT_EQ(counter.count(), n);
        ASSERT_EQ(counter.nth(n), 64) << "past the last bit";
    }
}

// A source that breaks its promise and returns 1.
class AlwaysOne final : public Random {
  public:
    void seed(std::uint64_t) override {}
    double next() override { return 1.0; }
};

TEST(TheDeal, ADrawOfOneIsAFaultLoudlyInDebugBuildsAndStaysOnTheTableOtherwise) {
    AlwaysOne broken;
#ifndef NDEBUG
    EXPECT_DEATH(dealCards(28, broken), "must lie in \\[0, 1\\)");
#else
    // The first card goes to the last slot; every later draw is taken, so the deal would spin:
    // only the first draw is checked here, through the slot it gives.
    EXPECT_EQ(checkedDraw(broken), std::nextafter(1.0, 0.0));
    class OneThenSeeded final : public Random {
      public:
        void seed(std::uint64_t) override {}
        double next() override { return first_ ? (first_ = false, 1.0) : rest_.next(); }

      private:
        bool first_ = true;
        SeededRandom rest_{3};
    } oneFirst;
    const Deal deal = dealCards(28, oneFirst);
    EXPECT_EQ(deal.slotOfCard[1], 28);
    std::vector<bool> filled(29, false);
    for (int k = 1; k <= 28; ++k) {
        filled[static_cast<std::size_t>(deal.slotOfCard[k])] = true;
    }
    EXPECT_EQ(std::count(filled.begin() + 1, filled.end(), true), 28);
#endif
}

}  // namespace
}  // namespace koropika
