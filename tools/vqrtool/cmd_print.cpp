// vqrtool print: the program's printed page of one or more recordings, into
// a PDF file or onto a printer.
#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "chart/charttypes.h"
#include "command.h"
#include "compare.h"
#include "data/atomicfile.h"
#include "options.h"
#include "paintfile.h"
#include "print/PrintDecor.h"
#include "print/PrintQueue.h"
#include "rangeargs.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

int Usage(const std::string& why) { return PrintVqrUsageError("print", why); }

bool EndsWithPdf(const std::string& s) {
  return QString::fromStdString(s).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

// The paint device of the run: a PDF in memory, written at the end, or a
// printer queue.
struct Target {
  QByteArray bytes;
  QBuffer buffer{&bytes};
  std::unique_ptr<QPdfWriter> pdf;
  std::unique_ptr<QPrinter> printer;

  QPagedPaintDevice* Device() const {
    return pdf ? static_cast<QPagedPaintDevice*>(pdf.get()) : printer.get();
  }
  // The printable area in device pixels, from (0, 0).
  QRect Page() const {
    if (pdf) return QRect(0, 0, pdf->width(), pdf->height());
    const QRectF r = printer->pageRect(QPrinter::DevicePixel);
    return QRect(0, 0, qRound(r.width()), qRound(r.height()));
  }
};

int RunPrint(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kPrintArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::vector<std::string>& inputs = a.Inputs;
  const std::string out = a.Text("-o"), printerName = a.Text("--printer");
  const TToolSettingsOptions settings = a.Settings();
  const int mode = a.Int("--window", kCombi1Mode);
  const int dpi = a.Int("--dpi", 0);
  constexpr QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A3, QPageSize::Letter};
  const QPageSize::PageSizeId paper = kPapers[a.Int("--paper", 0)];
  const std::vector<std::string> compared = a.Texts("--compare");
  if (out.empty() == printerName.empty()) return Usage("give either -o OUT.pdf or --printer NAME");
  if (!out.empty() && !EndsWithPdf(out)) return Usage("the output must end in .pdf: " + out);
  if (const auto replaced = InputNamedBy(out, FilesRead(inputs, settings, compared)))
    return Usage("the output would replace the input " + *replaced);
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("print", settings);
  if (!table) return kExitOpenFailed;
  TVQRShowSettings& st = *table->Table;
  // Without --portrait or --landscape as the program forces it: landscape
  // wins over portrait; with neither, a PDF is portrait.
  const bool landscape = a.Given("orientation") ? a.Text("orientation") == "--landscape"
                                                : st.PrinterAlwaysHorz->GetBool(1);
  const QPageLayout::Orientation pageOrientation =
      landscape ? QPageLayout::Landscape : QPageLayout::Portrait;

  EnsureGuiApplication();
  Target target;
  if (!out.empty()) {
    target.buffer.open(QIODevice::WriteOnly);
    target.pdf = std::make_unique<QPdfWriter>(&target.buffer);
    target.pdf->setCreator("vqrshow4");
    target.pdf->setTitle("vqrshow4");
    target.pdf->setResolution(dpi > 0 ? dpi : 600);
    // The whole sheet is the printable area.
    target.pdf->setPageLayout(
        QPageLayout(QPageSize(paper), pageOrientation, QMarginsF(0, 0, 0, 0)));
  } else {
    target.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    target.printer->setPrinterName(QString::fromStdString(printerName));
    if (!target.printer->isValid() || target.printer->outputFormat() != QPrinter::NativeFormat ||
        target.printer->printerName() != QString::fromStdString(printerName)) {
      std::fprintf(stderr, "vqrtool print: no printer %s\n", printerName.c_str());
      return kExitWriteFailed;
    }
    if (const TPrintQueueState state = PrintQueueState(*target.printer);
        state != TPrintQueueState::Ready) {
      std::fprintf(stderr, "vqrtool print: printer %s %s\n", printerName.c_str(),
                   state == TPrintQueueState::Stopped     ? "is stopped"
                   : state == TPrintQueueState::Rejecting ? "does not accept jobs"
                                                          : "is gone");
      return kExitWriteFailed;
    }
    target.printer->setDocName("vqrshow4");
    if (dpi > 0) target.printer->setResolution(dpi);
    target.printer->setPageSize(QPageSize(paper));
    target.printer->setPageOrientation(pageOrientation);
  }

  TVQRSession session(&st);
  TVQRPrintDecor decor;
  std::set<std::string> reported;
  const TVQRPrintDecor::FailedFn goOn = [&](TDecorItem, const std::string&,
                                            const std::string& message) {
    if (reported.insert(message).second)
      std::fprintf(stderr, "vqrtool print: %s (printed without it)\n", message.c_str());
    return true;
  };
  QPainter painter;
  int pages = 0;
  int loadWorst = kExitOk;
  bool complete = true;
  for (const std::string& input : inputs) {
    if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok) {
      loadWorst = std::max(loadWorst, static_cast<int>(status));
      continue;
    }
    loadWorst = std::max(loadWorst, LoadCompared(session, compared));
    if (session.PrepareWindow(mode) == 0)
      std::fprintf(stderr, "vqrtool print: no channel is ticked for combination %d\n",
                   mode - kCombi1Mode + 1);
    if (!ApplyTypedRanges(session, a)) {
      if (painter.isActive()) painter.end();
      return Usage("--range, --values or --temps give no axis");
    }
    session.PreparePrint();
    decor.Load(st, goOn);
    complete = complete && decor.Complete();
    const bool begun = pages > 0 ? target.Device()->newPage() : painter.begin(target.Device());
    if (!begun || !PrintSessionPage(session, painter, target.Page(), decor)) {
      std::fprintf(stderr, "%s: cannot print the page\n",
                   out.empty() ? printerName.c_str() : out.c_str());
      if (painter.isActive()) painter.end();
      return kExitWriteFailed;
    }
    ++pages;
  }
  if (pages == 0) return loadWorst;
  if (!painter.end()) {
    std::fprintf(stderr, "%s: cannot print the page\n",
                 out.empty() ? printerName.c_str() : out.c_str());
    return kExitWriteFailed;
  }
  if (target.pdf) {
    target.pdf.reset();  // flushes into the buffer
    std::string error;
    if (!WriteFileAtomic(out, target.bytes.toStdString(), &error)) {
      std::fprintf(stderr, "%s: %s\n", out.c_str(), error.c_str());
      return kExitWriteFailed;
    }
  }
  if (loadWorst != kExitOk) return loadWorst;
  return complete ? kExitOk : kExitIncomplete;
}

const bool registered = RegisterVqrCommand(
    {"print",
     "print FILE.DAT... -o OUT.pdf|--printer NAME [--window 1..16|18|19]\n"
     "      [--paper A4|A3|Letter] [--portrait|--landscape] [--dpi N] [--compare B.DAT...]\n"
     "      [--range T1,T2] [--values LO,HI] [--temps LO,HI]\n"
     "      [--ini FILE] [--public FILE] [--defaults]\n"
     "      (the printed page, one per recording, each with the --compare recordings;\n"
     "      default combination 1, A4, 600 dpi; --range shows hours T1 to T2;\n"
     "      status 4: printed without a background or logo that did not load)",
     &RunPrint});

}  // namespace
