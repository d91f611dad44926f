// Opening a saved evaluation with the most compared recordings: reading and
// checking the file, hashing the eight recordings, loading, comparing,
// smoothing and the notes, as "Auswertung öffnen..." does before drawing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "session/evaluationsession.h"

namespace {

const std::string kSamples = std::string(VQR_SOURCE_DIR) + "/samples/";

void BM_OpenEvaluation7Compared(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "vqrbench-evaluation";
  fs::create_directories(dir);
  const char* names[] = {"full1500.DAT", "hours40.DAT", "days10.DAT"};
  TVQRSession source;
  source.Load(kSamples + "full1500.DAT");
  for (int i = 0; i < 7; ++i) {
    const fs::path copy = dir / ("run" + std::to_string(i) + ".DAT");
    fs::copy_file(kSamples + names[i % 3], copy, fs::copy_options::overwrite_existing);
    source.AddCompared(copy.string());
  }
  source.Smooth(2);
  for (int i = 0; i < 50; ++i)
    source.Notes().push_back({i * 60, "Notiz " + std::to_string(i), 0, 0});
  const std::string vqa = (dir / "bench.vqa").string();
  TEvaluation eval;
  CaptureEvaluation(source, kSamples + "full1500.DAT", vqa, eval, nullptr, nullptr);
  WriteEvaluationFile(vqa, eval);

  for (auto _ : state) {
    TEvaluation read;
    if (!ReadEvaluationFile(vqa, read)) state.SkipWithError("not read");
    std::vector<std::string> paths{ResolveRecordingPath(read.Recording.Path, vqa)};
    for (const TEvalRecording& r : read.Compared)
      paths.push_back(ResolveRecordingPath(r.Path, vqa));
    bool same = CheckRecording(paths[0], read.Recording.Sha256) == TRecordingState::Same;
    for (size_t i = 0; i < read.Compared.size(); ++i)
      same = same && CheckRecording(paths[i + 1], read.Compared[i].Sha256) == TRecordingState::Same;
    if (!same) state.SkipWithError("a recording differs");
    TVQRSession session;
    RestoreEvaluation(session, read, paths);
    if (session.ComparedCount() != 7) state.SkipWithError("comparison incomplete");
    benchmark::DoNotOptimize(session.Data().Axes().All());
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_OpenEvaluation7Compared)->Unit(benchmark::kMillisecond);

}  // namespace
