#include "records/records_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "support/test_size.h"

namespace koropika::records {
namespace {

using std::chrono::sys_days;
using namespace std::chrono_literals;

// A store over a temporary folder whose log lines are kept for the test to read.
struct StoreInFolder {
    testing::TempFolder folder;
    std::vector<std::string> log;
    RecordsStore store{folder.path(), [this](const std::string& line) { log.push_back(line); },
                       [] { return sys_days{std::chrono::year{2026} / 12 / 8} + 18h + 24min; }};
};

RoundRecord finishedRound(const std::string& name, int level, int cards, Winner winner, int moves) {
    RoundRecord round;
    round.started = sys_days{std::chrono::year{2026} / 1 / 2} + 3h;
    round.ended = round.started + 95s;
    round.playerName = name;
    round.level = level;
    round.cardCount = cards;
    round.winner = winner;
    round.playerMoves = moves;
    round.playerCount = winner == Winner::Player ? cards / 2 + 2 : cards / 2 - 2;
    round.computerCount = cards - round.playerCount;
    round.secondsPlayed = 95;
    return round;
}

// Random rounds for two players, a few of them left half-way.
std::vector<RoundRecord> seededRounds(unsigned seed, int count) {
    std::mt19937 random(seed);
    const std::vector<std::string> names = {"たろう", "Ann, \"the\" best"};
    std::vector<RoundRecord> rounds;
    for (int i = 0; i < count; ++i) {
        const int cards = kCardCounts[random() % 3];
        RoundRecord round = finishedRound(names[random() % 2], int(random() % 6) + 1, cards,
                                          Winner(random() % 3), int(random() % 40) + 14);
        round.started += std::chrono::minutes{i};
        round.ended = round.started + std::chrono::seconds{random() % 600};
        round.firstMove = random() % 2 ? Side::Player : Side::Computer;
        if (random() % 7 == 0) {
            round.ending = Ending::Left;
            round.winner.reset();
        }
        if (random() % 2) {
            round.dealNumber = std::int64_t(random()) * 1000;
        }
        if (random() % 3 != 0) {  // none, or up to 200 cards turned
            round.diceFace = int(random() % 6) + 1;
            round.moves.emplace();
            for (int turn = int(random() % 201); turn > 0; --turn) {
                const bool computer = random() % 2 != 0;
                round.moves->push_back({computer ? Side::Computer : Side::Player,
                                        int(random() % unsigned(cards)) + 1, int(random() % 13) + 1,
                                        int(random() % 4) + 1, computer && random() % 2 != 0});
            }
        }
        rounds.push_back(round);
    }
    return rounds;
}

// The figures counted plainly from the rounds themselves: each result counted on its own, the
// streaks read off a string of results.
void expectFiguresOf(const std::vector<RoundRecord>& rounds, const RoundStats& stats) {
    auto count = [&](auto test) { return int(std::count_if(rounds.begin(), rounds.end(), test)); };
    const int won = count([](const auto& r) { return r.winner == Winner::Player; });
    const int lost = count([](const auto& r) { return r.winner == Winner::Computer; });
    const int drawn = count([](const auto& r) { return r.winner == Winner::Draw; });
    const int left = count([](const auto& r) { return r.ending == Ending::Left; });
    EXPECT_EQ(stats.played, int(rounds.size()));
    EXPECT_EQ(stats.won, won);
    EXPECT_EQ(stats.lost, lost);
    EXPECT_EQ(stats.drawn, drawn);
    EXPECT_EQ(stats.left, left);

    std::string results;
    std::optional<int> fewest;
    for (const auto& round : rounds) {
        results += round.winner == Winner::Player ? 'W' : '-';
        if (round.winner == Winner::Player && (!fewest || round.playerMoves < *fewest)) {
            fewest = round.playerMoves;
        }
    }
    int longest = 0;
    while (results.find(std::string(std::size_t(longest) + 1, 'W')) != std::string::npos) {
        ++longest;
    }
    const auto lastOther = results.find_last_not_of('W');
    const int current =
        int(lastOther == std::string::npos ? results.size() : results.size() - lastOther - 1);
    EXPECT_EQ(stats.longestStreak, longest);
    EXPECT_EQ(stats.currentStreak, current);
    EXPECT_EQ(stats.fewestMovesInWin, fewest);

    const int finished = int(rounds.size()) - left;
    if (finished == 0) {
        EXPECT_FALSE(stats.winPercent());
        return;
    }
    const double p = double(won) / finished;
    EXPECT_NEAR(*stats.winPercent(), 100 * p, 1e-9);
    EXPECT_NEAR(*stats.winPercentError(), 100 * std::sqrt(p * (1 - p) / finished), 1e-9);
}

TEST(RecordsStore, FiguresForEachLevelAndCardCountMatchACountOverTheRecordedRounds) {
    StoreInFolder s;
    const auto rounds = seededRounds(27, 400);
    for (const auto& round : rounds) {
        ASSERT_TRUE(s.store.record(round));
    }
    EXPECT_TRUE(s.log.empty());
    const auto names = s.store.playerNames();
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::vector<std::string>{"Ann, \"the\" best", "たろう"}));

