// Any bytes as name.txt: the reader takes what it can, and the list written back from it reads
// back as the same list, name for name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "ui/settings/name_list_file.h"

namespace {

bool hasReplacementCharacter(const std::string& name) {
    return name.find("\xEF\xBF\xBD") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const koropika::NameListContent first = koropika::parseNameList(input);
    FUZZ_CHECK(first.names.size() <= koropika::kMaxStoredNames);

    const std::string written = koropika::nameListFileText(first.names);
    const koropika::NameListContent second = koropika::parseNameList(written);
    FUZZ_CHECK(!second.cut);
    // No name is lost or shifted: the count and every readable name come back as they were.
    FUZZ_CHECK(second.names.size() == first.names.size());
    for (std::size_t i = 0; i < first.names.size(); ++i) {
        if (!hasReplacementCharacter(first.names[i])) {
            FUZZ_CHECK(second.names[i] == first.names[i]);
        }
    }
    // After one pass the file is stable: writing the list again gives the same bytes.
    FUZZ_CHECK(koropika::nameListFileText(second.names) == written);
    return 0;
}
