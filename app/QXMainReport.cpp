// Main window: the report of several pages, printed as one job onto the
// printer or into a PDF/A file chosen in the print dialog.
#include <QBuffer>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <ctime>

#include "app/QXMain.h"
#include "chart/diagramsettings.h"
#include "data/atomicfile.h"
#include "gui/chart/diagramhost.h"
#include "gui/common/qtext.h"
#include "gui/print/ReportDialog.h"
#include "gui/settings/settingsbinder.h"
#include "print/PrintDecor.h"
#include "print/PrintQueue.h"
#include "print/Report.h"
#include "session/Session.h"
#include "settings/settings.h"

void TQXMainForm::FileReport() {
  if (!session_ || !dataLoaded_ || BusyCount > 0) {
    Beep();
    return;
  }
  TF_Report dialog(windows_ ? windows_->ReportWindows() : std::vector<TReportWindow>{},
                   ReportNotes(session_->Notes()), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const TReportContent content = dialog.Content();
  if (content.Windows.empty() && !content.Table) return;

  if (binder_) binder_->CommitFor(TSettingsCommand::Print);
  const TPrintOptions& options = session_->PreparePrint();
  if (!LoadPrintDecoration()) return;
  QPrinter* chosen = PrinterForPrint(options);
  if (!chosen) return;
  QPrinter& printer = *chosen;
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  if (!toFile) {
    if (!printer.isValid()) {
      ShowPrintFailure(tr("Es ist kein Drucker verfügbar."));
      return;
    }
    if (const QString problem = PrintQueueProblem(printer); !problem.isEmpty()) {
      ShowPrintFailure(problem);
      return;
    }
  }

  // A file is an archive document, written whole or not at all.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  std::unique_ptr<QPdfWriter> pdf;
  QPagedPaintDevice* device = &printer;
  QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  page.moveTo(0, 0);
  if (toFile) {
    buffer.open(QIODevice::WriteOnly);
    pdf = std::make_unique<QPdfWriter>(&buffer);
    MakeArchivePdf(*pdf, session_->Name());
    pdf->setResolution(printer.resolution());
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    pdf->setPageLayout(layout);
    page = QRect(0, 0, pdf->width(), pdf->height());
    device = pdf.get();
  } else {
    printer.setDocName(ReportTitle(session_->Name()));
  }
  if (page.isEmpty()) {
    ShowPrintFailure(
        tr("Der Drucker %1 meldet keine bedruckbare Seite.").arg(printer.printerName()));
    return;
  }

  BeginBusy();
  TVQRReport report(*session_, content, std::time(nullptr));
  report.Layout(page, *device);
  bool first = true;
  const auto load = [&](TVQRPrintDecor& d) {
    // Loaded for every page (each is released once drawn); asked only once.
    if (!first) d.Load(*settings_, {});
    first = false;
    return true;
  };
  QPainter painter;
  bool written = report.Print(painter, *device, load, *decor_);
  written = (!painter.isActive() || painter.end()) && written;
  std::string error;
  const QString file = printer.outputFileName();
  if (written && pdf) {
    pdf.reset();
    written = WriteFileAtomic(file.toStdString(), bytes.toStdString(), &error);
  }
  EndBusy();
  if (windows_ && windows_->ChannelWindowVisible()) windows_->RefreshChannelWindow();
  if (!written)
    ShowPrintFailure(toFile ? tr("Die Datei %1 konnte nicht geschrieben werden.").arg(file) +
                                  "\n\n" + Q(error)
                            : tr("Der Druckauftrag für den Drucker %1 ist fehlgeschlagen.")
                                  .arg(printer.printerName()));
}