    for (const auto& name : *names) {
        std::vector<RoundRecord> own;
        std::copy_if(rounds.begin(), rounds.end(), std::back_inserter(own),
                     [&](const auto& r) { return r.playerName == name; });
        const auto stats = s.store.statsFor(name);
        ASSERT_TRUE(stats);
        expectFiguresOf(own, stats->overall);
        for (int level = 1; level <= 6; ++level) {
            for (const int cards : kCardCounts) {
                SCOPED_TRACE(name + " level " + std::to_string(level) + " cards " +
                             std::to_string(cards));
                std::vector<RoundRecord> cell;
                std::copy_if(own.begin(), own.end(), std::back_inserter(cell), [&](const auto& r) {
                    return r.level == level && r.cardCount == cards;
                });
                expectFiguresOf(cell, stats->at(level, cards));
            }
        }
    }
}

TEST(RecordsStore, LastRoundsComeBackLatestFirstWithEveryField) {
    StoreInFolder s;
    const auto rounds = seededRounds(5, 120);
    for (const auto& round : rounds) {
        ASSERT_TRUE(s.store.record(round));
    }
    const auto last = s.store.lastRounds("たろう", 50);
    ASSERT_TRUE(last);
    ASSERT_EQ(last->size(), 50u);
    auto expected = rounds.rbegin();
    for (const auto& round : *last) {
        expected = std::find_if(expected, rounds.rend(),
                                [](const auto& r) { return r.playerName == "たろう"; });
        ASSERT_NE(expected, rounds.rend());
        EXPECT_EQ(round.started, expected->started);
        EXPECT_EQ(round.ended, expected->ended);
        EXPECT_EQ(round.level, expected->level);
        EXPECT_EQ(round.cardCount, expected->cardCount);
        EXPECT_EQ(round.firstMove, expected->firstMove);
        EXPECT_EQ(round.playerCount, expected->playerCount);
        EXPECT_EQ(round.computerCount, expected->computerCount);
        EXPECT_EQ(round.winner, expected->winner);
        EXPECT_EQ(round.playerMoves, expected->playerMoves);
        EXPECT_EQ(round.ending, expected->ending);
        EXPECT_EQ(round.dealNumber, expected->dealNumber);
        EXPECT_EQ(round.diceFace, expected->diceFace);
        EXPECT_EQ(round.moves, expected->moves);
        ++expected;
    }
}

TEST(RecordsStore, OpensTheFileAtTheFirstUseNotWhenMade) {
    StoreInFolder s;
    EXPECT_FALSE(std::filesystem::exists(s.store.path()));
    EXPECT_EQ(s.store.state(), RecordsStore::State::NotOpened);
    ASSERT_TRUE(s.store.playerNames());
    EXPECT_TRUE(std::filesystem::exists(s.folder.file("records.sqlite")));
    EXPECT_EQ(s.store.state(), RecordsStore::State::Ready);
}

