#pragma once
// "Messwerte": the values of every visible curve at the two markers of the
// channel window and its statistics over the samples between them (or over
// the time range the diagram shows), as a table that Ctrl+C copies as
// tab-separated text in the user's number format, each line with the file
// and the time range in front.

#include <QWidget>
#include <string>

class QLabel;
class QTableWidget;
class TVQRDiagram;

class TF_Measurements : public QWidget {
  Q_OBJECT
 public:
  explicit TF_Measurements(QWidget* parent = nullptr);

  /// Fills the table for the diagram's visible curves between the drawn
  /// samples a and b (either order); with a or b 0, over the time range
  /// the time axis shows (the zoomed one while zoomed). file: the open
  /// recording's file, named in the caption and the copy.
  void ShowRange(const TVQRDiagram& diagram, int a, int b, const std::string& file = {});

  /// The table as tab-separated lines, header first, every line with the
  /// same fields: the file, the range's start and end in hours (as
  /// vqrtool stats --from/--to take them), then the table's columns.
  QString TableText() const;
  /// The notes listed below the table, one a line (empty: none in the range).
  QString NotesText() const;
  void CopyToClipboard();

  /// Sized to its table within the screen of beside and placed below it,
  /// else above it, always wholly on that screen's free area.
  void PlaceBeside(const QWidget& beside);
  /// While shown: larger where the table has grown, still wholly on the screen.
  void GrowToTable();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  /// Ctrl+C in the table copies the whole table, not its current cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// The size that shows the caption and the whole table, within room.
  QSize TableSize(QSize room) const;
  QLabel* caption_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* notes_ = nullptr;  // the notes within the range
  QString file_;             // the file as a field of the copied table
  QString from_, to_;
};
