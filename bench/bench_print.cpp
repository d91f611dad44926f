// The printed page: combination 1 with all 17 channels of the full sample,
// the sample letterhead as background and the sample logo, into an A4 PDF
// at 600 dpi in memory. The recording stays loaded, as in the program;
// everything a print does after that is measured.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "benchapp.h"
#include "chart/charttypes.h"
#include "print/PrintDecor.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/settings.h"

namespace {

void BM_PrintCombinationToPdf(benchmark::State& state) {
  App();
  TZTIniClass ini;
  ini.ReadOnly = true;  // built-in values, no file
  TVQRShowSettings settings(&ini);
  settings.LoadAll();
  settings.PrinterBackGround1->SetString(1, VQR_SOURCE_DIR "/docs/letterhead.rtf");
  settings.LogoFile->SetString(1, VQR_SOURCE_DIR "/docs/logo.png");
  for (int ch = 1; ch <= kTempChannel; ++ch) settings.CombiWindow1VisibleCh->SetBool(ch, true);
  TVQRSession session(&settings);
  if (session.Load(VQR_SOURCE_DIR "/samples/full1500.DAT") != TLoadStatus::Ok) {
    state.SkipWithError("samples/full1500.DAT does not load");
    return;
  }
  if (session.PrepareWindow(kCombi1Mode) != kTempChannel) {
    state.SkipWithError("not every channel is visible");
    return;
  }
  TVQRPrintDecor decor;
  qint64 bytes = 0;
  for (auto _ : state) {
    session.PreparePrint();
    if (!decor.Load(settings, {}) || !decor.Complete()) {
      state.SkipWithError("letterhead or logo does not load");
      return;
    }
    QByteArray pdfBytes;
    QBuffer buffer(&pdfBytes);
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(600);
      pdf.setPageLayout(
          QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
      QPainter painter(&pdf);
      PrintSessionPage(session, painter, QRect(0, 0, pdf.width(), pdf.height()), decor);
    }
    bytes = pdfBytes.size();
    benchmark::DoNotOptimize(pdfBytes.data());
  }
  state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PrintCombinationToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
