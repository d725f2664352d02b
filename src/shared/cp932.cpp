#include "shared/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace koropika {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv conversion descriptor, closed when it goes out of scope.
class IconvConverter {
  public:
    IconvConverter(const char* toCode, const char* fromCode)
        : handle_(iconv_open(toCode, fromCode)) {}
    ~IconvConverter() {
        if (isOpen()) {
            iconv_close(handle_);
        }
    }
    // The descriptor is a resource of its own; a copy would close it twice.
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool isOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts from the front of `in` and appends the result to `out`, consuming what was
    // converted. Returns 0 when all of `in` was converted, otherwise the errno of the failure
    // (EILSEQ or EINVAL) with `in` starting at the offending byte.
    int convert(std::string_view& in, std::string& out) {
        char buffer[512];
        while (!in.empty()) {
            // iconv never writes through its input pointer; the cast only fits its signature.
            char* source = const_cast<char*>(in.data());
            std::size_t sourceLeft = in.size();
            char* target = buffer;
            std::size_t targetLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &source, &sourceLeft, &target, &targetLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            const std::size_t produced = static_cast<std::size_t>(target - buffer);
            const std::size_t consumed = in.size() - sourceLeft;
            out.append(buffer, produced);
            in.remove_prefix(consumed);
            if (error == E2BIG && (produced > 0 || consumed > 0)) {
                continue;
            }
            if (error != 0) {
                // Any other failure, or no progress at all, ends this call; the caller decides.
                return error == E2BIG ? EILSEQ : error;
            }
        }
        return 0;
    }

    // Returns the descriptor to its initial state after a failed conversion.
    void reset() {
        if (isOpen()) {
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
    }

  private:
    iconv_t handle_;
};

// The thread's converter for one direction, opened at its first use and kept: opening one costs
// far more than converting a name, and a long name list converts every name.
IconvConverter& utf8ToCp932Converter() {
    thread_local IconvConverter converter("CP932", "UTF-8");
    converter.reset();
    return converter;
}

IconvConverter& cp932ToUtf8Converter() {
    thread_local IconvConverter converter("UTF-8", "CP932");
    converter.reset();
    return converter;
}

// Number of bytes to skip for one unconvertible character at the start of `s` (not empty): the
// whole well-formed UTF-8 sequence, or for broken UTF-8 the longest start of one (at least one
// byte), so that a character cut short counts once.
std::size_t utf8CharacterLength(std::string_view s) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = at(0);
    std::size_t length = 1;
    unsigned char low = 0x80;  // allowed range of the second byte; later bytes take 80..BF
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t matched = 1;
    while (matched < length && matched < s.size() && at(matched) >= low && at(matched) <= high) {
        ++matched;
        low = 0x80;
        high = 0xBF;
    }
    return matched;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    IconvConverter& converter = utf8ToCp932Converter();
    if (!converter.isOpen()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(utf8.size());
    if (converter.convert(utf8, out) != 0) {
        return std::nullopt;
    }
    return out;
}

std::string utf8ToCp932Replacing(std::string_view utf8, char replacement) {
    IconvConverter& converter = utf8ToCp932Converter();
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        if (converter.isOpen() && converter.convert(utf8, out) == 0) {
            break;
        }
        // Without a converter only ASCII can be written as it is.
        if (!converter.isOpen() && static_cast<unsigned char>(utf8.front()) < 0x80) {
            out += utf8.front();
            utf8.remove_prefix(1);
            continue;
        }
        // Skip the whole character that could not be held, or one byte of broken UTF-8.
        out += replacement;
        utf8.remove_prefix(utf8CharacterLength(utf8));
        if (converter.isOpen()) {
            converter.reset();
        }
    }
    return out;
}

std::string cp932ToUtf8(std::string_view bytes) {
    IconvConverter& converter = cp932ToUtf8Converter();
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!bytes.empty()) {
        if (converter.isOpen() && converter.convert(bytes, out) == 0) {
            break;
        }
        if (!converter.isOpen() && static_cast<unsigned char>(bytes.front()) < 0x80) {
            out += bytes.front();
        } else {
            out += kReplacementCharacter;
        }
        // One undecodable byte is dropped; the next one may start a valid character again.
        bytes.remove_prefix(1);
        if (converter.isOpen()) {
            converter.reset();
        }
    }
    return out;
}

bool isStorableName(std::string_view utf8) {
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    // C1 controls (U+0080..U+009F) have no code page 932 form, so the conversion refuses them.
    return utf8ToCp932(utf8).has_value();
}

}  // namespace koropika
