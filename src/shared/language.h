// The language of the windows: the system's, or the one the player chose over it.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace koropika {

// The game's own words are Japanese; English is its one translation.
enum class Language { Japanese, English };

// The player's choice in the 言語 / Language menu: follow the system, or one language always.
enum class LanguageChoice { System, Japanese, English };

// Reads one environment variable: its value, or null when it is not set.
using EnvironmentReader = std::function<const char*(const char* name)>;

// The language the system asks for, read as gettext reads it: the locale of messages is the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty. When there is none, or it is
// C or POSIX (C.UTF-8 included), the game is Japanese. Otherwise LANGUAGE, a list such as
// "en_GB:ja", names the languages in order of preference, and the first one the game has
// decides; without one, the locale does. Japanese ("ja", "ja_JP.UTF-8") gives Japanese, any
// other language English.
Language systemLanguage(const EnvironmentReader& environment);

// The language the windows use under `choice`.
Language languageFor(LanguageChoice choice, Language system);

// The name a choice is stored under ("system", "ja", "en"), and the choice a stored name gives;
// none for any other text.
std::string_view storedName(LanguageChoice choice);
std::optional<LanguageChoice> languageChoiceNamed(std::string_view name);

}  // namespace koropika
