#pragma once

// The number of the round on the table, and when its play began and ended.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "game/random.h"
#include "game/round_engine.h"
#include "ui/elements/event_loop.h"

namespace koropika {

// The numbers the game window's rounds are dealt from, and the clocks a round's play is timed
// by. A round number and a seed mean the same source: round N deals and plays as a SeededRandom
// seeded with N does in the engine's tests and in the measuring programs (koropika_rounds --seed).
class RoundStamps {
  public:
    // `newDealNumber` gives the number of each new round; `loop`'s clock times play.
    RoundStamps(EventLoop& loop, std::function<std::uint64_t()> newDealNumber);

    // The round dealt last.
    std::uint64_t dealNumber() const { return dealNumber_; }
    // The next deal plays round `number` instead of a new one.
    void setNextDealNumber(std::uint64_t number) { nextDealNumber_ = number; }
    // A round is dealt: the number asked for, else a new one, seeds `random`, the round's chance.
    void deal(Random& random);

    // The date and time a round is stamped with. By default the event loop's clock counted from
    // the epoch, which is what tests want; the program gives the system's clock.
    void setWallClock(std::function<std::chrono::sys_seconds()> clock) {
        wallClock_ = std::move(clock);
    }

    // The round played since the start of play, as its end finds it.
    struct Played {
        std::chrono::sys_seconds started{};
        std::chrono::sys_seconds ended{};
        Side first = Side::Player;
        double seconds = 0;  // of play, by the event loop's clock
        std::uint64_t dealNumber = 0;
    };
    // Play has begun, `first` moving first.
    void playBegan(Side first);
    // Play goes on with a round an earlier run began at `started` and played for `seconds`.
    void playContinued(Side first, std::chrono::sys_seconds started, double seconds);
    // The round in play as it stands now (ended: now); empty outside play.
    std::optional<Played> playSoFar() const;
    // Play has ended: the round's stamps, once; empty when play never began since the last deal,
    // or its end was taken already.
    std::optional<Played> playEnded();

  private:
    EventLoop& loop_;
    std::function<std::uint64_t()> newDealNumber_;
    std::function<std::chrono::sys_seconds()> wallClock_;
    std::uint64_t dealNumber_ = 0;
    std::optional<std::uint64_t> nextDealNumber_;
    std::optional<Played> inPlay_;  // from the start of play to its end
    std::int64_t playStartMs_ = 0;
};

}  // namespace koropika
