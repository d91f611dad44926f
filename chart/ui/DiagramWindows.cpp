#include "chart/ui/DiagramWindows.h"

#include "app/QXMain.h"
#include "chart/ui/Overview.h"
#include "chart/ui/SingleChannel.h"

namespace {

void BringToFront(QWidget* w) {
  if (w->isMinimized()) w->showNormal();
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

TDiagramWindows::TDiagramWindows(TQXMainForm& main)
    : main_(main),
      overview_(std::make_unique<TF_Overview>(main)),
      channel_(std::make_unique<TF_SChannel>(main)) {
  TF_Overview* ov = overview_.get();
  TF_SChannel* ch = channel_.get();
  auto& h = main_.Hooks;
  h.OverviewVisible = [ov]() { return ov->isVisible(); };
  h.CloseOverview = [ov]() { ov->close(); };
  h.RefreshOverview = [ov]() { ov->RefreshOverview(); };
  h.ShowOverview = [ov]() {
    ov->update();
    BringToFront(ov);
  };
  h.ChannelWindowVisible = [ch]() { return ch->isVisible(); };
  h.CloseChannelWindow = [ch]() { ch->close(); };
  h.RefreshChannelWindow = [ch]() {
    ch->Invalidate();
    BringToFront(ch);
  };
  h.ChannelWindowGauge = [ch]() { return ch->Gauge(); };
}

TDiagramWindows::~TDiagramWindows() {
  auto& h = main_.Hooks;
  h.OverviewVisible = nullptr;
  h.CloseOverview = nullptr;
  h.RefreshOverview = nullptr;
  h.ShowOverview = nullptr;
  h.ChannelWindowVisible = nullptr;
  h.CloseChannelWindow = nullptr;
  h.RefreshChannelWindow = nullptr;
  h.ChannelWindowGauge = nullptr;
}
