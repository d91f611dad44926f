#pragma once
// A status bar made of fixed panels addressed by index, like the classic
// status bars the windows were designed with. The last panel with width 0
// takes the remaining room.

#include <QPoint>
#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

class TZTStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit TZTStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  QLabel* Panel(int i) const;
  QString PanelText(int i) const;
  /// Sets the panel's text and repaints it at once.
  void SetPanelText(int i, const QString& text);
  /// Index of the visible panel whose inside holds x (bar coordinates);
  /// both borders of a panel belong to no panel. -1 when none.
  int PanelAt(int x) const;

 signals:
  /// A left click (press and release on the bar) on panel index; the panel
  /// is the one under the press.
  void panelClicked(int index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::vector<QLabel*> panels_;
  QPoint pressPos_;
  bool pressed_ = false;
};
