#include "shared/print_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace koropika {

std::string printInteger(std::int64_t v) {
    std::string text = v < 0 ? "" : " ";
    text += std::to_string(v);
    text += ' ';
    return text;
}

std::string printReal(double v) {
    if (v == 0.0) {
        return " 0 ";  // also for -0.0
    }
    // The general format with 7 significant digits, as printf's %.7G writes it but never with
    // the locale's decimal comma: no trailing zeros, no point for integral values, E notation
    // with a two-digit exponent for large and tiny values.
    char digits[32];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), std::fabs(v),
                                            std::chars_format::general, 7);
    if (error != std::errc()) {
        return std::signbit(v) ? "-" : " ";  // cannot happen: 32 characters hold any double
    }
    std::replace(std::begin(digits), end, 'e', 'E');
    std::string_view body(digits, static_cast<std::size_t>(end - digits));
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') {
        body.remove_prefix(1);
    }
    std::string text = std::signbit(v) ? "-" : " ";
    text += body;
    text += ' ';
    return text;
}

std::optional<std::int64_t> readLeadingInteger(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < line.size() && (line[pos] == '-' || line[pos] == '+')) {
        negative = line[pos] == '-';
        ++pos;
    }
    const std::size_t firstDigit = pos;
    // Accumulated as a negative number, whose range is the larger one.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool clamped = false;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
        const int digit = line[pos] - '0';
        if (value < (kMin + digit) / 10) {
            clamped = true;
        } else if (!clamped) {
            value = value * 10 - digit;
        }
        ++pos;
    }
    if (pos == firstDigit) {
        return std::nullopt;
    }
    if (pos < line.size()) {
        const char next = line[pos];
        if (next != ' ' && next != '\t' && next != ',' && next != '\r' && next != '\n') {
            return std::nullopt;
        }
    }
    if (clamped) {
        return negative ? kMin : std::numeric_limits<std::int64_t>::max();
    }
    if (!negative) {
        return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
    }
    return value;
}

}  // namespace koropika
