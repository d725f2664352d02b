#include "shared/deal_number.h"

#include <cmath>
#include <utility>

#include "shared/texts.h"

namespace koropika {

namespace {

constexpr const char* kNoNumber = TRANSLATABLE("DealNumber", "番号を入力してください。");
constexpr const char* kNotDigits = TRANSLATABLE("DealNumber", "番号は数字だけで入力してください。");
constexpr const char* kOutOfRange =
    TRANSLATABLE("DealNumber", "番号は 1 から 999999999 までです。");

// The UTF-8 form of the full-width digit zero (U+FF10); U+FF10..U+FF19 differ in the last byte.
constexpr std::string_view kWideZero = "\xEF\xBC\x90";

// The value of the digit at the start of `text`, and its length in bytes; length 0 when
// `text` does not start with a digit.
std::pair<int, std::size_t> leadingDigit(std::string_view text) {
    if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        return {text.front() - '0', 1};
    }
    if (text.size() >= 3 && text.substr(0, 2) == kWideZero.substr(0, 2)) {
        const int value = static_cast<unsigned char>(text[2]) - 0x90;
        if (value >= 0 && value <= 9) {
            return {value, 3};
        }
    }
    return {0, 0};
}

}  // namespace

std::uint64_t dealNumberFromDraw(double u) {
    const auto span = static_cast<double>(kLastDealNumber - kFirstDealNumber + 1);
    return kFirstDealNumber + static_cast<std::uint64_t>(std::floor(u * span));
}

DealNumberReading readDealNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return {std::nullopt, kNoNumber};
    }
    // Any digit past the range stops the count, so that a long run of digits cannot overflow;
    // the rest of the text is still checked for being digits.
    std::uint64_t value = 0;
    bool tooLarge = false;
    while (!text.empty()) {
        const auto [digit, length] = leadingDigit(text);
        if (length == 0) {
            return {std::nullopt, kNotDigits};
        }
        text.remove_prefix(length);
        if (!tooLarge) {
            value = value * 10 + static_cast<std::uint64_t>(digit);
            tooLarge = value > kLastDealNumber;
        }
    }
    if (tooLarge || value < kFirstDealNumber) {
        return {std::nullopt, kOutOfRange};
    }
    return {value, ""};
}

}  // namespace koropika
