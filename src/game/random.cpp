#include "game/random.h"

namespace koropika {

double SeededRandom::next() {
    // 53 random bits make every double in [0, 1) on the 2^-53 grid equally likely.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace koropika
