#include "print/PrintQueue.h"

#include <QPrinter>
#include <QPrinterInfo>

TPrintQueueState PrintQueueState(const QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::NativeFormat) return TPrintQueueState::Ready;
  // Asked afresh: the queue may have gone or stopped since the dialog.
  const QString name = printer.printerName();
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (name.isEmpty() || info.isNull() || info.printerName() != name ||
      !QPrinterInfo::availablePrinterNames().contains(name))
    return TPrintQueueState::Missing;
  return info.state() == QPrinter::Error ? TPrintQueueState::Stopped : TPrintQueueState::Ready;
}

QString PrintQueueProblem(const QPrinter& printer) {
  switch (PrintQueueState(printer)) {
    case TPrintQueueState::Ready:
      return QString();
    case TPrintQueueState::Missing:
      return QString("Der Drucker \"%1\" ist nicht mehr vorhanden.").arg(printer.printerName());
    case TPrintQueueState::Stopped:
      return QString("Der Drucker \"%1\" ist angehalten.").arg(printer.printerName());
  }
  return QString();
}
