#pragma once

// The number format of the program's text files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace koropika {

// The number format of the program's text files ("print" format). A number is written with one
// leading space where a negative number has its minus sign, then its digits, then one trailing
// space: 12 → " 12 ", 0 → " 0 ", -150 → "-150 ".

// An integer in print format.
std::string printInteger(std::int64_t v);

// A real number in print format: the shortest decimal text with at most 7 significant digits.
// Integral values have no decimal point (1950 → " 1950 "), values between -1 and 1 have no
// leading zero (0.5 → " .5 ", -0.25 → "-.25 "), and values that need more than 7 digits before
// the point, or are smaller than 0.0001, use E notation (12345678 → " 1.234568E+07 ",
// 0.00001 → " 1E-05 ").
std::string printReal(double v);

// The integer at the start of a line written in print format, or a bare number. Leading spaces
// and tabs are skipped, then an optional sign and at least one digit are read; the number must
// end at a space, tab, comma or the end of the line (text such as "12abc" or "1.5" is not an
// integer). A value beyond the 64-bit range is clamped to the nearest 64-bit limit, so callers
// see it as out of their range rather than as garbage. Nullopt when there is no such number.
std::optional<std::int64_t> readLeadingInteger(std::string_view line);

}  // namespace koropika
