// The export of a full recording with formats into a running LibreOffice
// Calc: rows in blocks of 100 against one call per cell. Starts its own
// headless office on a private pipe and profile; skipped without soffice.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "export/XLLayout.h"
#include "export/calc/xlcalc.h"
#include "session/Session.h"

namespace {
const std::string kFull = VQR_SOURCE_DIR "/samples/full1500.DAT";

class BenchOffice {
 public:
  BenchOffice() {
    if (!CalcInstalled()) return;
    std::string dir = (std::filesystem::temp_directory_path() / "vqrbench-XXXXXX").string();
    if (!mkdtemp(dir.data())) return;
    profile_ = dir;
    TCalcOptions o;
    o.Pipe = "vqrbench-" + std::to_string(getpid());
    o.Profile = profile_ + "/profile";
    o.Headless = true;
    provider_ = std::make_unique<TCalcProvider>(o);
    try {
      app_ = provider_->Create();
    } catch (const TXLError& e) {
      error_ = e.what();
    }
  }
  ~BenchOffice() {
    try {
      if (app_) app_->Quit();
    } catch (const TXLError&) {
    }
    app_.reset();
    if (provider_ && provider_->StartedGroup() > 0) kill(-provider_->StartedGroup(), SIGKILL);
    std::error_code ec;
    if (!profile_.empty()) std::filesystem::remove_all(profile_, ec);
  }
  IXLApplication* App() { return app_.get(); }
  const std::string& Error() const { return error_; }

 private:
  std::string profile_, error_ = "soffice not found";
  std::unique_ptr<TCalcProvider> provider_;
  std::unique_ptr<IXLApplication> app_;
};

BenchOffice& Office() {
  static BenchOffice office;
  return office;
}

// state.range(0): rows per transfer (1: one call per cell and format).
void BM_CalcExport(benchmark::State& state) {
  IXLApplication* app = Office().App();
  if (!app) {
    state.SkipWithError(Office().Error().c_str());
    return;
  }
  TVQRSession rec;
  if (rec.Load(kFull) != TLoadStatus::Ok) {
    state.SkipWithError("cannot load the sample");
    return;
  }
  TXLLayout layout;
  layout.WriteHeader = true;
  layout.DataRow = 2;
  layout.Reformat = true;
  layout.TimeFormat = "[h]:mm:ss";
  layout.ChannelFormat = "0,0000";
  layout.TempFormat = "0,0";
  try {
    IXLWorksheet& sheet = app->AddWorkbook().Worksheet(1);
    int rows = 0;
    for (auto _ : state)
      rows = rec.ExportSheet(sheet, layout, {}, static_cast<int>(state.range(0)));
    state.counters["rows"] = rows;
  } catch (const TXLError& e) {
    state.SkipWithError(e.what());
  }
}
BENCHMARK(BM_CalcExport)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcExport)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace
