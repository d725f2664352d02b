#include "records/table_at_move.h"

#include <gtest/gtest.h>

#include "support/engine_rounds.h"

namespace koropika {
namespace {

using Lies = TableAtMove::Lies;

// At every second card of seeded rounds, the table rebuilt from the turns so far lies as the
// engine's: the move's two cards up, the earlier pairs taken, every other card face down, and
// both counts as the engine gives them once the card is turned.
TEST(TableAtMove, LiesAsTheEnginesTableAtEveryMoveOfSeededRounds) {
    for (const int cards : {28, 40, 52}) {
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            RoundEngine engine;
            SeededRandom random(seed * 31 + std::uint64_t(cards));
            const auto policy = testing::drivenPlayer(seed);
            testing::playEngineRoundWith(
                engine, cards, 1 + int(seed % 6), random, 1 + int(seed % 6),
                [&](const RoundEngine& e, std::uint64_t offered) { return policy(e, offered); },
                [&](const TurnedCard& turned) {
                    const auto& turns = engine.moveLog().turns();
                    if (!turned.second) {
                        return;
                    }
                    const int move = int(turns.size() / 2) - 1;
                    const TableAtMove table = tableAtMove(cards, turns, move);
                    ASSERT_EQ(int(recordedMoves(turns).size()), move + 1);
                    EXPECT_EQ(table.playerCount, turned.playerCards);
                    EXPECT_EQ(table.computerCount, turned.computerCards);
                    for (int slot = 1; slot <= cards; ++slot) {
                        const Table::State state = engine.table().state(slot);
                        const Lies lies = table.lies[std::size_t(slot)];
                        const bool up = slot == turned.slot || slot == turned.firstSlot;
                        ASSERT_EQ(lies == Lies::Up, up) << slot;
                        ASSERT_EQ(lies == Lies::Taken, !up && state == Table::State::Taken);
                        if (lies == Lies::Up) {
                            EXPECT_EQ(table.cardAt[std::size_t(slot)], engine.table().card(slot));
                        }
                    }
                });
        }
    }
}

TEST(TableAtMove, ACardTurnedBeforeIsSeenAndATurnOffTheTableIsLeftOut) {
    constexpr auto P = MoveLog::Side::Player;
    const std::vector<MoveLog::Turn> turns{{P, 1, 3, 1}, {P, 2, 5, 2}, {P, 60, 3, 3}};
    const TableAtMove table = tableAtMove(28, turns, 1);
    EXPECT_EQ(table.lies[1], Lies::Seen);
    EXPECT_EQ(table.lies[2], Lies::Seen);
    EXPECT_EQ(table.lies[3], Lies::Unseen);
    EXPECT_EQ(recordedMoves(turns).back().turnCount, 1);
    EXPECT_EQ(tableAtMove(28, turns, 0).lies[1], Lies::Up);
    EXPECT_EQ(tableAtMove(28, {}, 0).playerCount, 0) << "no moves, nothing up";
}

}  // namespace
}  // namespace koropika
