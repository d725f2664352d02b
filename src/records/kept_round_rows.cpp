// The round in play, kept in the records file for a later run to continue.

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "records/records_store.h"
#include "records/sqlite_rows.h"

namespace koropika::records {

namespace {

constexpr const char* kKeptColumns = "turns, resolved_turns, card_back";

std::string turnsText(const KeptRound& kept) {
    MoveLog log;
    for (const MoveLog::Turn& turn : kept.turns) {
        log.record(turn.side, turn.slot, turn.rank);
    }
    return log.text();
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
            if (version_ < 2) {
                return SQLITE_READONLY;  // a file of the first version that could not be upgraded
            }
            Statement replace(db_.get(), std::string("INSERT OR REPLACE INTO kept_round (id, ") +
                                             kColumns + ", " + kKeptColumns +
                                             ") VALUES (1,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
            if (replace.prepared() != SQLITE_OK) {
                return replace.prepared();
            }
            bindRound(replace, kept.round);
            replace.bind(kColumnCount + 1, turnsText(kept));
            replace.bind(kColumnCount + 2, kept.resolvedTurns);
            replace.bind(kColumnCount + 3, kept.cardBack);
            return replace.step() == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(db_.get());
        });
    }
    log_ = log;
    keepFailed_ = !done;
    return done;
}

std::optional<KeptRound> RecordsStore::readKept() {
    std::optional<KeptRound> kept;
    std::string damage;
    withDatabase("read the kept round", [&] {
        if (version_ < 2) {
            return SQLITE_OK;
        }
        Statement query(db_.get(), std::string("SELECT ") + kColumns + ", " + kKeptColumns +
                                       " FROM kept_round");
        return eachRow(query, [&](const Statement& row) {
            kept.emplace();
            kept->round = roundFrom(row);
            kept->round.ending = Ending::Left;
            kept->round.winner.reset();
            const std::optional<std::vector<MoveLog::Turn>> turns =
                MoveLog::turnsFromText(row.text(kColumnCount));
            if (turns) {
                kept->turns = *turns;
                kept->resolvedTurns = row.integer(kColumnCount + 1);
            } else {
                damage = "its cards turned cannot be read";
            }
            kept->cardBack = row.integer(kColumnCount + 2);
        });
    });
    if (kept && damage.empty()) {
        damage = checkKeptRound(*kept);
    }
    if (!kept || damage.empty()) {
        return kept;
    }
    // Recorded as the round left when its columns make a round; dropped either way.
    const Log log = log_;
    log_ = [](const std::string&) {};
    const bool recorded = record(kept->round);
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
