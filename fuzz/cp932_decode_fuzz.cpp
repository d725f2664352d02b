// Any bytes as code page 932 text: the decoder gives valid UTF-8, and the text it gives is stable
// after one pass through the encoder and back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/utf8_check.h"
#include "shared/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = koropika::cp932ToUtf8(input);
    FUZZ_CHECK(koropika::fuzz::isValidUtf8(utf8));

    const std::string encoded = koropika::utf8ToCp932Replacing(utf8, '?');
    const std::string decoded = koropika::cp932ToUtf8(encoded);
    FUZZ_CHECK(koropika::utf8ToCp932Replacing(decoded, '?') == encoded);
    FUZZ_CHECK(koropika::cp932ToUtf8(koropika::utf8ToCp932Replacing(decoded, '?')) == decoded);
    // Valid code page 932 decodes without loss: it encodes back to text that decodes the same.
    if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
        FUZZ_CHECK(decoded == utf8);
    }
    return 0;
}
