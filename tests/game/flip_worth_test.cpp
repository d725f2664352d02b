#include "game/flip_worth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "support/engine_rounds.h"
#include "support/strength_player.h"
#include "support/test_size.h"

namespace koropika {
namespace {

using testing::PlayerKind;
using testing::StrengthPlayer;

constexpr MoveLog::Side P = MoveLog::Side::Player;
constexpr MoveLog::Side C = MoveLog::Side::Computer;

std::uint64_t slots(std::initializer_list<int> list) {
    std::uint64_t bits = 0;
    for (const int slot : list) {
        bits |= std::uint64_t{1} << slot;
    }
    return bits;
}

// A round worked by hand: the player misses a known pair at a first card (move 3) and at a
// second card (move 4), and uses every other chance; the round is left with one card up.
TEST(FlipWorth, AWorkedRoundGivesEveryLabelAndTheKnownSlots) {
    const std::vector<MoveLog::Turn> turns = {
        {P, 1, 1, 1},       {P, 2, 2, 1},        // nothing seen yet
        {C, 3, 1, 2},       {C, 4, 3, 1},        // rank 1 known at 1 and 3
        {P, 5, 2, 2},       {P, 2, 2, 1},        // missed 1+3; 2 and 5 taken
        {P, 1, 1, 1},       {P, 6, 4, 1},        // used 1+3; missed 3
        {C, 1, 1, 1, true}, {C, 3, 1, 2, true},  // taken from memory
        {C, 7, 3, 2},       {C, 4, 3, 1, true},  // a match from memory
        {C, 8, 5, 1},       {C, 9, 6, 1},        //
        {P, 10, 7, 1},      {P, 11, 5, 2},       // rank 7 unseen: no chance
        {C, 12, 8, 1},      {C, 13, 9, 1},       //
        {P, 8, 5, 1},       {P, 11, 5, 2},       // rank 5 known, used twice
        {P, 14, 4, 2},                           // left: no pair known
    };
    using L = FlipLabel;
    const std::vector<L> labels = {
        L::NoOpportunity, L::NoOpportunity, L::AtRandom,   L::AtRandom,   L::MissedPair,
        L::Used,          L::Used,          L::MissedPair, L::FromMemory, L::FromMemory,
        L::AtRandom,      L::FromMemory,    L::AtRandom,   L::AtRandom,   L::NoOpportunity,
        L::NoOpportunity, L::AtRandom,      L::AtRandom,   L::Used,       L::Used,
        L::NoOpportunity};
    const FlipWorth worth = flipWorth(turns);
    ASSERT_EQ(worth.flips.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(worth.flips[i].label, labels[i]) << "card " << i + 1;
    }
    EXPECT_EQ(worth.flips[4].knownSlots, slots({1, 3}));
    EXPECT_EQ(worth.flips[5].knownSlots, slots({2}));
    EXPECT_EQ(worth.flips[7].knownSlots, slots({3}));
    EXPECT_EQ(worth.flips[18].knownSlots, slots({8, 11}));
    EXPECT_EQ(worth.flips[0].knownSlots, 0u);
    EXPECT_EQ(worth.opportunities, 6);
    EXPECT_EQ(worth.used, 4);
    EXPECT_EQ(worth.missedPairs(), 2);
    EXPECT_NEAR(*worth.memoryPercent(), 200.0 / 3, 1e-9);
    EXPECT_FALSE(flipWorth({{P, 1, 1, 1}, {P, 2, 2, 1}}).memoryPercent());

    // The records keep every field; the signature's text is only side, slot and rank.
    const std::string text = MoveLog::fullText(turns);
    EXPECT_EQ(text.substr(0, 40), "P1a1P2a2C3b1C4a3P5b2P2a2P1a1P6a4M1a1M3b1");
    EXPECT_EQ(MoveLog::turnsFromText(text), turns);
    EXPECT_EQ(MoveLog::turnsFromText("C7x13"), (std::vector<MoveLog::Turn>{{C, 7, 13, 0}}));
    for (const char* refused : {"P1a", "C1e1", "P1a1;", "Pa1", "p1a1", "P1a1C", "P1:1;"}) {
        EXPECT_FALSE(MoveLog::turnsFromText(refused)) << refused;
    }
    // Moves beyond the table are counted as no card seen, never read out of range.
    EXPECT_EQ(flipWorth({{P, 99, 1}, {P, 0, 1}, {P, 3, 40}, {P, 4, 1}}).opportunities, 0);
}

// Mean and standard error of a sample.
struct Sample {
    double sum = 0;
    double squares = 0;
    long count = 0;
    void add(double x) {
        sum += x;
        squares += x * x;
        ++count;
    }
    double mean() const { return sum / static_cast<double>(count); }
    double error() const {
        const double n = static_cast<double>(count);
        return std::sqrt(std::max(0.0, squares / n - mean() * mean()) / (n - 1));
    }
};

// Whole seeded rounds through the engine at every level: the player who never forgets and takes
// every known pair first misses none; the one who turns cards at random scores far below. The
// moves of every round fit the records' 2 KB and read back whole.
TEST(FlipWorth, APlayerWhoNeverForgetsScoresAllAndOneAtRandomFarBelow) {
    const int rounds = test::testSize(300, 10'000);
    for (const int cards : {28, 40, 52}) {
        Sample scores[2];
        std::size_t longest = 0;
        for (const PlayerKind kind : {PlayerKind::Perfect, PlayerKind::Random}) {
            Sample& score = scores[kind == PlayerKind::Perfect ? 0 : 1];
            for (int round = 0; round < rounds; ++round) {
                const auto seed = static_cast<std::uint64_t>(cards * 100'000 + round);
                SeededRandom random(seed);
                RoundEngine engine;
                StrengthPlayer player(kind, seed);
                testing::playEngineRoundWith(engine, cards, 1 + round % 6, random, 1 + round % 6,
                                             [&](const RoundEngine& e, std::uint64_t offered) {
                                                 return player.choose(e.state(), e.moveLog(),
                                                                      offered);
                                             });
                const std::vector<MoveLog::Turn>& turns = engine.moveLog().turns();
                const FlipWorth worth = flipWorth(turns);
                if (const std::optional<double> percent = worth.memoryPercent()) {
                    score.add(*percent);
                }
                if (kind == PlayerKind::Perfect) {
                    ASSERT_EQ(worth.missedPairs(), 0) << cards << " cards, round " << round;
                }
                const std::string text = MoveLog::fullText(turns);
                longest = std::max(longest, text.size());
                if (round % 50 == 0) {
                    ASSERT_EQ(MoveLog::turnsFromText(text), turns);
                }
            }
        }
        std::printf(
            "%d cards, %d rounds each: memory score perfect %.2f %% (± %.2f, %ld rounds "
            "with a chance), random %.2f %% (± %.2f, %ld); longest moves %zu bytes\n",
            cards, rounds, scores[0].mean(), scores[0].error(), scores[0].count, scores[1].mean(),
            scores[1].error(), scores[1].count, longest);
        EXPECT_EQ(scores[0].mean(), 100.0);
        EXPECT_GT(scores[0].count, rounds * 99 / 100);
        EXPECT_LT(scores[1].mean() + 5 * scores[1].error(), 50.0);
        EXPECT_LE(longest, 2048u);
    }
}

}  // namespace
}  // namespace koropika
