// The language of the interface: the system's rule and the setting that
// overrides it, as the INI file holds it.
#include <gtest/gtest.h>

#include <map>

#include "settings/iniclass.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "support/settingsfixture.h"

namespace {

TEnvReader Env(std::map<std::string, std::string> vars) {
  return [vars](const char* name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

constexpr TLanguage De = TLanguage::German;
constexpr TLanguage En = TLanguage::English;

}  // namespace

TEST(Language, SystemRuleTakesTheFirstVariableSet) {
  const struct {
    std::map<std::string, std::string> env;
    TLanguage want;
  } cases[] = {
      {{{"LANG", "de_DE.UTF-8"}}, De},
      {{{"LANG", "C.UTF-8"}}, De},
      {{{"LANG", "en_US.UTF-8"}}, En},
      {{{"LANG", "fr_FR.UTF-8"}}, En},
      {{{"LANG", "POSIX"}}, De},
      {{{"LANG", "C"}}, De},
      {{{"LANG", "de_AT@euro"}}, De},
      {{{"LANG", "dE_DE"}}, En},  // a language code is lower case
      {{}, De},                   // nothing set
      {{{"LANG", ""}}, De},       // set but empty counts as not set
      // In order LANGUAGE, LC_ALL, LC_MESSAGES, LANG; empty ones skipped.
      {{{"LANGUAGE", "en_GB:en"}, {"LC_ALL", "de_DE.UTF-8"}}, En},
      {{{"LANGUAGE", "de:en"}, {"LANG", "en_US.UTF-8"}}, De},
      {{{"LANGUAGE", ""}, {"LC_ALL", "fr_FR.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, En},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", "C.UTF-8"}, {"LANG", "en_US.UTF-8"}}, De},
      {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, En},
      {{{"LANGUAGE", ":"}, {"LANG", "en_US.UTF-8"}}, En},
  };
  for (const auto& c : cases) {
    std::string trace;
    for (const auto& [k, v] : c.env) trace += k + "=" + v + " ";
    SCOPED_TRACE(trace);
    EXPECT_EQ(SystemLanguage(Env(c.env)), c.want);
  }
}

TEST(Language, SettingOverridesTheSystem) {
  const auto english = Env({{"LANG", "en_US.UTF-8"}});
  const auto german = Env({{"LANG", "de_DE.UTF-8"}});
  const struct {
    const char* setting;
    TLanguage onEnglish, onGerman;
  } cases[] = {
      {"System", En, De}, {"", En, De},   {"de", De, De},  {"en", En, En},
      {"EN", En, En},     {"fr", En, De}, {"deu", En, De},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting);
    EXPECT_EQ(ChosenLanguage(c.setting, english), c.onEnglish);
    EXPECT_EQ(ChosenLanguage(c.setting, german), c.onGerman);
  }
}

TEST(Language, SettingIsProgramLanguageInTheIniFile) {
  TempDir dir;
  const std::string home = dir.Sub("home");
  const std::string path = home + "vqrshow4.INI";
  auto start = [&](const std::string& text) {
    WriteText(path, text);
    auto ini = std::make_unique<TZTIniClass>();
    ini->Locate(vqrtest::Inputs(dir.Sub("prog"), {}, {{"HOME", home}}));
    return ini;
  };
  {
    // Missing: the system's language, and nothing is written for it.
    auto ini = start("[General]\nStartX=1\n");
    TVQRShowSettings t(ini.get());
    t.LoadAll();
    TZTiniSettingValue* language = t.Find("Program", "Language");
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->GetString(1), "System");
    EXPECT_TRUE(t.SaveAll());
    EXPECT_EQ(ReadFileText(path), "[General]\nStartX=1\n");
    // A choice is written as its code.
    language->SetString(1, "en");
    EXPECT_TRUE(t.SaveAll());
    EXPECT_EQ(ReadFileText(path), "[General]\nStartX=1\n\n[Program]\nLanguage=en\n");
  }
  {
    // Read back as the program start reads it, before the table exists.
    auto ini = start("[program]\nlanguage= de \n");
    EXPECT_EQ(ChosenLanguage(ini->IniReadString("Program", "Language", "System"),
                             Env({{"LANG", "en_US.UTF-8"}})),
              De);
    TVQRShowSettings t(ini.get());
    t.LoadAll();
    EXPECT_EQ(t.Find("Program", "Language")->GetString(1), "de");
  }
}
