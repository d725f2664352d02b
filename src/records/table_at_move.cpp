#include "records/table_at_move.h"

#include <algorithm>

namespace koropika {

std::vector<RecordedMove> recordedMoves(const std::vector<MoveLog::Turn>& turns) {
    std::vector<RecordedMove> moves;
    for (std::size_t i = 0; i < turns.size(); i += 2) {
        RecordedMove move;
        move.firstTurn = int(i);
        move.turnCount = i + 1 < turns.size() ? 2 : 1;
        move.side = turns[i].side;
        if (move.turnCount == 2) {
            const MoveLog::Turn& first = turns[i];
            const MoveLog::Turn& second = turns[i + 1];
            move.pair = first.rank == second.rank && first.slot != second.slot;
        }
        moves.push_back(move);
    }
    return moves;
}

TableAtMove tableAtMove(int cardCount, const std::vector<MoveLog::Turn>& turns, int move) {
    TableAtMove table;
    const std::size_t slots = std::size_t(std::clamp(cardCount, 0, Table::kMaxSlots)) + 1;
    table.lies.assign(slots, TableAtMove::Lies::Unseen);
    table.cardAt.assign(slots, Card{});
    const auto inside = [&](const MoveLog::Turn& turn) {
        return turn.slot >= 1 && std::size_t(turn.slot) < slots;
    };
    for (const MoveLog::Turn& turn : turns) {
        if (inside(turn)) {
            table.cardAt[std::size_t(turn.slot)] =
                Card{std::int16_t(turn.suit), std::int16_t(turn.rank)};
        }
    }
    const std::vector<RecordedMove> moves = recordedMoves(turns);
    const int shown = std::min(move, int(moves.size()) - 1);
    for (int m = 0; m <= shown; ++m) {
        const RecordedMove& played = moves[std::size_t(m)];
        for (int t = 0; t < played.turnCount; ++t) {
            const MoveLog::Turn& turn = turns[std::size_t(played.firstTurn + t)];
            if (!inside(turn)) {
                continue;
            }
            auto& lies = table.lies[std::size_t(turn.slot)];
            lies = m == shown    ? TableAtMove::Lies::Up
                   : played.pair ? TableAtMove::Lies::Taken
                                 : TableAtMove::Lies::Seen;
        }
        if (played.pair) {
            (played.side == MoveLog::Side::Player ? table.playerCount : table.computerCount) += 2;
        }
    }
    return table;
}

}  // namespace koropika
