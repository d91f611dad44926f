#include <gtest/gtest.h>

#include "chart/vqrplotter.h"
#include "drawfixture.h"

namespace {

TEST(PageSetup, PrinterFactorsAndRatioBounds) {
  const struct {
    const char* name;
    TRect page;
    TPrinterFactors factors;
    float scaleX, scaleY;
  } cases[] = {
      {"TrueSize", {0, 0, 6814, 4760}, {1.0f, 1.0f, 0, 0}, 600.0f / 254, 600.0f / 254},
      {"Fit", {0, 0, 6814, 4760}, {0, 0, 0, 0}, 6813.0f / 2870, 4759.0f / 1990},
      // 4 x 2: MinYtoX first halves ScaleX, then MaxYtoX sees the new ratio 1.0.
      {"MinBeforeMax", {0, 0, 11481, 3981}, {0, 0, 1.0f, 0.8f}, 2.0f, 1.6f},
      {"NegativeFactorFits", {0, 0, 2871, 1991}, {-1.0f, 0, 0, 0}, 1.0f, 1.0f},
      // Portrait at 600 dpi: MaxYtoX 1.0 drops ScaleY to ScaleX; limits of 0
      // or below leave each axis fitted on its own.
      {"PortraitMaxOne", {0, 0, 4800, 6800}, {0, 0, 0, 1.0f}, 4799.0f / 2870, 4799.0f / 2870},
      {"BelowZero", {0, 0, 4800, 6800}, {0, 0, -1.0f, -1.0f}, 4799.0f / 2870, 6799.0f / 1990}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DrawFixture f;
    f.diagram.PrintOptions().Landscape = f.diagram.PrintOptions().Portrait = c.factors;
    f.DrawPrinter(c.page);
    EXPECT_FLOAT_EQ(f.diagram.ScaleX(), c.scaleX);
    EXPECT_FLOAT_EQ(f.diagram.ScaleY(), c.scaleY);
    EXPECT_FLOAT_EQ(f.diagram.MeanScale(), (c.scaleX + c.scaleY) / 2);
    EXPECT_EQ(f.diagram.DpiX(), 600);
  }
}

TEST(PageSetup, BordersShiftThePageAndCollapseToALine) {
  DrawFixture f;
  f.diagram.PrintOptions().Landscape.FixedFactorX = 1.0f;
  f.diagram.PrintOptions().Landscape.FixedFactorY = 1.0f;
  f.diagram.Layout().BorderLeft = 100;  // 10 mm = 236.2 pixels at 600 dpi
  f.diagram.Layout().BorderTop = 50;
  f.DrawPrinter({0, 0, 7000, 5000});
  EXPECT_EQ(f.diagram.DrawRect().left, 236);
  EXPECT_EQ(f.diagram.DrawRect().top, 118);
  EXPECT_EQ(f.diagram.OriginX(), 236 + 472);  // 200 x 2.3622 = 472.4

  f.diagram.Layout().BorderLeft = 2000;
  f.diagram.Layout().BorderRight = 2000;
  f.diagram.Layout().BorderTop = 5000;
  f.diagram.Layout().BorderBottom = 100;
  f.DrawPrinter({0, 0, 7000, 5000});
  EXPECT_EQ(f.diagram.DrawRect(), (TRect{4724, 11811, 4724, 11811}));
}

TEST(PageSetup, PenWidthsFollowMeanAndPreviewScale) {
  DrawFixture f;
  f.diagram.SetPrintMode(false, {});
  f.diagram.BeginDraw(f.dc, {0, 0, 575, 399}, true);  // scale 0.2
  EXPECT_FLOAT_EQ(f.diagram.MeanScale(), 0.2f);
  for (auto [width, px] : {std::pair{3, 1}, {0, 1}, {13, 3}, {12, 2}}) {
    f.diagram.ApplyPen({0, width, 0, 0});
    EXPECT_EQ(f.dc.Calls().back().pen.Width, px) << width;
  }
  // Preview: a 7000-pixel printer page shown 700 pixels wide.
  f.diagram.SetPrintMode(true, {100, 50, 800, 540});
  f.diagram.BeginDraw(f.dc, {0, 0, 7000, 4900}, true);
  EXPECT_FLOAT_EQ(f.diagram.PreviewScale(), 0.1f);
  EXPECT_EQ(f.diagram.Plotter()->OffsetX, 100);
  f.diagram.ApplyPen({0, 30, 0, 0});  // 30 x 2.4387 = 73 printer pixels -> 7.3
  EXPECT_EQ(f.dc.Calls().back().pen.Width, 7);
  f.diagram.ApplyFont({"Arial", 0, 16, 0});  // 39 pt on the printer -> 135 px -> 13.5
  EXPECT_EQ(f.dc.Of(RecordingDC::Op::Font).back().font.Height, 14);
}

TEST(PageSetup, AllBlackPrintsPensAndTextsBlack) {
  DrawFixture f;
  f.Add(0, 0.5f);
  f.Add(3600, 0.6f);
  f.diagram.SetWindowMode(18);
  f.ShowChannels({1, 17});
  f.diagram.ChannelPens()[1].Color = 0x00FF00;
  f.diagram.Layout().XAxis.LabelFont.Color = 0x0000FF;
  f.diagram.PrintOptions().AllBlack = true;
  f.DrawPrinter({0, 0, 7000, 5000});
  using Op = RecordingDC::Op;
  for (const auto& c : f.dc.Calls())
    EXPECT_EQ(c.op == Op::Text                             ? c.color
              : c.op == Op::LineTo || c.op == Op::Polyline ? c.pen.Color
                                                           : 0,
              0u)
        << c.text;
  f.DrawScreen();
  EXPECT_EQ(f.dc.Of(RecordingDC::Op::Polyline).front().pen.Color, 0x00FF00u);
}

}  // namespace

