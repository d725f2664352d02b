// The records file's layout: the tables a new file is made with, and the steps that bring a file
// of an earlier layout up to it (user_version 1, 2, 3).
#pragma once

namespace koropika::records::layout {

inline constexpr const char* kSchema = R"sql(
CREATE TABLE rounds (
    id             INTEGER PRIMARY KEY,
    started        TEXT    NOT NULL,
    ended          TEXT    NOT NULL,
    player         TEXT    NOT NULL,
    level          INTEGER CHECK (level BETWEEN 1 AND 6),
    card_count     INTEGER NOT NULL CHECK (card_count IN (28, 40, 52)),
    first_move     TEXT    NOT NULL CHECK (first_move IN ('player', 'computer')),
    player_count   INTEGER NOT NULL,
    computer_count INTEGER NOT NULL,
    winner         TEXT    CHECK (winner IN ('player', 'computer', 'draw')),
    player_moves   INTEGER NOT NULL,
    seconds_played REAL    NOT NULL,
    ending         TEXT    NOT NULL CHECK (ending IN ('finished', 'left')),
    deal_number    INTEGER,
    dice_face      INTEGER CHECK (dice_face BETWEEN 1 AND 6),
    moves          TEXT,
    opportunities      INTEGER,
    opportunities_used INTEGER,
    opponent       TEXT,
    CHECK ((ending = 'finished') = (winner IS NOT NULL)),
    CHECK ((opponent IS NULL) = (level IS NOT NULL))
);
CREATE INDEX rounds_by_player
    ON rounds (player, id, level, card_count, ending, winner, player_moves, opportunities,
               opportunities_used);
CREATE INDEX rounds_by_opponent ON rounds (opponent) WHERE opponent IS NOT NULL;
)sql";

// A file of the first layout gains the rounds' dice face and moves (MoveLog::fullText) as the
// last columns of their table; its rounds have none. The index holds every value a player's
// figures are counted from, so that counting them never reads the rounds' moves.
inline constexpr const char* kRoundMovesColumns = R"sql(
ALTER TABLE rounds ADD COLUMN dice_face INTEGER CHECK (dice_face BETWEEN 1 AND 6);
ALTER TABLE rounds ADD COLUMN moves TEXT;
DROP INDEX IF EXISTS rounds_by_player;
CREATE INDEX rounds_by_player
    ON rounds (player, id, level, card_count, ending, winner, player_moves);
)sql";

// The round in play, one row at most: as it stands, its cards turned (MoveLog::fullText), how
// many of them belong to resolved moves, the card back, the dice face, whether the counters
// were blue, and a digest of all of them. Its values are checked when it is read, not here, so that
// an edited row is still read.
inline constexpr const char* kKeptRoundTable = R"sql(
CREATE TABLE kept_round (
    id             INTEGER PRIMARY KEY CHECK (id = 1),
    started        TEXT,
    ended          TEXT,
    player         TEXT,
    level          INTEGER,
    card_count     INTEGER,
    first_move     TEXT,
    player_count   INTEGER,
    computer_count INTEGER,
    player_moves   INTEGER,
    seconds_played REAL,
    deal_number    INTEGER,
    turns          TEXT,
    resolved_turns INTEGER,
    card_back      INTEGER,
    dice_face      INTEGER,
    blue_counters  INTEGER,
    digest         INTEGER
);
)sql";

// A file of the second layout is laid out again as a new file is (kSchema), every round copied
// with its id: a round gains the player's opportunities to take a known pair and how many of
// them were used (flipWorth), counted from its stored moves (NULL for a round without moves), and
// the name of the person in the computer's seat (NULL when the computer played), with whom it has
// no level. The kept round gains the same name.
inline constexpr const char* kRoundsSetAside = R"sql(
DROP INDEX IF EXISTS rounds_by_player;
ALTER TABLE rounds RENAME TO rounds_of_second_layout;
)sql";

inline constexpr const char* kRoundsCopied = R"sql(
INSERT INTO rounds (id, started, ended, player, level, card_count, first_move, player_count,
    computer_count, winner, player_moves, seconds_played, ending, deal_number, dice_face, moves,
    opportunities, opportunities_used)
SELECT id, started, ended, player, level, card_count, first_move, player_count, computer_count,
    winner, player_moves, seconds_played, ending, deal_number, dice_face, moves,
    flip_worth_count(moves, 0), flip_worth_count(moves, 1) FROM rounds_of_second_layout;
DROP TABLE rounds_of_second_layout;
)sql";

inline constexpr const char* kKeptRoundOpponent =
    "ALTER TABLE kept_round ADD COLUMN opponent TEXT;";

inline constexpr const char* kCurrentVersion = "PRAGMA user_version = 3";

}  // namespace koropika::records::layout
