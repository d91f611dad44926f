// The report: 20 pages of the full sample (the overview, the 16 channels, both
// combinations with all 17 curves, and the table of "Messwerte") with the
// letterhead and the logo on every page, into an A4 PDF/A at 600 dpi in
// memory. The recording stays loaded, as in the program.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <ctime>

#include "benchapp.h"
#include "chart/charttypes.h"
#include "print/PrintDecor.h"
#include "print/Report.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/settings.h"

namespace {

void BM_ReportOf20Pages(benchmark::State& state) {
  App();
  TZTIniClass ini;
  ini.ReadOnly = true;  // built-in values, no file
  TVQRShowSettings settings(&ini);
  settings.LoadAll();
  settings.PrinterBackGround1->SetString(1, VQR_SOURCE_DIR "/docs/letterhead.rtf");
  settings.LogoFile->SetString(1, VQR_SOURCE_DIR "/docs/logo.png");
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    settings.CombiWindow1VisibleCh->SetBool(ch, true);
    settings.CombiWindow2VisibleCh->SetBool(ch, true);
  }
  TVQRSession session(&settings);
  if (session.Load(VQR_SOURCE_DIR "/samples/full1500.DAT") != TLoadStatus::Ok) {
    state.SkipWithError("samples/full1500.DAT does not load");
    return;
  }
  TReportContent content;
  for (int mode = 0; mode <= 16; ++mode) content.Windows.push_back(TReportWindow{.Mode = mode});
  content.Windows.push_back(TReportWindow{.Mode = kCombi1Mode});
  content.Windows.push_back(TReportWindow{.Mode = kCombi2Mode});
  TVQRPrintDecor decor;
  int pages = 0;
  qint64 bytes = 0;
  for (auto _ : state) {
    QByteArray pdfBytes;
    QBuffer buffer(&pdfBytes);
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter pdf(&buffer);
      MakeArchivePdf(pdf, session.Name());
      pdf.setResolution(600);
      pdf.setPageLayout(
          QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
      TVQRReport report(session, content, std::time(nullptr));
      pages = report.Layout(QRect(0, 0, pdf.width(), pdf.height()), pdf);
      QPainter painter;
      const auto load = [&](TVQRPrintDecor& d) { return d.Load(settings, {}); };
      if (!report.Print(painter, pdf, load, decor) || !painter.end()) {
        state.SkipWithError("the report was not printed");
        return;
      }
    }
    bytes = pdfBytes.size();
    benchmark::DoNotOptimize(pdfBytes.data());
  }
  state.counters["pages"] = pages;
  state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReportOf20Pages)->Unit(benchmark::kMillisecond);

}  // namespace