namespace {

// The boxes of the texts of the last drawing, as the device measures them.
std::vector<TRect> TextBoxes(const RecordingDC& dc) {
  std::vector<TRect> boxes;
  for (const auto& t : dc.Texts())
    if (!t.text.empty())
      boxes.push_back(DcTextBox(t.rect.left, t.rect.top, dc.MeasureText(t.font, t.text), t.h, t.v));
  return boxes;
}

// A page whose texts fit is printed exactly as the screen draws the same
// rectangle; on one where the value axis's unit and labels stick out left of
// the paper, the diagram moves right just so far that they are on it.
TEST(PageSetup, PrintedTextsLieOnThePaper) {
  const struct {
    const char* what;
    TRect page;
    bool fits;
  } cases[] = {{"landscape", {0, 0, 7016, 4961}, true},
               {"portrait", {0, 0, 4961, 7016}, false},
               {"letter portrait", {0, 0, 5100, 6600}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DrawFixture f;
    f.Add(0, 0.5f);
    f.Add(43200, 0.7f);
    f.diagram.SetWindowMode(1);
    f.DrawScreen(c.page);
    const std::string screen = f.dc.Dump();
    f.DrawPrinter(c.page);
    EXPECT_EQ(f.dc.Dump() == screen, c.fits);
    const std::vector<TRect> boxes = TextBoxes(f.dc);
    ASSERT_GT(boxes.size(), 20u);
    for (size_t i = 0; i < boxes.size(); ++i) {
      const TRect& b = boxes[i];
      EXPECT_TRUE(b.left >= c.page.left && b.right <= c.page.right && b.top >= c.page.top &&
                  b.bottom <= c.page.bottom)
          << f.dc.Dump();
      for (size_t j = i + 1; j < boxes.size(); ++j)
        EXPECT_FALSE(DcBoxesTouch(b, boxes[j], 0)) << f.dc.Texts()[i].text;
    }
    if (!c.fits) {
      // Moved, not squeezed: the leftmost text a point from the paper's edge.
      int32_t left = c.page.right;
      for (const TRect& b : boxes) left = std::min(left, b.left);
      EXPECT_EQ(left, 8);  // 600 dpi: a point is 8.3 pixels
    }
  }
}

}  // namespace
