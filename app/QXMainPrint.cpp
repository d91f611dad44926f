// Main window: printing the diagram of the window mode last opened, with the
// print dialog, the preview and the page's backgrounds and logo.
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>

#include "app/QXMain.h"
#include "chart/vqrdiagram.h"
#include "print/PrintDecor.h"
#include "print/ui/PrPreview.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "ui/qtext.h"

namespace {

enum class TPrintStage { NoPage, Begin, End };

// What went wrong, named by the printer or the file the job went to.
QString FailureText(const QPrinter& printer, TPrintStage stage) {
  const QString file = printer.outputFileName();
  if (!file.isEmpty())
    return stage == TPrintStage::End ? "Die Datei " + file + " konnte nicht geschrieben werden."
                                     : "Die Datei " + file + " kann nicht geschrieben werden.";
  const QString name = printer.printerName();
  switch (stage) {
    case TPrintStage::NoPage:
      return "Der Drucker " + name + " meldet keine bedruckbare Seite.";
    case TPrintStage::Begin:
      return "Der Druckauftrag für den Drucker " + name + " konnte nicht gestartet werden.";
    case TPrintStage::End:
      break;
  }
  return "Der Druckauftrag für den Drucker " + name + " ist fehlgeschlagen.";
}

}  // namespace

void TQXMainForm::FilePrint() {
  if (QWidget* page = pages_->findChild<QWidget*>("TS_Printer")) pages_->setCurrentWidget(page);
  if (!DataLoaded) {
    Beep();
    return;
  }
  PrintWithGauge(gauge_.get());
}

void TQXMainForm::PrintRequest() {
  PrintWithGauge(windows_ ? windows_->ChannelWindowGauge() : nullptr);
}

void TQXMainForm::PrintWithGauge(TProcessGauge* gauge) {
  if (BusyCount > 0) {
    Beep();
    return;
  }
  if (session_) {
    // Nothing opened yet in the channel window: the page shows channel 1
    // rather than an empty frame.
    const int mode = session_->Diagram().WindowMode();
    if (DataLoaded && !IsChannelMode(mode) && !IsCombiMode(mode))
      CurveCount = session_->PrepareWindow(1);
    session_->SetGauge(gauge);
    if (gauge) gauge->Start(session_->Data().GetSampleCount() * CurveCount + 300, "Druck:");
  }
  PrintDiagram();
  if (gauge) gauge->FinishAfter(SettleMs);
}

bool TQXMainForm::RunPrintDialog(QPrinter& printer) {
  if (ChoosePrinter) return ChoosePrinter(printer);
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("PrintDialog");
  return dialog.exec() == QDialog::Accepted;
}

void TQXMainForm::ShowPrintFailure(const QString& text) {
  QMessageBox box(QMessageBox::Critical, "Fehler", text, QMessageBox::Ok, this);
  box.setObjectName("PrintFailureBox");
  box.exec();
}

void TQXMainForm::PrintDiagram() {
  if (!session_) return;
  if (!DataLoaded) {
    Beep();
    return;
  }
  // Layout and print options as the pages show them now, "Anwenden" or not.
  const TPrintOptions& options = session_->PreparePrint();

  // A background or logo that cannot be read: the user prints without it
  // (OK) or not at all.
  if (!decor_) decor_ = std::make_unique<TVQRPrintDecor>();
  const auto askGoOn = [this](TDecorItem, const std::string&, const std::string& message) {
    QMessageBox box(QMessageBox::Warning, "Fehler", Q(message),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName("PrintDecorBox");
    return box.exec() == QMessageBox::Ok;
  };
  if (!decor_->Load(*settings_, askGoOn)) return;

  // The printer keeps the user's choice from one print to the next.
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& printer = *printer_;
  if (!RunPrintDialog(printer)) return;
  if (options.AlwaysVert) printer.setPageOrientation(QPageLayout::Portrait);
  if (options.AlwaysHorz) printer.setPageOrientation(QPageLayout::Landscape);

  if (!printer.isValid()) {
    ShowPrintFailure("Es ist kein Drucker verfügbar.");
    return;
  }
  QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  page.moveTo(0, 0);
  const int dpi = printer.resolution();
  if (page.isEmpty() || dpi <= 0) {
    ShowPrintFailure(FailureText(printer, TPrintStage::NoPage));
    return;
  }

  if (options.Preview) {
    preview_->SetPage(&session_->Diagram(), page.width(), page.height(), dpi, dpi);
    if (preview_->Execute() != TFr_PrPreview::kOk) return;
  }

  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowPrintFailure(FailureText(printer, TPrintStage::Begin));
    return;
  }
  BeginBusy();
  const bool drawn = PrintSessionPage(*session_, painter, page, *decor_);
  const bool ended = painter.end();
  EndBusy();
  if (!drawn || !ended || printer.printerState() == QPrinter::Error)
    ShowPrintFailure(FailureText(printer, TPrintStage::End));
}
