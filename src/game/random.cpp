#include "game/random.h"

#include <cassert>
#include <cmath>

namespace koropika {

double SeededRandom::next() {
    // 53 random bits make every double in [0, 1) on the 2^-53 grid equally likely.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double checkedDraw(Random& random) {
    const double u = random.next();
    const bool inRange = u >= 0.0 && u < 1.0;  // false for NaN too
    assert(inRange && "a random draw must lie in [0, 1)");
    if (inRange) {
        return u;
    }
    return u >= 1.0 ? std::nextafter(1.0, 0.0) : 0.0;
}

}  // namespace koropika
