// Loading rich-text backgrounds with pictures (bench/picturertf.h): four
// 5000 x 5000 PNGs drawn at page size, one of 10000 x 10000, and a small
// logo of 600 x 600 drawn 4 cm wide. Each iteration reads the file, decodes
// the pictures for the page and builds the document, as a print does; the
// files are made once, before the first measurement (several seconds).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <tuple>

#include "benchapp.h"
#include "picturertf.h"
#include "print/BackGnd.h"

namespace {

QString BackgroundFile(int count, int side, int width) {
  static QTemporaryDir dir;
  static std::map<std::tuple<int, int, int>, QString> made;
  QString& name = made[{count, side, width}];
  if (name.isEmpty()) {
    name = dir.filePath(QStringLiteral("bg-%1-%2-%3.rtf").arg(count).arg(side).arg(width));
    QFile f(name);
    const std::string rtf =
        width > 0 ? PictureRtf(count, side, width, width) : PictureRtf(count, side);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(rtf.data(), static_cast<qint64>(rtf.size())) != qint64(rtf.size()))
      name.clear();
  }
  return name;
}

// Arguments: pictures, pixels a side, drawn width in twips (0: the page's text area).
void BM_LoadPictureBackground(benchmark::State& state) {
  App();
  const QString name =
      BackgroundFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                     static_cast<int>(state.range(2)));
  if (name.isEmpty()) {
    state.SkipWithError("cannot write the background");
    return;
  }
  TVQRPaper paper;
  for (auto _ : state) {
    paper.SetFile(name);
    if (!paper.Load()) {
      state.SkipWithError("the background does not load");
      return;
    }
    paper.Release();
  }
  state.counters["file_MB"] = static_cast<double>(QFile(name).size()) / (1 << 20);
}
BENCHMARK(BM_LoadPictureBackground)
    ->Args({4, 5000, 0})
    ->Args({1, 10000, 0})
    ->Args({1, 600, 2268})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
