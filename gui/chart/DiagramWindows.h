#pragma once
// The overview and channel windows of a program: created once at start,
// right after the main window, and plugged into it; and the further diagram
// windows the user opens beside the first channel window.

#include <QPointer>
#include <memory>
#include <vector>

#include "gui/chart/diagramhost.h"

class QObject;
class TF_Overview;
class TF_SChannel;
class TFurtherWindow;
class TTimeCoupling;

class TDiagramWindows : public IDiagramWindows {
 public:
  /// How many diagram windows may be open beside the first.
  static constexpr int kMaxFurther = 4;

  /// Creates F_Overview, then F_SChannel (both hidden) for host, which must
  /// outlive this object, and attaches them to it.
  explicit TDiagramWindows(IDiagramHost& host);
  /// Detaches from the host and destroys all windows.
  ~TDiagramWindows() override;
  TDiagramWindows(const TDiagramWindows&) = delete;
  TDiagramWindows& operator=(const TDiagramWindows&) = delete;

  TF_Overview* Overview() const { return overview_.get(); }
  TF_SChannel* Channel() const { return channel_.get(); }
  /// The further windows open now, in the order they were opened.
  std::vector<TF_SChannel*> FurtherWindows() const;
  /// The coupling of the windows' time axes and "Zoom auf A–B".
  TTimeCoupling& Coupling() const { return *coupling_; }

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
  std::vector<TEvalWindow> SavedViews() const override;
  void RestoreChannelView(const TEvalWindow& view) override;
  bool OpenFurtherView(const TEvalWindow& view) override;
  bool TimeAxesCoupled() const override;
  void SetTimeAxesCoupled(bool on) override;
  void RedrawDiagrams() override;
  bool OpenFurtherWindow(int mode) override;
  void RefreshFurtherWindows() override;
  void CloseFurtherWindows() override;
  TVQRDiagram* ActiveFurtherDiagram() const override;

 private:
  class TActivation;
  /// Forgets the further windows the user has closed.
  void Prune();
  /// Watches a diagram window's activation and gives it the shared commands.
  void Adopt(TF_SChannel& window);
  /// The diagram windows shown now, the first among them.
  std::vector<TF_SChannel*> ShownWindows() const;

  IDiagramHost& host_;
  std::unique_ptr<TF_Overview> overview_;
  std::unique_ptr<TF_SChannel> channel_;
  std::vector<std::unique_ptr<TFurtherWindow>> further_;
  std::unique_ptr<TActivation> activation_;
  std::unique_ptr<TTimeCoupling> coupling_;
  QPointer<TF_SChannel> active_;  // the diagram window activated last
};
