#include "game/mersenne_twister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace koropika {
namespace {

#ifdef __OPTIMIZE__
constexpr long kWordsPerSeed = 4'000'000;
#else
constexpr long kWordsPerSeed = 400'000;  // the unoptimised sanitizer build
#endif

// Every seeded round and every pinned signature rests on these words being the standard
// generator's, so they are compared over many turns of the state, from seeds that reach the
// edges of the seeding (0, all ones) and the default one.
TEST(MersenneTwister64, GivesTheStandardGeneratorsWordsForEverySeed) {
    for (const std::uint64_t seed :
         {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{5489}, std::uint64_t{20261207},
          std::uint64_t{0x9e3779b97f4a7c15}, ~std::uint64_t{0}}) {
        std::mt19937_64 expected(seed);
        MersenneTwister64 actual(seed);
        for (long i = 0; i < kWordsPerSeed; ++i) {
            const std::uint64_t want = expected();
            const std::uint64_t got = actual();
            if (want != got) {
                FAIL() << "seed " << seed << ", word " << i << ": " << got << " for " << want;
            }
        }
    }
    EXPECT_EQ(MersenneTwister64()(), std::mt19937_64()()) << "the default seed";
}

TEST(MersenneTwister64, ReseedingPartWayThroughABlockStartsAfresh) {
    std::mt19937_64 expected(3);
    MersenneTwister64 actual(3);
    for (int i = 0; i < 500; ++i) {  // into the second block
        actual();
    }
    actual.seed(11);
    expected.seed(11);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(actual(), expected()) << "word " << i;
    }
}

// Drawing until a word is accepted keeps its place in the block itself: across block ends it
// must draw every word once, in order, as single draws do.
TEST(MersenneTwister64, DrawingUntilAWordIsAcceptedDrawsTheSameWordsAsSingleDraws) {
    std::mt19937_64 expected(20261207);
    MersenneTwister64 actual(20261207);
    for (int run = 0; run < 2000; ++run) {
        const int rejections = run % 400;  // up to more than a block in one call
        std::uint64_t last = 0;
        int seen = 0;
        actual.drawUntil([&](std::uint64_t word) {
            last = word;
            return seen++ == rejections;
        });
        for (int i = 0; i < rejections; ++i) {
            expected();
        }
        ASSERT_EQ(last, expected()) << "run " << run;
        ASSERT_EQ(actual(), expected()) << "the draw after run " << run;
    }
}

}  // namespace
}  // namespace koropika
