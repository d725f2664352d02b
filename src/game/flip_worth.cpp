#include "game/flip_worth.h"

#include <array>

#include "game/table.h"

namespace koropika {

std::optional<double> FlipWorth::memoryPercent() const {
    if (opportunities == 0) {
        return std::nullopt;
    }
    return 100.0 * used / opportunities;
}

FlipWorth flipWorth(const std::vector<MoveLog::Turn>& turns) {
    FlipWorth worth;
    worth.flips.reserve(turns.size());
    // The seen cards still on the table, by rank (bit s = slot s).
    std::array<std::uint64_t, Table::kMaxRank + 1> seenOfRank{};
    const auto valid = [](const MoveLog::Turn& turn) {
        return turn.slot >= 1 && turn.slot <= Table::kMaxSlots && turn.rank >= 1 &&
               turn.rank <= Table::kMaxRank;
    };
    const MoveLog::Turn* first = nullptr;  // the move's first card, while it is up
    for (const MoveLog::Turn& turn : turns) {
        const bool ok = valid(turn);
        const std::uint64_t bit = ok ? std::uint64_t{1} << turn.slot : 0;
        std::uint64_t known = 0;
        if (first == nullptr) {
            for (const std::uint64_t slots : seenOfRank) {
                known |= (slots & (slots - 1)) != 0 ? slots : 0;
            }
        } else if (valid(*first)) {
            known = seenOfRank[static_cast<std::size_t>(first->rank)] &
                    ~(std::uint64_t{1} << first->slot);
        }
        FlipWorth::Flip flip;
        if (turn.side == MoveLog::Side::Computer) {
            flip.label = turn.fromMemory ? FlipLabel::FromMemory : FlipLabel::AtRandom;
        } else if (known != 0) {
            const bool used = (known & bit) != 0;
            flip.label = used ? FlipLabel::Used : FlipLabel::MissedPair;
            flip.knownSlots = known;
            ++worth.opportunities;
            worth.used += used ? 1 : 0;
        }
        worth.flips.push_back(flip);
        if (ok) {
            seenOfRank[static_cast<std::size_t>(turn.rank)] |= bit;
        }
        if (first == nullptr) {
            first = &turn;
            continue;
        }
        // A pair leaves the table; a mismatch lies face down again, both cards seen.
        if (ok && valid(*first) && turn.rank == first->rank && turn.slot != first->slot) {
            seenOfRank[static_cast<std::size_t>(turn.rank)] &=
                ~(bit | std::uint64_t{1} << first->slot);
        }
        first = nullptr;
    }
    return worth;
}

}  // namespace koropika
