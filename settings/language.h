#pragma once
// The language of the user interface: German (the texts as written) or
// English (the translation), chosen by the setting Program/Language.

#include <functional>
#include <optional>
#include <string>

enum class TLanguage { German, English };

/// Reads one environment variable; nullopt when it is not set.
using TEnvReader = std::function<std::optional<std::string>(const char* name)>;

/// The system's language: the first of LANGUAGE, LC_ALL, LC_MESSAGES and
/// LANG that is set and not empty decides. German for a German locale and for
/// C or POSIX, and when none is set; English for every other language.
TLanguage SystemLanguage(const TEnvReader& env);

/// The language the setting's value asks for: "de" German, "en" English,
/// anything else ("System", empty, unknown) the system's language.
TLanguage ChosenLanguage(const std::string& setting, const TEnvReader& env);

/// The process environment.
TEnvReader ProcessEnvironment();
