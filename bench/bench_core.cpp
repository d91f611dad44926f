// Decoding, smoothing and exporting full recordings.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/expfile.h"
#include "session/AsciiBatch.h"
#include "session/Session.h"

namespace {
const std::string kFull = VQR_SOURCE_DIR "/samples/full1500.DAT";

void BM_ReadDataAndCalibrate(benchmark::State& state) {
  TVQRSession rec;
  for (auto _ : state) {
    if (rec.Load(kFull) != TLoadStatus::Ok) state.SkipWithError("cannot load the sample");
    benchmark::DoNotOptimize(rec.Data().Recording().OverallMax());
  }
}
BENCHMARK(BM_ReadDataAndCalibrate)->Unit(benchmark::kMicrosecond);

// Only the decoding and calibration, from bytes already in memory.
void BM_ReadDataFromMemory(benchmark::State& state) {
  TVQRSession rec;
  rec.Load(kFull);
  std::vector<uint8_t> bytes;
  {
    FILE* f = std::fopen(kFull.c_str(), "rb");
    if (!f) {
      state.SkipWithError("cannot open the sample");
      return;
    }
    bytes.resize(70000);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
  }
  for (auto _ : state) {
    rec.LoadBuffer(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(rec.Data().Recording().OverallMax());
  }
}
BENCHMARK(BM_ReadDataFromMemory)->Unit(benchmark::kMicrosecond);

void BM_Smooth8(benchmark::State& state) {
  TVQRSession rec;
  rec.Load(kFull);
  for (auto _ : state) {
    rec.Data().Smooth(8);
    benchmark::DoNotOptimize(rec.Store().Samples[1].Cal[1]);
  }
}
BENCHMARK(BM_Smooth8)->Unit(benchmark::kMicrosecond);

void BM_Export(benchmark::State& state) {
  const auto mode = static_cast<TAsciiMode>(state.range(0));
  TVQRSession rec;
  rec.Load(kFull);
  TVQRAsciiFile file;
  for (auto _ : state) {
    if (rec.ExportAscii("/dev/null", file, mode) != TExportStatus::Ok)
      state.SkipWithError("export");
  }
}
BENCHMARK(BM_Export)
    ->Arg(static_cast<int>(TAsciiMode::Calibrated))
    ->Arg(static_cast<int>(TAsciiMode::Raw))
    ->Arg(static_cast<int>(TAsciiMode::CalParams))
    ->Unit(benchmark::kMicrosecond);

// vqrtool ascii over 1000 recordings into a temporary folder, two workers.
void BM_AsciiBatch1000(benchmark::State& state) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "vqrbench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::vector<TAsciiJob> jobs;
  for (int i = 0; i < 1000; ++i) jobs.push_back({kFull, tmpl + "/f" + std::to_string(i) + ".ASC"});
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const auto results = RunAsciiBatch(jobs, {}, threads);
    for (const auto& r : results)
      if (r.Status != TAsciiStatus::Ok) state.SkipWithError("batch failed");
  }
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(jobs.size()) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  std::filesystem::remove_all(tmpl);
}
BENCHMARK(BM_AsciiBatch1000)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
}  // namespace
