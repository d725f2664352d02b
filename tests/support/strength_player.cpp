#include "support/strength_player.h"

namespace koropika::testing {

const char* nameOf(PlayerKind kind) {
    switch (kind) {
        case PlayerKind::Perfect:
            return "perfect";
        case PlayerKind::Random:
            return "random";
    }
    return "?";
}

void StrengthPlayer::newRound() {
    logRead_ = 0;
    knownSlots_ = 0;
    knownOfRank_.fill(0);
    pairRanks_ = 0;
}

}  // namespace koropika::testing
