#pragma once
// What a diagram window does with the mouse and the keys, without the
// window: the zoom into a rectangle of whole divisions chosen by two clicks
// or a drag, the measuring cursor, the markers A and B, and which of them
// still belong to the axes drawn. The window forwards its events in device
// coordinates, does what each answer asks (repaint, beep, refresh) and draws
// what the controller holds.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/charttypes.h"
#include "chart/cursorpaint.h"
#include "data/axes.h"

class TVQRDiagram;

/// The keys a diagram window gives its controller.
enum class TDiagramKey {
  Escape,   // ends a zoom definition, else clears the markers
  Mark,     // "M": marker A, then B, then both cleared
  Zoom,     // "Z": back to the whole scale, or the last zoom again
  Left,     // the cursor a sample back (with Shift ten)
  Right,    // the cursor a sample on (with Shift ten)
  PanLeft,  // Ctrl+arrows: the axes a tenth of their range on
  PanRight,
  PanUp,
  PanDown,
  Back,     // Alt+Left: a step back in the zoom history
  Forward,  // Alt+Right: a step on in it
};

/// The axis the mouse wheel zooms.
enum class TWheelAxis { Time, Value, Temp };

/// Ranges typed for the three axes, lowest and highest value in stored units
/// (seconds on the time axis); none: the axis's full scale ("automatisch").
struct TTypedRanges {
  std::optional<std::pair<double, double>> Time;
  std::optional<std::pair<double, double>> Value;
  std::optional<std::pair<double, double>> Temp;
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

/// The axes a saved view shows, over full (the axes fitted now): a free
/// range is made anew from its ends as the wheel makes it, so its ticks are
/// the program's own; other axes are taken as saved. False, out unchanged,
/// when one of them cannot be drawn.
bool SavedAxesOver(const TAxisSet& full, const TAxisSet& saved, TAxisSet& out);

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
  /// A saved view again over the axes fitted now, its history begun anew:
  /// the axes shown (SavedAxesOver), by the two-click zoom when zoomed, and
  /// the markers (samples of the recording, 0 none; others are dropped).
  /// Away from the full scale the history holds the full scale and the view.
  TDiagramActions RestoreView(const TAxisSet& axes, bool zoomed, int markA, int markB);
  /// The status bar's zoom panel or "Z": back to the whole scale, or the last zoom again.
  TDiagramActions ZoomCommand();
  /// The wheel turned over p by steps notches, away from the user positive:
  /// the axis zooms in (out for negative steps) around the point under p,
  /// never beyond its full scale.
  TDiagramActions Wheel(TPoint p, int steps, TWheelAxis axis);
  /// A pan drag (middle button, or Shift and the left one) began at p; the
  /// picture follows the mouse within the full scale and the drag ends as
  /// one step of the history.
  void PanPress(TPoint p);
  TDiagramActions PanMove(TPoint p);
  TDiagramActions PanRelease(TPoint p);
  bool Panning() const { return panning_; }
  /// "Zurück" and "Vor": a step back or on in the zoom history.
  TDiagramActions Back();
  TDiagramActions Forward();
  bool CanGoBack() const;
  bool CanGoForward() const;
  /// Typed ranges ("Achsen..."), in stored units (seconds for the time
  /// axis); an empty one is "automatisch", the axis's full scale. One step.
  TDiagramActions ShowRanges(const TTypedRanges& ranges);
  /// The time axis from..to (seconds, either order) exactly, the other axes
  /// as they are, as one step of the zoom history; nothing when that range
  /// is shown already. The time axis listener is not told of it.
  TDiagramActions ShowTimeRange(double fromSeconds, double toSeconds);
  /// The time range shown: axis start and end in seconds.
  std::pair<double, double> TimeRange() const;
  /// Told the new time range (seconds) after the window's own events changed
  /// the time axis: wheel, pan, keys, typed ranges, the history, "Z", the
  /// two-click zoom. Not for ShowTimeRange, nor for a new fit of the axes.
  void SetTimeAxisListener(std::function<void(double fromSeconds, double toSeconds)> listener) {
    timeListener_ = std::move(listener);
  }
  /// The axes of the full scale: the history's first step, or those shown
  /// (without the two-click zoom) while there is no history.
  TAxisSet FullScale() const;
  /// "Marke bei...": marker A (b false) or B at the open recording's sample
  /// nearest its own time seconds; B only once A is set. Beeps without a sample.
  TDiagramActions SetMarkAtTime(bool b, double seconds);
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
  /// "Kein Zoom", "Zoom definieren...", "Zoom" or "Zoom 3 von 5" in the history.
  std::string ZoomStateText() const;
  /// The steps of the zoom history, the full scale first; empty until a free
  /// zoom, pan or typed range. HistoryPos: the one shown.
  std::size_t HistorySize() const { return history_.size(); }
  const TAxisSet& HistoryStep(std::size_t i) const { return history_.at(i).Axes; }
  std::size_t HistoryPos() const { return historyPos_; }
  const TCursorMarks& Marks() const { return marks_; }
  int CursorSample() const { return marks_.Cursor; }
  int MarkA() const { return marks_.MarkA; }
  int MarkB() const { return marks_.MarkB; }

 private:
  TDiagramActions SetMarkAt(int sample);
  TDiagramActions ClearMarks();
  TDiagramActions MoveCursor(TPoint p);
  TDiagramActions StepCursor(int samples);
  TDiagramActions ReleaseAt(TPoint p, bool click);
  TDiagramActions Click();
  bool StartDrag(TPoint p);
  TDiagramActions EndDefinition();
  TDiagramActions ApplyZoomSel();
  TDiagramActions Unzoom();
  TDiagramActions ToggleZoom();
  /// Division indexes under pt of the diagram drawn; pt is snapped.
  TPoint Snap(TPoint& pt) const;
  bool InDrawRect(TPoint p) const;
  // The free zoom and its history.
  struct TStep {
    TAxisSet Axes;
    bool TwoClick = false;  // the two-click zoom's axes: it is blocked while shown
  };
  TDiagramActions ShowStep(const TStep& step);
  TDiagramActions PushStep(const TAxisSet& axes, bool twoClick = false);
  TDiagramActions GoTo(std::size_t pos);
  /// The axes with one axis moved by delta (stored units) within the full scale.
  TAxisSet Panned(const TAxisSet& from, TWheelAxis axis, double delta) const;
  /// Starts the history at the full scale when it is empty.
  void BeginHistory();
  bool AtFullScale() const;
  /// Tells the time axis listener when the time range is no longer before.
  TDiagramActions TellTime(const std::pair<double, double>& before, TDiagramActions a);

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

  // The free zoom and its history.
  std::vector<TStep> history_;
  std::size_t historyPos_ = 0;
  bool panning_ = false;
  TPoint panFrom_;
  TAxisSet panBase_;
  std::pair<double, double> panTime_;  // the time range when the drag began
  std::function<void(double, double)> timeListener_;

  TCursorMarks marks_;
  int menuSample_ = 0;  // the cursor's sample when the context menu opened
};
