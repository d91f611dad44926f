// Repaint cost of the combination window and of the overview cells.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "benchapp.h"
#include "chart/diagrampaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "session/Session.h"

namespace {

// The bundled full recording (1500 samples over 60 hours) in combination 1
// with every channel visible and grid crosses. Should the sample be missing,
// a generated one of the same size stands in: 1500 samples, one every 2
// minutes, every channel rising towards its level with a slow wave.
struct FullRecording {
  TVQRSession rec;
  TVQRDataObject store;
  TVqrDataObjectNew generated;
  std::unique_ptr<TVQRDiagram> diagram;
  FullRecording() {
    if (rec.Load(VQR_SOURCE_DIR "/samples/full1500.DAT") == TLoadStatus::Ok) {
      diagram = std::make_unique<TVQRDiagram>(rec.Data());
    } else {
      Generate();
      diagram = std::make_unique<TVQRDiagram>(generated);
    }
    TVQRDiagram& o = *diagram;
    o.SetWindowMode(kCombi1Mode);
    for (int ch = 1; ch <= kTempChannel; ++ch) {
      o.ChannelPens()[ch].Visible = 1;
      o.ChannelPens()[ch].Color = static_cast<int32_t>(0x101010u * static_cast<uint32_t>(ch % 8));
    }
    o.Layout().GridStyle = kGridCrosses;
  }
  TVQRDiagram& Obj() { return *diagram; }

  void Generate() {
    for (int i = 1; i <= kMaxSamples; ++i) {
      TVQRSample& s = store.Samples[i];
      s.Seconds = (i - 1) * 120;
      s.Day = static_cast<uint8_t>(1 + s.Seconds / 86400);
      const double t = s.Seconds;
      for (int ch = 1; ch <= kMeasureChannels; ++ch) {
        const double noise = 0.002 * ((i * 7919 + ch * 104729) % 201 - 100) / 100.0;
        s.Cal[ch] = static_cast<float>(0.05 * ch / 2 + 0.4 * (1 - std::exp(-t / (6000.0 * ch))) +
                                       0.03 * std::sin(t / 20000.0 + ch) + noise);
      }
      s.Cal[kTempChannel] = 20.0f + 4.0f * static_cast<float>(std::sin(i * 0.004));
    }
    store.SampleCount = kMaxSamples;
    generated.SetStore(&store);
    generated.Axes().Restore({{16, 345600.0f, 0.0f, 1, 0, true},
                              {10, 1.0f, 0.0f, 1, 1, false},
                              {8, 16.0f, -12.0f, 2, 0, false}});
  }
};

void BM_CombinationRepaint(benchmark::State& state) {
  App();
  FullRecording rec;
  QImage img(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&img);
    QPainterDC dc(painter);
    PaintDiagram(rec.Obj(), dc, {0, 0, 1600, 1000});
    painter.end();
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_CombinationRepaint)->Unit(benchmark::kMillisecond);

// The channel window's repaint at its real size: the window background, the
// white area inside its margins, then the whole combination, into the
// window's buffer.
void BM_CombinationWindow(benchmark::State& state) {
  App();
  FullRecording rec;
  RepaintWindow(state, rec.Obj());
}
BENCHMARK(BM_CombinationWindow)->Args({696, 458})->Args({1000, 678})->Unit(benchmark::kMillisecond);

void BM_OverviewCells(benchmark::State& state) {
  FullRecording rec;
  TOverviewCells cells;
  LayoutOverviewCells(900, 578, cells);
  for (auto _ : state) {
    ComputeOverviewCells(rec.Obj(), cells);
    benchmark::DoNotOptimize(cells[16].Points.data());
  }
}
BENCHMARK(BM_OverviewCells)->Unit(benchmark::kMicrosecond);

void BM_OverviewPaint(benchmark::State& state) {
  App();
  FullRecording rec;
  TOverviewCells cells;
  LayoutOverviewCells(900, 578, cells);
  ComputeOverviewCells(rec.Obj(), cells);
  QImage img(900, 600, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&img);
    QPainterDC dc(painter);
    PaintOverview(dc, cells, state.range(0) != 0);
    painter.end();
  }
}
BENCHMARK(BM_OverviewPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// "Als Bild speichern..." and vqrtool render at 1280 x 960: drawing,
// encoding and the atomic write. Arg 0: SVG, 1: PNG.
void BM_PictureFile(benchmark::State& state) {
  App();
  FullRecording rec;
  QTemporaryDir dir;
  const QString path = dir.filePath(state.range(0) == 0 ? "d.svg" : "d.png");
  for (auto _ : state) {
    std::string error;
    if (!SaveDiagramPicture(rec.Obj(), path, 1280, 960, DiagramDrawRect(1280, 960), Qt::white,
                            "bench", &error))
      state.SkipWithError(error.c_str());
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_PictureFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
