#include "records/records_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string_view>
#include <utility>

#include "game/flip_worth.h"
#include "records/records_layout.h"
#include "records/sqlite_rows.h"

namespace koropika::records {
namespace {

using namespace layout;

// How long a write waits for another program holding the file before it gives up: short, so
// that a locked file never holds up a round.
constexpr int kBusyMilliseconds = 50;

// A round's opportunities to take a known pair and those used.
struct FlipCounts {
    int opportunities = 0;
    int used = 0;
};

// flip_worth_count(moves, which): of the moves as MoveLog::fullText writes them, the player's
// opportunities (which = 0) or the opportunities used (which = 1); NULL for moves that cannot
// be read. A row asks for both in turn, so the last moves counted are kept for the second.
void flipWorthCount(sqlite3_context* context, int, sqlite3_value** arguments) {
    thread_local std::string lastText;
    thread_local std::optional<FlipCounts> lastCounts;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    if (text == nullptr) {
        sqlite3_result_null(context);
        return;
    }
    const std::string_view moves(text, std::size_t(sqlite3_value_bytes(arguments[0])));
    if (moves != lastText) {
        lastText = moves;
        const std::optional<std::vector<MoveLog::Turn>> turns = MoveLog::turnsFromText(lastText);
        lastCounts.reset();
        if (turns) {
            const FlipWorth worth = flipWorth(*turns);
            lastCounts = FlipCounts{worth.opportunities, worth.used};
        }
    }
    if (!lastCounts) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, sqlite3_value_int(arguments[1]) == 0 ? lastCounts->opportunities
                                                                     : lastCounts->used);
}

// The round's memory score counts only where the round was finished and the player had an
// opportunity.
void addRound(RoundStats& stats, Ending ending, std::optional<Winner> winner, int moves,
              std::optional<FlipCounts> flips) {
    ++stats.played;
    if (ending == Ending::Finished && winner && flips && flips->opportunities > 0) {
        const double score = 100.0 * flips->used / flips->opportunities;
        ++stats.scoredRounds;
        stats.scoreSum += score;
        stats.scoreSquares += score * score;
    }
    if (ending == Ending::Left || !winner) {
        ++stats.left;
        stats.currentStreak = 0;
        return;
    }
    switch (*winner) {
        case Winner::Player:
            ++stats.won;
            ++stats.currentStreak;
            stats.longestStreak = std::max(stats.longestStreak, stats.currentStreak);
            stats.fewestMovesInWin = std::min(stats.fewestMovesInWin.value_or(moves), moves);
            return;
        case Winner::Computer:
            ++stats.lost;
            break;
        case Winner::Draw:
            ++stats.drawn;
            break;
    }
    stats.currentStreak = 0;
}

// Runs the scripts in one immediate transaction; SQLITE_OK, else the failing code, rolled back,
// with the database's message in `message`.
int inTransaction(sqlite3* db, const std::vector<const char*>& scripts, std::string& message) {
    int code = execute(db, "BEGIN IMMEDIATE");
    for (const char* script : scripts) {
        if (code == SQLITE_OK) {
            code = execute(db, script);
        }
    }
    if (code == SQLITE_OK) {
        code = execute(db, "COMMIT");
    }
    if (code != SQLITE_OK) {
        message = sqlite3_errmsg(db);
        execute(db, "ROLLBACK");
    }
    return code;
}

// Reads the schema version and the number of tables; SQLITE_OK, else the failing code.
int readHeader(sqlite3* db, int& version, int& tables) {
    Statement versionQuery(db, "PRAGMA user_version");
    const int code = eachRow(versionQuery, [&](const Statement& row) { version = row.integer(0); });
    if (code != SQLITE_OK) {
        return code;
    }
    Statement tableQuery(db, "SELECT count(*) FROM sqlite_master");
    return eachRow(tableQuery, [&](const Statement& row) { tables = row.integer(0); });
}

// The file as a URI that opens it read-only, with no locks and no write-ahead log.
std::string immutableUri(const std::string& path) {
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X",
                          unsigned(static_cast<unsigned char>(c)));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

std::optional<double> RoundStats::winPercent() const {
    if (finished() == 0) {
        return std::nullopt;
    }
    return 100.0 * won / finished();
}

std::optional<double> RoundStats::winPercentError() const {
    if (finished() == 0) {
        return std::nullopt;
    }
    const double p = double(won) / finished();
    return 100.0 * std::sqrt(p * (1 - p) / finished());
}

std::optional<double> RoundStats::memoryPercent() const {
    if (scoredRounds == 0) {
        return std::nullopt;
    }
    return scoreSum / scoredRounds;
}

std::optional<double> RoundStats::memoryPercentError() const {
    if (scoredRounds < 2) {
        return std::nullopt;
    }
    const double n = scoredRounds;
    const double mean = scoreSum / n;
    // The sample variance, kept from going below 0 by rounding.
    const double variance = std::max(0.0, (scoreSquares - n * mean * mean) / (n - 1));
    return std::sqrt(variance / n);
}

RoundStats& PlayerStats::at(int level, int cardCount) {
    const auto column = std::find(kCardCounts.begin(), kCardCounts.end(), cardCount);
    return byLevelAndCards.at(std::size_t((level - 1) * 3 + (column - kCardCounts.begin())));
}

const RoundStats& PlayerStats::at(int level, int cardCount) const {
    return const_cast<PlayerStats&>(*this).at(level, cardCount);
}

void RecordsStore::CloseDatabase::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

RecordsStore::RecordsStore(std::string folder, Log log, Clock clock)
    : folder_(std::move(folder)),
      log_(std::move(log)),
      clock_(std::move(clock)),
      roundLock_(folder_ + "/" + kFileName + ".round-lock") {
    if (!log_) {
        log_ = [](const std::string& line) { std::cerr << line << '\n'; };
    }
    if (!clock_) {
        clock_ = [] {
            return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        };
    }
}

RecordsStore::~RecordsStore() = default;

void RecordsStore::fail(const char* what, const std::string& detail) {
    log_("koropika: records: could not " + std::string(what) + " (" + path() + "): " + detail);
}

bool RecordsStore::open() {
    if (db_) {
        return true;
    }
    std::string damage;
    if (openOnce(damage)) {
        return true;
    }
    if (damage.empty() || !moveDamagedAside(damage)) {
        return false;
    }
    if (openOnce(damage)) {
        return true;
    }
    if (!damage.empty()) {
        fail("use the records", damage);
    }
    return false;
}

// Opens the file, creating it with the current schema when it is new. A file to move aside
// leaves the reason in `damage` and is not logged here.
bool RecordsStore::openOnce(std::string& damage) {
    damage.clear();
    sqlite3* raw = nullptr;
    int code =
        sqlite3_open_v2(path().c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    state_ = State::Unavailable;
    if (code != SQLITE_OK) {
        fail("open the records", raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(code));
        return false;
    }
    sqlite3_busy_timeout(raw, kBusyMilliseconds);

    int version = 0;
    int tables = 0;
    code = readHeader(raw, version, tables);
    // A file this user may only read, in a folder where the write-ahead log's files cannot be
    // made, can still be read when opened as a file that nothing changes while it is open.
    if (sqlite3_db_readonly(raw, "main") == 1 &&
        ((code & 0xff) == SQLITE_READONLY || (code & 0xff) == SQLITE_CANTOPEN)) {
        raw = nullptr;
        code = sqlite3_open_v2(immutableUri(path()).c_str(), &raw,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        db.reset(raw);
        if (code == SQLITE_OK) {
            code = readHeader(raw, version, tables);
        }
    }
    if (code != SQLITE_OK) {
        if (isDamage(code)) {
            damage = sqlite3_errmsg(raw);
        } else {
            fail("read the records", sqlite3_errmsg(raw));
        }
        return false;
    }
    if (version > kSchemaVersion) {
        fail("use the records", "they were written by a newer version of the game (schema " +
                                    std::to_string(version) + ")");
        state_ = State::NewerSchema;
        return false;
    }
    if (version == 0 && tables > 0) {
        damage = "the file holds a database of another kind";
        return false;
    }
    sqlite3_create_function(raw, "flip_worth_count", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            flipWorthCount, nullptr, nullptr);
    std::string message;
    if (version == 0) {
        code = inTransaction(raw, {kSchema, kKeptRoundTable, kKeptRoundOpponent, kCurrentVersion},
                             message);
        if (code != SQLITE_OK) {
            if (isDamage(code)) {
                damage = message;
            } else {
                fail("start the records", message);
            }
            return false;
        }
        version = kSchemaVersion;
    } else if (version < kSchemaVersion && sqlite3_db_readonly(raw, "main") != 1) {
        // An earlier layout gains what later ones added, all in one transaction, every round in
        // it kept. Where that cannot be done now, the rounds are still read.
        std::vector<const char*> steps;
        if (version < 2) {
            steps.push_back(kRoundMovesColumns);
            steps.push_back(kKeptRoundTable);
        }
        steps.insert(steps.end(), {kRoundsSetAside, kSchema, kRoundsCopied, kKeptRoundOpponent,
                                   kCurrentVersion});
        if (inTransaction(raw, steps, message) == SQLITE_OK) {
            version = kSchemaVersion;
        } else {
            fail("upgrade the records", message);
        }
    }
    version_ = version;
    // A write-ahead log with normal syncing: a round's transaction costs no wait for the disk,
    // and a killed program still loses no committed round and leaves no damaged file (only a
    // power cut may lose the last rounds). Where the log cannot be made, the rollback journal
    // stays, which is as safe and slower.
    execute(raw, "PRAGMA journal_mode = WAL");
    execute(raw, "PRAGMA synchronous = NORMAL");
    db_ = std::move(db);
    state_ = State::Ready;
    return true;
}

bool RecordsStore::moveDamagedAside(const std::string& damage) {
    db_.reset();
    const std::string date = isoUtc(clock_());
    const std::string aside = path() + ".damaged-" + date;
    if (std::rename(path().c_str(), aside.c_str()) != 0) {
        log_("koropika: records: the file " + path() + " is damaged (" + damage +
             ") and could not be moved aside: " + std::strerror(errno));
        return false;
    }
    // The write-ahead log and its index belong to the damaged file, not to the new one.
    for (const char* suffix : {"-wal", "-shm"}) {
        std::rename((path() + suffix).c_str(), (aside + suffix).c_str());
    }
    log_("koropika: records: the file " + path() + " was damaged (" + damage +
         "); moved it aside as " + aside + " and started a new one");
    return true;
}

bool RecordsStore::withDatabase(const char* what, const std::function<int()>& work) {
    if (!open()) {
        return false;
    }
    int code = work();
    if (isDamage(code)) {
        if (!moveDamagedAside(sqlite3_errmsg(db_.get())) || !open()) {
            state_ = State::Unavailable;
            return false;
        }
        code = work();
    }
    if (code != SQLITE_OK) {
        fail(what, sqlite3_errmsg(db_.get()));
        if (isDamage(code)) {
            db_.reset();
            state_ = State::Unavailable;
        }
        return false;
    }
    return true;
}

std::string RecordsStore::moveColumns() const {
    return version_ >= 2 ? kMoveColumns : "NULL, NULL";
}

std::string RecordsStore::flipCountColumns() const {
    // A file of the second layout that could not be upgraded counts them from its moves.
    switch (version_) {
        case 1:
            return "NULL, NULL";
        case 2:
            return "flip_worth_count(moves, 0), flip_worth_count(moves, 1)";
        default:
            return kFlipCountNames;
    }
}

std::string RecordsStore::opponentColumn() const {
    return version_ >= 3 ? "opponent" : "NULL";
}

std::string RecordsStore::againstTheComputer() const {
    return version_ >= 3 ? " AND opponent IS NULL" : "";
}

bool RecordsStore::record(const RoundRecord& round) {
    keepFailed_ = false;
    const bool recorded = withDatabase("record a round", [&] {
        int code = execute(db_.get(), "BEGIN IMMEDIATE");
        if (code != SQLITE_OK) {
            return code;
        }
        {
            // A file of an earlier layout that could not be upgraded has no place for the moves
            // or for what they were worth.
            const bool moves = version_ >= 2;
            const bool third = version_ >= 3;
            Statement insert(db_.get(),
                             std::string("INSERT INTO rounds (") + kColumns +
                                 (moves ? std::string(", ") + kMoveColumns : "") +
                                 (third ? std::string(", ") + kFlipCountNames + ", opponent" : "") +
                                 ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?" + (moves ? ",?,?" : "") +
                                 (third ? ",?,?,?)" : ")"));
            code = insert.prepared();
            if (code == SQLITE_OK) {
                bindRound(insert, round);
                if (moves) {
                    bindMoves(insert, kColumnCount + 1, round);
                }
                if (third) {
                    bindFlipCounts(insert, kColumnCount + 3, round);
                    bindOpponent(insert, kColumnCount + 5, round);
                }
                code = insert.step() == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db_.get());
            }
        }
        // The round this run kept goes with its record, so that it is recorded once.
        if (code == SQLITE_OK && keepsRounds()) {
            code = execute(db_.get(), "DELETE FROM kept_round");
        }
        if (code == SQLITE_OK) {
            code = execute(db_.get(), "COMMIT");
        }
        if (code != SQLITE_OK) {
            const int failure = sqlite3_extended_errcode(db_.get());
            execute(db_.get(), "ROLLBACK");
            return failure == SQLITE_OK ? code : failure;
        }
        return SQLITE_OK;
    });
    if (recorded) {
        roundLock_.release();
    }
    return recorded;
}

std::optional<std::vector<std::string>> RecordsStore::playerNames() {
    std::vector<std::string> names;
    const bool read = withDatabase("read the player names", [&] {
        names.clear();
        // Who sat in the computer's seat has rounds too.
        Statement query(db_.get(), version_ >= 3 ? "SELECT player FROM rounds UNION SELECT "
                                                   "opponent FROM rounds WHERE opponent IS NOT "
                                                   "NULL ORDER BY 1"
                                                 : "SELECT player FROM rounds GROUP BY player "
                                                   "ORDER BY player");
        return eachRow(query, [&](const Statement& row) { names.push_back(row.text(0)); });
    });
    return read ? std::optional(std::move(names)) : std::nullopt;
}

std::optional<PlayerStats> RecordsStore::statsFor(const std::string& playerName) {
    PlayerStats stats;
    const bool read = withDatabase("read a player's figures", [&] {
        stats = {};
        Statement query(db_.get(), "SELECT level, card_count, ending, winner, player_moves, " +
                                       flipCountColumns() + " FROM rounds WHERE player = ?" +
                                       againstTheComputer() + " ORDER BY id");
        query.bind(1, playerName);
        return eachRow(query, [&](const Statement& row) {
            const int level = row.integer(0);
            const int cards = row.integer(1);
            const Ending ending = row.text(2) == "left" ? Ending::Left : Ending::Finished;
            const auto winner = winnerFrom(row.text(3));
            const int moves = row.integer(4);
            std::optional<FlipCounts> flips;
            if (row.type(5) == SQLITE_INTEGER && row.type(6) == SQLITE_INTEGER) {
                flips = FlipCounts{row.integer(5), row.integer(6)};
            }
            addRound(stats.overall, ending, winner, moves, flips);
            addRound(stats.at(level, cards), ending, winner, moves, flips);
        });
    });
    return read ? std::optional(stats) : std::nullopt;
}

std::optional<std::vector<RoundRecord>> RecordsStore::lastRounds(const std::string& playerName,
                                                                 int count) {
    std::vector<RoundRecord> rounds;
    const bool read = withDatabase("read the last rounds", [&] {
        rounds.clear();
        Statement query(db_.get(), std::string("SELECT ") + kColumns + ", " + moveColumns() + ", " +
                                       opponentColumn() +
                                       " FROM rounds WHERE player = ? ORDER BY id DESC LIMIT ?");
        query.bind(1, playerName);
        query.bind(2, count);
        return eachRow(query, [&](const Statement& row) {
            rounds.push_back(roundFrom(row));
            readMoves(row, kColumnCount, rounds.back());
            readOpponent(row, kColumnCount + 2, rounds.back());
        });
    });
    return read ? std::optional(std::move(rounds)) : std::nullopt;
}

bool RecordsStore::deletePlayer(const std::string& playerName) {
    return withDatabase("delete a player's records", [&] {
        Statement remove(db_.get(), "DELETE FROM rounds WHERE player = ?");
        remove.bind(1, playerName);
        return eachRow(remove, [](const Statement&) {});
    });
}

std::optional<std::vector<OpponentStats>> RecordsStore::opponentsOf(const std::string& playerName) {
    std::map<std::string, RoundStats> byOpponent;
    const bool read = withDatabase("read a player's rounds against people", [&] {
        byOpponent.clear();
        if (version_ < 3) {
            return SQLITE_OK;
        }
        // Either seat: a round in the computer's seat is counted from that seat.
        Statement query(db_.get(),
                        "SELECT opponent, ending, winner, player_moves, id FROM rounds "
                        "WHERE player = ?1 AND opponent IS NOT NULL "
                        "UNION ALL SELECT player, ending, CASE winner WHEN 'player' THEN "
                        "'computer' WHEN 'computer' THEN 'player' ELSE winner END, 0, id "
                        "FROM rounds WHERE opponent = ?1 ORDER BY 5");
        query.bind(1, playerName);
        return eachRow(query, [&](const Statement& row) {
            const Ending ending = row.text(1) == "left" ? Ending::Left : Ending::Finished;
            addRound(byOpponent[row.text(0)], ending, winnerFrom(row.text(2)), row.integer(3),
                     std::nullopt);
        });
    });
    if (!read) {
        return std::nullopt;
    }
    std::vector<OpponentStats> opponents;
    for (auto& [name, stats] : byOpponent) {
        opponents.push_back({name, stats});
    }
    return opponents;
}

}  // namespace koropika::records
