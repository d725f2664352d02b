// The history of rounds as CSV, with what the player's flips were worth in each round.

#include <charconv>
#include <string_view>

#include "game/flip_worth.h"
#include "records/records_store.h"
#include "records/sqlite_rows.h"

namespace koropika::records {

namespace {

// A player's name is free text: one that a spreadsheet would read as a formula is kept as text
// by a leading '.
std::string csvField(const std::string& text) {
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    const bool formula = !text.empty() && kFormulaStarts.find(text[0]) != std::string_view::npos;
    const std::string value = formula ? "'" + text : text;
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

// The round's missed pairs and memory score in percent to a tenth (a point whatever the
// locale), both empty for a round without moves, the score empty without an opportunity.
std::string worthFields(const Statement& row, int column) {
    if (row.type(column) != SQLITE_TEXT) {
        return ",";
    }
    const std::optional<std::vector<MoveLog::Turn>> turns =
        MoveLog::turnsFromText(row.text(column));
    if (!turns) {
        return ",";
    }
    const FlipWorth worth = flipWorth(*turns);
    std::string fields = std::to_string(worth.missedPairs()) + ',';
    if (const std::optional<double> percent = worth.memoryPercent()) {
        char digits[16];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, *percent, std::chars_format::fixed, 1)
                .ptr;
        fields.append(digits, end);
    }
    return fields;
}

}  // namespace

std::optional<std::string> RecordsStore::historyCsv() {
    std::string csv;
    const bool read = withDatabase("read the history", [&] {
        csv.clear();
        Statement query(db_.get(), std::string("SELECT ") + kColumns + ", " + moveColumns() + ", " +
                                       opponentColumn() + " FROM rounds ORDER BY id");
        for (int column = 0; column < kColumnCount; ++column) {
            csv += (column > 0 ? "," : "") + csvField(query.columnName(column));
        }
        // The person in the computer's seat comes last, empty when the computer played.
        csv += ",missed_pairs,memory_score,opponent\r\n";
        return eachRow(query, [&](const Statement& row) {
            for (int column = 0; column < kColumnCount; ++column) {
                csv += (column > 0 ? "," : "") + csvField(row.text(column));
            }
            csv += ',' + worthFields(row, kColumnCount + 1) + ',' +
                   csvField(row.text(kColumnCount + 2)) + "\r\n";
        });
    });
    return read ? std::optional(std::move(csv)) : std::nullopt;
}

}  // namespace koropika::records
