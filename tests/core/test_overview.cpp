#include <gtest/gtest.h>

#include "chart/diagrampaint.h"
#include "drawfixture.h"

namespace {

using Op = RecordingDC::Op;

TEST(OverviewLayout, FourByFourCellsWithTwoPercentMargins) {
  TOverviewCells cells;
  LayoutOverviewCells(300, 180, cells);  // h = 178: margins 6 and 4
  const TOverviewCell& c = cells[1];
  // Width (300 - 30) / 4 truncated.
  EXPECT_EQ(std::tuple(c.Left, c.Top, c.Width, c.Height, c.PlotWidth, c.PlotHeight),
            std::tuple(6, 4, 67, 39, 61, 33));
  EXPECT_EQ(cells[4].Left, 3 * 73 + 6);
  EXPECT_EQ(std::tuple(cells[6].Left, cells[6].Top), std::tuple(79, 47));
  EXPECT_EQ(cells[16].Top, 3 * 43 + 4);
  LayoutOverviewCells(100, 60, cells);  // margins never below 3
  EXPECT_EQ(std::tuple(cells[1].Left, cells[1].Top), std::tuple(3, 3));
}

struct ColumnFixture : DrawFixture {
  TOverviewCell cell;
  ColumnFixture() {
    TTestAccess::Axes(data).Time.Span = 100.0f;
    TTestAccess::Axes(data).Value.Span = 10.0f;
    cell.PlotWidth = 100;  // one column per second
    cell.PlotHeight = 10;  // one pixel per unit
  }
};

TEST(OverviewColumns, ColumnsAverageAndFlushWhenTheNextBegins) {
  ColumnFixture f;
  f.Add(5, 1.0f);  // first sample off column 0: written to column 0
  f.Add(6, 2.0f);
  f.Add(6, 3.0f);
  f.Add(7, 4.0f);  // still counted in column 6: (3 + 4) / 2
  f.Add(7, 6.0f);
  f.diagram.ComputeOverview(1, f.cell);
  EXPECT_EQ(f.cell.Points[0], 1);
  EXPECT_EQ(f.cell.Points[5], 2);
  EXPECT_EQ(f.cell.Points[6], 4);  // 3.5 -> 4
  EXPECT_EQ(f.cell.Points[7], 6);  // two samples reached column 7; the first counted for 6
  int filled = 0;
  for (int16_t p : f.cell.Points) filled += p != -999;
  EXPECT_EQ(filled, 4);
}

TEST(OverviewColumns, LastColumnNeedsTwoSamplesAndFarColumnsClamp) {
  ColumnFixture f;
  f.Add(0, 1.0f);
  f.Add(1, 2.0f);
  f.diagram.ComputeOverview(1, f.cell);
  EXPECT_EQ(f.cell.Points[0], 2);  // 1.5: the sample that moves on still counts here
  EXPECT_EQ(f.cell.Points[1], -999);

  f.Add(1000, 5.0f);
  f.Add(2000, 7.0f);
  TTestAccess::Scaling(f.data).UserFactor = 2.0f;
  f.diagram.ComputeOverview(1, f.cell);
  EXPECT_EQ(f.cell.Points[0], 3);     // (1 + 2) x 2 / 2
  EXPECT_EQ(f.cell.Points[1], 10);    // 5 x 2
  EXPECT_EQ(f.cell.Points[399], 14);  // column 1000, clamped
}

TEST(OverviewPaint, CellsScalesAndRedData) {
  TOverviewCells cells;
  LayoutOverviewCells(300, 180, cells);
  for (int k = 1; k <= 16; ++k) cells[k].Points.fill(-999);
  cells[1].Points[0] = 0;
  cells[1].Points[3] = 10;
  cells[1].Points[60] = 33;
  cells[1].Points[61] = 20;
  cells[1].Points[62] = 20;  // beyond PlotWidth: not drawn

  RecordingDC dc;
  PaintOverview(dc, cells, false);
  EXPECT_EQ(dc.Of(Op::Fill).size(), 16u);
  EXPECT_EQ(dc.Of(Op::Fill).front().rect, (TRect{6, 4, 72, 42}));
  std::vector<TPoint> pixels;
  for (const auto& c : dc.Of(Op::Pixel)) pixels.push_back({c.rect.left, c.rect.top});
  // x = L + 4 + column, y = T + Height - 5 - value
  const std::vector<TPoint> expected = {{10, 38}, {13, 28}, {70, 5}, {71, 18}};
  EXPECT_EQ(pixels, expected);
  // Cell 1 (6, 4, 72, 42): scale lines and the quarter ticks.
  const auto segs = dc.Segments();
  EXPECT_EQ(std::tuple(segs[0].from, segs[0].to, segs[1].from, segs[5].to, segs[6].from.y),
            std::tuple(TPoint{8, 38}, TPoint{70, 38}, TPoint{25, 36}, TPoint{10, 6}, 30));
  EXPECT_EQ(segs.size(), 16u * 10);

  dc.Clear();
  PaintOverview(dc, cells, true);  // a line bridging the empty columns
  std::vector<RecordingDC::Segment> red;
  for (const auto& s : dc.Segments())
    if (s.pen.Color == kDcRed) red.push_back(s);
  ASSERT_EQ(red.size(), 3u);
  EXPECT_EQ(red[0].from, (TPoint{10, 38}));
  EXPECT_EQ(red[0].to, (TPoint{13, 28}));
  EXPECT_EQ(red[2].to, (TPoint{71, 18}));
}

}  // namespace
