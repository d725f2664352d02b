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
    playStart_.reset();
    random.seed(dealNumber_);
}

void RoundStamps::playBegan(Side first) {
    playStart_ = PlayStart{wallClock_(), loop_.nowMs(), first};
}

std::optional<RoundStamps::Played> RoundStamps::playEnded() {
    if (!playStart_) {
        return std::nullopt;
    }
    const PlayStart start = *playStart_;
    playStart_.reset();
    return Played{start.date, wallClock_(), start.first,
                  static_cast<double>(loop_.nowMs() - start.loopMs) / 1000.0, dealNumber_};
}

}  // namespace koropika
