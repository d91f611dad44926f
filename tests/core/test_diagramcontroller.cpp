// The diagram window's controller driven by events as the window forwards
// them: the zoom selection, the cursor, the markers and what a re-fit of the
// axes leaves of them.
#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "chart/cursorpaint.h"
#include "chart/diagramcontroller.h"
#include "data/freerange.h"
#include "drawfixture.h"

namespace {

/// Grid crossing (i, j) of the drawing, nudged by (dx, dy) pixels.
struct Cross {
  int i = 0, j = 0, dx = 0, dy = 0;
};

/// One event as the window forwards it, or what the window does besides.
struct Step {
  enum Kind {
    Click,       // move to at, press and release there
    Drag,        // press at, move to to, release there
    DragEscape,  // the same with Escape before the release
    Hover,       // move to at
    Key,         // key (Shift with shift)
    Leave,       // the mouse leaves the window
    LeaveMenu,   // ... for the context menu
    Menu,        // the context menu opens at at
    MarkMenu,    // "Marke setzen"
    ZoomPanel,   // the status bar's zoom panel
    Shown,       // the window is shown again
    Refit,       // the recording's axes are fitted anew
    Stale,       // the drawing is out of date (not yet drawn again)
    NoDiagram,   // the window has no diagram any more
  } kind;
  Cross at{};
  Cross to{};
  TDiagramKey key = TDiagramKey::Escape;
  bool shift = false;
};

Step Click(Cross at) { return {Step::Click, at}; }
Step Drag(Cross from, Cross to) { return {Step::Drag, from, to}; }
Step Hover(Cross at) { return {Step::Hover, at}; }
Step Key(TDiagramKey key, bool shift = false) { return {Step::Key, {}, {}, key, shift}; }
Step Do(Step::Kind kind, Cross at = {}) { return {kind, at}; }

/// 48 h in 12 divisions of 4 h, a sample every 30 minutes: crossing i lies
/// on sample 8 i + 1.
struct ControllerFixture : DrawFixture {
  bool hasDiagram = true;
  TDiagramController controller{[this] { return hasDiagram ? &diagram : nullptr; }, 10};
  AxisRange fullTime{12, 172800.0f, 0.0f, 2, 0, false};
  AxisRange fullValue{10, 1.0f, 0.0f, 1, 1, false};
  const TRect drawRect{0, 0, 2871, 1991};
  // What the window was asked to do, over all events.
  int beeps = 0, refreshes = 0, shows = 0, updates = 0;
  bool lastConsumed = true;

  ControllerFixture() {
    TTestAccess::Axes(data).Time = fullTime;
    TTestAccess::Axes(data).Value = fullValue;
    for (int i = 0; i <= 96; ++i) Add(i * 1800, 0.25f + 0.005f * static_cast<float>(i));
    diagram.SetWindowMode(1);
    ShowChannels({1});
    Redraw();
  }

  void Redraw() {
    DrawScreen(drawRect);
    controller.Drawn(CaptureCursorFrame(diagram), drawRect);
  }

  TPoint At(Cross c) const {
    const TDiagramGrid& g = diagram.ScreenGrid();
    return {static_cast<int32_t>(std::lround(g.PlotRect.left + c.i * g.DivWidthX)) + c.dx,
            static_cast<int32_t>(std::lround(g.PlotRect.top - c.j * g.DivWidthY)) + c.dy};
  }

  /// Does what the window does with an answer.
  void Apply(const TDiagramActions& a) {
    lastConsumed = a.Consumed;
    if (a.Refresh) {
      ++refreshes;
      Redraw();
    }
    beeps += a.Beep;
    shows += a.ShowMeasurements;
    updates += a.UpdateMeasurements;
  }

