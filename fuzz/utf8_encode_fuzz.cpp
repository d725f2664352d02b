// Any bytes as UTF-8 text: utf8 → cp932 → utf8 is stable after one pass, the strict and the
// replacing encoder agree, and a storable name survives the round trip.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/utf8_check.h"
#include "shared/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string encoded = koropika::utf8ToCp932Replacing(input, '?');
    const std::string once = koropika::cp932ToUtf8(encoded);
    FUZZ_CHECK(koropika::fuzz::isValidUtf8(once));
    // Encoded text is valid code page 932: decoding it replaces nothing.
    FUZZ_CHECK(once.find("\xEF\xBF\xBD") == std::string::npos ||
               input.find("\xEF\xBF\xBD") != std::string_view::npos);
    const std::string twice = koropika::cp932ToUtf8(koropika::utf8ToCp932Replacing(once, '?'));
    FUZZ_CHECK(twice == once);

    const std::optional<std::string> strict = koropika::utf8ToCp932(input);
    if (strict) {
        FUZZ_CHECK(*strict == encoded);
        FUZZ_CHECK(koropika::fuzz::isValidUtf8(input));
    }
    if (koropika::isStorableName(input)) {
        FUZZ_CHECK(strict.has_value());
        FUZZ_CHECK(koropika::isStorableName(once));
        FUZZ_CHECK(koropika::utf8ToCp932(once) == strict);
    }
    return 0;
}
