#include "records/sqlite_rows.h"

#include <cstdio>

#include "game/flip_worth.h"

namespace koropika::records {

const char* sideText(Side side) {
    return side == Side::Player ? "player" : "computer";
}

const char* winnerText(Winner winner) {
    switch (winner) {
        case Winner::Player:
            return "player";
        case Winner::Computer:
            return "computer";
        case Winner::Draw:
            return "draw";
    }
    return "";
}

std::optional<Winner> winnerFrom(const std::string& text) {
    if (text == "player") {
        return Winner::Player;
    }
    if (text == "computer") {
        return Winner::Computer;
    }
    if (text == "draw") {
        return Winner::Draw;
    }
    return std::nullopt;
}

std::string isoUtc(std::chrono::sys_seconds time) {
    const auto day = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{time - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return text;
}

std::chrono::sys_seconds fromIsoUtc(const std::string& text) {
    int year = 1970;
    unsigned month = 1;
    unsigned day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::sscanf(text.c_str(), "%d-%u-%uT%d:%d:%d", &year, &month, &day, &hour, &minute, &second);
    const std::chrono::sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                                     std::chrono::day{day}};
    return date + std::chrono::hours{hour} + std::chrono::minutes{minute} +
           std::chrono::seconds{second};
}

bool isDamage(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

RoundRecord roundFrom(const Statement& row) {
    RoundRecord round;
    round.started = fromIsoUtc(row.text(0));
    round.ended = fromIsoUtc(row.text(1));
    round.playerName = row.text(2);
    round.level = row.integer(3);
    round.cardCount = row.integer(4);
    round.firstMove = row.text(5) == "player" ? Side::Player : Side::Computer;
    round.playerCount = row.integer(6);
    round.computerCount = row.integer(7);
    round.winner = winnerFrom(row.text(8));
    round.playerMoves = row.integer(9);
    round.secondsPlayed = row.real(10);
    round.ending = row.text(11) == "left" ? Ending::Left : Ending::Finished;
    if (!row.isNull(12)) {
        round.dealNumber = row.integer64(12);
    }
    return round;
}

int execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

void bindRound(Statement& statement, const RoundRecord& round) {
    statement.bind(1, isoUtc(round.started));
    statement.bind(2, isoUtc(round.ended));
    statement.bind(3, round.playerName);
    if (round.opponentName.empty()) {
        statement.bind(4, round.level);
    } else {
        statement.bindNull(4);  // two players: no level
    }
    statement.bind(5, round.cardCount);
    statement.bind(6, sideText(round.firstMove));
    statement.bind(7, round.playerCount);
    statement.bind(8, round.computerCount);
    if (round.winner) {
        statement.bind(9, winnerText(*round.winner));
    } else {
        statement.bindNull(9);
    }
    statement.bind(10, round.playerMoves);
    statement.bind(11, round.secondsPlayed);
    statement.bind(12, round.ending == Ending::Left ? "left" : "finished");
    if (round.dealNumber) {
        statement.bind(13, *round.dealNumber);
    } else {
        statement.bindNull(13);
    }
}

void bindMoves(Statement& statement, int first, const RoundRecord& round) {
    // A face no dice shows is not kept, so that the round itself still is.
    if (round.diceFace && *round.diceFace >= 1 && *round.diceFace <= 6) {
        statement.bind(first, *round.diceFace);
    } else {
        statement.bindNull(first);
    }
    if (round.moves) {
        statement.bind(first + 1, MoveLog::fullText(*round.moves));
    } else {
        statement.bindNull(first + 1);
    }
}

void bindFlipCounts(Statement& statement, int first, const RoundRecord& round) {
    if (!round.moves) {
        statement.bindNull(first);
        statement.bindNull(first + 1);
        return;
    }
    const FlipWorth worth = flipWorth(*round.moves);
    statement.bind(first, worth.opportunities);
    statement.bind(first + 1, worth.used);
}

void readMoves(const Statement& row, int first, RoundRecord& round) {
    if (row.type(first) == SQLITE_INTEGER) {
        const int face = row.integer(first);
        round.diceFace = face >= 1 && face <= 6 ? std::optional(face) : std::nullopt;
    }
    if (row.type(first + 1) == SQLITE_TEXT) {
        round.moves = MoveLog::turnsFromText(row.text(first + 1));
    }
}

void bindOpponent(Statement& statement, int at, const RoundRecord& round) {
    if (round.opponentName.empty()) {
        statement.bindNull(at);
    } else {
        statement.bind(at, round.opponentName);
    }
}

void readOpponent(const Statement& row, int at, RoundRecord& round) {
    if (row.type(at) == SQLITE_TEXT) {
        round.opponentName = row.text(at);
        round.level = 0;
    }
}

}  // namespace koropika::records
