#pragma once

// A recorded round's table as it lay at one of its moves: which cards were taken, which had
// been seen, which two were up, and both counts. Built from the cards turned alone. With what
// each flip was worth, it is all a review of the round reads.

#include <cstdint>
#include <vector>

#include "game/flip_worth.h"
#include "game/move_log.h"
#include "game/table.h"

namespace koropika {

// One move of a recorded round: its turns (two, or one where the round ended with a card up).
struct RecordedMove {
    int firstTurn = 0;  // index of its first turn in the round's turns
    int turnCount = 0;
    MoveLog::Side side = MoveLog::Side::Player;
    bool pair = false;
};

// The turns grouped two by two into moves, in order.
std::vector<RecordedMove> recordedMoves(const std::vector<MoveLog::Turn>& turns);

struct TableAtMove {
    enum class Lies : std::uint8_t {
        Unseen,  // face down, never turned before this move
        Seen,    // face down, turned before this move
        Up,      // turned in this move
        Taken,   // taken in an earlier move
    };
    std::vector<Lies> lies;    // by slot, 1..cardCount (0 unused)
    std::vector<Card> cardAt;  // by slot: the card the round turned there; 0/0 if never turned
    int playerCount = 0;       // cards each side had taken once this move was over
    int computerCount = 0;
};

// The table at move `move` (0-based into recordedMoves(turns)) of a round of `cardCount` cards.
// A turn at a slot outside 1..cardCount is left out.
TableAtMove tableAtMove(int cardCount, const std::vector<MoveLog::Turn>& turns, int move);

}  // namespace koropika
