#pragma once

// How big a heavy test runs: small in the quick run, full when KOROPIKA_FULL_TESTS=1 (the full
// run sets it).

#include <cstdlib>
#include <string_view>

namespace koropika::test {

inline bool fullTestRun() {
    const char* value = std::getenv("KOROPIKA_FULL_TESTS");
    return value != nullptr && std::string_view(value) == "1";
}

// `quick` in a contributor's run, `full` in the full one.
template <typename Number>
Number testSize(Number quick, Number full) {
    return fullTestRun() ? full : quick;
}

}  // namespace koropika::test
