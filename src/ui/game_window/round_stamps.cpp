#include "ui/game_window/round_stamps.h"

#include <cmath>
#include <utility>

namespace koropika {

RoundStamps::RoundStamps(EventLoop& loop, std::function<std::uint64_t()> newDealNumber)
    : loop_(loop), newDealNumber_(std::move(newDealNumber)), wallClock_([&loop] {
          return std::chrono::sys_seconds{} + std::chrono::duration_cast<std::chrono::seconds>(
                                                  std::chrono::milliseconds(loop.nowMs()));
      }) {}

void RoundStamps::deal(Random& random) {
    dealNumber_ = nextDealNumber_ ? *nextDealNumber_ : newDealNumber_();
    nextDealNumber_.reset();
    inPlay_.reset();
    random.seed(dealNumber_);
}

void RoundStamps::playBegan(Side first) {
    inPlay_ = Played{.started = wallClock_(), .first = first, .dealNumber = dealNumber_};
    playStartMs_ = loop_.nowMs();
}

void RoundStamps::playContinued(Side first, std::chrono::sys_seconds started, double seconds) {
    inPlay_ = Played{.started = started, .first = first, .dealNumber = dealNumber_};
    playStartMs_ = loop_.nowMs() - static_cast<std::int64_t>(std::llround(seconds * 1000));
}

std::optional<RoundStamps::Played> RoundStamps::playSoFar() const {
    std::optional<Played> played = inPlay_;
    if (played) {
        played->ended = wallClock_();
        played->seconds = static_cast<double>(loop_.nowMs() - playStartMs_) / 1000.0;
    }
    return played;
}

std::optional<RoundStamps::Played> RoundStamps::playEnded() {
    const std::optional<Played> played = playSoFar();
    inPlay_.reset();
    return played;
}

}  // namespace koropika
