#pragma once

// What each card turned in a round was worth: for the player, whether it used a pair that what
// both sides had shown made known; for the computer, whether its pick came from its memory.

#include <cstdint>
#include <optional>
#include <vector>

#include "game/move_log.h"

namespace koropika {

enum class FlipLabel : std::uint8_t {
    NoOpportunity,  // the player's flip, when no pair could be known
    Used,           // the player's flip turned a card of a known pair
    MissedPair,     // the player's flip, when a pair was known, turned another card
    FromMemory,     // the computer's pick came from its memory
    AtRandom,       // the computer's pick was drawn at random
};

// The player's flip is an opportunity when a pair could be known from every card either side
// had turned up before it and that still lies on the table ("seen"):
//   - at the first card of a move, when two or more seen cards share a rank: the flip uses it
//     when it turns one of them;
//   - at the second card, when a seen card shares the first card's rank: the flip uses it when
//     it turns that card.
// An opportunity not used is a missed pair.
struct FlipWorth {
    struct Flip {
        FlipLabel label = FlipLabel::NoOpportunity;
        // The slots that would have used the opportunity (bit s = slot s); 0 without one.
        std::uint64_t knownSlots = 0;
    };
    std::vector<Flip> flips;  // one for each card turned, in order
    int opportunities = 0;
    int used = 0;

    int missedPairs() const { return opportunities - used; }
    // Used ÷ opportunities in percent; none in a round without an opportunity.
    std::optional<double> memoryPercent() const;
};

// The worth of every card turned, in the order turned: two cards to a move, a move's pair taken
// from the table. The turns give each card's slot (1..52) and rank; a turn outside them counts
// as no card seen.
FlipWorth flipWorth(const std::vector<MoveLog::Turn>& turns);

}  // namespace koropika
