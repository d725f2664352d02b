#include "game/move_log.h"

namespace koropika {

std::string MoveLog::text() const {
    std::string out;
    for (const Turn& turn : turns_) {
        out += turn.side == Side::Player ? 'P' : 'C';
        out += std::to_string(turn.slot) + ':' + std::to_string(turn.rank) + ';';
    }
    return out;
}

std::uint64_t MoveLog::signature() const {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : text()) {
        hash = (hash ^ c) * 1099511628211ULL;
    }
    return hash;
}

}  // namespace koropika
