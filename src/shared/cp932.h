#pragma once

// Conversion of text between UTF-8 and code page 932.

#include <optional>
#include <string>
#include <string_view>

namespace koropika {

// Conversion between UTF-8 (used everywhere in memory) and code page 932, the Japanese Windows
// code page in which the program's text files are stored. The conversion goes through glibc
// iconv under the name "CP932"; glibc's plain "SHIFT_JIS" lacks the Windows extensions (①, ～,
// the NEC and IBM rows) and must not be used.
//
// Some characters map many-to-one: 〜 (U+301C) and ～ (U+FF5E) both become 0x81 0x60, which
// reads back as ～; likewise − / －, ¥ / \ and a few others. A round trip therefore may
// normalise such characters; compare names after a round trip when that matters.

// The text in code page 932, or nullopt when the input is not valid UTF-8 or holds a character
// that code page 932 cannot represent (𠮷, emoji, most non-Japanese scripts).
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// As utf8ToCp932, but every character that cannot be represented (and every byte that is not
// part of a valid UTF-8 sequence) becomes `replacement`. Never fails.
std::string utf8ToCp932Replacing(std::string_view utf8, char replacement = '?');

// The bytes decoded from code page 932 into UTF-8. Every byte that does not start a valid
// character becomes one U+FFFD; decoding then goes on with the next byte. Never fails.
std::string cp932ToUtf8(std::string_view bytes);

// True when the text can be stored as one line of a code page 932 text file: it converts without
// loss and holds no control character (C0 controls including CR, LF and TAB; DEL; C1 controls).
bool isStorableName(std::string_view utf8);

}  // namespace koropika
