// vqrtool report: the program's report of a recording, its windows on one
// page each and the table of "Messwerte", into a PDF/A file or onto a printer.
#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cstdio>
#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "command.h"
#include "data/atomicfile.h"
#include "evaluationinput.h"
#include "options.h"
#include "paintfile.h"
#include "print/PrintDecor.h"
#include "print/PrintQueue.h"
#include "print/Report.h"
#include "session/Report.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

int Usage(const std::string& why) { return PrintVqrUsageError("report", why); }

bool EndsWith(const std::string& s, const char* ext) {
  return QString::fromStdString(s).endsWith(QLatin1String(ext), Qt::CaseInsensitive);
}

// Without --windows: the overview and each combination with a ticked channel.
std::vector<TReportWindow> DefaultWindows(TVQRSession& session) {
  std::vector<TReportWindow> windows{TReportWindow{}};
  for (int mode : {kCombi1Mode, kCombi2Mode})
    if (session.PrepareWindow(mode) > 0 && !ReportChannels(session.Diagram(), mode).empty())
      windows.push_back(TReportWindow{.Mode = mode});
  return windows;
}

int RunReport(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kReportArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::string& input = a.Inputs[0];
  const std::string out = a.Text("-o"), printerName = a.Text("--printer");
  const TToolSettingsOptions settings = a.Settings();
  if (out.empty() == printerName.empty()) return Usage("give either -o OUT.pdf or --printer NAME");
  if (!out.empty() && !EndsWith(out, ".pdf")) return Usage("the output must end in .pdf: " + out);
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  // A saved evaluation brings its recordings, comparison, windows, notes and limits.
  const bool evaluation = EndsWith(input, ".vqa");
  TEvaluationInput saved;
  if (evaluation)
    if (const int status = ReadEvaluationInput(input, saved); status != kExitOk) return status;
  std::vector<std::string> read{input};
  read.insert(read.end(), saved.Recordings.begin(), saved.Recordings.end());
  if (const auto replaced = InputNamedBy(out, FilesRead(read, settings)))
    return Usage("the output would replace the input " + *replaced);
  const auto table = LoadToolSettingsFor("report", settings);
  if (!table) return kExitOpenFailed;
  TVQRShowSettings& st = *table->Table;

  TVQRSession session(&st);
  if (evaluation) {
    if (const int status = RestoreEvaluationInput(session, saved); status != kExitOk) return status;
  } else if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok) {
    return static_cast<int>(status);
  }
  TReportContent content;
  std::vector<int> numbers;
  if (a.Given("--windows"))
    for (double mode : a.Numbers("--windows")) numbers.push_back(static_cast<int>(mode));
  if (evaluation) {
    content.Windows =
        EvaluationReportWindows(saved.Eval, a.Given("--windows") ? &numbers : nullptr);
    content.Notes = ReportNotes(session.Notes());
  } else if (a.Given("--windows")) {
    for (int mode : numbers) content.Windows.push_back(TReportWindow{.Mode = mode});
  } else {
    content.Windows = DefaultWindows(session);
  }
  for (const TReportWindow& w : content.Windows)
    if (IsCombiMode(w.Mode) &&
        (session.PrepareWindow(w.Mode) == 0 || ReportChannels(session.Diagram(), w.Mode).empty()))
      std::fprintf(stderr, "vqrtool report: no channel is ticked for combination %d\n",
                   w.Mode - kCombi1Mode + 1);
  const QPageLayout::Orientation orientation =
      st.PrinterAlwaysHorz->GetBool(1) ? QPageLayout::Landscape : QPageLayout::Portrait;

  EnsureGuiApplication();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  std::unique_ptr<QPdfWriter> pdf;
  std::unique_ptr<QPrinter> printer;
  QPagedPaintDevice* device = nullptr;
  QRect page;
  if (!out.empty()) {
    buffer.open(QIODevice::WriteOnly);
    pdf = std::make_unique<QPdfWriter>(&buffer);
    MakeArchivePdf(*pdf, session.Name());
    pdf->setResolution(600);
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0)));
    page = QRect(0, 0, pdf->width(), pdf->height());
    device = pdf.get();
  } else {
    printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(QString::fromStdString(printerName));
    if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat ||
        printer->printerName() != QString::fromStdString(printerName)) {
      std::fprintf(stderr, "vqrtool report: no printer %s\n", printerName.c_str());
      return kExitWriteFailed;
    }
    if (PrintQueueState(*printer) != TPrintQueueState::Ready) {
      std::fprintf(stderr, "vqrtool report: printer %s does not take jobs\n", printerName.c_str());
      return kExitWriteFailed;
    }
    printer->setDocName(ReportTitle(session.Name()));
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(orientation);
    const QRectF r = printer->pageRect(QPrinter::DevicePixel);
    page = QRect(0, 0, qRound(r.width()), qRound(r.height()));
    device = printer.get();
  }

  TVQRReport report(session, content, std::time(nullptr));
  report.Layout(page, *device);
  TVQRPrintDecor decor;
  std::set<std::string> reported;
  bool complete = true;
  const auto load = [&](TVQRPrintDecor& d) {
    d.Load(st, [&](TDecorItem, const std::string&, const std::string& message) {
      if (reported.insert(message).second)
        std::fprintf(stderr, "vqrtool report: %s (printed without it)\n", message.c_str());
      return true;
    });
    complete = complete && d.Complete();
    return true;
  };
  QPainter painter;
  const std::string target = out.empty() ? printerName : out;
  const bool printed = report.Print(painter, *device, load, decor);
  const bool ended = !painter.isActive() || painter.end();
  if (!printed || !ended) {
    std::fprintf(stderr, "%s: cannot print the report\n", target.c_str());
    return kExitWriteFailed;
  }
  if (pdf) {
    pdf.reset();  // flushes into the buffer
    std::string error;
    if (!WriteFileAtomic(out, bytes.toStdString(), &error)) {
      std::fprintf(stderr, "%s: %s\n", out.c_str(), error.c_str());
      return kExitWriteFailed;
    }
  }
  std::printf("%d\n", report.PageCount());
  return complete ? kExitOk : kExitIncomplete;
}

const bool registered = RegisterVqrCommand(
    {"report",
     "report FILE.DAT|FILE.vqa -o OUT.pdf|--printer NAME\n"
     "      [--windows 0,19,18,3,...] [--ini FILE] [--public FILE] [--defaults]\n"
     "      (the report: a page per window, 0 the overview, then the table of\n"
     "      Messwerte; default the overview and the combinations with a ticked\n"
     "      channel; of a saved evaluation its recording as it was evaluated,\n"
     "      the overview, its windows and its notes; a PDF file is PDF/A-1b;\n"
     "      prints the number of pages; status 4: printed without a background\n"
     "      or logo that did not load)",
     &RunReport});

}  // namespace
