#pragma once
// The progress gauge: a progress bar that sits in one panel of a status bar,
// next to a panel naming the operation. Long operations run synchronously on
// the GUI thread, so every change repaints at once.

#include <QStatusBar>
#include <QString>
#include <vector>

#include "data/processgauge.h"

class QLabel;
class QProgressBar;

/// A status bar made of fixed panels addressed by index, like the classic
/// status bars the gauge was designed for. The last panel with width 0 takes
/// the remaining room.
class TZTStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  TZTStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QLabel* Panel(int i) const;
  QString PanelText(int i) const;
  /// Sets the panel's text and repaints it at once.
  void SetPanelText(int i, const QString& text);

 private:
  std::vector<QLabel*> panels_;
};

class TProcessGauge : public IProcessGauge {
 public:
  /// Either may be null.
  void Init(QProgressBar* bar, QLabel* label);
  /// Moves the bar into panel barPanel of statusBar; textPanel < 0 for none.
  void Attach(TZTStatusBar* statusBar, int barPanel, int textPanel);

  void Start(int maximum, const std::string& caption) override;
  void SetPosition(int position) override;
  void StepBy(int delta) override;
  void Complete() override;
  void Finish() override;

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
};
