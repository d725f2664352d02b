// The rows of the records file as SQLite statements read and write them: shared by the store's
// parts, not part of its interface.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "game/round_record.h"

namespace koropika::records {

// The columns of a round, in the order roundFrom() reads them and bindRound() binds them.
inline constexpr const char* kColumns =
    "started, ended, player, level, card_count, first_move, player_count, computer_count, "
    "winner, player_moves, seconds_played, ending, deal_number";
inline constexpr int kColumnCount = 13;
// The round's dice face and moves (MoveLog::fullText), after kColumns in a file of the second
// layout; rounds recorded before it have NULL there.
inline constexpr const char* kMoveColumns = "dice_face, moves";
// The player's opportunities to take a known pair in the round and those used (flipWorth), after
// kMoveColumns in a file of the third layout; NULL for a round without moves.
inline constexpr const char* kFlipCountNames = "opportunities, opportunities_used";

// One prepared statement, finalised when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) {
        prepared_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int prepared() const { return prepared_; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, const char* text) {
        sqlite3_bind_text(statement_, index, text, -1, SQLITE_STATIC);
    }
    void bind(int index, std::int64_t number) { sqlite3_bind_int64(statement_, index, number); }
    void bind(int index, int number) { sqlite3_bind_int(statement_, index, number); }
    void bind(int index, double number) { sqlite3_bind_double(statement_, index, number); }
    void bindNull(int index) { sqlite3_bind_null(statement_, index); }
    int step() { return sqlite3_step(statement_); }

    bool isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL.
    int type(int column) const { return sqlite3_column_type(statement_, column); }
    int integer(int column) const { return sqlite3_column_int(statement_, column); }
    std::int64_t integer64(int column) const { return sqlite3_column_int64(statement_, column); }
    double real(int column) const { return sqlite3_column_double(statement_, column); }
    std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(statement_, column);
        return bytes == nullptr
                   ? std::string()
                   : std::string(reinterpret_cast<const char*>(bytes),
                                 std::size_t(sqlite3_column_bytes(statement_, column)));
    }
    int columns() const { return sqlite3_column_count(statement_); }
    std::string columnName(int column) const { return sqlite3_column_name(statement_, column); }

  private:
    sqlite3_stmt* statement_ = nullptr;
    int prepared_ = SQLITE_OK;
};

// Steps through every row, handing each to `row`; SQLITE_OK at the end, else the failing code.
template <typename Row>
int eachRow(Statement& statement, Row&& row) {
    if (statement.prepared() != SQLITE_OK) {
        return statement.prepared();
    }
    int code = SQLITE_OK;
    while ((code = statement.step()) == SQLITE_ROW) {
        row(statement);
    }
    return code == SQLITE_DONE ? SQLITE_OK : code;
}

const char* sideText(Side side);
const char* winnerText(Winner winner);
std::optional<Winner> winnerFrom(const std::string& text);
// "2026-12-08T18:24:04Z"
std::string isoUtc(std::chrono::sys_seconds time);
std::chrono::sys_seconds fromIsoUtc(const std::string& text);
// The file is damaged: not a database, or damaged pages.
bool isDamage(int code);
int execute(sqlite3* db, const char* sql);
// Reads the round of a row whose first columns are `kColumns`.
RoundRecord roundFrom(const Statement& row);
// Binds the round to parameters 1..kColumnCount, in the order of `kColumns`.
void bindRound(Statement& statement, const RoundRecord& round);
// Binds the round's kMoveColumns to parameters `first` and `first` + 1; a dice face outside
// 1..6 as none.
void bindMoves(Statement& statement, int first, const RoundRecord& round);
// Binds the counts of kFlipCountNames, from the round's moves, to parameters `first` and
// `first` + 1.
void bindFlipCounts(Statement& statement, int first, const RoundRecord& round);
// Reads the round's kMoveColumns from columns `first` and `first` + 1; a value that is not a
// dice face or a list of moves is read as none.
void readMoves(const Statement& row, int first, RoundRecord& round);
// Binds the round's opponent to parameter `at`: NULL when the computer played.
void bindOpponent(Statement& statement, int at, const RoundRecord& round);
// Reads the round's opponent from column `at`; a round of two players has no level.
void readOpponent(const Statement& row, int at, RoundRecord& round);

}  // namespace koropika::records
