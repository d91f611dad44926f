#pragma once
// The overview and channel windows of a main window: created once at start,
// right after the main window, and plugged into its window hooks.

#include <memory>

class TF_Overview;
class TF_SChannel;
class TQXMainForm;

class TDiagramWindows {
 public:
  /// Creates F_Overview, then F_SChannel (both hidden) for main, which must
  /// outlive this object.
  explicit TDiagramWindows(TQXMainForm& main);
  /// Unplugs the hooks and destroys both windows.
  ~TDiagramWindows();
  TDiagramWindows(const TDiagramWindows&) = delete;
  TDiagramWindows& operator=(const TDiagramWindows&) = delete;

  TF_Overview* Overview() const { return overview_.get(); }
  TF_SChannel* Channel() const { return channel_.get(); }

 private:
  TQXMainForm& main_;
  std::unique_ptr<TF_Overview> overview_;
  std::unique_ptr<TF_SChannel> channel_;
};
