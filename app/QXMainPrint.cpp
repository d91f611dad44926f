// Main window: printing the diagram of the window mode last opened, with the
// print dialog, the preview and the page's backgrounds and logo.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <cerrno>
#include <string>

#include "app/QXMain.h"
#include "chart/vqrdiagram.h"
#include "data/atomicfile.h"
#include "gui/common/outputfolder.h"
#include "gui/common/qtext.h"
#include "gui/common/writefailure.h"
#include "gui/print/PrPreview.h"
#include "gui/settings/settingsbinder.h"
#include "print/PrintDecor.h"
#include "print/PrintQueue.h"
#include "session/Session.h"
#include "settings/settings.h"

namespace {

enum class TPrintStage { NoPage, Begin, End };

// What went wrong with a PDF file, and why (code: errno).
QString FileFailureText(const QString& file, TPrintStage stage, int code) {
  return (stage == TPrintStage::End
              ? TQXMainForm::tr("Die Datei %1 konnte nicht geschrieben werden.").arg(file)
              : TQXMainForm::tr("Die Datei %1 kann nicht geschrieben werden.").arg(file)) +
         "\n\n" + WriteFailureReason(file, code);
}

// A PDF file is drawn into memory first: Qt's PDF engine drops its write
// errors, so a full disk would leave a broken file in place of the older one.
// The engine writes into an anonymous memory file, which it opens by name;
// the printer gets its own file name back at the end.
class TPdfInMemory {
 public:
  explicit TPdfInMemory(QPrinter& printer) : printer_(printer), target_(printer.outputFileName()) {
    fd_ = memfd_create("vqrshow4-print", MFD_CLOEXEC);
    if (fd_ >= 0) printer_.setOutputFileName(QString("/proc/self/fd/%1").arg(fd_));
  }
  ~TPdfInMemory() {
    if (fd_ >= 0) {
      printer_.setOutputFileName(target_);
      ::close(fd_);
    }
  }
  TPdfInMemory(const TPdfInMemory&) = delete;
  TPdfInMemory& operator=(const TPdfInMemory&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  /// What the engine wrote; false with errno set when it cannot be read.
  bool Take(std::string& bytes) const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return false;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t n =
          ::pread(fd_, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        if (n == 0) errno = EIO;
        return false;
      }
      got += static_cast<size_t>(n);
    }
    return true;
  }

 private:
  QPrinter& printer_;
  QString target_;
  int fd_ = -1;
};

// What went wrong, named by the printer the job went to.
QString FailureText(const QPrinter& printer, TPrintStage stage) {
  const QString name = printer.printerName();
  switch (stage) {
    case TPrintStage::NoPage:
      return TQXMainForm::tr("Der Drucker %1 meldet keine bedruckbare Seite.").arg(name);
    case TPrintStage::Begin:
      return TQXMainForm::tr("Der Druckauftrag für den Drucker %1 konnte nicht gestartet werden.")
          .arg(name);
    case TPrintStage::End:
      break;
  }
  return TQXMainForm::tr("Der Druckauftrag für den Drucker %1 ist fehlgeschlagen.").arg(name);
}

}  // namespace

void TQXMainForm::FilePrint() {
  if (QWidget* page = pages_->findChild<QWidget*>("TS_Printer")) pages_->setCurrentWidget(page);
  if (!dataLoaded_) {
    Beep();
    return;
  }
  // The diagram window the user worked in last.
  if (TVQRDiagram* further = windows_ ? windows_->ActiveFurtherDiagram() : nullptr)
    PrintFurtherDiagram(*further, gauge_.get());
  else
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
    const int mode = session_->PrintedDiagram().WindowMode();
    if (dataLoaded_ && !IsChannelMode(mode) && !IsCombiMode(mode)) {
      if (binder_) binder_->CommitFor(DiagramWindowCommand(1));
      CurveCount = session_->PrepareWindow(1);
    }
    session_->SetGauge(gauge);
    if (gauge) gauge->Start(session_->Data().GetSampleCount() * CurveCount + 300, "Druck:");
  }
  PrintDiagram();
  if (gauge) gauge->FinishAfter(SettleMs);
}

void TQXMainForm::ProposePdfFile(QPrinter& printer) {
  // A file the user chose for this recording stays; another recording gets
  // its own name.
  if (openDialogFile_.isEmpty()) return;
  if (!printer.outputFileName().isEmpty() && openDialogFile_ == proposedFor_) return;
  const QFileInfo recording(openDialogFile_);
  // Naming a file switches the printer to PDF; a printer chosen before stays.
  const QPrinter::OutputFormat format = printer.outputFormat();
  const QString printerName = printer.printerName();
  // Beside the recording, or where the user may write when its folder
  // takes no files.
  printer.setOutputFileName(
      ProposedOutputPath(openDialogFile_, recording.completeBaseName() + ".pdf"));
  if (format == QPrinter::NativeFormat) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (!printerName.isEmpty()) printer.setPrinterName(printerName);
  }
  proposedFor_ = openDialogFile_;
}

