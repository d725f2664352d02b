#include "ui/game_window/round_stamps.h"

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

std::optional<RoundStamps::Played> RoundStamps::playEnded() {
    std::optional<Played> played = std::exchange(inPlay_, std::nullopt);
    if (played) {
        played->ended = wallClock_();
        played->seconds = static_cast<double>(loop_.nowMs() - playStartMs_) / 1000.0;
    }
    return played;
}

}  // namespace koropika
