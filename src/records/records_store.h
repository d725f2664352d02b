// The history of rounds, kept in an SQLite database beside the name list, and the questions the
// records window asks of it. No toolkit.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/kept_round.h"
#include "game/round_record.h"
#include "records/round_lock.h"

struct sqlite3;

namespace koropika::records {

// What a set of rounds adds up to. The win percentage is taken over the finished rounds only
// (won + lost + drawn; left rounds are not in it), and its standard error is the binomial one,
// sqrt(p (1 - p) / n) with n the finished rounds, in percentage points. A winning streak is a run
// of won rounds in the order they ended; any other round, a left one included, ends it.
struct RoundStats {
    int played = 0;
    int won = 0;
    int lost = 0;
    int drawn = 0;
    int left = 0;
    int longestStreak = 0;
    int currentStreak = 0;
    std::optional<int> fewestMovesInWin;
    // The memory scores (flipWorth, in percent) of the finished rounds in which the player had
    // an opportunity to take a known pair: how many, their sum and the sum of their squares.
    int scoredRounds = 0;
    double scoreSum = 0;
    double scoreSquares = 0;

    int finished() const { return won + lost + drawn; }
    // Empty when no round was finished.
    std::optional<double> winPercent() const;
    std::optional<double> winPercentError() const;
    // The mean memory score, empty without a scored round; its standard error (the scores'
    // sample standard deviation over the square root of their number), empty below two.
    std::optional<double> memoryPercent() const;
    std::optional<double> memoryPercentError() const;
};

// A player's figures: over every round, and for each level (1..6) with each card count
// (28, 40, 52).
struct PlayerStats {
    RoundStats overall;
    std::array<RoundStats, 18> byLevelAndCards{};

    RoundStats& at(int level, int cardCount);
    const RoundStats& at(int level, int cardCount) const;
};

// A player's rounds against one person at the same computer, from the player's seat.
struct OpponentStats {
    std::string name;
    RoundStats stats;
};

// The card counts a round may have, in the order the records list them.
inline constexpr std::array<int, 3> kCardCounts = {28, 40, 52};

// The database opens at the first write or read, not when the store is made, so a run that
// ends no round never touches it. Nothing here ever stops a round: a write that fails writes
// one line to the log and returns false. A damaged file (not a database, a database of another
// kind, damaged pages) is moved aside as "<file>.damaged-<UTC date and time>" and a new one is
// started; a file made by a newer version of the game is left as it is and neither read nor
// written. A read that fails returns nothing, and the caller says the records cannot be read.
//
// The store also keeps the round in play (one per folder), for a later run to continue. A run
// keeps it only while it holds the folder's round lock, which it takes when it first keeps or
// claims a round and gives up when that round is recorded or dropped; the system gives it up
// when the run ends, however it ends.
class RecordsStore final : public RoundArchive {
  public:
    using Log = std::function<void(const std::string& line)>;
    using Clock = std::function<std::chrono::sys_seconds()>;

    static constexpr const char* kFileName = "records.sqlite";
    static constexpr int kSchemaVersion = 3;

    enum class State {
        NotOpened,    // nothing asked yet
        Ready,        // open, readable (writable unless the file or folder is read-only)
        Unavailable,  // the file could not be opened or read this time
        NewerSchema,  // written by a newer version: left untouched
    };

    // `folder` is the data folder (beside name.txt). The log defaults to standard error, the
    // clock (which dates a damaged file's new name) to the system's.
    explicit RecordsStore(std::string folder, Log log = {}, Clock clock = {});
    ~RecordsStore() override;
    // One connection per store: copies would share or double-close it.
    RecordsStore(const RecordsStore&) = delete;
    RecordsStore& operator=(const RecordsStore&) = delete;

    // Adds one round in its own transaction, as it is given, with the kept round of this run
    // forgotten in the same transaction; false (and one line logged) when it was not recorded.
    bool record(const RoundRecord& round) override;
    // The round in play replaces the one kept. A round that cannot be kept (another run holds
    // the lock, the file is locked, read-only or full) logs one line, not one per card.
    bool keep(const KeptRound& round) override;
    // The kept round of an earlier run when it can be continued. One that cannot (damaged,
    // edited, its moves refused by the rules) is recorded as left where its fields allow, dropped
    // and logged in one line. Makes no file when there is none.
    std::optional<KeptRound> claimKept() override;
    void dropKept() override;

    std::optional<std::vector<std::string>> playerNames();
    // The player's figures against the computer; rounds against people are not in them.
    std::optional<PlayerStats> statsFor(const std::string& playerName);
    // The player's rounds against each person, in either seat, by the person's name.
    std::optional<std::vector<OpponentStats>> opponentsOf(const std::string& playerName);
    // The player's last `count` rounds, the latest first.
    std::optional<std::vector<RoundRecord>> lastRounds(const std::string& playerName, int count);
    bool deletePlayer(const std::string& playerName);
    // Every round, oldest first, as CSV (RFC 4180: a header line, CR LF line ends, fields with a
    // comma, quote or line break quoted, quotes doubled; a missing value is an empty field). A
    // field that a spreadsheet would take for a formula (one beginning with =, +, -, @, a tab or
    // a carriage return) is written after a ' so that it stays text. After the round's own
    // values come its missed pairs and memory score in percent (flipWorth), empty for a round
    // recorded without its moves, the score also for a round without an opportunity.
    std::optional<std::string> historyCsv();

    State state() const { return state_; }
    std::string path() const { return folder_ + "/" + kFileName; }

  private:
    struct CloseDatabase {
        void operator()(sqlite3* db) const;
    };
    using Database = std::unique_ptr<sqlite3, CloseDatabase>;

    bool open();
    bool openOnce(std::string& damage);
    // False (and logged) when the file could not be moved.
    bool moveDamagedAside(const std::string& damage);
    // Runs `work` against the open database; when the file proves damaged it is moved aside and
    // `work` runs once more against a new one.
    bool withDatabase(const char* what, const std::function<int()>& work);
    void fail(const char* what, const std::string& detail);
    // Whether this run keeps its round in play in the file: it holds the lock, on a file that
    // has the table for it.
    bool keepsRounds() const { return roundLock_.held() && version_ >= 2; }
    std::optional<KeptRound> readKept();
    // The rounds' dice face and moves to select after their other columns: NULLs in a file of
    // the first layout.
    std::string moveColumns() const;
    // The round's opportunities and those used (kFlipCountNames) to select: counted from the
    // moves in a file of the second layout, NULLs in one of the first.
    std::string flipCountColumns() const;
    // The rounds' opponent to select after their moves: NULL in a file of the first two
    // layouts; and the condition that keeps rounds against the computer only.
    std::string opponentColumn() const;
    std::string againstTheComputer() const;

    std::string folder_;
    Log log_;
    Clock clock_;
    Database db_;
    State state_ = State::NotOpened;
    int version_ = 0;  // of the open file's layout
    RoundLock roundLock_;
    bool keepFailed_ = false;  // since the last round recorded: its line is logged
};

}  // namespace koropika::records
