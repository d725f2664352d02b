// Any bytes as itidata.txt: every value read is in its range, and values written back read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "shared/window_position_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const koropika::StoredWindowPosition stored = koropika::parseWindowPositionFile(input);
    if (stored.cardBackIndex) {
        FUZZ_CHECK(*stored.cardBackIndex >= 0 && *stored.cardBackIndex <= 4);
    }
    const std::int32_t top = stored.topTwips.value_or(0);
    const std::int32_t left = stored.leftTwips.value_or(0);
    const std::int16_t back = stored.cardBackIndex.value_or(4);
    const koropika::StoredWindowPosition again =
        koropika::parseWindowPositionFile(koropika::windowPositionFileText(top, left, back));
    FUZZ_CHECK(again.cardBackIndex == back);
    // Positions are written as reals with 7 significant digits; a window's place on any screen
    // fits in them exactly.
    if (top > -10'000'000 && top < 10'000'000) {
        FUZZ_CHECK(again.topTwips == top);
    }
    if (left > -10'000'000 && left < 10'000'000) {
        FUZZ_CHECK(again.leftTwips == left);
    }
    return 0;
}
