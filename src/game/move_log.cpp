#include "game/move_log.h"

#include <charconv>

namespace koropika {

std::string MoveLog::text() const {
    std::string out;
    for (const Turn& turn : turns_) {
        out += turn.side == Side::Player ? 'P' : 'C';
        out += std::to_string(turn.slot) + ':' + std::to_string(turn.rank) + ';';
    }
    return out;
}

std::optional<std::vector<MoveLog::Turn>> MoveLog::turnsFromText(std::string_view text) {
    std::vector<Turn> turns;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        if (end == std::string_view::npos || end < 4 || (text[0] != 'P' && text[0] != 'C')) {
            return std::nullopt;
        }
        Turn turn{text[0] == 'P' ? Side::Player : Side::Computer, 0, 0};
        const char* const last = text.data() + end;
        const auto [colon, slotError] = std::from_chars(text.data() + 1, last, turn.slot);
        if (slotError != std::errc{} || colon == last || *colon != ':') {
            return std::nullopt;
        }
        const auto [rest, rankError] = std::from_chars(colon + 1, last, turn.rank);
        if (rankError != std::errc{} || rest != last) {
            return std::nullopt;
        }
        turns.push_back(turn);
        text.remove_prefix(end + 1);
    }
    return turns;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : bytes) {
        hash = (hash ^ c) * 1099511628211ULL;
    }
    return hash;
}

std::uint64_t MoveLog::signature() const {
    return fnv1a(text());
}

}  // namespace koropika
