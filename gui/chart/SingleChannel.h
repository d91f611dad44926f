#pragma once
// The channel window: the diagram of one measurement channel or of a channel
// combination, with a zoom into a rectangle of whole divisions chosen by two
// clicks, and a status bar for printing, progress and the zoom state.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "chart/charttypes.h"
#include "chart/cursorpaint.h"

class QMenu;
class QProgressBar;
class IDiagramHost;
class TProcessGauge;
class TZTStatusBar;
class TF_Measurements;

class TF_SChannel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 300;
  static constexpr int kMinHeight = 200;

  explicit TF_SChannel(IDiagramHost& host, QWidget* parent = nullptr);
  ~TF_SChannel() override;

  /// Settings, data or scales changed: the diagram is drawn anew.
  void Invalidate();

  // Zoom commands (also reached by keys and the status bar).
  void ApplyZoomSel();
  void Unzoom();
  void ToggleZoom();

  /// Copies the diagram as a picture to the clipboard.
  void CopyToClipboard();
  /// Saves the diagram in the window's size: .svg as vector drawing,
  /// anything else as PNG. False, with the errno in *errorNumber, when the
  /// file could not be written.
  bool SaveImage(const QString& path, int* errorNumber = nullptr);
  /// Asks for the file of "Als Bild speichern...", proposing a path; a
  /// dialog unless replaced.
  std::function<QString(const QString& proposed)> ChooseImageFile;

  // Measuring cursor and markers.
  /// The drawn sample under the cursor, 0 when the mouse is off the plot.
  int CursorSample() const { return marks_.Cursor; }
  int MarkA() const { return marks_.MarkA; }
  int MarkB() const { return marks_.MarkB; }
  /// The read-out box's lines as last laid out (empty: none shown).
  const TCursorReadout& Readout() const { return readout_; }
  /// "M": marker A at the cursor, then B (which opens "Messwerte"), then
  /// both cleared; a beep without a cursor.
  void SetMark();
  void SetMarkAt(int sample);
  void ClearMarks();
  /// "Messwerte" for the markers, or for the time range shown without them.
  void ShowMeasurements();
  TF_Measurements* Measurements() const { return measurements_; }

  TZTStatusBar* StatusPanels() const { return SB_Single; }
  TProcessGauge* Gauge() const { return gauge_.get(); }
  QString ZoomStateText() const;

  // Window state.
  TRect DrawRectWin;
  TRect FocusRect;
  TZoomSel ZoomSel;
  TPoint Anchor;
  TPoint ZoomStart;
  TPoint DivPos;
  TPoint MousePos;
  bool Defining = false;
  bool Zoomed = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void LayoutStatusBar();
  int UsableHeight() const;
  void UpdateCaption();
  void RenderCache();
  /// Draws the diagram of the current window mode in a w x h client.
  void PaintClient(QPainter& painter, int w, int h);
  /// Division indexes under pt of the diagram on screen; pt is snapped.
  TPoint Snap(TPoint& pt);
  void FormClick();
  void StatusPanelClicked(int panel);
  void SetZoomText(const QString& text);
  void EndDefinition();
  /// A new recording replaced the scales: no zoom is in force any more.
  void SyncZoomState();
  /// Clears markers set on axes that have been fitted anew since.
  void DropStaleMarks();
  void SaveImageAs();
  /// The cursor follows the mouse at p (off the plot: hidden).
  void MoveCursor(QPoint p);
  /// The arrow keys: the cursor steps by samples within the plot; without
  /// one it appears at the middle of the plot.
  void StepCursor(int samples);
  /// Lays the overlay out again and repaints what it covered and covers.
  void RelayoutOverlay();
  void LayoutOverlay();
  /// A press that moved this far becomes a drag that selects the zoom.
  bool StartDrag(QPoint p);

  IDiagramHost& host_;
  TZTStatusBar* SB_Single = nullptr;
  QProgressBar* PB_Single = nullptr;
  QMenu* popup_ = nullptr;
  std::unique_ptr<TProcessGauge> gauge_;
  QSize lastSize_;
  bool pressed_ = false;
  bool dragging_ = false;
  QPoint pressPos_;

  // The measuring cursor over the cached diagram.
  TCursorFrame frame_;
  TCursorMarks marks_;
  TCursorReadout readout_;
  QImage scratch_{1, 1, QImage::Format_RGB32};  // measures the read-out's text
  TF_Measurements* measurements_ = nullptr;
  int menuSample_ = 0;        // the cursor's sample when the context menu opened
  uint32_t marksFitted_ = 0;  // the recording's axis fit the markers were set on

  // The diagram as last drawn.
  QImage cache_;
  bool cacheValid_ = false;
};
