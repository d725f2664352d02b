#pragma once

// itidata.txt: the game window's place and the chosen card back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shared/file_store.h"

namespace koropika {

inline constexpr const char* kWindowPositionFileName = "itidata.txt";

// The game window's place and the chosen card back, as itidata.txt keeps them: three lines in
// print format (top and left in twips, then the back design), each ended by CR LF.
struct StoredWindowPosition {
    // Each value is present only when its line held a valid number in range.
    std::optional<std::int32_t> topTwips;
    std::optional<std::int32_t> leftTwips;
    std::optional<std::int16_t> cardBackIndex;  // 0..4
};

// Reads itidata.txt from `folder` of `files`; nullopt when there is no plain file of exactly that
// name. A short or damaged file gives the values it holds and leaves the others out.
std::optional<StoredWindowPosition> readWindowPositionFile(FileStore& files,
                                                           const std::string& folder);

// The values held by the bytes of an itidata.txt file, read as readWindowPositionFile does.
StoredWindowPosition parseWindowPositionFile(std::string_view bytes);

// The file's bytes for a window at `topTwips`, `leftTwips` with back design `cardBackIndex`.
std::string windowPositionFileText(std::int32_t topTwips, std::int32_t leftTwips,
                                   std::int16_t cardBackIndex);

// Replaces itidata.txt in `folder` of `files` whole; returns "" or a one-line reason it could not.
std::string writeWindowPositionFile(FileStore& files, const std::string& folder,
                                    std::int32_t topTwips, std::int32_t leftTwips,
                                    std::int16_t cardBackIndex);

}  // namespace koropika
