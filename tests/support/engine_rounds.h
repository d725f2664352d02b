#pragma once

// Whole rounds played through the round engine alone, as the game window's timers drive it, for
// tests and the benchmark.

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>

#include "game/round_engine.h"

namespace koropika::testing {

// Picks the player's next card from the face-down slots it may turn, given as bits (bit s =
// slot s).
using PlayerPolicy = std::function<int(const RoundEngine& engine, std::uint64_t offered)>;

// The slot of the `n`-th set bit of `slots`, counting from 0 in slot order; `slots` must have
// more than n bits set.
int nthSlot(std::uint64_t slots, unsigned n);

// Counts the set bits of `slots` once, then finds the n-th of them without stepping through
// the bits below it one by one.
class SlotCounter {
  public:
    explicit SlotCounter(std::uint64_t slots);
    unsigned count() const { return static_cast<unsigned>(runningCounts_ >> 56); }
    // The slot of the n-th set bit, for n < count().
    int nth(unsigned n) const;
    // The same for an n known to be below count(), as a draw modulo count() is.
    int nthBelowCount(unsigned n) const;

  private:
    std::uint64_t slots_;
    std::uint64_t runningCounts_;  // byte i: the set bits in bytes 0..i of `slots`
};

inline SlotCounter::SlotCounter(std::uint64_t slots) : slots_(slots) {
    // The set bits of each byte, then their running sums from the lowest byte up.
    std::uint64_t c = slots - ((slots >> 1) & 0x5555555555555555ULL);
    c = (c & 0x3333333333333333ULL) + ((c >> 2) & 0x3333333333333333ULL);
    c = (c + (c >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    runningCounts_ = c * 0x0101010101010101ULL;
}

inline int SlotCounter::nth(unsigned n) const {
    if (n >= count()) {
        return 64;  // no such bit, as std::countr_zero of no bits
    }
    return nthBelowCount(n);
}

inline int SlotCounter::nthBelowCount(unsigned n) const {
    // The lowest byte whose running count exceeds n, found in all bytes at once: with the top
    // bit of each byte set (no count reaches 128), subtracting n + 1 leaves it set exactly
    // where the count is at least n + 1.
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kTops = 0x8080808080808080ULL;
    const std::uint64_t reached = ((runningCounts_ | kTops) - (n + 1) * kOnes) & kTops;
    // Some byte's count reaches n + 1 and the n-th bit lies in that byte, so neither is empty.
    const int shift = __builtin_ctzll(reached) - 7;
    // The bits below that byte, then the remaining count within it.
    const auto below = static_cast<unsigned>(((runningCounts_ << 8) >> shift) & 0xffU);
    std::uint64_t byte = (slots_ >> shift) & 0xffU;
    for (n -= below; n > 0; --n) {
        byte &= byte - 1;
    }
    return shift + __builtin_ctzll(byte);
}

// The policy the headless game driver plays with: a uniform pick from the offered slots, in slot
// order, by a seeded std::mt19937_64, so a round through the engine alone and one through the
// window play the same cards.
PlayerPolicy drivenPlayer(std::uint64_t policySeed);

// The computer's picks in a round, and how many of them came from its memory.
struct ComputerPicks {
    long picks = 0;
    long fromMemory = 0;
};

// Plays a whole round through the engine alone, in the order the game window's timers call
// it: the dice shows `diceFace`, the start button reveals the table, then the player moves with
// `policy` and the computer with its timer's three steps, each move resolved, until the last
// pair. Throws when the round does not end within a generous number of moves.
ComputerPicks playEngineRound(RoundEngine& engine, int cardCount, int level, Random& random,
                              int diceFace, const PlayerPolicy& policy);

// The same round with the player's choice called directly, `choose(engine, offered)`, for the
// benchmark's many rounds. `seen(card)` is shown every card as it is turned up. The computer's
// picks are counted from the cards its moves return.
template <typename Choose, typename Seen>
ComputerPicks playEngineRoundWith(RoundEngine& engine, int cardCount, int level, Random& random,
                                  int diceFace, Choose&& choose, Seen&& seen) {
    ComputerPicks computer;
    engine.deal(cardCount, level, random);
    engine.decideStarter(diceFace);
    if (!engine.pressStart()) {
        throw std::logic_error("the start button was refused after the dice");
    }
    engine.beginReveal();
    for (int slot = 1; slot <= cardCount; ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    for (int move = 0; !engine.roundOver(); ++move) {
        if (move > 100'000) {
            throw std::logic_error("the round does not end");
        }
        if (engine.turn() == Side::Player) {
            for (int card = 0; card < 2; ++card) {
                std::uint64_t offered = engine.table().faceDownSlots();
                if (card == 1) {
                    offered &= ~(std::uint64_t{1} << engine.state().firstSlot);
                }
                const int slot = choose(engine, offered);
                // At this point of a move the offered slots are those playerMayTurn allows (the
                // policy-driven rounds of playEngineRound hold the engine to that).
                if (((offered >> (slot & 63)) & 1U) == 0) {
                    throw std::logic_error("the player chose a card it may not turn");
                }
                seen(engine.turnPlayerCard(slot));
            }
        } else {
            // The computer's timer: first card, second card, then the tick that stops it.
            for (int step = 0; step < 3; ++step) {
                if (engine.computerStep()) {
                    if (const auto card = engine.turnComputerCard()) {
                        seen(*card);
                        ++computer.picks;
                        computer.fromMemory += card->fromMemory ? 1 : 0;
                    }
                }
            }
        }
        engine.resolveMove();
    }
    return computer;
}

template <typename Choose>
ComputerPicks playEngineRoundWith(RoundEngine& engine, int cardCount, int level, Random& random,
                                  int diceFace, Choose&& choose) {
    return playEngineRoundWith(engine, cardCount, level, random, diceFace,
                               std::forward<Choose>(choose), [](const TurnedCard&) {});
}

// The next card of a round, for tests and measurements that need no policy: the player turns the
// first face-down slot it may, the computer makes its own pick. Empty when the computer's tick
// turns no card.
inline std::optional<TurnedCard> turnNextCard(RoundEngine& engine) {
    if (engine.turn() == Side::Player) {
        int slot = 1;
        while (!engine.playerMayTurn(slot)) {
            ++slot;
        }
        return engine.turnPlayerCard(slot);
    }
    return engine.computerStep() ? engine.turnComputerCard() : std::nullopt;
}

}  // namespace koropika::testing
