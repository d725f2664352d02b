#include "shared/window_position_file.h"

#include <limits>
#include <vector>

#include "shared/print_format.h"
#include "shared/text_file.h"

namespace koropika {

namespace {

template <typename Int>
std::optional<Int> lineValue(const std::vector<std::string>& lines, std::size_t line, Int low,
                             Int high) {
    if (line >= lines.size()) {
        return std::nullopt;
    }
    const auto value = readLeadingInteger(lines[line]);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return static_cast<Int>(*value);
}

}  // namespace

std::optional<StoredWindowPosition> readWindowPositionFile(FileStore& files,
                                                           const std::string& folder) {
    if (!files.exists(folder, kWindowPositionFileName)) {
        return std::nullopt;
    }
    const auto bytes = files.read(folder, kWindowPositionFileName);
    if (!bytes) {
        return StoredWindowPosition{};
    }
    return parseWindowPositionFile(*bytes);
}

StoredWindowPosition parseWindowPositionFile(std::string_view bytes) {
    // A file saved again by an editor as UTF-8 may start with a byte order mark.
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    StoredWindowPosition stored;
    const std::vector<std::string> lines = splitCrLfLines(bytes);
    constexpr auto kMin32 = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax32 = std::numeric_limits<std::int32_t>::max();
    stored.topTwips = lineValue<std::int32_t>(lines, 0, kMin32, kMax32);
    stored.leftTwips = lineValue<std::int32_t>(lines, 1, kMin32, kMax32);
    stored.cardBackIndex = lineValue<std::int16_t>(lines, 2, 0, 4);
    return stored;
}

std::string windowPositionFileText(std::int32_t topTwips, std::int32_t leftTwips,
                                   std::int16_t cardBackIndex) {
    return printReal(topTwips) + "\r\n" + printReal(leftTwips) + "\r\n" +
           printInteger(cardBackIndex) + "\r\n";
}

std::string writeWindowPositionFile(FileStore& files, const std::string& folder,
                                    std::int32_t topTwips, std::int32_t leftTwips,
                                    std::int16_t cardBackIndex) {
    return files.replace(folder, kWindowPositionFileName,
                         windowPositionFileText(topTwips, leftTwips, cardBackIndex));
}

}  // namespace koropika
