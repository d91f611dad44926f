#pragma once
// Coupled time axes of the diagram windows: once "Zeitachsen koppeln" is
// ticked, every change the user makes to one window's time axis (zoom, pan,
// history, "Z") is shown by the other open windows as a step of their own
// history, their value axes untouched. "Zoom auf A–B" zooms a window's
// time axis to its markers. Both commands sit in every window's context menu.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class TF_SChannel;

class TTimeCoupling : public QObject {
  Q_OBJECT
 public:
  /// windows: the diagram windows open now.
  explicit TTimeCoupling(std::function<std::vector<TF_SChannel*>()> windows);

  /// Adds the two commands to window's context menu and listens to its time axis.
  void Adopt(TF_SChannel& window);
  bool Coupled() const { return coupled_; }
  /// Couples (the others take from's time axis at once) or uncouples the windows.
  void SetCoupled(bool on, TF_SChannel* from);
  /// "Zoom auf A–B" in window: false (nothing shown) without both markers
  /// on different samples.
  bool ZoomToMarks(TF_SChannel& window);

 protected:
  /// A pan drag is told on every move; the others follow when it ends.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Told(TF_SChannel& source, double from, double to);
  void Spread(TF_SChannel& source, double from, double to);

  std::function<std::vector<TF_SChannel*>()> windows_;
  bool coupled_ = false;
  bool spreading_ = false;
  QPointer<TF_SChannel> dragged_;  // a pan drag whose range is still to spread
  double dragFrom_ = 0.0;
  double dragTo_ = 0.0;
};
