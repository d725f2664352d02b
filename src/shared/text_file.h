#pragma once

// Reading, splitting and safely replacing the program's small text files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koropika {

// Helpers for the program's small text files, which live in the program folder and are read and
// written whole.

// The path of the file `name` in `folder`: the folder, the platform's separator, the name.
std::string fileInFolder(const std::string& folder, std::string_view name);

// True when `folder` holds a directory entry spelled exactly `exactName` (case-sensitive, also on
// a file system that ignores case) and that entry is a regular file, or a link to one.
bool plainFileExists(const std::string& folder, std::string_view exactName);

// The whole content of the file, or nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// The lines of a text file's content. Lines end at LF, and one CR at the end of each line is
// removed, so CR LF and a lone LF both end a line (a CR inside a line is kept). A last line
// without a line end is kept; the empty piece after a final line end is not a line.
std::vector<std::string> splitCrLfLines(std::string_view bytes);

// Replaces the file at `path` with `bytes`, or creates it. The bytes go to a new file in the same
// folder, which is flushed to disk and then renamed over the old one, so the old file is either
// left whole or replaced whole. The new file gets the permissions of a normally created file
// (0666 less the umask). Returns "" on success, otherwise a one-line reason such as
// "cannot write /x/name.txt: Permission denied"; on failure nothing is left behind.
std::string writeFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace koropika
