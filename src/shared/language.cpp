#include "shared/language.h"

#include <array>

namespace koropika {
namespace {

// The language part of a locale or language name: "ja" of "ja_JP.UTF-8", "en" of "en".
std::string_view languageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

bool isPlainC(std::string_view locale) {
    const std::string_view language = languageOf(locale);
    return language == "C" || language == "POSIX";
}

// A language the game has: Japanese for "ja", English for "en"; none for any other.
std::optional<Language> offered(std::string_view name) {
    const std::string_view language = languageOf(name);
    if (language == "ja") {
        return Language::Japanese;
    }
    if (language == "en") {
        return Language::English;
    }
    return std::nullopt;
}

struct StoredChoice {
    LanguageChoice choice;
    std::string_view name;
};

constexpr std::array<StoredChoice, 3> kStoredChoices = {{
    {LanguageChoice::System, "system"},
    {LanguageChoice::Japanese, "ja"},
    {LanguageChoice::English, "en"},
}};

}  // namespace

Language systemLanguage(const EnvironmentReader& environment) {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    if (locale.empty() || isPlainC(locale)) {
        return Language::Japanese;
    }
    if (const char* list = environment("LANGUAGE"); list != nullptr) {
        std::string_view rest = list;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (const auto language = offered(rest.substr(0, colon))) {
                return *language;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    return offered(locale).value_or(Language::English);
}

Language languageFor(LanguageChoice choice, Language system) {
    switch (choice) {
        case LanguageChoice::Japanese:
            return Language::Japanese;
        case LanguageChoice::English:
            return Language::English;
        case LanguageChoice::System:
            break;
    }
    return system;
}

std::string_view storedName(LanguageChoice choice) {
    for (const StoredChoice& stored : kStoredChoices) {
        if (stored.choice == choice) {
            return stored.name;
        }
    }
    return kStoredChoices[0].name;
}

std::optional<LanguageChoice> languageChoiceNamed(std::string_view name) {
    for (const StoredChoice& stored : kStoredChoices) {
        if (stored.name == name) {
            return stored.choice;
        }
    }
    return std::nullopt;
}

}  // namespace koropika
