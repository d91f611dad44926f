#pragma once
// "Messwerte": the values of every visible curve at the two markers of the
// channel window and its statistics over the samples between them (or over
// the time range the diagram shows), as a table that Ctrl+C copies as
// tab-separated text in the user's number format.

#include <QWidget>

class QLabel;
class QTableWidget;
class TVQRDiagram;

class TF_Measurements : public QWidget {
  Q_OBJECT
 public:
  explicit TF_Measurements(QWidget* parent = nullptr);

  /// Fills the table for the diagram's visible curves between the drawn
  /// samples a and b (either order); with a or b 0, over the time range
  /// the time axis shows (the zoomed one while zoomed).
  void ShowRange(const TVQRDiagram& diagram, int a, int b);

  /// The table as tab-separated lines, header first.
  QString TableText() const;
  void CopyToClipboard();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  /// Ctrl+C in the table copies the whole table, not its current cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* caption_ = nullptr;
  QTableWidget* table_ = nullptr;
};
