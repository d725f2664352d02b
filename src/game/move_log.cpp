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

namespace {

constexpr std::string_view kSuitLetters = "abcd";

// Reads the digits at `at`, before `last`, as a number; moves `at` past them.
bool readNumber(const char*& at, const char* last, int& number) {
    const auto [end, error] = std::from_chars(at, last, number);
    if (error != std::errc{} || end == at) {
        return false;
    }
    at = end;
    return true;
}

}  // namespace

std::string MoveLog::fullText(const std::vector<Turn>& turns) {
    std::string out;
    out.reserve(turns.size() * 6);
    for (const Turn& turn : turns) {
        out += turn.side == Side::Player ? 'P' : turn.fromMemory ? 'M' : 'C';
        out += std::to_string(turn.slot);
        out += turn.suit >= 1 && turn.suit <= 4 ? kSuitLetters[std::size_t(turn.suit - 1)] : 'x';
        out += std::to_string(turn.rank);
    }
    return out;
}

std::optional<std::vector<MoveLog::Turn>> MoveLog::turnsFromText(std::string_view text) {
    std::vector<Turn> turns;
    const char* at = text.data();
    const char* const last = text.data() + text.size();
    while (at != last) {
        const char side = *at++;
        if (side != 'P' && side != 'C' && side != 'M') {
            return std::nullopt;
        }
        Turn turn{side == 'P' ? Side::Player : Side::Computer, 0, 0};
        turn.fromMemory = side == 'M';
        if (!readNumber(at, last, turn.slot) || at == last) {
            return std::nullopt;
        }
        const char suit = *at++;
        const std::size_t letter = kSuitLetters.find(suit);
        if (letter == std::string_view::npos && suit != 'x') {
            return std::nullopt;
        }
        turn.suit = letter == std::string_view::npos ? 0 : static_cast<int>(letter) + 1;
        if (!readNumber(at, last, turn.rank)) {
            return std::nullopt;
        }
        turns.push_back(turn);
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
