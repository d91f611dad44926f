#pragma once
// The overview and channel windows of a program: created once at start,
// right after the main window, and plugged into it.

#include <memory>

#include "gui/chart/diagramhost.h"

class TF_Overview;
class TF_SChannel;

class TDiagramWindows : public IDiagramWindows {
 public:
  /// Creates F_Overview, then F_SChannel (both hidden) for host, which must
  /// outlive this object, and attaches them to it.
  explicit TDiagramWindows(IDiagramHost& host);
  /// Detaches from the host and destroys both windows.
  ~TDiagramWindows() override;
  TDiagramWindows(const TDiagramWindows&) = delete;
  TDiagramWindows& operator=(const TDiagramWindows&) = delete;

  TF_Overview* Overview() const { return overview_.get(); }
  TF_SChannel* Channel() const { return channel_.get(); }

  bool ChannelWindowVisible() const override;
  void CloseChannelWindow() override;
  void RefreshChannelWindow() override;
  TProcessGauge* ChannelWindowGauge() const override;
  bool OverviewVisible() const override;
  void CloseOverview() override;
  void RefreshOverview() override;
  void ShowOverview() override;
  std::vector<TReportWindow> ReportWindows() const override;
  const TDiagramController* ChannelController() const override;
  void RestoreChannelView(bool zoom, const AxisRange& time, const AxisRange& value, int markA,
                          int markB) override;
  void RedrawDiagrams() override;

 private:
  IDiagramHost& host_;
  std::unique_ptr<TF_Overview> overview_;
  std::unique_ptr<TF_SChannel> channel_;
};
