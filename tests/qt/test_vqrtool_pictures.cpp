// vqrtool render and overview run as a user runs them: pictures, read-out
// and exit statuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>

#include "support/mainwindow_fixture.h"

namespace {

// Runs vqrtool; without --ini it uses the built-in settings, so that no
// settings file of the machine leaks into the pictures. A missing binary
// fails the test rather than passing it unseen.
ProcessRun Vqrtool(QStringList args) {
  if (!args.contains("--ini") && !args.contains("--defaults")) args << "--defaults";
  return Exec(VQR_BINARY_DIR "/vqrtool", args);
}

// The polylines of an SVG drawn with the given stroke colour (any when empty).
std::vector<std::vector<QPoint>> SvgPolylines(const QString& file, const QString& stroke = {}) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&f);
  QStringList strokes;  // of the enclosing groups
  std::vector<std::vector<QPoint>> lines;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"g")
      strokes << xml.attributes().value("stroke").toString();
    if (xml.isEndElement() && xml.name() == u"g") strokes.removeLast();
    if (xml.isStartElement() && xml.name() == u"polyline" &&
        (stroke.isEmpty() || (!strokes.isEmpty() && strokes.last() == stroke))) {
      lines.emplace_back();
      for (const QString& pair :
           xml.attributes().value("points").toString().split(' ', Qt::SkipEmptyParts)) {
        const QStringList xy = pair.split(',');
        lines.back().emplace_back(xy[0].toInt(), xy[1].toInt());
      }
    }
  }
  return lines;
}

class VqrtoolPictures : public ::testing::Test {
 protected:
  QString Out(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

TEST_F(VqrtoolPictures, ReferenceSizeAndCombinationColours) {
  ASSERT_EQ(Vqrtool({"render", "samples/full1500.DAT", "--window", "1", "--size", "2871x1991", "-o",
                     Out("ref.png")})
                .status,
            0);
  const QImage img(Out("ref.png"));
  ASSERT_EQ(img.size(), QSize(2871, 1991));
  for (int x : {200, 1000, 2450}) EXPECT_EQ(img.pixel(x, 1790), qRgb(0, 0, 0)) << x;
  EXPECT_EQ(img.pixel(2500, 1790), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(1000, 1700), qRgb(255, 255, 255));

  const ProcessRun r = Vqrtool({"render", "samples/full1500.DAT", "--ini",
                                "docs/diagram-example.INI", "--window", "18", "-o", Out("c.png")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_GT(CountPixels(QImage(Out("c.png")), QColor(255, 0, 0)), 500);       // channel 1
  EXPECT_GT(CountPixels(QImage(Out("c.png")), QColor(192, 192, 192)), 5000);  // grid lines
}

TEST_F(VqrtoolPictures, VectorOutputsAndDefaultWindow) {
  for (const char* name : {"d.svg", "d.pdf"}) {
    const ProcessRun r =
        Vqrtool({"render", "samples/hours40.DAT", "--zero", "--smooth", "2", "-o", Out(name)});
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_GT(QFile(Out(name)).size(), 1000) << name;
    // The built-in settings tick no channel for combination 1: as in the
    // window, no curve is drawn, only axes, ticks and lines of two points.
    EXPECT_TRUE(r.err.contains("no channel is ticked for combination 1")) << r.err.toStdString();
  }
  size_t longest = 0;
  for (const auto& line : SvgPolylines(Out("d.svg"))) longest = std::max(longest, line.size());
  EXPECT_EQ(longest, 2u);
}

TEST_F(VqrtoolPictures, ZoomedSvgKeepsTheCurveInsideThePlot) {
  // Channel 4 (blue) from 8 to 24 hours and 1.2 to 1.4: it leaves the plot
  // at the bottom.
  const ProcessRun r =
      Vqrtool({"render", "samples/hours40.DAT", "--ini", "docs/diagram-crosses.INI", "--window",
               "4", "--zoom", "2,6,6,7", "--size", "2871x1991", "-o", Out("z.svg")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  std::vector<QPoint> curve;
  for (const auto& line : SvgPolylines(Out("z.svg"), "#0000ff"))
    curve.insert(curve.end(), line.begin(), line.end());
  ASSERT_GT(curve.size(), 50u);
  const QRect plot(QPoint(200, 290), QPoint(2450, 1790));  // the axes at scale 1
  EXPECT_TRUE(std::all_of(curve.begin(), curve.end(), [&](QPoint p) { return plot.contains(p); }));
  EXPECT_TRUE(std::any_of(curve.begin(), curve.end(), [](QPoint p) { return p.y() == 1790; }));
}

// Polylines of an SVG counted by the stroke colour and dash pattern ("" solid)
// of their groups, and the SVG's texts.
struct SvgStrokes {
  std::map<std::pair<QString, QString>, int> lines;
  QStringList texts;
};
SvgStrokes ReadStrokes(const QString& file) {
  SvgStrokes out;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return out;
  QXmlStreamReader xml(&f);
  std::vector<std::pair<QString, QString>> groups;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"g")
      groups.emplace_back(xml.attributes().value("stroke").toString(),
                          xml.attributes().value("stroke-dasharray").toString());
    if (xml.isEndElement() && xml.name() == u"g") groups.pop_back();
    if (xml.isStartElement() && xml.name() == u"polyline" && !groups.empty())
      ++out.lines[groups.back()];
    if (xml.isStartElement() && xml.name() == u"text") out.texts << xml.readElementText();
  }
  return out;
}

TEST_F(VqrtoolPictures, ComparedRecordingsAreDrawnInTheirOwnStyles) {
  const ProcessRun r =
      Vqrtool({"render", "samples/hours40.DAT", "--ini", "docs/diagram-example.INI", "--compare",
               "samples/full1500.DAT", "missing.DAT", "samples/days10.DAT", "-o", Out("c.svg")});
  // The missing one is reported and left out; the picture is written.
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.err.contains("missing.DAT: Error opening data file!")) << r.err.toStdString();
  const SvgStrokes svg = ReadStrokes(Out("c.svg"));
  auto patterns = [&](const QString& colour) {
    std::map<QString, int> out;
    for (const auto& [key, n] : svg.lines)
      if (key.first == colour) out[key.second] += n;
    return out;
  };
  // Solid channels: the open recording solid (curve and legend line), the
  // compared ones dashed and dotted in the same colour.
  const QStringList channels = {"#ff0000", "#008000", "#0000ff", "#ff8000"};
  for (const QString& colour : channels) {
    const auto p = patterns(colour);
    ASSERT_EQ(p.size(), 3u) << colour.toStdString();
    for (const auto& [dash, n] : p) EXPECT_EQ(n, dash.isEmpty() ? 2 : 1) << colour.toStdString();
  }
  // The dotted temperature: the compared ones in two lighter shades of it.
  const auto temp = patterns("#008080");
  ASSERT_EQ(temp.size(), 1u);
  QStringList shades;
  for (const auto& [key, n] : svg.lines)
    if (key.second == temp.begin()->first && !channels.contains(key.first) &&
        key.first != "#008080")
      shades << key.first;
  EXPECT_EQ(shades.size(), 2) << shades.join(' ').toStdString();
  // The legend: one line per recording in black, each in its style, and its name.
  EXPECT_EQ(patterns("#000000").size(), 3u);
  for (const char* name : {"hours40.DAT", "full1500.DAT", "days10.DAT"})
    EXPECT_EQ(svg.texts.count(name), 1) << name;
  EXPECT_FALSE(svg.texts.contains("missing.DAT"));
}

}  // namespace
