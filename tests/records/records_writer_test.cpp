#include "records/records_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace koropika::records {
namespace {

RoundRecord roundOf(const std::string& name, int moves) {
    RoundRecord round;
    round.started = std::chrono::sys_days{std::chrono::year{2026} / 3 / 4};
    round.ended = round.started + std::chrono::seconds{60 + moves};
    round.playerName = name;
    round.level = 2;
    round.cardCount = 28;
    round.playerCount = 16;
    round.computerCount = 12;
    round.winner = Winner::Player;
    round.playerMoves = moves;
    round.dealNumber = 1000 + moves;
    return round;
}

TEST(RecordsWriter, WritesEveryRoundInOrderBeforeItGoesAndOpensNothingBeforeTheFirst) {
    testing::TempFolder folder;
    std::atomic<int> storesMade = 0;
    {
        RecordsWriter writer([&] {
            ++storesMade;
            return std::make_unique<RecordsStore>(folder.path());
        });
        EXPECT_EQ(storesMade, 0);
        EXPECT_FALSE(std::filesystem::exists(folder.file(RecordsStore::kFileName)));
        for (int moves = 1; moves <= 30; ++moves) {
            writer.add(roundOf(moves % 2 ? "たろう" : "はなこ", moves));
        }
    }  // gone at once after the last add: nothing may be lost
    EXPECT_EQ(storesMade, 1);
    RecordsStore store(folder.path());
    const auto rounds = store.lastRounds("たろう", 100);
    ASSERT_TRUE(rounds.has_value());
    ASSERT_EQ(rounds->size(), 15u);
    for (std::size_t i = 0; i < rounds->size(); ++i) {
        EXPECT_EQ((*rounds)[i].playerMoves, 29 - 2 * int(i));  // the latest first
        EXPECT_EQ((*rounds)[i].dealNumber, 1029 - 2 * int(i));
    }
    EXPECT_EQ(store.statsFor("はなこ")->overall.won, 15);
}

TEST(RecordsWriter, FlushReturnsWithTheRoundsReadableAndAFailingStoreLosesOnlyItsRounds) {
    testing::TempFolder folder;
    std::vector<std::string> log;
    const std::string missing = folder.path() + "/no such folder";
    RecordsWriter failing([&] {
        return std::make_unique<RecordsStore>(
            missing, [&](const std::string& line) { log.push_back(line); });
    });
    failing.add(roundOf("たろう", 1));
    failing.flush();
    EXPECT_FALSE(log.empty()) << "the failure is told";
    failing.add(roundOf("たろう", 2));
    failing.flush();  // the writer goes on after a failure

    RecordsWriter writer([&] { return std::make_unique<RecordsStore>(folder.path()); });
    writer.add(roundOf("たろう", 3));
    writer.flush();
    RecordsStore reader(folder.path());
    EXPECT_EQ(reader.statsFor("たろう")->overall.played, 1);
}

}  // namespace
}  // namespace koropika::records
