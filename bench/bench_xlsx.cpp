// The spreadsheet export into .xlsx workbooks, as vqrtool xlsx runs it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/vqrtypes.h"
#include "export/XLLayout.h"
#include "export/xlsx/XlsxApp.h"
#include "export/xlsx/XlsxRules.h"
#include "session/Session.h"

namespace {
const std::string kFull = VQR_SOURCE_DIR "/samples/full1500.DAT";

// Header and formats on: the widest export.
TXLLayout FormattedLayout() {
  TXLLayout l;
  l.WriteHeader = true;
  l.DataRow = 2;
  l.Reformat = true;
  l.TimeFormat = "[h]:mm:ss";
  l.ChannelFormat = "0,0000";
  l.TempFormat = "0,0";
  return l;
}

std::string TempTarget(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name)).string();
}

// Cells into the workbook and the file's bytes, nothing on disk.
void BM_XlsxFull1500InMemory(benchmark::State& state) {
  TVQRSession rec;
  if (rec.Load(kFull) != TLoadStatus::Ok) state.SkipWithError("cannot load the sample");
  const TXLLayout layout = FormattedLayout();
  const int blockRows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TXlsxApplication app;
    TXlsxWorkbook& book = static_cast<TXlsxWorkbook&>(app.AddWorkbook());
    rec.ExportSheet(book.Sheet(1), layout, {}, blockRows);
    benchmark::DoNotOptimize(TXlsxWriter(book).Bytes().size());
  }
}
BENCHMARK(BM_XlsxFull1500InMemory)->Arg(1)->Arg(kMaxSamples)->Unit(benchmark::kMillisecond);

// What vqrtool xlsx does for one recording: load, export, write the file
// beside its target, flush it to disk and rename it into place.
void BM_XlsxFull1500ToFile(benchmark::State& state) {
  const std::string out = TempTarget("-bench.xlsx");
  const TXLLayout layout = FormattedLayout();
  for (auto _ : state) {
    TVQRSession rec;
    if (rec.Load(kFull) != TLoadStatus::Ok) state.SkipWithError("cannot load the sample");
    TXlsxApplication app;
    app.AddWorkbook();
    TXlsxWorksheet& sheet = app.Book(1).Sheet(1);
    sheet.SetName("VQR Daten");
    rec.ExportSheet(sheet, layout, {}, kMaxSamples);
    app.SaveWorkbook(1, out);
  }
  std::filesystem::remove(out);
}
BENCHMARK(BM_XlsxFull1500ToFile)->Unit(benchmark::kMillisecond);

// vqrtool xlsx over 200 full recordings: 200 loads, 200 sheets, one workbook file.
void BM_XlsxBatch200(benchmark::State& state) {
  const std::string out = TempTarget("-batch.xlsx");
  const TXLLayout layout = FormattedLayout();
  for (auto _ : state) {
    TVQRSession rec;
    TXlsxApplication app;
    app.AddWorkbook();
    TXlsxWorkbook& book = app.Book(1);
    std::vector<std::string> taken;
    for (int i = 0; i < 200; ++i) {
      if (rec.Load(kFull) != TLoadStatus::Ok) state.SkipWithError("cannot load the sample");
      TXlsxWorksheet& sheet = i == 0 ? book.Sheet(1) : book.AppendWorksheet();
      sheet.SetName(XlsxMakeSheetName("full1500", taken));
      rec.ExportSheet(sheet, layout, {}, kMaxSamples);
    }
    app.SaveWorkbook(1, out);
  }
  std::filesystem::remove(out);
  state.counters["recordings/s"] =
      benchmark::Counter(200.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_XlsxBatch200)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
