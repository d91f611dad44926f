// Freely chosen axis ranges as the diagram labels and draws them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/freerange.h"
#include "drawfixture.h"

namespace {

struct FreeRangeFixture : DrawFixture {
  /// Sets axis (0 time, 1 value, 2 temperature) to lo..hi in label units.
  void Set(int axis, double lo, double hi, bool days = false) {
    AxisRange& a = axis == 0   ? TTestAccess::Axes(data).Time
                   : axis == 1 ? TTestAccess::Axes(data).Value
                               : TTestAccess::Axes(data).Temp;
    a.TimeInDays = days;
    const double factor = axis == 0 ? TimeLabelFactor(a) : 1.0;
    const double minStep = axis == 2 ? 1.0 : 1e-6;
    ASSERT_TRUE(SetFreeRange(a, lo / factor, hi / factor, factor, minStep));
  }
  std::vector<std::string> Labels(int axis) {
    DrawScreen();
    std::vector<std::string> out;
    const AxisRange& a = axis == 0   ? data.Axes().Time()
                         : axis == 1 ? data.Axes().Value()
                                     : data.Axes().Temp();
    const double factor = axis == 0 ? TimeLabelFactor(a) : 1.0;
    for (int i = 0; i <= a.Divisions; ++i) {
      const double part = FreeTickPart(a, factor, i);
      if (part >= -1e-7 && part <= 1.0 + 1e-7) out.push_back(diagram.TickLabel(axis, i));
    }
    return out;
  }
};

TEST(FreeRange, TicksAreRoundStepsInTheAxisFormat) {
  const struct {
    const char* name;
    int axis;
    double lo, hi;
    bool days;
    std::vector<std::string> labels;
  } cases[] = {
      {"hours", 0, 1.3, 4.1, false, {"1.5", "2.0", "2.5", "3.0", "3.5", "4.0"}},
      {"round ends are labelled",
       0,
       2.0,
       6.0,
       false,
       {"2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0", "5.5", "6.0"}},
      {"before the recording's start",
       0,
       -2.0,
       5.0,
       false,
       {"-2", "-1", "0", "1", "2", "3", "4", "5"}},
      {"days", 0, 2.2, 9.9, true, {"3", "4", "5", "6", "7", "8", "9"}},
      {"long hour range",
       0,
       37.0,
       183.0,
       false,
       {" 40", " 60", " 80", "100", "120", "140", "160", "180"}},
      {"small values",
       1,
       0.1234,
       0.1567,
       false,
       {"0.125", "0.130", "0.135", "0.140", "0.145", "0.150", "0.155"}},
      {"values through zero", 1, -0.35, 0.8, false, {"-0.2", "0.0", "0.2", "0.4", "0.6", "0.8"}},
      {"negative temperatures", 2, -7.3, 3.2, false, {"-6", "-4", "-2", " 0", " 2"}},
      {"temperatures in whole degrees", 2, 18.6, 21.4, false, {"19", "20", "21"}},
      {"no whole degree inside", 2, 20.2, 20.4, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreeRangeFixture f;
    f.Set(c.axis, c.lo, c.hi, c.days);
    EXPECT_EQ(f.Labels(c.axis), c.labels);
    if (c.axis == 0) {
      EXPECT_TRUE(f.HasText(c.days ? "Tage" : "Std"));
    }
  }
}

// Each time label is drawn under the point of the axis its value belongs to.
TEST(FreeRange, TimeLabelsSitAtTheirValues) {
  for (const double lo : {1.3, -2.0, 7.25}) {
    SCOPED_TRACE(lo);
    FreeRangeFixture f;
    const double hi = lo + 2.9;
    f.Set(0, lo, hi);
    f.DrawScreen();  // 1 device pixel per page unit: the X axis runs from 200 over 2250
    int labels = 0;
    for (const auto& t : f.dc.Texts()) {
      char* end = nullptr;
      const double v = std::strtod(t.text.c_str(), &end);
      if (t.h != DcHAlign::Center || end == t.text.c_str() || *end != '\0') continue;
      ++labels;
      EXPECT_NEAR(t.rect.left, 200.0 + (v - lo) / (hi - lo) * 2250.0, 1.0) << t.text;
    }
    EXPECT_GE(labels, 5);
  }
}

// Grid lines stand on the ticks, none on the axis itself.
TEST(FreeRange, GridFollowsTheTicks) {
  FreeRangeFixture f;
  f.diagram.Layout().GridStyle = kGridLines;
  f.diagram.Layout().GridPen.Color = 0x00FF00;
  f.Set(0, 2.0, 6.0);    // nine ticks, the first on the axis
  f.Set(1, 0.05, 0.47);  // 0.1 .. 0.45 in steps of 0.05: eight inside
  f.DrawScreen();
  int vertical = 0, horizontal = 0;
  for (const auto& s : f.SegmentsOfColor(0x00FF00)) (s.from.x == s.to.x ? vertical : horizontal)++;
  EXPECT_EQ(vertical, 8);
  EXPECT_EQ(horizontal, 8);
}

}  // namespace
