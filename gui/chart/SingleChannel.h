#pragma once
// The channel window: the diagram of one measurement channel or of a channel
// combination, with a zoom into a rectangle of whole divisions chosen by two
// clicks, and a status bar for printing, progress and the zoom state. What
// the mouse and keys do is its controller's; the window draws and forwards.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "chart/charttypes.h"
#include "chart/cursorpaint.h"
#include "chart/diagramcontroller.h"
#include "data/axes.h"

class TDiagramNavigation;
class QMenu;
class QProgressBar;
class IDiagramHost;
class TProcessGauge;
class TZTStatusBar;
class TF_Measurements;
class TNoteMenu;

class TF_SChannel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 300;
  static constexpr int kMinHeight = 200;

  explicit TF_SChannel(IDiagramHost& host, QWidget* parent = nullptr);
  ~TF_SChannel() override;

  /// Settings, data or scales changed: the diagram is drawn anew.
  void Invalidate();

  /// Copies the diagram as a picture to the clipboard.
  void CopyToClipboard();
  /// Saves the diagram in the window's size: .svg as vector drawing,
  /// anything else as PNG. False, with the errno in *errorNumber, when the
  /// file could not be written.
  bool SaveImage(const QString& path, int* errorNumber = nullptr);
  /// Asks for the file of "Als Bild speichern...", proposing a path; a
  /// dialog unless replaced.
  std::function<QString(const QString& proposed)> ChooseImageFile;

  /// The zoom, cursor and markers as the mouse and keys left them.
  const TDiagramController& Controller() const { return controller_; }
  /// Shows the time axis from..to (seconds) as a step of the zoom history
  /// (TDiagramController::ShowTimeRange) and draws it.
  void ShowTimeRange(double fromSeconds, double toSeconds) {
    Apply(controller_.ShowTimeRange(fromSeconds, toSeconds));
  }
  /// The same for a range another window shows: drawn anew here alone,
  /// without asking the program (no window raised, no settings taken).
  void FollowTimeRange(double fromSeconds, double toSeconds) {
    TDiagramActions actions = controller_.ShowTimeRange(fromSeconds, toSeconds);
    const bool redraw = actions.Refresh;
    actions.Refresh = false;
    Apply(actions);
    if (redraw) Invalidate();
  }
  /// The diagram this window draws; null while there is none.
  TVQRDiagram* Diagram() const;
  /// Told (from, to in seconds) when the user changed this window's time axis.
  void SetTimeAxisListener(std::function<void(double, double)> listener) {
    controller_.SetTimeAxisListener(std::move(listener));
  }
  /// The drawn sample under the cursor, 0 when the mouse is off the plot.
  int CursorSample() const { return controller_.CursorSample(); }
  int MarkA() const { return controller_.MarkA(); }
  int MarkB() const { return controller_.MarkB(); }
  /// The read-out box's lines as last laid out (empty: none shown).
  const TCursorReadout& Readout() const { return readout_; }
  /// "Messwerte" for the markers, or for the time range shown without them.
  void ShowMeasurements();
  TF_Measurements* Measurements() const { return measurements_; }
  /// "Notiz...", "Notiz bearbeiten..." and "Notiz löschen" of the context menu.
  TNoteMenu* NoteMenu() const { return notes_; }
  /// A saved view again: the axes shown (by the two-click zoom when zoomed)
  /// and the markers; the zoom history begins anew.
  void RestoreView(const TAxisSet& axes, bool zoomed, int markA, int markB);

  TZTStatusBar* StatusPanels() const { return SB_Single; }
  /// The diagram's context menu, to which the program adds its own commands.
  QMenu* ContextMenu() const { return popup_; }
  /// The window's number among the diagram windows: from 2 on, the caption
  /// carries it ("Messkanal 3 (2)").
  void SetNumber(int number) { number_ = number; }
  int Number() const { return number_; }
  TProcessGauge* Gauge() const { return gauge_.get(); }
  QString ZoomStateText() const;

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
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void LayoutStatusBar();
  int UsableHeight() const;
  void UpdateCaption();
  void RenderCache();
  /// Draws the diagram of the current window mode in a w x h client;
  /// returns the white drawing area.
  TRect PaintClient(QPainter& painter, int w, int h);
  void StatusPanelClicked(int panel);
  void SetZoomText(const QString& text);
  /// The controller's zoom state in the user's language.
  QString ZoomText() const { return QString::fromStdString(controller_.ZoomStateText()); }
  /// Does what the controller asks after an event.
  void Apply(const TDiagramActions& actions);
  /// Tells the controller when the recording's axes have been fitted anew.
  void WatchAxesFit();
  void SaveImageAs();
  /// Lays the overlay out again and repaints what it covered and covers.
  void RelayoutOverlay();
  void LayoutOverlay();

  IDiagramHost& host_;
  TDiagramController controller_;
  TZTStatusBar* SB_Single = nullptr;
  QProgressBar* PB_Single = nullptr;
  QMenu* popup_ = nullptr;
  TDiagramNavigation* nav_ = nullptr;  // history, typed ranges and marker times, the wheel
  std::unique_ptr<TProcessGauge> gauge_;
  QSize lastSize_;
  int number_ = 1;

  TCursorReadout readout_;
  QImage scratch_{1, 1, QImage::Format_RGB32};  // measures the read-out's text
  TF_Measurements* measurements_ = nullptr;
  TNoteMenu* notes_ = nullptr;
  const TVQRAxes* seenAxes_ = nullptr;  // the axes last seen, whose fits reach the controller
  TAxesSubscription fits_;

  // The diagram as last drawn.
  QImage cache_;
};
