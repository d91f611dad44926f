#include "print/PrintQueue.h"

#include <cups/cups.h>

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Whether the server takes jobs for the queue ("NAME" or "NAME/INSTANCE"):
// cupsreject turns that off, and the printer information of Qt does not tell.
TPrintQueueState AcceptingState(const QString& name) {
  const QByteArray queue = name.section('/', 0, 0).toLocal8Bit();
  const QByteArray instance = name.section('/', 1).toLocal8Bit();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                       instance.isEmpty() ? nullptr : instance.constData());
  if (dest == nullptr) return TPrintQueueState::Missing;
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  const bool rejecting = accepting != nullptr && QByteArray(accepting) == "false";
  cupsFreeDests(1, dest);
  return rejecting ? TPrintQueueState::Rejecting : TPrintQueueState::Ready;
}

}  // namespace

TPrintQueueState PrintQueueState(const QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::NativeFormat) return TPrintQueueState::Ready;
  // Asked afresh: the queue may have gone, stopped or closed since the dialog.
  const QString name = printer.printerName();
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (name.isEmpty() || info.isNull() || info.printerName() != name ||
      !QPrinterInfo::availablePrinterNames().contains(name))
    return TPrintQueueState::Missing;
  if (info.state() == QPrinter::Error) return TPrintQueueState::Stopped;
  return AcceptingState(name);
}

QString PrintQueueProblem(const QPrinter& printer) {
  switch (PrintQueueState(printer)) {
    case TPrintQueueState::Ready:
      return QString();
    case TPrintQueueState::Missing:
      return QCoreApplication::translate("PrintQueue",
                                         "Der Drucker \"%1\" ist nicht mehr vorhanden.")
          .arg(printer.printerName());
    case TPrintQueueState::Stopped:
      return QCoreApplication::translate("PrintQueue", "Der Drucker \"%1\" ist angehalten.")
          .arg(printer.printerName());
    case TPrintQueueState::Rejecting:
      return QCoreApplication::translate("PrintQueue",
                                         "Der Drucker \"%1\" nimmt keine Aufträge an.")
          .arg(printer.printerName());
  }
  return QString();
}
