// Times the keeping of the round in play, as the game window asks for it after every card turned
// and every move resolved, and the recording of a round with its moves as the game window asks
// for it when a round ends, in a records file that already holds many rounds.
//
//   koropika_keeping [--rounds-in-file N] [--rounds R] [--records W] [--folder DIR]
//
// Prints the keeps timed, their median, 99th percentile and longest, in milliseconds, and the
// standard error of the median taken as the spread of the rounds' medians; then the median,
// 99th percentile and longest of W recordings of those rounds with their moves.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <sqlite3.h>

#include "records/records_store.h"
#include "support/engine_rounds.h"

namespace {

using namespace koropika;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A round of 52 cards at level 6 played to its end, the player turning the first face-down
// slots it may; each card and each resolution keeps the round, timed.
std::vector<double> keepOneRound(records::RecordsStore& store, std::uint64_t deal,
                                 RoundRecord& played) {
    SeededRandom random(deal);
    RoundEngine engine;
    engine.deal(52, 6, random);
    engine.decideStarter(static_cast<int>(deal % 2));
    engine.pressStart();
    for (int slot = 1; slot <= 52; ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    KeptRound kept;
    kept.round.playerName = "はなこ";
    kept.round.level = 6;
    kept.round.cardCount = 52;
    kept.round.dealNumber = static_cast<std::int64_t>(deal);
    std::vector<double> times;
    const auto keep = [&] {
        kept.round.playerCount = engine.playerCards();
        kept.round.computerCount = engine.computerCards();
        kept.turns = engine.moveLog().turns();
        kept.resolvedTurns = engine.turnsResolved();
        const Clock::time_point start = Clock::now();
        if (!store.keep(kept)) {
            std::exit(1);
        }
        times.push_back(millisecondsSince(start));
    };
    while (!engine.roundOver()) {
        if (const std::optional<TurnedCard> card = testing::turnNextCard(engine)) {
            keep();
            if (card->second) {
                engine.resolveMove();
                keep();
            }
        }
    }
    played = kept.round;
    played.winner = engine.result().winner;
    played.diceFace = 1 + static_cast<int>(deal % 6);
    played.moves = engine.moveLog().turns();
    return times;
}

}  // namespace

int main(int argc, char* argv[]) {
    long inFile = 100'000;
    int rounds = 20;
    int records = 500;
    std::string folder = std::filesystem::temp_directory_path() / "koropika-keeping";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--rounds-in-file") {
            inFile = std::atol(argv[i + 1]);
        } else if (option == "--rounds") {
            rounds = std::atoi(argv[i + 1]);
        } else if (option == "--records") {
            records = std::atoi(argv[i + 1]);
        } else if (option == "--folder") {
            folder = argv[i + 1];
        }
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        // The rounds in the file carry the moves of a whole round of 52 cards.
        const std::string scratch = folder + "/scratch";
        std::filesystem::create_directories(scratch);
        RoundRecord round;
        {
            records::RecordsStore scratchStore(scratch);
            keepOneRound(scratchStore, 999, round);
        }
        std::filesystem::remove_all(scratch);
        records::RecordsStore filler(folder);
        round.playerName = "たろう";
        round.winner = Winner::Computer;
        for (long i = 0; i < inFile; ++i) {
            round.level = 1 + static_cast<int>(i % 6);
            filler.record(round);
        }
    }
    records::RecordsStore store(folder);
    std::vector<double> all;
    std::vector<double> medians;
    std::vector<RoundRecord> played(static_cast<std::size_t>(rounds));
    for (int round = 0; round < rounds; ++round) {
        const std::vector<double> times = keepOneRound(store, 1000 + static_cast<unsigned>(round),
                                                       played[static_cast<std::size_t>(round)]);
        all.insert(all.end(), times.begin(), times.end());
        medians.push_back(medianOf(times));
        RoundRecord left;
        left.playerName = "はなこ";
        left.ending = Ending::Left;
        store.record(left);
    }
    double mean = 0;
    for (const double m : medians) {
        mean += m / static_cast<double>(medians.size());
    }
    double spread = 0;
    for (const double m : medians) {
        spread += (m - mean) * (m - mean) / static_cast<double>(medians.size() - 1);
    }
    std::vector<double> sorted = all;
    std::sort(sorted.begin(), sorted.end());
    std::printf("keeps %zu in %d rounds of 52 cards, %ld rounds in the file\n", all.size(), rounds,
                inFile);
    std::printf("median %.3f ms (standard error %.3f), 99th percentile %.3f ms, longest %.3f ms\n",
                medianOf(all), std::sqrt(spread / static_cast<double>(medians.size())),
                sorted[sorted.size() * 99 / 100], sorted.back());

    std::vector<double> recordTimes;
    std::size_t longestMoves = 0;
    for (int i = 0; i < std::max(records, 1); ++i) {
        const RoundRecord& round = played[static_cast<std::size_t>(i % rounds)];
        longestMoves = std::max(longestMoves, MoveLog::fullText(*round.moves).size());
        const Clock::time_point start = Clock::now();
        if (!store.record(round)) {
            return 1;
        }
        recordTimes.push_back(millisecondsSince(start));
    }
    std::sort(recordTimes.begin(), recordTimes.end());
    std::printf("records %zu rounds of 52 cards with their moves (at most %zu bytes)\n",
                recordTimes.size(), longestMoves);
    std::printf("median %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n", medianOf(recordTimes),
                recordTimes[recordTimes.size() * 99 / 100], recordTimes.back());

    // What the records window and the export read from the same file.
    Clock::time_point start = Clock::now();
    const bool stats = store.statsFor("たろう").has_value();
    const double statsMs = millisecondsSince(start);
    start = Clock::now();
    const bool last = store.lastRounds("たろう", 50).has_value();
    const double lastMs = millisecondsSince(start);
    start = Clock::now();
    const std::optional<std::string> csv = store.historyCsv();
    const double csvMs = millisecondsSince(start);
    if (!stats || !last || !csv) {
        return 1;
    }
    std::printf(
        "a player's figures %.1f ms, the last 50 rounds %.1f ms, the CSV (%zu bytes) "
        "%.1f ms\n",
        statsMs, lastMs, csv->size(), csvMs);

    // The same file as the second layout left it, without the rounds' counts: the first open
    // counts every round's from its moves, once.
    {
        sqlite3* db = nullptr;
        sqlite3_open((folder + "/" + records::RecordsStore::kFileName).c_str(), &db);
        const int code = sqlite3_exec(
            db,
            "DROP INDEX rounds_by_player; ALTER TABLE rounds DROP COLUMN opportunities; "
            "ALTER TABLE rounds DROP COLUMN opportunities_used; CREATE INDEX rounds_by_player "
            "ON rounds (player, id, level, card_count, ending, winner, player_moves); "
            "PRAGMA user_version = 2;",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
        if (code != SQLITE_OK) {
            return 1;
        }
    }
    records::RecordsStore upgraded(folder);
    start = Clock::now();
    const bool upgradedStats = upgraded.statsFor("たろう").has_value();
    const double upgradeMs = millisecondsSince(start);
    start = Clock::now();
    upgraded.statsFor("たろう");
    const double afterMs = millisecondsSince(start);
    if (!upgradedStats) {
        return 1;
    }
    std::printf(
        "upgrading the file from the second layout %.0f ms, a player's figures after %.1f ms\n",
        upgradeMs, afterMs);
    std::filesystem::remove_all(folder);
    return 0;
}
