// Cost of the measuring cursor: one mouse move over a combination of all 17
// curves of the full recording (find the sample, lay the read-out out,
// paint the changed rectangles from the cached diagram and the overlay
// over them), and the statistics of "Messwerte" over the whole recording.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "benchapp.h"
#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "session/Session.h"

namespace {

/// samples/full1500.DAT in combination 1 with every curve visible.
struct FullCombination {
  TVQRSession rec;
  bool ok = rec.Load(VQR_SOURCE_DIR "/samples/full1500.DAT") == TLoadStatus::Ok;
  FullCombination() {
    TVQRDiagram& d = rec.Diagram();
    d.SetWindowMode(kCombi1Mode);
    for (int ch = 1; ch <= kTempChannel; ++ch) d.ChannelPens()[ch].Visible = 1;
  }
};

QRect ToQRect(const TRect& r) {
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).adjusted(-2, -2, 2, 2);
}

void BM_CursorMove(benchmark::State& state) {
  App();
  FullCombination full;
  if (!full.ok) {
    state.SkipWithError("samples/full1500.DAT missing");
    return;
  }
  TVQRDiagram& d = full.rec.Diagram();
  const int w = 1000, h = 700;
  QImage cache(w, h, QImage::Format_RGB32);
  {
    QPainter p(&cache);
    QPainterDC dc(p);
    PaintDiagram(d, dc, DiagramDrawRect(w, h));
  }
  const TCursorFrame frame = CaptureCursorFrame(d);
  QImage screen = cache;
  QImage scratch(1, 1, QImage::Format_RGB32);
  TCursorMarks marks;
  TCursorReadout shown;
  int step = 0;
  for (auto _ : state) {
    // The mouse sweeps the plot in steps of 7 pixels.
    const int32_t x =
        frame.PlotRect.left + (step++ * 7) % (frame.PlotRect.right - frame.PlotRect.left);
    marks.Cursor = SampleAtX(frame, x);
    TCursorReadout next;
    {
      QPainter p(&scratch);
      QPainterDC dc(p);
      next = LayoutCursorReadout(d, frame, marks, dc);
    }
    QPainter p(&screen);
    for (const QRect& r : {ToQRect(shown.Bounds()), ToQRect(next.Bounds())})
      p.drawImage(r.topLeft(), cache, r);
    p.setClipRegion(QRegion(ToQRect(shown.Bounds())) + ToQRect(next.Bounds()));
    QPainterDC dc(p);
    PaintCursorReadout(dc, next);
    shown = next;
    benchmark::DoNotOptimize(screen.constBits());
  }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

void BM_StatisticsFullRecording(benchmark::State& state) {
  FullCombination full;
  if (!full.ok) {
    state.SkipWithError("samples/full1500.DAT missing");
    return;
  }
  const TVqrDataObjectNew& data = full.rec.Data();
  for (auto _ : state) {
    for (int ch = 1; ch <= kTempChannel; ++ch)
      benchmark::DoNotOptimize(CurveStats(data, ch, -1e12, 1e12));
  }
}
BENCHMARK(BM_StatisticsFullRecording)->Unit(benchmark::kMicrosecond);

}  // namespace
