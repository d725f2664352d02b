// The round in play as the records file keeps it: damaged kept rounds are never offered, a
// file of an earlier layout is upgraded with every round kept, and one run at a time keeps its
// round in a folder.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>
#include <string>
#include <vector>

#include "game/flip_worth.h"
#include "records/records_store.h"
#include "support/engine_rounds.h"
#include "support/temp_folder.h"
#include "support/test_size.h"

namespace koropika::records {
namespace {

using namespace std::chrono_literals;

struct StoreInFolder {
    testing::TempFolder folder;
    std::vector<std::string> log;
    RecordsStore store{folder.path(), [this](const std::string& line) { log.push_back(line); }};
};

// A round of `cards` turned by both sides through the engine, the player taking the first
// face-down slots it may, kept as the game window keeps it.
KeptRound keptAfter(std::size_t cards, std::int64_t deal = 4711) {
    SeededRandom random(static_cast<std::uint64_t>(deal));
    RoundEngine engine;
    engine.deal(40, 5, random);
    engine.decideStarter(1);
    engine.pressStart();
    for (int slot = 1; slot <= 40; ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    while (engine.moveLog().turns().size() < cards) {
        const std::optional<TurnedCard> card = testing::turnNextCard(engine);
        if (card && card->second && engine.moveLog().turns().size() < cards) {
            engine.resolveMove();
        }
    }
    KeptRound kept;
    kept.round.started = std::chrono::sys_days{std::chrono::year{2026} / 12 / 9} + 10h;
    kept.round.ended = kept.round.started + 300s;
    kept.round.playerName = "はなこ";
    kept.round.level = 5;
    kept.round.cardCount = 40;
    kept.round.firstMove = Side::Player;
    kept.round.playerCount = engine.playerCards();
    kept.round.computerCount = engine.computerCards();
    int playerCardsTurned = 0;
    for (const MoveLog::Turn& turn : engine.moveLog().turns()) {
        playerCardsTurned += turn.side == Side::Player ? 1 : 0;
    }
    kept.round.playerMoves = playerCardsTurned / 2;
    kept.round.secondsPlayed = 300.25;
    kept.round.ending = Ending::Left;
    kept.round.dealNumber = deal;
    kept.turns = engine.moveLog().turns();
    kept.resolvedTurns = engine.turnsResolved();
    kept.cardBack = 3;
    return kept;
}

void execute(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db) << " in " << sql;
    sqlite3_close(db);
}

TEST(KeptRoundRows, AKeptRoundComesBackWholeToTheNextRunAndGoesWithItsRecord) {
    testing::TempFolder folder;
    const KeptRound kept = keptAfter(23);  // a move's first card up
    {
        RecordsStore first(folder.path());
        ASSERT_TRUE(first.keep(kept));
    }
    RecordsStore next(folder.path());
    const std::optional<KeptRound> back = next.claimKept();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->turns, kept.turns);
    EXPECT_EQ(back->resolvedTurns, 22);
    EXPECT_EQ(back->cardBack, 3);
    EXPECT_EQ(back->round.started, kept.round.started);
    EXPECT_EQ(back->round.secondsPlayed, 300.25);
    EXPECT_EQ(back->round.dealNumber, 4711);
    // Not in the statistics until it ends or is left, then once.
    EXPECT_EQ(next.statsFor("はなこ")->overall.played, 0);
    ASSERT_TRUE(next.record(back->round));
    EXPECT_EQ(next.statsFor("はなこ")->overall.left, 1);
    EXPECT_FALSE(RecordsStore(folder.path()).claimKept());
}

TEST(KeptRoundRows, ADamagedOrEditedKeptRoundIsNeverOfferedAndCostsOneLine) {
    const std::vector<std::string> columns = {
        "started",     "ended",        "player",         "level",        "card_count",
        "first_move",  "player_count", "computer_count", "player_moves", "seconds_played",
        "deal_number", "turns",        "resolved_turns", "card_back",    "digest"};
    std::mt19937_64 chance(37);
    StoreInFolder original;
    ASSERT_TRUE(original.store.keep(keptAfter(16)));
    const std::string file = original.folder.read("records.sqlite");
    const std::string log = original.folder.read("records.sqlite-wal");
    for (const std::string& column : columns) {
        for (int trial = 0; trial < 8; ++trial) {
            SCOPED_TRACE(column + ", trial " + std::to_string(trial));
            StoreInFolder s;
            s.folder.write("records.sqlite", file);
            s.folder.write("records.sqlite-wal", log);
            const std::string bytes = std::to_string(1 + chance() % 40);
            const std::string value =
                trial % 2 == 0 ? "randomblob(" + bytes + ")" : std::to_string(chance() % 100 - 10);
            execute(s.store.path(), "UPDATE kept_round SET " + column + " = " + value);
            EXPECT_FALSE(s.store.claimKept());
            EXPECT_EQ(s.log.size(), 1u);
            EXPECT_FALSE(RecordsStore(s.folder.path()).claimKept()) << "dropped, not left";
        }
    }
}

TEST(KeptRoundRows, MovesTheRulesRefuseAreNeverOffered) {
    KeptRound cutShort = keptAfter(12);
    cutShort.resolvedTurns = 14;
    KeptRound takenCard = keptAfter(30);
    SeededRandom random;
    const RoundEngine rebuilt = rebuiltRound(takenCard, random);
    int taken = 1;
    while (rebuilt.table().state(taken) != Table::State::Taken) {
        ++taken;
    }
    takenCard.turns.push_back({rebuilt.turn(), taken, rebuilt.table().rank(taken)});
    KeptRound wrongComputerCard = keptAfter(20);
    for (MoveLog::Turn& turn : wrongComputerCard.turns) {
        if (turn.side == Side::Computer) {
            turn.slot = turn.slot % 40 + 1;
            break;
        }
    }
    KeptRound wrongCounts = keptAfter(20);
    wrongCounts.round.playerCount += 2;
    KeptRound outOfRange = keptAfter(4, 1'000'000'000);
    for (const KeptRound& kept :
         {cutShort, takenCard, wrongComputerCard, wrongCounts, outOfRange}) {
        StoreInFolder s;
        ASSERT_TRUE(s.store.keep(kept));
        EXPECT_FALSE(s.store.claimKept());
        ASSERT_EQ(s.log.size(), 1u);
        EXPECT_NE(s.log[0].find("cannot be continued"), std::string::npos) << s.log[0];
    }
}

TEST(KeptRoundRows, OneRunAtATimeKeepsItsRoundInAFolder) {
    StoreInFolder first;
    std::vector<std::string> log;
    RecordsStore second(first.folder.path(), [&](const std::string& line) { log.push_back(line); });
    ASSERT_TRUE(first.store.keep(keptAfter(6)));
    EXPECT_FALSE(second.claimKept());
    for (std::size_t cards = 1; cards < 5; ++cards) {
        EXPECT_FALSE(second.keep(keptAfter(cards, 99)));
    }
    EXPECT_EQ(log.size(), 1u) << "one line for the round, not one per card";
    // Its own round, recorded, leaves the first run's kept round alone.
    EXPECT_TRUE(second.record(keptAfter(4, 99).round));
    EXPECT_EQ(first.store.claimKept()->round.dealNumber, 4711);
}

TEST(KeptRoundRows, AFileLockedByAnotherProgramCostsTheRoundOneLineAndItPlaysOn) {
    StoreInFolder s;
    ASSERT_TRUE(s.store.keep(keptAfter(2)));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(s.store.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    for (std::size_t cards = 3; cards < 9; ++cards) {
        EXPECT_FALSE(s.store.keep(keptAfter(cards)));
    }
    EXPECT_EQ(s.log.size(), 1u);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(s.store.keep(keptAfter(9)));
    EXPECT_EQ(RecordsStore(s.folder.path()).claimKept().has_value(), false) << "this run's own";
    EXPECT_EQ(s.store.claimKept()->turns.size(), 9u);
}

// The layout of the first version of the records file, as its files hold it.
constexpr const char* kFirstLayout = R"sql(
CREATE TABLE rounds (
    id INTEGER PRIMARY KEY, started TEXT NOT NULL, ended TEXT NOT NULL, player TEXT NOT NULL,
    level INTEGER NOT NULL CHECK (level BETWEEN 1 AND 6),
    card_count INTEGER NOT NULL CHECK (card_count IN (28, 40, 52)),
    first_move TEXT NOT NULL CHECK (first_move IN ('player', 'computer')),
    player_count INTEGER NOT NULL, computer_count INTEGER NOT NULL,
    winner TEXT CHECK (winner IN ('player', 'computer', 'draw')),
    player_moves INTEGER NOT NULL, seconds_played REAL NOT NULL,
    ending TEXT NOT NULL CHECK (ending IN ('finished', 'left')), deal_number INTEGER,
    CHECK ((ending = 'finished') = (winner IS NOT NULL)));
CREATE INDEX rounds_by_player ON rounds (player, id);
PRAGMA user_version = 1;
)sql";

// The last value of each row the statement gives, each followed by a space.
std::string queried(const std::string& path, const char* sql) {
    std::string values;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_exec(
        db, sql,
        [](void* out, int columns, char** row, char**) {
            *static_cast<std::string*>(out) += std::string(row[columns - 1]) + ' ';
            return 0;
        },
        &values, nullptr);
    sqlite3_close(db);
    return values;
}

// Counted by SQLite itself over the rows: played, won, lost, drawn and left rounds per player,
// and every value of every row.
std::string countedRows(const std::string& path) {
    std::string counted;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_exec(
        db,
        "SELECT player, count(*), sum(winner = 'player'), sum(winner = 'computer'), "
        "sum(winner = 'draw'), sum(ending = 'left'), sum(player_moves), "
        "sum(length(started || ended || first_move || deal_number || seconds_played)) "
        "FROM rounds GROUP BY player ORDER BY player",
        [](void* out, int columns, char** values, char**) {
            for (int column = 0; column < columns; ++column) {
                *static_cast<std::string*>(out) +=
                    std::string(values[column] != nullptr ? values[column] : "NULL") + ' ';
            }
            return 0;
        },
        &counted, nullptr);
    sqlite3_close(db);
    return counted;
}

TEST(KeptRoundRows, AFileOfTheFirstVersionIsUpgradedWithEveryRoundAndItsFiguresKept) {
    const int rounds = test::testSize(5'000, 100'000);
    StoreInFolder s;
    std::string sql = std::string(kFirstLayout) + "BEGIN;";
    std::mt19937 chance(11);
    for (int i = 0; i < rounds; ++i) {
        const bool left = chance() % 7 == 0;
        const char* winner[] = {"'player'", "'computer'", "'draw'"};
        sql +=
            "INSERT INTO rounds VALUES (NULL, '2026-01-02T03:04:05Z', '2026-01-02T03:06:00Z', '" +
            std::string(chance() % 2 ? "たろう" : "Ann") + "', " +
            std::to_string(1 + chance() % 6) + ", " + std::to_string(28 + 12 * (chance() % 3)) +
            ", 'player', 10, 18, " + (left ? "NULL" : winner[chance() % 3]) + ", " +
            std::to_string(14 + chance() % 30) + ", 95.5, " + (left ? "'left'" : "'finished'") +
            ", " + std::to_string(chance()) + ");";
    }
    execute(s.store.path(), sql + "COMMIT;");
    const std::string before = countedRows(s.store.path());

    const std::optional<PlayerStats> stats = s.store.statsFor("たろう");
    ASSERT_TRUE(stats);
    EXPECT_EQ(countedRows(s.store.path()), before);
    EXPECT_NE(
        before.find("たろう " + std::to_string(stats->overall.played) + ' ' +
                    std::to_string(stats->overall.won) + ' ' + std::to_string(stats->overall.lost) +
                    ' ' + std::to_string(stats->overall.drawn) + ' ' +
                    std::to_string(stats->overall.left) + ' '),
        std::string::npos)
        << before;
    EXPECT_TRUE(s.store.keep(keptAfter(8)));
    EXPECT_TRUE(s.log.empty());
    // The rounds recorded before have no moves; a round recorded now keeps them.
    const std::optional<std::vector<RoundRecord>> earlier = s.store.lastRounds("Ann", 50);
    ASSERT_TRUE(earlier);
    for (const RoundRecord& round : *earlier) {
        EXPECT_FALSE(round.moves || round.diceFace);
    }
    RoundRecord withMoves = keptAfter(10).round;
    withMoves.diceFace = 5;
    withMoves.moves = keptAfter(10).turns;
    ASSERT_TRUE(s.store.record(withMoves));
    EXPECT_EQ(s.store.lastRounds("はなこ", 1)->at(0).moves, withMoves.moves);
    const std::string csv = *s.store.historyCsv();
    int withoutMoves = 0;
    for (std::size_t at = csv.find(",,\r\n"); at != csv.npos; at = csv.find(",,\r\n", at + 1)) {
        ++withoutMoves;
    }
    EXPECT_EQ(withoutMoves, rounds);
    // A player's figures are counted from the index alone, never reading the rounds' moves.
    const std::string plan =
        queried(s.store.path(),
                "EXPLAIN QUERY PLAN SELECT level, card_count, ending, winner, player_moves, "
                "opportunities, opportunities_used FROM rounds WHERE player = 'Ann' ORDER BY id");
    EXPECT_EQ(queried(s.store.path(), "PRAGMA user_version"), "3 ");
    EXPECT_NE(plan.find("COVERING INDEX"), std::string::npos) << plan;
    EXPECT_FALSE(stats->overall.memoryPercent()) << "no round of the first layout has moves";
}

// A file of the second layout holds the rounds' moves but not what they were worth: opened, it
// gains the counts of every round, and the memory scores come out as the moves give them, only
// finished rounds with an opportunity counting.
TEST(KeptRoundRows, AFileOfTheSecondVersionGainsEveryRoundsMemoryScore) {
    StoreInFolder s;
    std::vector<double> scores;
    for (int i = 0; i < 30; ++i) {
        const KeptRound kept = keptAfter(std::size_t(20 + i % 17), 100 + i);
        RoundRecord round = kept.round;
        round.moves = kept.turns;
        if (i % 5 != 0) {
            round.ending = Ending::Finished;
            round.winner = Winner(i % 3);
            if (const auto percent = flipWorth(kept.turns).memoryPercent()) {
                scores.push_back(*percent);
            }
        }
        ASSERT_TRUE(s.store.record(round));
    }
    ASSERT_GE(scores.size(), 10u);
    // The same file as the second version wrote it.
    execute(s.store.path(),
            "CREATE TABLE second AS SELECT id, started, ended, player, level, card_count, "
            "first_move, player_count, computer_count, winner, player_moves, seconds_played, "
            "ending, deal_number, dice_face, moves FROM rounds; DROP TABLE rounds; "
            "ALTER TABLE second RENAME TO rounds; ALTER TABLE kept_round DROP COLUMN opponent; "
            "CREATE INDEX rounds_by_player "
            "ON rounds (player, id, level, card_count, ending, winner, player_moves); "
            "PRAGMA user_version = 2;");

    RecordsStore reopened(s.folder.path());
    const std::optional<PlayerStats> stats = reopened.statsFor("はなこ");
    ASSERT_TRUE(stats);
    double sum = 0;
    for (const double score : scores) {
        sum += score;
    }
    const RoundStats& cell = stats->at(5, 40);
    EXPECT_EQ(cell.scoredRounds, int(scores.size()));
    EXPECT_NEAR(*cell.memoryPercent(), sum / double(scores.size()), 1e-9);
    EXPECT_TRUE(cell.memoryPercentError());
    EXPECT_EQ(stats->overall.scoredRounds, cell.scoredRounds);
    EXPECT_FALSE(stats->at(5, 52).memoryPercent());
    // Upgraded in place: every round has its counts stored.
    EXPECT_EQ(queried(reopened.path(),
                      "SELECT count(*) FROM rounds WHERE opportunities IS NULL "
                      "UNION ALL SELECT user_version FROM pragma_user_version"),
              "0 3 ");
}

TEST(KeptRoundRows, AFileOfANewerVersionOffersNothingAndKeepsNothing) {
    StoreInFolder s;
    execute(s.store.path(), "CREATE TABLE kept_round (x); PRAGMA user_version = 4;");
    const std::string before = s.folder.read("records.sqlite");
    EXPECT_FALSE(s.store.claimKept());
    EXPECT_FALSE(s.store.keep(keptAfter(4)));
    EXPECT_FALSE(s.store.keep(keptAfter(5)));
    EXPECT_EQ(s.folder.read("records.sqlite"), before);
    EXPECT_EQ(s.log.size(), 2u);  // the claim's, and the round's once
}

}  // namespace
}  // namespace koropika::records
