#include "gui/chart/FurtherWindow.h"

#include <QMetaObject>
#include <QString>

#include "gui/chart/SingleChannel.h"

TFurtherWindow::TFurtherWindow(IDiagramHost& host, TVQRDiagram& first, int mode, int number)
    : host_(host), mode_(mode), view_(std::make_unique<TDiagramView>(first)) {
  window_ = std::make_unique<TF_SChannel>(*this);
  window_->setObjectName(QString("F_SChannel%1").arg(number));
  window_->SetNumber(number);
}

TFurtherWindow::~TFurtherWindow() = default;

int TFurtherWindow::Number() const { return window_->Number(); }

TVQRDiagram* TFurtherWindow::Diagram() const {
  // Without the program's diagram there is no recording to show.
  return host_.Diagram() ? &view_->Diagram() : nullptr;
}

QString TFurtherWindow::RecordingPath() const { return host_.RecordingPath(); }

void TFurtherWindow::PostPrintRequest() {
  // After the click, as the first window's request; dropped with the window.
  QMetaObject::invokeMethod(
      window_.get(),
      [this] {
        if (TVQRDiagram* d = Diagram()) host_.PrintFurtherDiagram(*d, window_->Gauge());
      },
      Qt::QueuedConnection);
}

void TFurtherWindow::RefreshDiagramWindow() {
  if (TVQRDiagram* d = Diagram()) host_.PrepareFurtherDiagram(*d, mode_);
  window_->Invalidate();
}
