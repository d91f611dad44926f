#include <gtest/gtest.h>

#include "chart/vqrdiagram.h"

TEST(Layout, BuiltInDefaultsMatchTheDrawingRules) {
  TVqrDataObjectNew p;
  TVQRDiagram d(p);
  const TDiagramLayout& l = d.Layout();
  EXPECT_EQ(l.DataStartX, 200);
  EXPECT_EQ(l.XAxis.Length, 2250);
  EXPECT_EQ(l.TAxis.StartX, 2500);
  EXPECT_EQ(l.TAxis.LabelOffset, 50);
  EXPECT_EQ(l.XAxis.UnitText2, "Tage");
  EXPECT_EQ(p.Scaling.MaxHour, 48);
  EXPECT_FLOAT_EQ(p.Scaling.UserFactor, 1.0f);
  EXPECT_EQ(l.Legend.StepY, -80);
  EXPECT_EQ(l.Legend.Title, "Kanal");
}
