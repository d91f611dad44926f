#pragma once
// What a diagram window does with the mouse and the keys, without the
// window: the zoom into a rectangle of whole divisions chosen by two clicks
// or a drag, the measuring cursor, the markers A and B, and which of them
// still belong to the axes drawn. The window forwards its events in device
// coordinates, does what each answer asks (repaint, beep, refresh) and draws
// what the controller holds.

#include <functional>

#include "chart/charttypes.h"
#include "chart/cursorpaint.h"

class TVQRDiagram;

/// The keys a diagram window gives its controller.
enum class TDiagramKey {
  Escape,  // ends a zoom definition, else clears the markers
  Mark,    // "M": marker A, then B, then both cleared
  Zoom,    // "Z": back to the whole scale, or the last zoom again
  Left,    // the cursor a sample back (with Shift ten)
  Right,   // the cursor a sample on (with Shift ten)
};

/// What the window does after an event, in the order of the fields.
struct TDiagramActions {
  bool Consumed = true;             // false: the window handles the key itself
  bool Refresh = false;             // the axes were zoomed: the diagram is drawn anew
  bool Repaint = false;             // the rubber band changed: the window is painted again
  bool Overlay = false;             // cursor, markers or band range changed: the read-out too
  bool Beep = false;                // the event could not be done
  bool ShowMeasurements = false;    // both markers set: "Messwerte" opens for them
  bool UpdateMeasurements = false;  // an open "Messwerte" follows the markers
  TDiagramActions& operator|=(const TDiagramActions& o);
};

class TDiagramController {
 public:
  /// diagram: the diagram the window draws, null while there is none.
  /// dragDistance: how far a pressed mouse moves before it drags.
  explicit TDiagramController(std::function<TVQRDiagram*()> diagram, int dragDistance = 10);

  // ------------------------------------------------------------ the drawing
  /// The diagram was drawn into drawRect (the white area) with frame.
  void Drawn(const TCursorFrame& frame, const TRect& drawRect);
  /// The drawing is out of date: the cursor finds no sample until the next.
  void DrawingStale() { frameValid_ = false; }
  bool DrawingValid() const { return frameValid_; }
  const TCursorFrame& Frame() const { return frame_; }

  // ----------------------------------------------------------------- events
  /// The left button went down at p.
  void Press(TPoint p);
  TDiagramActions Move(TPoint p);
  /// A button went up at p; click: the left one, inside the window.
  TDiagramActions Release(TPoint p, bool click);
  /// The mouse left the window; menuOpen: for the context menu, which keeps the cursor.
  TDiagramActions Leave(bool menuOpen);
  /// mouse: where the mouse is now (Escape lets the cursor follow it again).
  TDiagramActions Key(TDiagramKey key, bool shift, TPoint mouse);
  /// The context menu opens at p: the cursor goes there and "Marke setzen"
  /// will mark its sample.
  TDiagramActions ContextMenu(TPoint p);
  TDiagramActions MarkAtMenu() { return SetMarkAt(menuSample_); }
  /// The cursor's sample when the context menu opened, 0 when it was off the curves.
  int MenuSample() const { return menuSample_; }
  /// A saved view again: zoomed to time and value when zoom, and the markers
  /// (samples of the recording, 0 none; others are dropped).
  TDiagramActions RestoreView(bool zoom, const AxisRange& time, const AxisRange& value, int markA,
                              int markB);
  /// The status bar's zoom panel or "Z": back to the whole scale, or the last zoom again.
  TDiagramActions ZoomCommand();
  /// The window is shown: a zoom definition begun before ends.
  TDiagramActions Shown();
  /// The axes were fitted anew (new recording, comparison begun or ended):
  /// markers set on the old ones are dropped.
  void OnAxesRefitted();
  /// A zoom in force that the diagram no longer has (new axes) ends.
  void SyncZoom();

  // ------------------------------------------------------------------ state
  bool Defining() const { return defining_; }
  bool Zoomed() const { return zoomed_; }
  const TZoomSel& ZoomSel() const { return zoomSel_; }
  /// The rubber band while a zoom is being defined.
  const TRect& Band() const { return focusRect_; }
  /// "Kein Zoom", "Zoom definieren..." or "Zoom".
  const char* ZoomStateText() const;
  const TCursorMarks& Marks() const { return marks_; }
  int CursorSample() const { return marks_.Cursor; }
  int MarkA() const { return marks_.MarkA; }
  int MarkB() const { return marks_.MarkB; }

 private:
  TDiagramActions SetMarkAt(int sample);
  TDiagramActions ClearMarks();
  TDiagramActions MoveCursor(TPoint p);
  TDiagramActions StepCursor(int samples);
  TDiagramActions Click();
  bool StartDrag(TPoint p);
  TDiagramActions EndDefinition();
  TDiagramActions ApplyZoomSel();
  TDiagramActions Unzoom();
  TDiagramActions ToggleZoom();
  /// Division indexes under pt of the diagram drawn; pt is snapped.
  TPoint Snap(TPoint& pt) const;
  bool InDrawRect(TPoint p) const;

  std::function<TVQRDiagram*()> diagram_;
  int dragDistance_;
  TCursorFrame frame_;
  bool frameValid_ = false;
  TRect drawRect_;

  // The zoom definition.
  TRect focusRect_;
  TZoomSel zoomSel_;
  TPoint anchor_;
  TPoint zoomStart_;
  TPoint divPos_;
  TPoint mousePos_;
  bool defining_ = false;
  bool zoomed_ = false;
  bool pressed_ = false;
  bool dragging_ = false;
  TPoint pressPos_;

  TCursorMarks marks_;
  int menuSample_ = 0;  // the cursor's sample when the context menu opened
};
