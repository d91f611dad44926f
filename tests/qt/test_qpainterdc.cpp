#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <cmath>
#include <vector>

#include "chart/diagrampaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"
#include "support/mainwindow_fixture.h"

namespace {

QImage WhiteImage(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

TEST(QPainterDC, TextAlignsOnCellTopBaselineAndBottom) {
  struct {
    DcHAlign h;
    DcVAlign v;
  } cases[] = {{DcHAlign::Left, DcVAlign::Top},
               {DcHAlign::Center, DcVAlign::Baseline},
               {DcHAlign::Right, DcVAlign::Bottom}};
  for (const auto& c : cases) {
    QImage img = WhiteImage(400, 200);
    QPainter painter(&img);
    QPainterDC dc(painter);
    dc.SetFont({"Arial", 40, 400, false});
    dc.Text(200, 100, "HHH", c.h, c.v);
    const QFontMetrics fm(painter.font(), &img);
    painter.end();
    const QRect ink = Ink(img);
    ASSERT_FALSE(ink.isEmpty());
    // capitals start about ascent - cap height below the top
    const int y = c.v == DcVAlign::Top        ? ink.top() - fm.ascent() + fm.capHeight()
                  : c.v == DcVAlign::Baseline ? ink.bottom() + 1
                                              : ink.bottom() + fm.descent();
    const int x = c.h == DcHAlign::Left     ? ink.left()
                  : c.h == DcHAlign::Center ? ink.center().x()
                                            : ink.right();
    EXPECT_NEAR(y, 100, 2);
    EXPECT_NEAR(x, 200, 4);
  }
}

TEST(QPainterDC, PenColourWidthClipAndFill) {
  QImage img = WhiteImage(100, 100);
  QPainter painter(&img);
  QPainterDC dc(painter);
  dc.FillRect({10, 10, 20, 20}, kDcRed);    // right and bottom edges excluded
  dc.SetPen({0xFF0000, 5, DcDash::Solid});  // blue in 0x00BBGGRR
  dc.SetClipRect({90, 80, 30, 40});         // corners in any order
  const TPoint pts[] = {{0, 60}, {99, 60}};
  dc.Polyline(pts, 2);
  dc.ClearClip();
  dc.SetPixel(5, 5, 0x00FF00);
  dc.SetTextColor(0x0000FF);  // text in red, drawn with the pen still blue
  dc.SetFont({"Arial", 20, 700, false});
  dc.Text(30, 75, "MM", DcHAlign::Left, DcVAlign::Top);
  const TPoint after[] = {{0, 45}, {99, 45}};
  dc.Polyline(after, 2);
  painter.end();
  int red = 0;
  for (int y = 70; y < 100; ++y)
    for (int x = 0; x < 100; ++x) red += img.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_GT(red, 30);
  const QRgb W = qRgb(255, 255, 255), B = qRgb(0, 0, 255);
  // line 5 pixels wide from row 58, clipped to x 30..89
  const std::pair<QPoint, QRgb> want[] = {{{50, 45}, B}, {{19, 19}, qRgb(255, 0, 0)},
                                          {{20, 20}, W}, {{50, 60}, B},
                                          {{50, 62}, B}, {{50, 63}, W},
                                          {{20, 60}, W}, {{89, 60}, B},
                                          {{90, 60}, W}, {{5, 5}, qRgb(0, 255, 0)}};
  for (const auto& [p, colour] : want) EXPECT_EQ(img.pixel(p), colour) << p.x() << "," << p.y();
}

// The direct rasteriser for wide curves on images must look like the
// painter's own stroke: same rows for straight lines, nearly the same
// pixels for curves.
TEST(QPainterDCRaster, WideCurvesMatchThePaintersStroke) {
  std::vector<TPoint> curve;
  for (int i = 0; i < 300; ++i)
    curve.push_back({20 + i, 150 + static_cast<int>(std::lround(80 * std::sin(i * 0.05)))});
  for (int width : {1, 2, 3, 5, 8}) {
    QImage fast = WhiteImage(340, 300);            // RGB32: rasterised directly
    QImage slow(340, 300, QImage::Format_RGB888);  // stroked by the painter
    slow.fill(Qt::white);
    for (QImage* img : {&fast, &slow}) {
      QPainter painter(img);
      QPainterDC dc(painter);
      dc.SetPen({0x000000, width, DcDash::Solid});
      dc.Polyline(curve.data(), static_cast<int>(curve.size()));
      const TPoint line[] = {{20, 270}, {320, 270}};
      dc.Polyline(line, 2);
    }
    const QImage slow32 = slow.convertToFormat(QImage::Format_RGB32);
    int inkFast = 0, differ = 0;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 340; ++x) {
        const bool a = fast.pixel(x, y) != qRgb(255, 255, 255);
        const bool b = slow32.pixel(x, y) != qRgb(255, 255, 255);
        inkFast += a;
        differ += a != b;
      }
    EXPECT_LT(differ, inkFast / 4 + 10) << "width " << width;
    // The straight line covers the same rows both ways.
    for (int y = 260; y < 280; ++y)
      EXPECT_EQ(fast.pixel(170, y), slow32.pixel(170, y)) << "width " << width << " row " << y;
  }
}

// Draws curve with pen both ways: straight into an RGB32 image and through
// the painter's stroker (which it keeps for RGB888), both on white.
std::pair<QImage, QImage> BothWays(const DcPen& pen, const std::vector<TPoint>& curve) {
  QImage fast = WhiteImage(340, 300);
  QImage slow(340, 300, QImage::Format_RGB888);
  slow.fill(Qt::white);
  for (QImage* img : {&fast, &slow}) {
    QPainter painter(img);
    QPainterDC dc(painter);
    dc.SetPen(pen);
    dc.Polyline(curve.data(), static_cast<int>(curve.size()));
  }
  return {fast, slow.convertToFormat(QImage::Format_RGB32)};
}

bool Inked(const QImage& img, int x, int y) { return img.pixel(x, y) != qRgb(255, 255, 255); }

// Dashed curves (and solid ones of every width) likewise, with the dashes
// in the same places: the pattern runs on across the polyline's points and
// across the pieces the painter is given.
TEST(QPainterDCRaster, DashedCurvesMatchThePaintersStroke) {
  struct Shape {
    const char* name;
    std::vector<TPoint> points;
  };
  Shape steep{"steep", {}}, shallow{"shallow", {}}, zigzag{"zig-zag", {}}, uneven{"uneven", {}};
  for (int i = 0; i < 300; ++i) {
    steep.points.push_back({20 + i, 150 + static_cast<int>(std::lround(120 * std::sin(i * 0.3)))});
    shallow.points.push_back(
        {20 + i, 150 + static_cast<int>(std::lround(12 * std::sin(i * 0.02)))});
  }
  for (int i = 0; i < 75; ++i) zigzag.points.push_back({20 + 4 * i, i % 2 ? 60 : 240});
  // Pieces of 1 to 9 pixels, so that dashes begin and end inside them, at
  // their ends and across several of them.
  for (int x = 20, i = 0; x < 320; x += 1 + i % 9, ++i)
    uneven.points.push_back({x, 40 + x * 2 / 3});
  for (DcDash dash :
       {DcDash::Solid, DcDash::Dash, DcDash::Dot, DcDash::DashDot, DcDash::DashDotDot})
    for (int width = 1; width <= 4; ++width)
      for (const Shape* shape : {&steep, &shallow, &zigzag, &uneven}) {
        const auto [fast, slow] = BothWays({0x000000, width, dash}, shape->points);
        int inkFast = 0, differ = 0;
        for (int y = 0; y < 300; ++y)
          for (int x = 0; x < 340; ++x) {
            const bool a = Inked(fast, x, y), b = Inked(slow, x, y);
            inkFast += a;
            differ += a != b;
          }
        EXPECT_LT(differ, inkFast / 10 + 10)
            << "style " << static_cast<int>(dash) << " width " << width << " " << shape->name;
      }
}

// Along a straight line the dashes fall on exactly the painter's pixels,
// however the line is cut into pieces.
TEST(QPainterDCRaster, DashesOfAStraightLineSitWhereThePainterPutsThem) {
  std::vector<TPoint> line;
  for (int x = 10, i = 0; x < 330; x += 1 + i * 7 % 11, ++i) line.push_back({x, 150});
  line.push_back({330, 150});
  for (DcDash dash : {DcDash::Dash, DcDash::Dot, DcDash::DashDot, DcDash::DashDotDot})
    for (int width = 2; width <= 4; ++width) {
      const auto [fast, slow] = BothWays({0x000000, width, dash}, line);
      int inked = 0, misplaced = 0;
      for (int x = 0; x < 340; ++x) {
        inked += Inked(slow, x, 150);
        misplaced += Inked(fast, x, 150) != Inked(slow, x, 150);
      }
      EXPECT_EQ(misplaced, 0) << "style " << static_cast<int>(dash) << " width " << width;
      EXPECT_GT(inked, 100);
      EXPECT_LT(inked, 300);
    }
}

TEST(QPainterDCRaster, HonoursTheClipAndACallersClip) {
  QImage img = WhiteImage(100, 100);
  QPainter painter(&img);
  painter.setClipRect(QRect(0, 0, 50, 100));  // the caller's own clip
  {
    QPainterDC dc(painter);
    dc.SetPen({0x000000, 3, DcDash::Solid});
    dc.SetClipRect({10, 0, 90, 100});
    dc.ClearClip();
    const TPoint free[] = {{0, 80}, {99, 80}};
    dc.Polyline(free, 2);
  }
  EXPECT_TRUE(painter.hasClipping());  // given back as it was
  painter.end();
  EXPECT_EQ(img.pixel(5, 80), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(60, 80), qRgb(255, 255, 255));  // outside the caller's clip
}

// A PNG file holds exactly the pixels that painting the same drawing over
// the background into an image gives.
TEST(PictureFile, PngHoldsThePaintedPixels) {
  QTemporaryDir dir;
  const auto paint = [](QPainter& painter) {
    QPainterDC dc(painter);
    dc.SetFont({"Arial", 14, 400, false});
    dc.Text(20, 20, "Kanal 1", DcHAlign::Left, DcVAlign::Top);
    for (int width : {1, 3, 6}) {
      dc.SetPen({0x3060C0u * static_cast<uint32_t>(width) & 0xFFFFFF, width, DcDash::Solid});
      std::vector<TPoint> pts;
      for (int x = 0; x < 320; x += 7)
        pts.push_back({x, 120 + width * 20 + static_cast<int>(40 * std::sin(x / 30.0))});
      dc.Polyline(pts.data(), static_cast<int>(pts.size()));
    }
  };
  for (const QColor background : {QColor(0xF0, 0xF0, 0xF0), QColor(Qt::white)}) {
    const QString path = dir.filePath("p.png");
    ASSERT_TRUE(WritePictureFile(path, 320, 240, background, "t", paint, nullptr));
    QImage expected(320, 240, QImage::Format_RGB32);
    {
      QPainter painter(&expected);
      painter.fillRect(QRect(0, 0, 320, 240), background);
      paint(painter);
    }
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), expected);
  }
}

}  // namespace
