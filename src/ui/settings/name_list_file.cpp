#include "ui/settings/name_list_file.h"

#include <algorithm>
#include <iostream>

#include "shared/cp932.h"
#include "shared/print_format.h"
#include "shared/text_file.h"

namespace koropika {

NameListContent parseNameList(std::string_view bytes) {
    constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
    const bool utf8 = bytes.starts_with(kUtf8ByteOrderMark);
    if (utf8) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    const std::vector<std::string> lines = splitCrLfLines(bytes);
    NameListContent content;
    if (lines.empty()) {
        return content;
    }

    const std::size_t linesAfterCount = lines.size() - 1;
    const std::int64_t count = readLeadingInteger(lines.front()).value_or(0);
    std::size_t wanted = 0;
    if (count < 0 || count > static_cast<std::int64_t>(kMaxStoredNames)) {
        // A count that cannot be right: take every name that is there rather than lose them.
        wanted = std::min(linesAfterCount, kMaxStoredNames);
        content.cut = linesAfterCount > kMaxStoredNames;
    } else {
        wanted = std::min(linesAfterCount, static_cast<std::size_t>(count));
    }

    content.names.reserve(wanted);
    for (std::size_t i = 1; i <= wanted; ++i) {
        content.names.push_back(utf8 ? cp932ToUtf8(utf8ToCp932Replacing(lines[i], '?'))
                                     : cp932ToUtf8(lines[i]));
    }
    return content;
}

std::optional<std::vector<std::string>> readNameList(FileStore& files, const std::string& appPath) {
    if (!files.exists(appPath, kNameListFileName)) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = files.read(appPath, kNameListFileName);
    if (!bytes) {
        return std::nullopt;
    }
    NameListContent content = parseNameList(*bytes);
    if (content.cut) {
        std::cerr << "koropika: " << kNameListFileName << " holds more than " << kMaxStoredNames
                  << " names; only the first " << kMaxStoredNames << " are used\n";
    }
    return std::move(content.names);
}

std::string nameListFileText(const std::vector<std::string>& names) {
    std::string bytes = printInteger(static_cast<std::int64_t>(names.size()));
    bytes += "\r\n";
    for (const std::string& name : names) {
        std::string line = utf8ToCp932Replacing(name, '?');
        std::replace(line.begin(), line.end(), '\n', '?');
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string writeNameList(FileStore& files, const std::string& appPath,
                          const std::vector<std::string>& names) {
    return files.replace(appPath, kNameListFileName, nameListFileText(names));
}

}  // namespace koropika
