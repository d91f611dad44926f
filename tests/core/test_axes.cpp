#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/vqrdiagram.h"
#include "core_fixtures.h"
#include "data/axes.h"

namespace {

using Changes = std::vector<TAxesChange>;

// What code outside data/ could do to the axes and the recording: only read.
template <class A>
concept AxesAssignable = requires(A& a) {
  a.Time() = AxisRange{};
}
|| requires(A& a) { a.Value().Span = 1.0f; }
|| requires(A& a) { a.Temp().Start = 1.0f; }
|| requires(A& a) { a.Scaling().UserFactor = 2.0f; }
|| requires(A& a) { a.All().Time = AxisRange{}; };
template <class P>
concept RecordingAssignable = requires(P& p) {
  p.Recording().Cal(1).Scale = 1.0f;
}
|| requires(P& p) { p.Recording().Store()->SampleCount = 1; }
|| requires(P& p) { p.Recording().Store()->Samples[1].Cal[1] = 1.0f; };
struct OpenAxes {  // the concept's own check: a writable axis is found
  AxisRange time;
  AxisRange& Time() { return time; }
};
static_assert(AxesAssignable<OpenAxes> && !AxesAssignable<TVQRAxes>);
static_assert(!RecordingAssignable<TVqrDataObjectNew>);

struct Listened {
  TVQRSession session;
  Changes told;
  TAxesSubscription sub =
      session.Data().Axes().Subscribe([this](TAxesChange c) { told.push_back(c); });
};

TEST(Axes, EveryChangeIsToldAndNothingElse) {
  TempDir dir;
  const std::string own = dir.File("a.DAT"), other = dir.File("b.DAT");
  ASSERT_TRUE(WriteBytes(own, SimpleFile(30)) && WriteBytes(other, SimpleFile(90)));
  const TZoomSel sel{1, 1, 4, 5};
  constexpr auto F = TAxesChange::Fitted;
  constexpr auto Z = TAxesChange::Zoomed;
  constexpr auto S = TAxesChange::Scaling;
  struct Case {
    const char* name;
    std::function<void(TVQRSession&)> before, action;
    Changes told;
  } cases[] = {
      {"load", {}, [&](TVQRSession& s) { s.Load(own); }, {F}},
      {"rejected header",
       {},
       [](TVQRSession& s) {
         LoadBytes(s, {1, 2, 3});
       },
       {}},
      {"compare",
       [&](TVQRSession& s) { s.Load(own); },
       [&](TVQRSession& s) { s.AddCompared(other); },
       {F, F}},
      {"end comparison",
       [&](TVQRSession& s) {
         s.Load(own);
         s.AddCompared(other);
       },
       [](TVQRSession& s) { s.EndComparison(); },
       {F}},
      {"alignment while comparing",
       [&](TVQRSession& s) {
         s.Load(own);
         s.AddCompared(other);
       },
       [](TVQRSession& s) { s.SetTimeAlign(TTimeAlign::ClockTime); },
       {F, F}},
      {"zoom",
       [&](TVQRSession& s) { s.Load(own); },
       [&](TVQRSession& s) { s.Diagram().SetZoom(sel); },
       {Z}},
      {"zoom back and again",
       [&](TVQRSession& s) {
         s.Load(own);
         s.Diagram().SetZoom(sel);
       },
       [](TVQRSession& s) {
         s.Diagram().ResetZoom();
         s.Diagram().RestoreZoom();
       },
       {Z, Z}},
      {"scaling",
       {},
       [](TVQRSession& s) {
         s.Data().Axes().SetScaling({24, 2.0f});
       },
       {S}},
      {"the same scaling", {}, [](TVQRSession& s) { s.Data().Axes().SetScaling({}); }, {}},
      {"window with default scaling",
       [](TVQRSession& s) {
         s.Data().Axes().SetScaling({24, 2.0f});
       },
       [](TVQRSession& s) { s.PrepareWindow(1); },
       {S}},
      {"smoothing and zero point",
       [&](TVQRSession& s) { s.Load(own); },
       [](TVQRSession& s) {
         s.Smooth(4);
         s.SetZeroPoint(true);
       },
       {}},
  };
  for (const Case& c : cases) {
    Listened l;
    if (c.before) c.before(l.session);
    l.told.clear();
    c.action(l.session);
    EXPECT_EQ(l.told, c.told) << c.name;
  }
}

TEST(Axes, AFitEndsTheZoomAndNothingElseDoes) {
  TempDir dir;
  const std::string own = dir.File("a.DAT"), other = dir.File("b.DAT");
  ASSERT_TRUE(WriteBytes(own, SimpleFile(30)) && WriteBytes(other, SimpleFile(90)));
  for (bool compare : {false, true}) {
    TVQRSession s;
    ASSERT_EQ(s.Load(own), TLoadStatus::Ok);
    s.Diagram().SetZoom({1, 1, 4, 5});
    s.Diagram().ResetZoom();
    s.Data().Axes().SetScaling({12, 3.0f});
    s.Smooth(2);
    EXPECT_TRUE(s.Diagram().ZoomAvailable());
    if (compare)
      s.AddCompared(other);
    else
      s.Load(own);
    EXPECT_FALSE(s.Diagram().ZoomAvailable()) << compare;
    EXPECT_FALSE(s.Diagram().RestoreZoom()) << compare;
  }
}

TEST(Axes, SubscriptionsEndWhenResetDestroyedOrOutlivedAndMayEndWhileTold) {
  TAxesSubscription outliving;
  int told = 0;
  {
    TVQRAxes axes;
    TAxesSubscription kept = axes.Subscribe([&](TAxesChange) { ++told; });
    {
      TAxesSubscription gone = axes.Subscribe([&](TAxesChange) { told += 100; });
    }
    TAxesSubscription reset = axes.Subscribe([&](TAxesChange) { told += 100; });
    reset.Reset();
    TAxesSubscription self;
    self = axes.Subscribe([&](TAxesChange) { told += 10, self.Reset(); });
    TAxesSubscription ended;  // by an earlier listener, before its turn
    const TAxesSubscription ender = axes.Subscribe([&](TAxesChange) { ended.Reset(); });
    ended = axes.Subscribe([&](TAxesChange) { told += 1000; });
    TAxesSubscription moved = std::move(kept);
    EXPECT_EQ(std::pair(kept.Active(), moved.Active()), std::pair(false, true));
    axes.Fit(3600, 1.0f, 20.0f, 25.0f);
    axes.Zoom(axes.Time(), axes.Value());
    EXPECT_EQ(told, 12);  // self heard the first change only
    outliving = axes.Subscribe([&](TAxesChange) { ++told; });
  }
  EXPECT_FALSE(outliving.Active());
  outliving.Reset();  // the axes are gone: nothing to end
}

TEST(Axes, FitOverOneRunIsTheOwnFitAndRestoreGivesTheAxesBack) {
  TVQRSession s;
  ASSERT_EQ(LoadBytes(s, SimpleFile(300)), TLoadStatus::Ok);
  TVQRAxes& axes = s.Data().Axes();
  const TAxisSet own = axes.All();
  const TAxesRun runs[] = {{&s.Data().Recording(), 0}};
  axes.Zoom({}, {});
  axes.FitOver(runs);
  EXPECT_EQ(axes.All(), own);
  // A run placed 50 h later ends after 55 h: beyond MaxHour 48 the axis counts days.
  const TAxesRun later[] = {{&s.Data().Recording(), 0}, {&s.Data().Recording(), 50 * 3600}};
  axes.FitOver(later);
  EXPECT_EQ(std::pair(axes.Time().TimeInDays, axes.Value()), std::pair(true, own.Value));
  axes.Restore(own);
  EXPECT_EQ(axes.All(), own);
}
}  // namespace
