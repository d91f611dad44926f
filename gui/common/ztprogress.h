#pragma once
// The progress gauge: a progress bar that sits in one panel of a status bar,
// next to a panel naming the operation. Long operations run synchronously on
// the GUI thread, so every change repaints at once.

#include <memory>
#include <string>

#include "data/processgauge.h"
#include "gui/common/statusbar.h"

class QLabel;
class QProgressBar;
class QTimer;

class TProcessGauge : public IProcessGauge {
 public:
  TProcessGauge();
  ~TProcessGauge() override;
  /// Either may be null.
  void Init(QProgressBar* bar, QLabel* label);
  /// Moves the bar into panel barPanel of statusBar; textPanel < 0 for none.
  void Attach(TZTStatusBar* statusBar, int barPanel, int textPanel);

  void Start(int maximum, const std::string& caption) override;
  void SetPosition(int position) override;
  void StepBy(int delta) override;
  void Complete() override;
  void Finish() override;
  /// Leaves the gauge as it stands for ms milliseconds, then finishes it,
  /// without blocking the event loop; a Start or Finish before then takes
  /// over (the pending finish is dropped). ms <= 0 finishes at once.
  void FinishAfter(int ms);
  /// True while a FinishAfter is pending.
  bool IsSettling() const;

  int Maximum() const { return maximum_; }
  bool IsAttached() const { return statusBar_ != nullptr; }

 private:
  void SetBarMaximum(int maximum);
  void RepaintBar();

  QProgressBar* bar_ = nullptr;
  QLabel* label_ = nullptr;
  TZTStatusBar* statusBar_ = nullptr;
  int barPanel_ = 0;
  int textPanel_ = -1;
  int maximum_ = 0;
  std::unique_ptr<QTimer> settle_;
};
