// The round in play, kept in the records file for a later run to continue.

#include <sqlite3.h>

#include <charconv>
#include <filesystem>
#include <system_error>

#include "records/records_store.h"
#include "records/sqlite_rows.h"

namespace koropika::records {

namespace {

constexpr const char* kKeptColumns =
    "started, ended, player, level, card_count, first_move, player_count, computer_count, "
    "player_moves, seconds_played, deal_number, turns, resolved_turns, card_back, dice_face, "
    "blue_counters";
constexpr int kKeptColumnCount = 16;

// Every value of a kept round, in a fixed order: a row read back with a value changed by a
// damaged disk or an editor gives another digest.
std::int64_t digestOf(const KeptRound& kept) {
    const RoundRecord& round = kept.round;
    // The shortest text that reads back as the same number, with a point in any locale.
    char seconds[32] = {};
    std::to_chars(seconds, seconds + sizeof seconds - 1, round.secondsPlayed);
    const std::string values =
        isoUtc(round.started) + '\n' + isoUtc(round.ended) + '\n' + round.playerName + '\n' +
        std::to_string(round.level) + '\n' + std::to_string(round.cardCount) + '\n' +
        sideText(round.firstMove) + '\n' + std::to_string(round.playerCount) + '\n' +
        std::to_string(round.computerCount) + '\n' + std::to_string(round.playerMoves) + '\n' +
        seconds + '\n' + std::to_string(round.dealNumber.value_or(-1)) + '\n' +
        MoveLog::fullText(kept.turns) + '\n' + std::to_string(kept.resolvedTurns) + '\n' +
        std::to_string(kept.cardBack) + '\n' + std::to_string(round.diceFace.value_or(0)) + '\n' +
        (kept.blueCounters ? "blue" : "white") +
        // Only a round of two players has a second name, so a round against the computer kept
        // before there were any has the digest it was kept with.
        (round.opponentName.empty() ? std::string() : '\n' + round.opponentName);
    return static_cast<std::int64_t>(fnv1a(values));
}

// The kept round of a row of kKeptColumns; empty when a value cannot be read or is not of its
// column's type.
std::optional<KeptRound> keptFrom(const Statement& row) {
    for (int column = 0; column < kKeptColumnCount; ++column) {
        const bool text = column <= 2 || column == 5 || column == 11;
        const bool number = row.type(column) == SQLITE_INTEGER ||
                            (column == 9 && row.type(column) == SQLITE_FLOAT) ||
                            (column == 14 && row.type(column) == SQLITE_NULL);
        if (text ? row.type(column) != SQLITE_TEXT : !number) {
            return std::nullopt;
        }
    }
    KeptRound kept;
    RoundRecord& round = kept.round;
    const std::optional<std::vector<MoveLog::Turn>> turns = MoveLog::turnsFromText(row.text(11));
    const std::string firstMove = row.text(5);
    if (!turns || (firstMove != "player" && firstMove != "computer")) {
        return std::nullopt;
    }
    round.started = fromIsoUtc(row.text(0));
    round.ended = fromIsoUtc(row.text(1));
    round.playerName = row.text(2);
    round.level = row.integer(3);
    round.cardCount = row.integer(4);
    round.firstMove = firstMove == "player" ? Side::Player : Side::Computer;
    round.playerCount = row.integer(6);
    round.computerCount = row.integer(7);
    round.playerMoves = row.integer(8);
    round.secondsPlayed = row.real(9);
    round.dealNumber = row.integer64(10);
    round.ending = Ending::Left;
    kept.turns = *turns;
    kept.resolvedTurns = row.integer(12);
    kept.cardBack = row.integer(13);
    if (!row.isNull(14)) {
        round.diceFace = row.integer(14);
    }
    kept.blueCounters = row.integer(15) != 0;
    return kept;
}

}  // namespace

bool RecordsStore::keep(const KeptRound& kept) {
    // A round that cannot be kept says so once, not at every card.
    const Log log = log_;
    if (keepFailed_) {
        log_ = [](const std::string&) {};
    }
    bool done = false;
    if (!roundLock_.take()) {
        log_("koropika: records: another run of the game has a round in play in " + folder_ +
             "; this round is not kept");
    } else {
        done = withDatabase("keep the round in play", [&] {
            // A file of an earlier layout that could not be upgraded has no place for the
            // round, or for a second player's name.
            const bool opponent = version_ >= 3;
            if (version_ < 2 || (!opponent && !kept.round.opponentName.empty())) {
                return SQLITE_READONLY;
            }
            Statement replace(db_.get(), std::string("INSERT OR REPLACE INTO kept_round (id, ") +
                                             kKeptColumns + ", digest" +
                                             (opponent ? ", opponent" : "") +
                                             ") VALUES (1,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?" +
                                             (opponent ? ",?)" : ")"));
            if (replace.prepared() != SQLITE_OK) {
                return replace.prepared();
            }
            const RoundRecord& round = kept.round;
            replace.bind(1, isoUtc(round.started));
            replace.bind(2, isoUtc(round.ended));
            replace.bind(3, round.playerName);
            replace.bind(4, round.level);
            replace.bind(5, round.cardCount);
            replace.bind(6, sideText(round.firstMove));
            replace.bind(7, round.playerCount);
            replace.bind(8, round.computerCount);
            replace.bind(9, round.playerMoves);
            replace.bind(10, round.secondsPlayed);
            replace.bind(11, round.dealNumber.value_or(-1));
            replace.bind(12, MoveLog::fullText(kept.turns));
            replace.bind(13, kept.resolvedTurns);
            replace.bind(14, kept.cardBack);
            if (round.diceFace) {
                replace.bind(15, *round.diceFace);
            } else {
                replace.bindNull(15);
            }
            replace.bind(16, kept.blueCounters ? 1 : 0);
            replace.bind(17, digestOf(kept));
            if (opponent) {
                bindOpponent(replace, 18, round);
            }
            return replace.step() == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(db_.get());
        });
    }
    log_ = log;
    keepFailed_ = !done;
    return done;
}

std::optional<KeptRound> RecordsStore::readKept() {
    bool found = false;
    std::optional<KeptRound> kept;
    bool intact = false;  // the digest is the values'
    withDatabase("read the kept round", [&] {
        if (version_ < 2) {
            return SQLITE_OK;
        }
        Statement query(db_.get(), std::string("SELECT ") + kKeptColumns + ", digest, " +
                                       opponentColumn() + " FROM kept_round");
        return eachRow(query, [&](const Statement& row) {
            found = true;
            kept = keptFrom(row);
            if (kept && row.type(kKeptColumnCount + 1) == SQLITE_TEXT) {
                kept->round.opponentName = row.text(kKeptColumnCount + 1);
            }
            intact = kept && !row.isNull(kKeptColumnCount) &&
                     row.integer64(kKeptColumnCount) == digestOf(*kept);
        });
    });
    if (!found) {
        return std::nullopt;
    }
    const std::string damage = !kept     ? "its values cannot be read"
                               : !intact ? "it was damaged or edited"
                                         : checkKeptRound(*kept);
    if (damage.empty()) {
        return kept;
    }
    // A round whose values can be read is recorded as the round left; dropped either way.
    const Log log = log_;
    log_ = [](const std::string&) {};
    const bool recorded = kept && record(kept->round);
    log_ = log;
    if (!recorded) {
        dropKept();
    }
    log_("koropika: records: the kept round in " + path() + " cannot be continued (" + damage +
         "); " + (recorded ? "recorded it as left" : "dropped it"));
    return std::nullopt;
}

std::optional<KeptRound> RecordsStore::claimKept() {
    std::error_code error;
    if (!std::filesystem::exists(path(), error) || !roundLock_.take()) {
        return std::nullopt;  // no records yet, or another run has its round in play here
    }
    std::optional<KeptRound> kept = readKept();
    if (!kept) {
        roundLock_.release();
    }
    return kept;
}

void RecordsStore::dropKept() {
    if (keepsRounds()) {
        withDatabase("forget the kept round",
                     [&] { return execute(db_.get(), "DELETE FROM kept_round"); });
    }
    roundLock_.release();
}

}  // namespace koropika::records