TEST(RecordsStore, DeletingAPlayerKeepsEveryoneElse) {
    StoreInFolder s;
    ASSERT_TRUE(s.store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    ASSERT_TRUE(s.store.record(finishedRound("B", 2, 40, Winner::Computer, 30)));
    ASSERT_TRUE(s.store.record(finishedRound("A", 3, 52, Winner::Draw, 40)));
    ASSERT_TRUE(s.store.deletePlayer("A"));
    EXPECT_EQ(s.store.playerNames(), std::vector<std::string>{"B"});
    EXPECT_EQ(s.store.statsFor("A")->overall.played, 0);
    EXPECT_EQ(s.store.statsFor("B")->overall.lost, 1);
}

TEST(RecordsStore, CsvQuotesCommasQuotesAndLineBreaksAndLeavesMissingValuesEmpty) {
    StoreInFolder s;
    RoundRecord left = finishedRound("a,\"b\"\nc", 6, 52, Winner::Player, 18);
    left.ending = Ending::Left;
    left.winner.reset();
    ASSERT_TRUE(s.store.record(left));
    RoundRecord won = finishedRound("たろう", 1, 28, Winner::Player, 14);
    won.dealNumber = 12345;
    ASSERT_TRUE(s.store.record(won));
    // Moves with one pair missed at a second card and two used, and moves with no chance.
    const Side P = Side::Player;
    won.moves = {{P, 1, 1, 1}, {P, 2, 2, 1}, {P, 3, 1, 2},
                 {P, 4, 3, 1}, {P, 1, 1, 1}, {P, 3, 1, 2}};
    ASSERT_TRUE(s.store.record(won));
    won.moves->resize(2);
    ASSERT_TRUE(s.store.record(won));
    EXPECT_EQ(*s.store.historyCsv(),
              "started,ended,player,level,card_count,first_move,player_count,computer_count,"
              "winner,player_moves,seconds_played,ending,deal_number,missed_pairs,memory_score,"
              "opponent\r\n"
              "2026-01-02T03:00:00Z,2026-01-02T03:01:35Z,\"a,\"\"b\"\"\nc\",6,52,player,28,24,,18,"
              "95.0,left,,,,\r\n"
              "2026-01-02T03:00:00Z,2026-01-02T03:01:35Z,たろう,1,28,player,16,12,player,14,95.0,"
              "finished,12345,,,\r\n"
              "2026-01-02T03:00:00Z,2026-01-02T03:01:35Z,たろう,1,28,player,16,12,player,14,95.0,"
              "finished,12345,1,66.7,\r\n"
              "2026-01-02T03:00:00Z,2026-01-02T03:01:35Z,たろう,1,28,player,16,12,player,14,95.0,"
              "finished,12345,0,,\r\n");
}

TEST(RecordsStore, ARoundThatBreaksTheRulesOfTheTableIsRefusedWithOneLine) {
    StoreInFolder s;
    EXPECT_FALSE(s.store.record(finishedRound("A", 7, 28, Winner::Player, 20)));
    RoundRecord noWinner = finishedRound("A", 1, 28, Winner::Player, 20);
    noWinner.winner.reset();
    EXPECT_FALSE(s.store.record(noWinner));
    EXPECT_EQ(s.log.size(), 2u);
    EXPECT_EQ(s.store.statsFor("A")->overall.played, 0);
}

// Damaged files: each is moved aside with the date in its name, kept byte for byte, and the
// round goes into a new file.
void expectMovedAsideAndRecorded(const std::string& bytes) {
    StoreInFolder s;
    s.folder.write("records.sqlite", bytes);
    EXPECT_TRUE(s.store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_NE(s.log[0].find("damaged"), std::string::npos) << s.log[0];
    EXPECT_EQ(s.folder.read("records.sqlite.damaged-2026-12-08T18:24:00Z"), bytes);
    EXPECT_EQ(s.store.statsFor("A")->overall.won, 1);
}

TEST(RecordsStore, AFileOfRandomBytesIsMovedAsideAndANewOneStarted) {
    std::mt19937 random(1);
    std::string bytes;
    for (int i = 0; i < 8192; ++i) {
        bytes += char(random());
    }
    expectMovedAsideAndRecorded(bytes);
}

TEST(RecordsStore, ADatabaseOfAnotherKindIsMovedAsideAndANewOneStarted) {
    testing::TempFolder other;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(other.file("x.db").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t (x); INSERT INTO t VALUES (1);", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    expectMovedAsideAndRecorded(other.read("x.db"));
}

TEST(RecordsStore, DamagedPagesFoundWhileReadingAreMovedAsideAndANewFileStarted) {
    testing::TempFolder folder;
    {
        RecordsStore first(folder.path());
        for (const auto& round : seededRounds(9, 2000)) {
            ASSERT_TRUE(first.record(round));
        }
    }
    // Garbles the pages after the first two, where the rows and the index lie.
    std::string bytes = folder.read("records.sqlite");
    ASSERT_GT(bytes.size(), 20000u);
    std::fill(bytes.begin() + 8192, bytes.end() - 4096, '\x5a');
    folder.write("records.sqlite", bytes);
    std::vector<std::string> log;
    RecordsStore second(folder.path(), [&](const std::string& line) { log.push_back(line); });
    const auto stats = second.statsFor("たろう");
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->overall.played, 0);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_TRUE(second.record(finishedRound("A", 1, 28, Winner::Player, 20)));
}

TEST(RecordsStore, AFileFromANewerVersionIsLeftUntouchedAndNeitherReadNorWritten) {
    StoreInFolder s;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(s.folder.file("records.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE rounds (x); PRAGMA user_version = 4;", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const std::string before = s.folder.read("records.sqlite");
    EXPECT_FALSE(s.store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    EXPECT_EQ(s.store.state(), RecordsStore::State::NewerSchema);
    EXPECT_FALSE(s.store.statsFor("A"));
    EXPECT_EQ(s.folder.read("records.sqlite"), before);
    EXPECT_EQ(s.log.size(), 2u);
}

TEST(RecordsStore, AFolderThatCannotHoldTheFileFailsEachWriteWithOneLine) {
    testing::TempFolder folder;
    folder.write("not-a-folder", "");
    std::vector<std::string> log;
    RecordsStore store(folder.file("not-a-folder"),
                       [&](const std::string& l) { log.push_back(l); });
    EXPECT_FALSE(store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    EXPECT_EQ(log.size(), 1u);
    EXPECT_FALSE(store.playerNames());
    EXPECT_EQ(store.state(), RecordsStore::State::Unavailable);
    EXPECT_EQ(log.size(), 2u);
}

TEST(RecordsStore, AFileLockedByAnotherProgramFailsTheWriteQuicklyAndKeepsTheRest) {
    StoreInFolder s;
    ASSERT_TRUE(s.store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(s.store.path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(s.store.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    EXPECT_EQ(s.log.size(), 1u);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(s.store.record(finishedRound("A", 1, 28, Winner::Computer, 20)));
    EXPECT_EQ(s.store.statsFor("A")->overall.played, 2);
}

// What SQLite's own check says of the file: "ok" when it is whole.
std::string integrityOf(const std::string& path) {
    sqlite3* db = nullptr;
    std::string integrity = "<cannot open>";
    if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
        integrity.clear();
        sqlite3_exec(
            db, "PRAGMA integrity_check",
            [](void* out, int, char** values, char**) {
                *static_cast<std::string*>(out) += values[0];
                return 0;
            },
            &integrity, nullptr);
    }
    sqlite3_close(db);
    return integrity;
}

// Runs `work` in a child process and returns what it said, so that a test may change what the
// process is allowed to do (its user, the size of the files it writes) for `work` alone.
std::string inChild(const std::function<std::string()>& work) {
    int said[2];
    if (::pipe(said) != 0) {
        return "<no pipe>";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(said[0]);
        const std::string words = work();
        ::_exit(::write(said[1], words.data(), words.size()) == ssize_t(words.size()) ? 0 : 1);
    }
    ::close(said[1]);
    std::string words;
    char buffer[256];
    ssize_t count = 0;
    while ((count = ::read(said[0], buffer, sizeof buffer)) > 0) {
        words.append(buffer, std::size_t(count));
    }
    ::close(said[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return words + "<the child failed>";
    }
    return words;
}

// Two rounds of player A in a new file.
void recordTwoRounds(const std::string& folder) {
    RecordsStore first(folder);
    ASSERT_TRUE(first.record(finishedRound("A", 1, 28, Winner::Player, 20)));
    ASSERT_TRUE(first.record(finishedRound("A", 2, 40, Winner::Computer, 30)));
}

// What a store says when it reads player A's figures, `before` runs, and a third round is
// written: the rounds read back, whether the round was kept, the lines logged (then each line),
// and "slow" when the write took a second or more.
std::string readThenRecord(const std::string& folder, const std::function<void()>& before) {
    std::vector<std::string> log;
    RecordsStore store(folder, [&](const std::string& line) { log.push_back(line); });
    const auto stats = store.statsFor("A");
    before();
    const auto start = std::chrono::steady_clock::now();
    const bool kept = store.record(finishedRound("A", 3, 52, Winner::Draw, 40));
    const bool quick = std::chrono::steady_clock::now() - start < 1s;
    std::string words = "read " + (stats ? std::to_string(stats->overall.played) : "nothing") +
                        ", kept " + (kept ? "yes" : "no") + ", " + std::to_string(log.size()) +
                        " logged" + (quick ? "" : ", slow");
    for (const auto& line : log) {
        words += "\n" + line;
    }
    return words;
}

TEST(RecordsStore, AReadOnlyFileIsReadAndLeftAsItIsAndTheWriteFailsQuicklyWithOneLine) {
    testing::TempFolder temp;
    ASSERT_EQ(::chmod(temp.path().c_str(), 0755), 0);
    const std::string folder = temp.file("a ?#% b");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    recordTwoRounds(folder);
    const std::string file = folder + "/records.sqlite";
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string before = temp.read("a ?#% b/records.sqlite");
    // Root writes through permissions, so the store runs as the unprivileged user "nobody".
    const std::string said = inChild([&] {
        if (::getuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return std::string("cannot drop privileges");
        }
        if (::access(file.c_str(), W_OK) == 0) {
            return std::string("still writable");
        }
        return readThenRecord(folder, [] {});
    });
    if (said == "cannot drop privileges" || said == "still writable") {
        GTEST_SKIP() << "the file cannot be made read-only here: " << said;
    }
    EXPECT_EQ(said.substr(0, said.find('\n')), "read 2, kept no, 1 logged") << said;
    EXPECT_EQ(temp.read("a ?#% b/records.sqlite"), before);
}

// No file may grow past 512 bytes, as on a full disk: the round being written is lost and the
// rounds before it stay. When the disk is full before the store opens the file, the figures
// cannot be read either (the write-ahead log's index cannot be made), each call logging a line.
TEST(RecordsStore, AFullDiskLosesTheRoundBeingWrittenWithOneLineAndKeepsTheFileWhole) {
    for (const bool fullAtOpening : {true, false}) {
        SCOPED_TRACE(fullAtOpening ? "full at opening" : "filled after opening");
        testing::TempFolder folder;
        recordTwoRounds(folder.path());
        const std::string said = inChild([&] {
            std::optional<testing::FileSizeLimit> full;
            const auto fill = [&] { full.emplace(512); };
            if (fullAtOpening) {
                fill();
            }
            return readThenRecord(folder.path(),
                                  fullAtOpening ? std::function<void()>([] {}) : fill);
        });
        EXPECT_EQ(said.substr(0, said.find('\n')),
                  fullAtOpening ? "read nothing, kept no, 2 logged" : "read 2, kept no, 1 logged")
            << said;
        EXPECT_EQ(integrityOf(folder.file("records.sqlite")), "ok");
        RecordsStore check(folder.path());
        EXPECT_EQ(check.statsFor("A")->overall.played, 2);
    }
}

// A child process records rounds and confirms each through a pipe; it is killed right after
// a confirmation, so the kill falls somewhere in the next round's write.
TEST(RecordsStore, AKillAtAnyMomentLosesAtMostTheRoundBeingWrittenAndNeverDamagesTheFile) {
    testing::TempFolder folder;
    std::mt19937 random(3);
    int kept = 0;
    for (int kill = 0; kill < test::testSize(15, 200); ++kill) {
        int confirmations[2];
        ASSERT_EQ(::pipe(confirmations), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(confirmations[0]);
            RecordsStore store(folder.path());
            for (;;) {
                if (!store.record(finishedRound("A", 1, 28, Winner::Player, 20)) ||
                    ::write(confirmations[1], "+", 1) != 1) {
                    ::_exit(1);
                }
            }
        }
        ::close(confirmations[1]);
        const int wanted = int(random() % 20) + 1;
        int confirmed = 0;
        char mark = 0;
        while (confirmed < wanted && ::read(confirmations[0], &mark, 1) == 1) {
            ++confirmed;
        }
        ::kill(child, SIGKILL);
        while (::read(confirmations[0], &mark, 1) == 1) {
            ++confirmed;
        }
        ::close(confirmations[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_EQ(confirmed >= wanted, true) << "the child stopped recording by itself";

        EXPECT_EQ(integrityOf(folder.file("records.sqlite")), "ok");

        std::vector<std::string> log;
        RecordsStore check(folder.path(), [&](const std::string& l) { log.push_back(l); });
        const int played = check.statsFor("A")->overall.played;
        EXPECT_TRUE(log.empty());
        EXPECT_GE(played, kept + confirmed);
        EXPECT_LE(played, kept + confirmed + 1);
        kept = played;
    }
}

}  // namespace
}  // namespace koropika::records

namespace koropika::records {
namespace {

// Rounds of two people stay out of the figures against the computer; each counts for both people
// from their own seat, and names the opponent where the level would be.
TEST(RecordsStore, RoundsOfTwoPlayersCountForEachPersonAndNotAgainstTheComputer) {
    StoreInFolder s;
    ASSERT_TRUE(s.store.record(finishedRound("太郎", 3, 28, Winner::Player, 14)));
    for (const auto& [first, second] : {std::pair{"太郎", "花子"}, std::pair{"花子", "太郎"}}) {
        RoundRecord round = finishedRound(first, 3, 28, Winner::Computer, 12);
        round.opponentName = second;
        ASSERT_TRUE(s.store.record(round));
    }
    EXPECT_EQ(s.store.statsFor("太郎")->overall.played, 1);
    EXPECT_EQ(s.store.statsFor("花子")->overall.played, 0);
    const RoundStats taro = s.store.opponentsOf("太郎")->at(0).stats;
    EXPECT_EQ(taro.played, 2);
    EXPECT_EQ(taro.won, 1) << "花子's round lost in her seat is his win";
    EXPECT_EQ(s.store.opponentsOf("花子")->at(0).name, "太郎");
    const RoundRecord last = s.store.lastRounds("太郎", 1)->at(0);
    EXPECT_EQ(std::pair(last.opponentName, last.level), std::pair(std::string("花子"), 0));
}

}  // namespace
}  // namespace koropika::records