bool TQXMainForm::RunPrintDialog(QPrinter& printer) {
  if (ChoosePrinter) return ChoosePrinter(printer);
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("PrintDialog");
  return dialog.exec() == QDialog::Accepted;
}

bool TQXMainForm::LoadPrintDecoration() {
  // A background or logo that cannot be read: the user prints without it
  // (OK) or not at all.
  if (!decor_) decor_ = std::make_unique<TVQRPrintDecor>();
  const auto askGoOn = [this](TDecorItem, const std::string&, const std::string& message) {
    QMessageBox box(QMessageBox::Warning, tr("Fehler"), Q(message),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName("PrintDecorBox");
    return box.exec() == QMessageBox::Ok;
  };
  return decor_->Load(*settings_, askGoOn);
}

QPrinter* TQXMainForm::PrinterForPrint(const TPrintOptions& options) {
  // The printer keeps the user's choice from one print to the next.
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& printer = *printer_;
  ProposePdfFile(printer);
  if (!RunPrintDialog(printer)) return nullptr;
  if (options.AlwaysVert) printer.setPageOrientation(QPageLayout::Portrait);
  if (options.AlwaysHorz) printer.setPageOrientation(QPageLayout::Landscape);
  return &printer;
}

void TQXMainForm::ShowPrintFailure(const QString& text) {
  QMessageBox box(QMessageBox::Critical, tr("Fehler"), text, QMessageBox::Ok, this);
  box.setObjectName("PrintFailureBox");
  box.exec();
}

void TQXMainForm::PrintDiagram() {
  if (!session_) return;
  if (!dataLoaded_) {
    Beep();
    return;
  }
  // Layout and print options as the pages show them now, "Anwenden" or not.
  if (binder_) binder_->CommitFor(TSettingsCommand::Print);
  const TPrintOptions& options = session_->PreparePrint();

  if (!LoadPrintDecoration()) return;
  QPrinter* chosen = PrinterForPrint(options);
  if (!chosen) return;
  QPrinter& printer = *chosen;

  if (!printer.isValid()) {
    ShowPrintFailure(tr("Es ist kein Drucker verfügbar."));
    return;
  }
  if (const QString problem = PrintQueueProblem(printer); !problem.isEmpty()) {
    ShowPrintFailure(problem);
    return;
  }
  const QString pdfFile =
      printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
  QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  page.moveTo(0, 0);
  const int dpi = printer.resolution();
  if (page.isEmpty() || dpi <= 0) {
    ShowPrintFailure(pdfFile.isEmpty() ? FailureText(printer, TPrintStage::NoPage)
                                       : FileFailureText(pdfFile, TPrintStage::NoPage, EINVAL));
    return;
  }

  if (options.Preview) {
    preview_->SetPage(&session_->PrintedDiagram(), page.width(), page.height(), dpi, dpi);
    if (preview_->Execute() != TFr_PrPreview::kOk) return;
  }

  // A PDF file replaces an older one only when all of it was written.
  TAtomicFile file;
  std::unique_ptr<TPdfInMemory> memory;
  if (!pdfFile.isEmpty()) {
    if (!file.Open(QFile::encodeName(pdfFile).toStdString())) {
      ShowPrintFailure(FileFailureText(pdfFile, TPrintStage::Begin, file.ErrorNumber()));
      return;
    }
    memory = std::make_unique<TPdfInMemory>(printer);
    if (!memory->IsOpen()) {
      ShowPrintFailure(FileFailureText(pdfFile, TPrintStage::Begin, errno));
      return;
    }
  }

  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowPrintFailure(pdfFile.isEmpty() ? FailureText(printer, TPrintStage::Begin)
                                       : FileFailureText(pdfFile, TPrintStage::Begin, EIO));
    return;
  }
  BeginBusy();
  const bool drawn = PrintSessionPage(*session_, painter, page, *decor_);
  const bool ended = painter.end();
  bool written = drawn && ended && printer.printerState() != QPrinter::Error;
  int code = EIO;
  if (written && memory) {
    std::string bytes;
    if (!memory->Take(bytes)) {
      written = false;
      code = errno;
    } else if (!file.Write(bytes.data(), bytes.size()) || !file.Commit()) {
      written = false;
      code = file.ErrorNumber();
    }
  }
  memory.reset();
  EndBusy();
  if (!written)
    ShowPrintFailure(pdfFile.isEmpty() ? FailureText(printer, TPrintStage::End)
                                       : FileFailureText(pdfFile, TPrintStage::End, code));
}
