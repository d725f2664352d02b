#include "ui/settings/name_list_file.h"

#include <algorithm>

#include "shared/cp932.h"
#include "shared/print_format.h"
#include "shared/text_file.h"

namespace koropika {

std::optional<std::vector<std::string>> readNameList(const std::string& appPath) {
    if (!plainFileExists(appPath, kNameListFileName)) {
        return std::nullopt;
    }
    const std::optional<std::string> content =
        readWholeFile(fileInFolder(appPath, kNameListFileName));
    if (!content) {
        return std::nullopt;
    }
    const std::vector<std::string> lines = splitCrLfLines(*content);
    std::vector<std::string> names;
    if (lines.empty()) {
        return names;
    }

    const std::size_t linesAfterCount = lines.size() - 1;
    const std::int64_t count = readLeadingInteger(lines.front()).value_or(0);
    std::size_t wanted = 0;
    if (count < 0 || count > static_cast<std::int64_t>(kMaxStoredNames)) {
        // A count that cannot be right: take every name that is there rather than lose them.
        wanted = std::min(linesAfterCount, kMaxStoredNames);
    } else {
        wanted = std::min(linesAfterCount, static_cast<std::size_t>(count));
    }

    names.reserve(wanted);
    for (std::size_t i = 1; i <= wanted; ++i) {
        names.push_back(cp932ToUtf8(lines[i]));
    }
    return names;
}

std::string writeNameList(const std::string& appPath, const std::vector<std::string>& names) {
    std::string bytes = printInteger(static_cast<std::int64_t>(names.size()));
    bytes += "\r\n";
    for (const std::string& name : names) {
        std::string line = utf8ToCp932Replacing(name, '?');
        std::replace(line.begin(), line.end(), '\n', '?');
        bytes += line;
        bytes += "\r\n";
    }
    return writeFileReplacing(fileInFolder(appPath, kNameListFileName), bytes);
}

}  // namespace koropika
