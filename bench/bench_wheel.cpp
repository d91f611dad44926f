// One wheel step in the diagram window: the controller's new axes and the
// repaint of the whole diagram at 1600 x 1000, for a combination of all 17
// channels of the full recording compared with three more (68 curves of
// 1500 samples). The window does the same on every notch. The argument is
// how many notches in the steps start from: 0 the whole run, 8 a few
// percent of it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "benchapp.h"
#include "chart/diagramcontroller.h"
#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "chart/vqrdiagram.h"
#include "session/Session.h"

namespace {

void BM_WheelStep(benchmark::State& state) {
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
  TDiagramController controller([&diagram] { return &diagram; });
  QImage img(1600, 1000, QImage::Format_RGB32);
  auto paint = [&] {
    QPainter painter(&img);
    QPainterDC dc(painter);
    PaintDiagram(diagram, dc, {0, 0, 1600, 1000});
  };
  paint();
  const TRect plot = diagram.ScreenGrid().PlotRect;
  const TPoint middle{(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
  for (int k = 0; k < state.range(0); ++k) controller.Wheel(middle, 1, TWheelAxis::Time);
  int notches = 1;
  for (auto _ : state) {
    // In and out by turns, so that every step changes the axes.
    controller.Wheel(middle, notches, TWheelAxis::Time);
    notches = -notches;
    paint();
    benchmark::DoNotOptimize(img.constBits());
  }
}
BENCHMARK(BM_WheelStep)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
