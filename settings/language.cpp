#include "settings/language.h"

#include <cstdlib>
#include <string_view>

namespace {

// "de_DE.UTF-8", "de", "de@euro" are German; "C", "C.UTF-8", "POSIX" are the
// untranslated program, which is German too.
TLanguage LanguageOfLocale(std::string_view locale) {
  const size_t end = locale.find_first_of("_.@");
  const std::string_view lang = locale.substr(0, end);
  if (lang == "de" || lang == "C" || lang == "POSIX") return TLanguage::German;
  return TLanguage::English;
}

// LANGUAGE is a list of languages ("en_GB:en"); its first entry counts.
std::string_view FirstEntry(std::string_view value) {
  while (!value.empty() && value.front() == ':') value.remove_prefix(1);
  return value.substr(0, value.find(':'));
}

}  // namespace

TLanguage SystemLanguage(const TEnvReader& env) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::optional<std::string> value = env ? env(name) : std::nullopt;
    if (!value) continue;
    const std::string_view locale = FirstEntry(*value);
    if (!locale.empty()) return LanguageOfLocale(locale);
  }
  return TLanguage::German;
}

TLanguage ChosenLanguage(const std::string& value, const TEnvReader& env) {
  std::string_view setting = value;
  while (!setting.empty() && setting.front() == ' ') setting.remove_prefix(1);
  while (!setting.empty() && setting.back() == ' ') setting.remove_suffix(1);
  auto is = [&setting](const char* code) {
    return setting.size() == 2 && (setting[0] | 0x20) == code[0] && (setting[1] | 0x20) == code[1];
  };
  if (is("de")) return TLanguage::German;
  if (is("en")) return TLanguage::English;
  return SystemLanguage(env);
}

TEnvReader ProcessEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* v = std::getenv(name);
    if (!v) return std::nullopt;
    return std::string(v);
  };
}
