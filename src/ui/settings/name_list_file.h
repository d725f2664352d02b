// The stored list of player names (name.txt) and how it is read and written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/file_store.h"

namespace koropika {

// The stored player names, kept in the program folder so that a name used once can be picked
// again later. The file is code page 932 text with CR LF line ends: the first line holds the
// number of names N in print format (" 3 "), and each of the next N lines holds one name exactly
// as it was typed.
inline constexpr const char* kNameListFileName = "name.txt";

// The largest number of names the list can hold (its count is a signed 16-bit value).
inline constexpr std::size_t kMaxStoredNames = 32767;

// The names stored in `appPath` of `files`, in file order (UTF-8, without the unused slot 0), or
// nullopt when there is no file spelled exactly "name.txt" there (or it cannot be read).
//
// Each counted line is one whole name: nothing is split at commas, trimmed or unquoted, and an
// empty line is an empty name. A first line that is not a number means no names. When the count
// is larger than the lines that follow, the names that are there are read; when it is outside
// 0..32767, every line after the first is a name (at most 32767). Lines after the counted names
// are ignored. Bytes that are not valid code page 932 become U+FFFD.
// A list cut at kMaxStoredNames is reported on stderr in one line.
std::optional<std::vector<std::string>> readNameList(FileStore& files, const std::string& appPath);

// The names held by the bytes of a name list file, read as readNameList does. A file that starts
// with a UTF-8 byte order mark was saved by an editor as UTF-8: the mark is skipped and the names
// are taken as UTF-8 (each character code page 932 cannot hold becomes "?"), so the count and the
// names are not lost to the mark.
struct NameListContent {
    std::vector<std::string> names;
    // More names were there than the list can hold; the ones after kMaxStoredNames are left out.
    bool cut = false;
};
NameListContent parseNameList(std::string_view bytes);

// Replaces the name list in `appPath` of `files` with `names` (slots 1..N, without slot 0).
// Characters that code page 932 cannot hold are written as "?", and so is a line feed inside a
// name, which would otherwise split it into two names; everything else is written exactly.
// Returns "" on success or a one-line reason on failure, in which case the old file is left whole.
std::string writeNameList(FileStore& files, const std::string& appPath,
                          const std::vector<std::string>& names);

// The bytes writeNameList puts in the file for `names`.
std::string nameListFileText(const std::vector<std::string>& names);

}  // namespace koropika
