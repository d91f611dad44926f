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

class QMenu;
class QProgressBar;
class IDiagramHost;
class TProcessGauge;
class TZTStatusBar;

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
  /// anything else as PNG. False when the file could not be written.
  bool SaveImage(const QString& path);
  /// Asks for the file of "Als Bild speichern..."; a dialog unless replaced.
  std::function<QString()> ChooseImageFile;

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
  void SaveImageAs();

  IDiagramHost& host_;
  TZTStatusBar* SB_Single = nullptr;
  QProgressBar* PB_Single = nullptr;
  QMenu* popup_ = nullptr;
  std::unique_ptr<TProcessGauge> gauge_;
  QSize lastSize_;
  bool pressed_ = false;

  // The diagram as last drawn.
  QImage cache_;
  bool cacheValid_ = false;
};
