// Repaint cost of a combination that compares several recordings.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "benchapp.h"
#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "session/Session.h"

namespace {

// The channel window's repaint at its real size of combination 1 with all 17
// channels and grid crosses, for the full recording compared with three more
// of 1500 samples: 68 curves.
void BM_ComparisonWindow(benchmark::State& state) {
  App();
  TVQRSession session;
  const char* full = VQR_SOURCE_DIR "/samples/full1500.DAT";
  bool loaded = session.Load(full) == TLoadStatus::Ok;
  for (int k = 0; k < 3; ++k) loaded = loaded && session.AddCompared(full) == TLoadStatus::Ok;
  if (!loaded) {
    state.SkipWithError("samples/full1500.DAT does not load");
    return;
  }
  session.PrepareWindow(kCombi1Mode);
  TVQRDiagram& diagram = session.Diagram();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    diagram.ChannelPens()[ch].Visible = 1;
    diagram.ChannelPens()[ch].Color =
        static_cast<int32_t>(0x101010u * static_cast<uint32_t>(ch % 8));
  }
  diagram.Layout().GridStyle = kGridCrosses;
  RepaintWindow(state, diagram);
}
BENCHMARK(BM_ComparisonWindow)->Args({696, 458})->Args({1000, 678})->Unit(benchmark::kMillisecond);

}  // namespace
