#include "shared/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace koropika {
namespace {

// A set of environment variables; a variable not in it is not set.
Language languageIn(const std::map<std::string, std::string>& variables) {
    return systemLanguage([&](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

TEST(SystemLanguageTest, JapaneseUnlessTheSystemAsksForAnotherLanguage) {
    constexpr Language ja = Language::Japanese;
    constexpr Language en = Language::English;
    const struct {
        std::map<std::string, std::string> variables;
        Language expected;
    } cases[] = {
        {{}, ja},
        {{{"LANG", ""}}, ja},
        {{{"LANG", "C"}}, ja},
        {{{"LANG", "POSIX"}}, ja},
        {{{"LANG", "C.UTF-8"}}, ja},
        {{{"LANG", "ja_JP.UTF-8"}}, ja},
        {{{"LANG", "en_US.UTF-8"}}, en},
        {{{"LANG", "fr_FR.UTF-8"}}, en},
        // The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty decides.
        {{{"LC_ALL", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, ja},
        {{{"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, en},
        {{{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, en},
        {{{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}, ja},
        // LANGUAGE orders the languages, the first the game has wins, but not over C.
        {{{"LANGUAGE", "en_GB:ja"}, {"LANG", "ja_JP.UTF-8"}}, en},
        {{{"LANGUAGE", "fr:de:ja:en"}, {"LANG", "en_US.UTF-8"}}, ja},
        {{{"LANGUAGE", "fr:de"}, {"LANG", "ja_JP.UTF-8"}}, ja},
        {{{"LANGUAGE", "fr:de"}, {"LANG", "fr_FR.UTF-8"}}, en},
        {{{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, en},
        {{{"LANGUAGE", "::en"}, {"LANG", "ja_JP.UTF-8"}}, en},
        {{{"LANGUAGE", "en"}, {"LANG", "C"}}, ja},
        {{{"LANGUAGE", "en"}}, ja},
    };
    for (const auto& [variables, expected] : cases) {
        std::string shown;
        for (const auto& [name, value] : variables) {
            shown += name + "=" + value + " ";
        }
        EXPECT_EQ(languageIn(variables), expected) << shown;
    }
}

}  // namespace
}  // namespace koropika
