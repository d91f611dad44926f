#include "gui/chart/DiagramWindows.h"

#include "chart/vqrdiagram.h"
#include "gui/chart/Overview.h"
#include "gui/chart/SingleChannel.h"

namespace {

void BringToFront(QWidget* w) {
  if (w->isMinimized()) w->showNormal();
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

TDiagramWindows::TDiagramWindows(IDiagramHost& host)
    : host_(host),
      overview_(std::make_unique<TF_Overview>(host)),
      channel_(std::make_unique<TF_SChannel>(host)) {
  host_.AttachDiagramWindows(this);
}

TDiagramWindows::~TDiagramWindows() { host_.AttachDiagramWindows(nullptr); }

bool TDiagramWindows::ChannelWindowVisible() const { return channel_->isVisible(); }

void TDiagramWindows::CloseChannelWindow() { channel_->close(); }

void TDiagramWindows::RefreshChannelWindow() {
  channel_->Invalidate();
  BringToFront(channel_.get());
}

TProcessGauge* TDiagramWindows::ChannelWindowGauge() const { return channel_->Gauge(); }

bool TDiagramWindows::OverviewVisible() const { return overview_->isVisible(); }

void TDiagramWindows::CloseOverview() { overview_->close(); }

void TDiagramWindows::RefreshOverview() { overview_->RefreshOverview(); }

void TDiagramWindows::ShowOverview() {
  overview_->update();
  BringToFront(overview_.get());
}

std::vector<TReportWindow> TDiagramWindows::ReportWindows() const {
  std::vector<TReportWindow> windows;
  if (overview_->isVisible()) windows.push_back(TReportWindow{});
  const TVQRDiagram* diagram = host_.Diagram();
  if (channel_->isVisible() && diagram) {
    const TDiagramController& c = channel_->Controller();
    TReportWindow w;
    w.Mode = diagram->WindowMode();
    w.Zoomed = c.Zoomed();
    w.Zoom = c.ZoomSel();
    w.MarkA = c.MarkA();
    w.MarkB = c.MarkB();
    if (IsReportWindow(w.Mode)) windows.push_back(w);
  }
  return windows;
}

const TDiagramController* TDiagramWindows::ChannelController() const {
  return &channel_->Controller();
}

void TDiagramWindows::RestoreChannelView(bool zoom, const AxisRange& time, const AxisRange& value,
                                         int markA, int markB) {
  channel_->RestoreView(zoom, time, value, markA, markB);
}

void TDiagramWindows::RedrawDiagrams() {
  if (channel_->isVisible()) channel_->Invalidate();
}
