#include "game/random.h"

#include <cassert>
#include <cmath>

namespace koropika {

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