  void Run(const Step& s) {
    switch (s.kind) {
      case Step::Click:
        Apply(controller.Move(At(s.at)));
        controller.Press(At(s.at));
        Apply(controller.Release(At(s.at), true));
        break;
      case Step::Drag:
        controller.Press(At(s.at));
        Apply(controller.Move(At(s.to)));
        Apply(controller.Release(At(s.to), true));
        break;
      case Step::DragEscape:
        controller.Press(At(s.at));
        Apply(controller.Move(At(s.to)));
        Apply(controller.Key(TDiagramKey::Escape, false, At(s.to)));
        Apply(controller.Release(At(s.to), true));
        break;
      case Step::Hover:
        Apply(controller.Move(At(s.at)));
        break;
      case Step::Key:
        Apply(controller.Key(s.key, s.shift, At(s.at)));
        break;
      case Step::Leave:
      case Step::LeaveMenu:
        Apply(controller.Leave(s.kind == Step::LeaveMenu));
        break;
      case Step::Menu:
        Apply(controller.ContextMenu(At(s.at)));
        break;
      case Step::MarkMenu:
        Apply(controller.MarkAtMenu());
        break;
      case Step::ZoomPanel:
        Apply(controller.ZoomCommand());
        break;
      case Step::Shown:
        Apply(controller.Shown());
        break;
      case Step::Refit:
        data.Axes().Restore({fullTime, fullValue, data.Axes().Temp()});
        controller.OnAxesRefitted();
        controller.SyncZoom();
        Redraw();
        break;
      case Step::Stale:
        controller.DrawingStale();
        break;
      case Step::NoDiagram:
        hasDiagram = false;
        break;
    }
  }
};

constexpr TDiagramKey kEsc = TDiagramKey::Escape, kM = TDiagramKey::Mark, kZ = TDiagramKey::Zoom,
                      kLeft = TDiagramKey::Left, kRight = TDiagramKey::Right;

TEST(DiagramController, ZoomSelection) {
  const TZoomSel none{};
  const TZoomSel sel{1, 1, 3, 4};
  const struct {
    const char* name;
    std::vector<Step> steps;
    const char* text;
    TZoomSel sel;
    bool zoomedAxes;  // the diagram shows the zoomed axes
    int refreshes, beeps;
  } cases[] = {
      {"two clicks", {Click({1, 1, 2, -2}), Click({3, 4, -2, 2})}, "Zoom", sel, true, 1, 0},
      {"two clicks the other way", {Click({3, 4}), Click({1, 1})}, "Zoom", sel, true, 1, 0},
      {"a drag's ends", {Drag({3, 4, -2, 2}, {1, 1, 2, -2})}, "Zoom", sel, true, 1, 0},
      {"a drag under the drag distance is a click",
       {Drag({1, 1}, {1, 1, 9})},
       "Zoom definieren...",
       none,
       false,
       0,
       0},
      {"a drag narrower than a division",
       {Drag({1, 1}, {1, 1, 12})},
       "Kein Zoom",
       none,
       false,
       0,
       0},
      {"a drag begun while defining stays a click",
       {Click({1, 1}), Drag({3, 4}, {2, 2})},
       "Zoom",
       TZoomSel{1, 1, 2, 2},
       true,
       1,
       0},
      {"one click", {Click({2, 2})}, "Zoom definieren...", none, false, 0, 0},
      {"the same crossing twice",
       {Click({2, 2}), Click({2, 2, 3, 3})},
       "Kein Zoom",
       none,
       false,
       0,
       0},
      {"one division wide only", {Click({2, 2}), Click({2, 5})}, "Kein Zoom", none, false, 0, 0},
      {"Escape ends a definition",
       {Click({1, 1}), Key(kEsc), Click({3, 4})},
       "Zoom definieren...",
       none,
       false,
       0,
       0},
      {"Escape ends a drag", {{Step::DragEscape, {3, 4}, {1, 1}}}, "Kein Zoom", none, false, 0, 0},
      {"outside the drawing",
       {Click({-100, 1}), Click({3, 4})},
       "Zoom definieren...",
       none,
       false,
       0,
       0},
      {"clicks while zoomed do nothing",
       {Click({1, 1}), Click({3, 4}), Click({0, 0}), Click({2, 2})},
       "Zoom",
       sel,
       true,
       1,
       0},
      {"Z unzooms", {Click({1, 1}), Click({3, 4}), Key(kZ)}, "Kein Zoom", sel, false, 2, 0},
      {"Z zooms again", {Click({1, 1}), Click({3, 4}), Key(kZ), Key(kZ)}, "Zoom", sel, true, 3, 0},
      {"the panel as Z",
       {Click({1, 1}), Click({3, 4}), Do(Step::ZoomPanel)},
       "Kein Zoom",
       sel,
       false,
       2,
       0},
      {"Z without a zoom beeps", {Key(kZ), Do(Step::ZoomPanel)}, "Kein Zoom", none, false, 0, 2},
      {"showing again ends a definition",
       {Click({1, 1}), Do(Step::Shown)},
       "Kein Zoom",
       none,
       false,
       0,
       0},
      {"a re-fit ends the zoom",
       {Click({1, 1}), Click({3, 4}), Do(Step::Refit)},
       "Kein Zoom",
       sel,
       false,
       1,
       0},
      {"after a re-fit Z beeps",
       {Click({1, 1}), Click({3, 4}), Do(Step::Refit), Key(kZ)},
       "Kein Zoom",
       sel,
       false,
       1,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ControllerFixture f;
    for (const Step& s : c.steps) f.Run(s);
    EXPECT_EQ(std::string(f.controller.ZoomStateText()), c.text);
    EXPECT_EQ(f.controller.ZoomSel(), c.sel);
    EXPECT_EQ(f.data.Axes().Time() != f.fullTime, c.zoomedAxes);
    EXPECT_EQ(f.data.Axes().Value() != f.fullValue, c.zoomedAxes);
    EXPECT_EQ(f.refreshes, c.refreshes);
    EXPECT_EQ(f.beeps, c.beeps);
  }
}

TEST(DiagramController, BandShowsItsTimeRangeWhileDefined) {
  ControllerFixture f;
  f.Run(Click({1, 1}));
  f.Run(Hover({3, 4, 5, -5}));
  const TCursorMarks& m = f.controller.Marks();
  ASSERT_TRUE(f.controller.Defining() && m.Band);
  EXPECT_FLOAT_EQ(m.BandFrom, 4.0f);  // hours
  EXPECT_FLOAT_EQ(m.BandTo, 12.0f);
  // The band runs from the first crossing to the mouse, snapped to the grid.
  TPoint a = f.At({1, 1}), b = f.At({3, 4});
  f.diagram.SnapToGrid(a);
  f.diagram.SnapToGrid(b);
  EXPECT_EQ(f.controller.Band(), (TRect{a.x, b.y, b.x, a.y}));
  f.Run(Key(kEsc));
  EXPECT_FALSE(f.controller.Marks().Band);
}

TEST(DiagramController, CursorAndMarkers) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    int cursor, markA, markB;  // drawn samples, 0 for none
    int shows, updates, beeps;
    bool lastConsumed = true;
  } cases[] = {
      {"the mouse on crossing 3", {Hover({3, 2})}, 25, 0, 0, 0, 0, 0},
      {"nearest sample", {Hover({3, 2, 20})}, 26, 0, 0, 0, 0, 0},  // a sample is 24 pixels
      {"off the plot", {Hover({3, 2}), Hover({-1, 2})}, 0, 0, 0, 0, 0, 0},
      {"leaving the window", {Hover({3, 2}), Do(Step::Leave)}, 0, 0, 0, 0, 0, 0},
      {"leaving for the context menu", {Hover({3, 2}), Do(Step::LeaveMenu)}, 25, 0, 0, 0, 0, 0},
      {"an old drawing finds no sample", {Do(Step::Stale), Hover({3, 2})}, 0, 0, 0, 0, 0, 0},
      {"M sets A", {Hover({3, 2}), Key(kM)}, 25, 25, 0, 0, 0, 0},
      {"a second M sets B and opens Messwerte",
       {Hover({3, 2}), Key(kM), Hover({6, 2}), Key(kM)},
       49,
       25,
       49,
       1,
       0,
       0},
      {"a third M clears both",
       {Hover({3, 2}), Key(kM), Hover({6, 2}), Key(kM), Key(kM)},
       49,
       0,
       0,
       1,
       1,
       0},
      {"Escape clears them", {Hover({3, 2}), Key(kM), Key(kEsc)}, 25, 0, 0, 0, 1, 0},
      {"Escape with nothing to end is the window's", {Key(kEsc)}, 0, 0, 0, 0, 0, 0, false},
      {"M without a cursor beeps", {Key(kM)}, 0, 0, 0, 0, 0, 1},
      {"M without a diagram beeps",
       {Hover({3, 2}), Do(Step::NoDiagram), Key(kM)},
       25,
       0,
       0,
       0,
       0,
       1},
      {"Marke setzen marks where the menu opened",
       {Do(Step::Menu, {2, 2}), Do(Step::LeaveMenu), Hover({5, 5}), Do(Step::MarkMenu)},
       41,
       17,
       0,
       0,
       0,
       0},
      {"a marker stays through a zoom",
       {Hover({3, 2}), Key(kM), Click({1, 1}), Click({5, 4}), Key(kZ)},
       0,
       25,
       0,
       0,
       0,
       0},
      {"a re-fit drops the markers",
       {Hover({3, 2}), Key(kM), Hover({6, 2}), Key(kM), Do(Step::Refit)},
       49,
       0,
       0,
       1,
       0,
       0},
      {"Right brings the cursor to the middle", {Key(kRight)}, 49, 0, 0, 0, 0, 0},
      {"Left and Right step",
       {Hover({3, 2}), Key(kRight), Key(kRight), Key(kLeft)},
       26,
       0,
       0,
       0,
       0,
       0},
      {"Shift steps ten",
       {Hover({3, 2}), Key(kRight, true), Key(kLeft, true), Key(kLeft, true)},
       15,
       0,
       0,
       0,
       0,
       0},
      {"the last sample holds the cursor",
       {Hover({11, 2}), Key(kRight, true), Key(kRight, true)},
       97,
       0,
       0,
       0,
       0,
       0},
      {"the first one too", {Hover({0, 2}), Key(kLeft)}, 1, 0, 0, 0, 0, 0},
      {"no stepping while a zoom is defined", {Click({3, 2}), Key(kRight)}, 25, 0, 0, 0, 0, 1},
      {"arrow keys set markers",
       {Key(kRight), Key(kM), Key(kRight, true), Key(kM)},
       59,
       49,
       59,
       1,
       0,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ControllerFixture f;
    for (const Step& s : c.steps) f.Run(s);
    EXPECT_EQ(f.controller.CursorSample(), c.cursor);
    EXPECT_EQ(std::pair(f.controller.MarkA(), f.controller.MarkB()), std::pair(c.markA, c.markB));
    EXPECT_EQ(std::tuple(f.shows, f.updates, f.beeps), std::tuple(c.shows, c.updates, c.beeps));
    EXPECT_EQ(f.lastConsumed, c.lastConsumed);
  }
}

// ------------------------------------------------------------ the free zoom

/// The tick step of a free axis is 1, 2 or 5 x 10^n.
bool RoundStep(const AxisRange& a) {
  const double step = a.TickStep;
  if (!(step > 0.0)) return false;
  const double m = step / std::pow(10.0, std::floor(std::log10(step) + 1e-6));
  return std::abs(m - 1.0) < 1e-4 || std::abs(m - 2.0) < 1e-4 || std::abs(m - 5.0) < 1e-4;
}

TEST(DiagramController, NestedZoomsGoBackAndOnToTheSameAxes) {
  ControllerFixture f;
  const TAxisSet start = f.data.Axes().All();
  std::vector<TAxisSet> seen{start};
  const struct {
    TWheelAxis axis;
    Cross at;
  } wheel[] = {{TWheelAxis::Time, {6, 5}},
               {TWheelAxis::Time, {2, 5}},
               {TWheelAxis::Value, {6, 3}},
               {TWheelAxis::Temp, {6, 7}},
               {TWheelAxis::Time, {11, 5}}};
  for (const auto& w : wheel) {
    f.Apply(f.controller.Wheel(f.At(w.at), 1, w.axis));
    seen.push_back(f.data.Axes().All());
    ASSERT_NE(seen.back(), seen[seen.size() - 2]) << "every notch zooms";
  }
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 5 von 5");
  const TAxisSet& deepest = seen.back();
  EXPECT_TRUE(RoundStep(deepest.Time));
  EXPECT_TRUE(RoundStep(deepest.Value));
  EXPECT_TRUE(RoundStep(deepest.Temp));
  EXPECT_LT(deepest.Time.Span, start.Time.Span);
  EXPECT_LT(deepest.Value.Span, start.Value.Span);
  EXPECT_LT(deepest.Temp.Span, start.Temp.Span);
  // The time zoom stays around the mouse: 24 h lies inside the first zoom.
  EXPECT_LE(AxisLow(seen[1].Time), 24 * 3600.0);
  EXPECT_GE(AxisHigh(seen[1].Time), 24 * 3600.0);

  for (int i = 4; i >= 0; --i) {
    f.Run(Key(TDiagramKey::Back));
    EXPECT_EQ(f.data.Axes().All(), seen[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(f.controller.ZoomStateText(), "Kein Zoom");
  f.Run(Key(TDiagramKey::Back));
  EXPECT_EQ(f.beeps, 1);
  for (int i = 1; i <= 5; ++i) {
    f.Run(Key(TDiagramKey::Forward));
    EXPECT_EQ(f.data.Axes().All(), seen[static_cast<size_t>(i)]) << i;
  }
  f.Run(Key(TDiagramKey::Back));
  f.Run(Key(TDiagramKey::Back));
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 3 von 5");
  // A new step drops those ahead.
  f.Apply(f.controller.Wheel(f.At({6, 5}), -1, TWheelAxis::Value));
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 4 von 4");
  // Zooming out as far as it goes is the full scale again.
  for (int i = 0; i < 40; ++i) {
    f.Apply(f.controller.Wheel(f.At({6, 5}), -1, TWheelAxis::Time));
    f.Apply(f.controller.Wheel(f.At({6, 5}), -1, TWheelAxis::Value));
    f.Apply(f.controller.Wheel(f.At({6, 5}), -1, TWheelAxis::Temp));
  }
  EXPECT_EQ(f.data.Axes().All(), start);
  EXPECT_EQ(f.controller.ZoomStateText(), "Kein Zoom");
}

TEST(DiagramController, ZGoesToTheFullScaleFromAnyDepth) {
  for (int depth = 1; depth <= 4; ++depth) {
    SCOPED_TRACE(depth);
    ControllerFixture f;
    const TAxisSet start = f.data.Axes().All();
    for (int i = 0; i < depth; ++i)
      f.Apply(
          f.controller.Wheel(f.At({3 + i, 4}), 2, i % 2 ? TWheelAxis::Value : TWheelAxis::Time));
    if (depth > 2) f.Run(Key(TDiagramKey::Back));
    f.Run(Key(kZ));
    EXPECT_EQ(f.data.Axes().All(), start);
    EXPECT_EQ(f.controller.ZoomStateText(), "Kein Zoom");
    // Its steps stay ahead.
    f.Run(Key(TDiagramKey::Forward));
    EXPECT_NE(f.data.Axes().All(), start);
  }
}

TEST(DiagramController, PanningStopsAtTheEndsOfTheRun) {
  ControllerFixture f;
  f.Apply(f.controller.Wheel(f.At({10, 5}), 3, TWheelAxis::Time));
  const AxisRange zoomed = f.data.Axes().Time();
  const double width = AxisHigh(zoomed) - AxisLow(zoomed);
  ASSERT_LT(width, 48 * 3600.0);
  f.Run(Key(TDiagramKey::PanLeft));
  EXPECT_NEAR(AxisLow(f.data.Axes().Time()), AxisLow(zoomed) - width / 10, 1.0);
  for (int i = 0; i < 60; ++i) f.Run(Key(TDiagramKey::PanRight));
  const AxisRange end = f.data.Axes().Time();
  EXPECT_NEAR(AxisHigh(end), 48 * 3600.0, 1.0);
  EXPECT_NEAR(AxisHigh(end) - AxisLow(end), width, 1.0);
  const std::size_t steps = f.controller.HistorySize();
  f.Run(Key(TDiagramKey::PanRight));
  EXPECT_EQ(f.data.Axes().Time(), end);
  EXPECT_EQ(f.controller.HistorySize(), steps) << "a pan that cannot move is no step";
  for (int i = 0; i < 60; ++i) f.Run(Key(TDiagramKey::PanLeft));
  EXPECT_NEAR(AxisLow(f.data.Axes().Time()), 0.0, 1.0);
  // The full scale itself does not move.
  f.Run(Key(kZ));
  f.Run(Key(TDiagramKey::PanRight));
  EXPECT_EQ(f.data.Axes().Time(), f.fullTime);
  // A drag follows the mouse: two tick steps to the right show times two
  // steps earlier, and the whole drag is one step.
  f.Run(Key(TDiagramKey::Forward));
  for (int i = 0; i < 2; ++i) f.Run(Key(TDiagramKey::PanRight));
  const AxisRange before = f.data.Axes().Time();
  const std::size_t pos = f.controller.HistoryPos();
  f.controller.PanPress(f.At({3, 3}));
  f.Apply(f.controller.PanMove(f.At({4, 3})));
  f.controller.SyncZoom();  // as the window does when it draws anew
  f.Apply(f.controller.PanRelease(f.At({5, 3})));
  const double perPixel = width / 2250.0;
  EXPECT_NEAR(AxisLow(f.data.Axes().Time()), AxisLow(before) - 2.0 * before.TickStep * 3600.0,
              2 * perPixel);
  EXPECT_EQ(f.controller.HistoryPos(), pos + 1) << "one drag, one step";
}

TEST(DiagramController, TypedRangesEqualTheSameRangesReachedByTheWheel) {
  ControllerFixture f;
  f.Apply(f.controller.Wheel(f.At({7, 5}), 2, TWheelAxis::Time));
  f.Apply(f.controller.Wheel(f.At({3, 2}), 3, TWheelAxis::Value));
  f.Apply(f.controller.Wheel(f.At({3, 2}), -1, TWheelAxis::Time));
  const TAxisSet wheel = f.data.Axes().All();
  f.Run(Key(kZ));
  TTypedRanges typed;
  typed.Time = {{AxisLow(wheel.Time), AxisHigh(wheel.Time)}};
  typed.Value = {{AxisHigh(wheel.Value), AxisLow(wheel.Value)}};  // either order
  f.Apply(f.controller.ShowRanges(typed));
  EXPECT_EQ(f.data.Axes().All(), wheel);
  // "automatisch" is the full scale; typing its ends gives it too.
  typed.Value.reset();
  typed.Time = {{0.0, 48 * 3600.0}};
  f.Apply(f.controller.ShowRanges(typed));
  EXPECT_EQ(f.data.Axes().Time(), f.fullTime);
  EXPECT_EQ(f.data.Axes().Value(), f.fullValue);
  EXPECT_EQ(f.controller.ZoomStateText(), "Kein Zoom");
  // An empty range is refused and changes nothing.
  typed.Time = {{3600.0, 3600.0}};
  const int beeps = f.beeps;
  f.Apply(f.controller.ShowRanges(typed));
  EXPECT_EQ(f.beeps, beeps + 1);
  EXPECT_EQ(f.data.Axes().Time(), f.fullTime);
}

TEST(DiagramController, TimeRangesForOtherWindowsAndTheListener) {
  ControllerFixture f;
  std::vector<std::pair<double, double>> told;
  f.controller.SetTimeAxisListener([&](double a, double b) { told.emplace_back(a, b); });
  f.Apply(f.controller.ShowTimeRange(7200.5, 3600.25));
  EXPECT_EQ(f.controller.TimeRange(), (std::pair{3600.25, 7200.5}));
  EXPECT_TRUE(told.empty()) << "a range set from outside is not told back";
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 1 von 1");
  const std::size_t steps = f.controller.HistorySize();
  f.Apply(f.controller.ShowTimeRange(3600.25, 7200.5));
  EXPECT_EQ(f.controller.HistorySize(), steps) << "the same range is no new step";
  // The user's own changes of the time axis are told, others are not.
  f.Apply(f.controller.Wheel(f.At({1, 1}), 1, TWheelAxis::Value));
  EXPECT_TRUE(told.empty());
  f.Apply(f.controller.Wheel(f.At({1, 1}), 1, TWheelAxis::Time));
  f.Run(Key(TDiagramKey::Back));
  f.Run(Key(TDiagramKey::PanRight));
  f.Run(Key(kZ));
  ASSERT_EQ(told.size(), 4u);
  EXPECT_EQ(told.back(), (std::pair{0.0, 48 * 3600.0}));
  EXPECT_EQ(told[1], (std::pair{3600.25, 7200.5}));
}

TEST(DiagramController, MarkersAtTypedTimes) {
  ControllerFixture f;  // a sample every 1800 s, sample 1 at 0
  const struct {
    bool b;
    double seconds;
    int markA, markB;
    bool beep;
  } steps[] = {
      {true, 3600.0, 0, 0, true},     // B before A
      {false, 1000.0, 2, 0, false},   // nearest sample: 1800 s
      {true, 40000.0, 2, 23, false},  // 39600 s
      {false, -50.0, 1, 23, false},   // before the start: the first
      {true, 1e9, 1, 97, false},      // after the end: the last
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.seconds);
    const int beeps = f.beeps;
    f.Apply(f.controller.SetMarkAtTime(s.b, s.seconds));
    EXPECT_EQ(f.controller.MarkA(), s.markA);
    EXPECT_EQ(f.controller.MarkB(), s.markB);
    EXPECT_EQ(f.beeps - beeps, s.beep ? 1 : 0);
  }
  // The markers stay through wheel zooms and pans.
  f.Apply(f.controller.Wheel(f.At({6, 5}), 2, TWheelAxis::Time));
  f.Run(Key(TDiagramKey::PanLeft));
  EXPECT_EQ(f.controller.MarkA(), 1);
  EXPECT_EQ(f.controller.MarkB(), 97);
}

TEST(DiagramController, TwoClickZoomKeepsItsRuleAmongFreeZooms) {
  ControllerFixture f;
  const TAxisSet start = f.data.Axes().All();
  // Alone it behaves as it always did.
  f.Run(Click({1, 1}));
  f.Run(Click({3, 4}));
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom");
  const TAxisSet twoClick = f.data.Axes().All();
  f.Run(Click({0, 0}));
  f.Run(Click({1, 1}));
  EXPECT_EQ(f.data.Axes().All(), twoClick) << "blocked while shown";
  // The wheel works on it; Z leaves both for the full scale.
  f.Apply(f.controller.Wheel(f.At({1, 1}), 1, TWheelAxis::Time));
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 2 von 2");
  f.Run(Key(TDiagramKey::Back));
  EXPECT_EQ(f.data.Axes().All(), twoClick);
  f.Run(Click({0, 0}));
  f.Run(Click({1, 1}));
  EXPECT_EQ(f.data.Axes().All(), twoClick) << "blocked while shown again";
  f.Run(Key(kZ));
  EXPECT_EQ(f.data.Axes().All(), start);
  // After "Z" two clicks zoom again, one more step.
  f.Run(Click({2, 2}));
  f.Run(Click({4, 6}));
  EXPECT_EQ(f.controller.ZoomStateText(), "Zoom 1 von 1");
  EXPECT_NE(f.data.Axes().All(), start);
  f.Run(Key(kZ));
  EXPECT_EQ(f.data.Axes().All(), start);
  // A new fit ends the history.
  f.Apply(f.controller.Wheel(f.At({6, 5}), 1, TWheelAxis::Time));
  f.Run(Do(Step::Refit));
  EXPECT_EQ(f.controller.HistorySize(), 0u);
  EXPECT_EQ(f.controller.ZoomStateText(), "Kein Zoom");
}

// A view saved with an evaluation comes back exactly on a window that was
// just opened, with a history of its own: "Z" and Alt+Left lead to the full
// scale, and the two-click zoom toggles as it did.
TEST(DiagramController, SavedViewsComeBackExactlyWithAFreshHistory) {
  const struct {
    const char* what;
    std::vector<Step> steps;
    std::vector<std::pair<TWheelAxis, int>> wheel;  // notches after the steps
    bool thenZ;                                     // "Z" at the end
    const char* state;                              // after the view is put back
  } cases[] = {
      {"free on all three axes",
       {Key(TDiagramKey::PanRight)},
       {{TWheelAxis::Time, 2}, {TWheelAxis::Value, 1}, {TWheelAxis::Temp, 3}},
       false,
       "Zoom 1 von 1"},
      {"two clicks", {Click({1, 1}), Click({3, 4})}, {}, false, "Zoom"},
      {"two clicks, then the temperatures",
       {Click({1, 1}), Click({3, 4})},
       {{TWheelAxis::Temp, 2}},
       false,
       "Zoom 1 von 1"},
      {"back at the full scale", {}, {{TWheelAxis::Time, 2}}, true, "Kein Zoom"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ControllerFixture a;
    const TAxisSet full = a.data.Axes().All();
    for (const Step& s : c.steps) a.Run(s);
    for (const auto& [axis, notches] : c.wheel)
      a.Apply(a.controller.Wheel(a.At({5, 4}), notches, axis));
    if (c.thenZ) a.Run(Key(kZ));
    for (const int i : {2, 4}) {
      a.Run(Hover({i, 1}));
      a.Run(Key(kM));
    }
    const TAxisSet saved = a.data.Axes().All();

    ControllerFixture b;
    b.Apply(b.controller.RestoreView(saved, a.controller.Zoomed(), a.controller.MarkA(),
                                     a.controller.MarkB()));
    EXPECT_EQ(b.data.Axes().All(), saved);
    EXPECT_EQ(b.controller.ZoomStateText(), c.state);
    EXPECT_EQ(b.controller.Zoomed(), a.controller.Zoomed());
    EXPECT_EQ(b.controller.MarkA(), a.controller.MarkA());
    EXPECT_EQ(b.controller.MarkB(), a.controller.MarkB());
    EXPECT_GT(b.controller.MarkB(), 0);
    if (saved == full) continue;
    b.Run(Key(kZ));
    EXPECT_EQ(b.data.Axes().All(), full);
    if (b.controller.HistorySize() == 0) {
      b.Run(Key(kZ));  // the two-click zoom shown again
      EXPECT_EQ(b.data.Axes().All(), saved);
    } else {
      b.Run(Key(TDiagramKey::Forward));
      EXPECT_EQ(b.data.Axes().All(), saved);
      b.Run(Key(TDiagramKey::Back));
      EXPECT_EQ(b.data.Axes().All(), full);
    }
    EXPECT_EQ(b.beeps, 0);
  }

  // A file's free range is drawn with the program's own ticks; an axis that
  // cannot be drawn leaves the full scale; markers beyond the run are dropped.
  ControllerFixture a;
  a.Apply(a.controller.Wheel(a.At({5, 4}), 2, TWheelAxis::Time));
  TAxisSet edited = a.data.Axes().All();
  edited.Time.TickStep = 1e-12;
  edited.Time.FirstTick = -7.0;
  ControllerFixture b;
  b.Apply(b.controller.RestoreView(edited, false, 5, 9999));
  EXPECT_EQ(b.data.Axes().All(), a.data.Axes().All());
  EXPECT_EQ(b.controller.MarkA(), 5);
  EXPECT_EQ(b.controller.MarkB(), 0);
  edited.Value.Span = -1.0f;
  ControllerFixture c;
  const TAxisSet full = c.data.Axes().All();
  c.Apply(c.controller.RestoreView(edited, false, 0, 0));
  EXPECT_EQ(c.data.Axes().All(), full);
  EXPECT_EQ(c.controller.ZoomStateText(), "Kein Zoom");
}

}  // namespace
