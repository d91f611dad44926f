#pragma once
// The overview window: all 16 measurement channels as thumbnails in a 4 x 4
// grid, each over the whole recording. A click on a thumbnail or on the
// status bar's "Kombi" panels asks the program for that diagram.

#include <QPoint>
#include <QWidget>

#include "chart/diagrampaint.h"

class IDiagramHost;
class TZTStatusBar;

class TF_Overview : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 300;
  static constexpr int kMinHeight = 200;
  static constexpr int kMaxWidth = 900;
  static constexpr int kMaxHeight = 600;
  /// Where no size is stored: room for the thumbnails and the scale read-out.
  static constexpr int kInitialWidth = 480;
  static constexpr int kInitialHeight = 320;

  explicit TF_Overview(IDiagramHost& host, QWidget* parent = nullptr);

  /// Recomputes every thumbnail from the recording and repaints.
  void RefreshOverview();

  const TOverviewCells& Cells() const { return Cells_; }
  TZTStatusBar* StatusPanels() const { return OVStatusBar; }
  /// The thumbnail (1..16) under a client point, 0 for none.
  int CellAt(QPoint p) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void LayoutStatusBar();
  /// The scale read-out of the recording in the status bar.
  void UpdateReadout();
  /// Widens the window until the read-out shows in full (within the limits).
  void FitReadout();
  void ComputeCells();
  void StatusPanelClicked(int panel);

  IDiagramHost& host_;
  TZTStatusBar* OVStatusBar = nullptr;
  TOverviewCells Cells_{};  // no points until a recording is read
  bool FillPixel = false;
  QPoint MouseDownPos;
  bool pressed_ = false;
};
