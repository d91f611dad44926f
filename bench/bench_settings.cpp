// Program start and close of the settings: locate, load all 258 values from a
// full INI file, and save them all after every value changed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "settings/iniclass.h"
#include "settings/settings.h"

namespace {

struct TempHome {
  TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vqrbench.XXXXXX").string();
    dir = mkdtemp(tmpl.data());
    dir += "/";
  }
  ~TempHome() { std::filesystem::remove_all(dir); }
  std::string dir;
};

TLocateInputs InputsFor(const std::string& home) {
  TLocateInputs in;
  in.ProgramPath = home + "prog/vqrshow4";
  in.GetEnv = [home](const std::string& n) -> std::optional<std::string> {
    if (n == "HOME") return home;
    return std::nullopt;
  };
  return in;
}

// Writes every key of the table with a non-default value.
void WriteFullFile(const std::string& home) {
  TZTIniClass ini;
  ini.Locate(InputsFor(home));
  TVQRShowSettings table(&ini);
  ini.BeginUpdate();
  for (const auto& s : table.Settings())
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i)) ini.IniWriteString(k.Section, k.Key, "7");
  ini.EndUpdate();
}

void BM_LoadAllSettings(benchmark::State& state) {
  TempHome home;
  WriteFullFile(home.dir);
  for (auto _ : state) {
    TZTIniClass ini;
    ini.Locate(InputsFor(home.dir));
    TVQRShowSettings table(&ini);
    table.LoadAll();
    benchmark::DoNotOptimize(table.EqualizerDistance->GetInteger(1));
  }
}
BENCHMARK(BM_LoadAllSettings)->Unit(benchmark::kMillisecond);

void BM_SaveAllChangedSettings(benchmark::State& state) {
  TempHome home;
  WriteFullFile(home.dir);
  TZTIniClass ini;
  ini.Locate(InputsFor(home.dir));
  TVQRShowSettings table(&ini);
  table.LoadAll();
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (const auto& s : table.Settings())
      if (s->ValueType == TZTIniValueType::String)
        for (int i = 1; i <= s->Count; ++i) s->SetString(i, "text " + std::to_string(round));
    benchmark::DoNotOptimize(table.SaveAll());  // one file replacement, fsync included
  }
}
BENCHMARK(BM_SaveAllChangedSettings)->Unit(benchmark::kMillisecond);

}  // namespace
