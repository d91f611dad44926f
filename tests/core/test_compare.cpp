// Comparing recordings in one session: the fitted axes, the two time
// alignments, recordings that do not load, and the end of a comparison.
#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>

#include "chart/cursorpaint.h"
#include "chart/diagrampaint.h"
#include "chart/measuredvalues.h"
#include "chart/recordingdc.h"
#include "chart/vqrdiagram.h"
#include "core_fixtures.h"
#include "data/numtext.h"
#include "testaccess.h"

namespace {

constexpr std::time_t kNoon = 1780000000;  // some day in 2026

// A recording of n samples, one every step seconds, every channel reading
// raw (2.0 at 1000 down to 0.5 at 4000), the temperature temp tenths of a
// degree; its file is dated as if the run ended `ended`.
struct Rec {
  int n = 60;
  int step = 60;
  int16_t raw = 1000;
  int16_t temp = 200;
  std::time_t ended = kNoon;
};

std::string WriteRun(TempDir& dir, const std::string& name, const Rec& r) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int i = 1; i <= r.n; ++i) w.Add(MakeDataRecord(r.step * i, Readings(r.raw, r.temp)));
  const std::string path = dir.File(name);
  WriteBytes(path, w.Bytes());
  const utimbuf times{r.ended, r.ended};
  utime(path.c_str(), &times);
  return path;
}

// 30 samples a minute apart whose temperature rises from -9.0 by 1.0 a
// sample, the file last written at ended.
std::string WriteRisingRun(TempDir& dir, const std::string& name, std::time_t ended) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int i = 1; i <= 30; ++i)
    w.Add(MakeDataRecord(60 * i, Readings(1000, static_cast<int16_t>(10 * i - 100))));
  const std::string path = dir.File(name);
  WriteBytes(path, w.Bytes());
  const utimbuf times{ended, ended};
  utime(path.c_str(), &times);
  return path;
}

// The axis from its first to its last tick, in data units (seconds for time).
std::pair<double, double> Ends(const AxisRange& a) {
  return {-static_cast<double>(a.Start), static_cast<double>(a.Span) - a.Start};
}

TEST(Compare, AxesAreFittedOverEveryRecording) {
  const struct {
    const char* what;
    Rec ref, other;
    TTimeAlign align;
    double lastSecond, maxValue, minTemp, maxTemp;
  } cases[] = {
      // A longer run with larger values: the time axis over the longest run.
      {"longer",
       {60, 60, 3000, 200},
       {600, 60, 1000, 250},
       TTimeAlign::FromStart,
       36000,
       2.0,
       20,
       25},
      // Negative temperatures in the compared run only.
      {"frost",
       {60, 60, 1000, 200},
       {30, 60, 1000, -55},
       TTimeAlign::FromStart,
       3600,
       2.0,
       -5.5,
       20},
      // Started a day later by the clock: the axis reaches its end.
      {"clock",
       {60, 60, 1000, 200, kNoon},
       {60, 60, 1000, 200, kNoon + 86400},
       TTimeAlign::ClockTime,
       86400 + 3600,
       2.0,
       20,
       20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    TVQRSession session;
    session.SetTimeAlign(c.align);
    ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", c.ref)), TLoadStatus::Ok);
    ASSERT_EQ(session.AddCompared(WriteRun(dir, "b.DAT", c.other)), TLoadStatus::Ok);
    const TVqrDataObjectNew& d = session.Data();
    const auto [t0, t1] = Ends(d.Axes().Time());
    EXPECT_LE(t0, 0.0);
    EXPECT_GE(t1, c.lastSecond);
    EXPECT_GE(Ends(d.Axes().Value()).second, c.maxValue);
    const auto [temp0, temp1] = Ends(d.Axes().Temp());
    EXPECT_LE(temp0, c.minTemp);
    EXPECT_GE(temp1, c.maxTemp);
    // The overview keeps the open recording's own axes.
    TVQRSession alone;
    alone.Load(dir.File("a.DAT"));
    EXPECT_EQ(session.Diagram().AxisScaleText(0), alone.Diagram().AxisScaleText(0));
  }
}

TEST(Compare, StartTimesPlaceTheRunsOnlyByTheClock) {
  // Both runs last an hour; the second one ended (so started) `later` seconds
  // after the first.
  const struct {
    int later;
    TTimeAlign align;
    int32_t ownOffset, otherOffset;
    bool days;
  } cases[] = {
      {2 * 86400, TTimeAlign::FromStart, 0, 0, false},
      {2 * 86400, TTimeAlign::ClockTime, 0, 2 * 86400, true},
      {-7200, TTimeAlign::ClockTime, 7200, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.later);
    TempDir dir;
    TVQRSession session;
    ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {})), TLoadStatus::Ok);
    ASSERT_EQ(session.AddCompared(WriteRun(dir, "b.DAT", {.ended = kNoon + c.later})),
              TLoadStatus::Ok);
    session.SetTimeAlign(c.align);
    const auto& runs = session.Diagram().Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].TimeOffset, c.ownOffset);
    EXPECT_EQ(runs[1].TimeOffset, c.otherOffset);
    EXPECT_EQ(runs[1].Name, "b.DAT");
    EXPECT_EQ(session.Data().Axes().Time().TimeInDays, c.days);
  }
}

TEST(Compare, RecordingsThatDoNotLoadAreLeftOut) {
  TempDir dir;
  TVQRSession session;
  ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {})), TLoadStatus::Ok);
  WriteBytes(dir.File("bad.DAT"), {1, 2, 3});
  const std::string good = WriteRun(dir, "b.DAT", {});
  const struct {
    std::string file;
    TLoadStatus status;
    int count;
  } cases[] = {{dir.File("missing.DAT"), TLoadStatus::OpenFailed, 0},
               {dir.File("bad.DAT"), TLoadStatus::NotDecoded, 0},
               {good, TLoadStatus::Ok, 1},
               {good, TLoadStatus::Ok, 2},
               {good, TLoadStatus::Ok, 3},
               {good, TLoadStatus::Ok, 4},
               {good, TLoadStatus::Ok, 5},
               {good, TLoadStatus::Ok, 6},
               {good, TLoadStatus::Ok, 7},
               {good, TLoadStatus::OpenFailed, 7}};  // no room for an eighth
  for (const auto& c : cases) {
    EXPECT_EQ(session.AddCompared(c.file), c.status) << c.file;
    EXPECT_EQ(session.ComparedCount(), c.count);
    EXPECT_EQ(session.Diagram().Runs().size(), c.count ? c.count + 1u : 0u);
  }
  // File/Open ends the comparison.
  ASSERT_EQ(session.Load(good), TLoadStatus::Ok);
  EXPECT_EQ(session.ComparedCount(), 0);
  EXPECT_FALSE(session.Diagram().Comparing());
}

std::string Drawing(TVQRSession& session) {
  session.PrepareWindow(kCombi1Mode);
  for (int ch : {1, 5, kTempChannel}) session.Diagram().ChannelPens()[ch].Visible = 1;
  RecordingDC dc{1200, 800};
  PaintDiagram(session.Diagram(), dc, DiagramDrawRect(1200, 800));
  return dc.Dump();
}

TEST(Compare, EditsReachEveryRecordingAndTheEndRestoresTheDrawing) {
  TempDir dir;
  TVQRSession session;
  ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {.n = 90, .raw = 2000})), TLoadStatus::Ok);
  const std::string alone = Drawing(session);
  ASSERT_EQ(session.AddCompared(WriteRun(dir, "b.DAT", {.n = 500, .raw = 1500, .temp = -30})),
            TLoadStatus::Ok);
  EXPECT_NE(Drawing(session), alone);

  session.SetZeroPoint(true);
  EXPECT_TRUE(session.ComparedData(0).ZeroPoint());
  session.SetZeroPoint(false);
  TVqrDataObjectNew& other = session.ComparedData(0);
  TTestAccess::Store(other)->Samples[10].Cal[1] = 9.0f;  // a spike that smoothing flattens
  session.Smooth(4);
  EXPECT_LT(other.Recording().Store()->Samples[10].Cal[1], 9.0f);

  session.EndComparison();
  EXPECT_EQ(Drawing(session), alone);
}

TEST(Compare, CurvesOfComparedRecordingsKeepTheColourAndChangeTheStyle) {
  const TPenRec solid{0x0000FF, 3, 0, 1};
  const TPenRec dotted{0x0000FF, 3, 2, 1};
  const struct {
    TPenRec pen;
    int k;
    int32_t color;
    uint8_t style;
  } cases[] = {
      {solid, 0, 0x0000FF, 0},  {solid, 1, 0x0000FF, 1},
      {solid, 4, 0x0000FF, 4},  {solid, 5, 0x8080FF, 1},  // styles run out: lighter
      {dotted, 1, 0x3333FF, 2}, {dotted, 2, 0x4D4DFF, 2},
  };
  for (const auto& c : cases) {
    const TPenRec p = TVQRDiagram::RunPen(c.pen, c.k);
    EXPECT_EQ(p.Color, c.color) << c.k;
    EXPECT_EQ(p.Style, c.style) << c.k;
    EXPECT_EQ(p.Width, c.pen.Width);
  }
}

// The read-out under the temperature of the open run (20.0 °C throughout, a
// sample a minute for an hour) names the compared run's value at its sample
// nearest to the cursor's moment, as the runs are aligned, and the
// difference; the compared run (30 minutes, sample i at i - 10 °C) has no
// value before its first or after its last sample.
TEST(Compare, ReadOutGivesTheComparedValueAtTheSameMoment) {
  const int kAStartsAt = kNoon - 3600;
  const struct {
    TTimeAlign align;
    int bStartsLater;  // seconds after a's start, by the clock
    int ownSample;
    int bSample;  // 0: none
  } cases[] = {
      {TTimeAlign::FromStart, 300, 10, 10},   {TTimeAlign::ClockTime, 300, 10, 5},
      {TTimeAlign::ClockTime, 320, 10, 5},    {TTimeAlign::ClockTime, 3000, 40, 0},
      {TTimeAlign::ClockTime, -1000, 10, 27}, {TTimeAlign::FromStart, 0, 45, 0},
      {TTimeAlign::FromStart, 0, 30, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bStartsLater);
    TempDir dir;
    TVQRSession session;
    session.SetTimeAlign(c.align);
    ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {})), TLoadStatus::Ok);
    const std::string b = WriteRisingRun(dir, "b.DAT", kAStartsAt + c.bStartsLater + 1800);
    ASSERT_EQ(session.AddCompared(b), TLoadStatus::Ok);
    session.PrepareWindow(kCombi1Mode);
    for (int ch = 1; ch <= kTempChannel; ++ch)
      session.Diagram().ChannelPens()[ch].Visible = ch == kTempChannel;

    const auto lines = ReadoutLines(session.Diagram(), c.ownSample);
    ASSERT_EQ(lines.size(), 3u);
    std::string want = "  b.DAT: -";
    if (c.bSample) {
      const double v = c.bSample - 10.0, diff = v - 20.0;
      want = "  b.DAT: " + FixedText(v, 1) + " " + session.Diagram().UnitText(2) +
             (diff < 0 ? "  \u0394 " : "  \u0394 +") + FixedText(diff, 1);
    }
    EXPECT_EQ(lines[2].Text, want);
  }
}

// "Messwerte" and vqrtool stats: per curve every recording over the same
// moments, the open one between its markers or over a time range.
TEST(Compare, MeasuredRowsCoverTheSameMomentsOnEveryRecording) {
  const struct {
    const char* name;
    bool compare;
    TMeasuredRange range;
    std::vector<int> counts;  // per recording
    float bFirst, bLast;
  } cases[] = {
      {"markers", true, {10, 20}, {11, 11}, -5.0f, 5.0f},
      {"markers the other way", true, {20, 10}, {11, 11}, -5.0f, 5.0f},
      {"a marker past the end: the time range", true, {10, 99, 600, 1200}, {11, 11}, -5.0f, 5.0f},
      {"a time range", true, {0, 0, 600, 1200}, {11, 11}, -5.0f, 5.0f},
      {"the whole runs", true, {}, {60, 30}, -9.0f, 20.0f},
      {"a range backwards holds nothing", true, {0, 0, 1200, 600}, {0, 0}, 0.0f, 0.0f},
      {"without a comparison", false, {10, 20}, {11}, 0.0f, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    TVQRSession session;
    session.SetTimeAlign(TTimeAlign::ClockTime);
    ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {.ended = kNoon})), TLoadStatus::Ok);
    if (c.compare) {
      // b starts 5 minutes after a: its sample 5 lies at a's sample 10.
      const std::string b = WriteRisingRun(dir, "b.DAT", kNoon - 3600 + 300 + 1800);
      ASSERT_EQ(session.AddCompared(b), TLoadStatus::Ok);
    }
    const auto rows = MeasuredRows(session.Diagram(), {3, kTempChannel}, c.range);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::pair(rows[0].Channel, rows[1].Channel), std::pair(3, kTempChannel));
    const std::vector<TCurveStats>& temp = rows[1].Runs;
    std::vector<int> counts;
    for (const TCurveStats& st : temp) {
      EXPECT_EQ(st.Channel, kTempChannel);
      counts.push_back(st.Count);
    }
    EXPECT_EQ(counts, c.counts);
    if (temp.size() > 1 && temp[1].Count > 0) {
      EXPECT_EQ(std::pair(temp[1].First, temp[1].Last), std::pair(c.bFirst, c.bLast));
    }
  }
}

// The legend of eight recordings and the read-out of a cursor over six stay
// in the picture, whatever its size, and their texts stay apart: the legend
// in reading order from the open recording, the read-out in columns where
// its lines are too many for the height.
TEST(Compare, LegendAndReadOutStayInThePictureAndApart) {
  TempDir dir;
  TVQRSession session;
  ASSERT_EQ(session.Load(WriteRun(dir, "a.DAT", {})), TLoadStatus::Ok);
  for (const char* name :
       {"b.DAT", "a_longer_name.DAT", "c.DAT", "d.DAT", "e.DAT", "f.DAT", "g.DAT"})
    ASSERT_EQ(session.AddCompared(WriteRun(dir, name, {})), TLoadStatus::Ok);
  session.PrepareWindow(kCombi1Mode);
  for (int ch : {1, 2, 5, kTempChannel}) session.Diagram().ChannelPens()[ch].Visible = 1;
  const struct {
    int w, h;
    bool oneColumn;  // as many rows as lines, in the font of the frame
  } cases[] = {{1200, 800, false}, {800, 500, false}, {500, 300, false}, {4000, 3000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.w);
    RecordingDC dc{c.w, c.h};
    const TRect picture = DiagramDrawRect(c.w, c.h);
    PaintDiagram(session.Diagram(), dc, picture);
    std::vector<RecordingDC::Call> names;
    for (const auto& t : dc.Texts())
      if (t.text.find(".DAT") != std::string::npos) names.push_back(t);
    ASSERT_EQ(names.size(), 8u);
    EXPECT_EQ(names[0].text, "a.DAT");
    EXPECT_LE(names[0].rect.top, names[7].rect.top);  // rows downwards in reading order
    auto box = [&](const RecordingDC::Call& t) {
      return DcTextBox(t.rect.left, t.rect.top, dc.MeasureText(t.font, t.text), t.h, t.v);
    };
    auto inside = [&](const TRect& b) {
      return b.left >= picture.left && b.right <= picture.right && b.top >= picture.top &&
             b.bottom <= picture.bottom;
    };
    const auto texts = dc.Texts();
    for (const auto& n : names) {
      EXPECT_TRUE(inside(box(n))) << n.text;
      for (const auto& t : texts)
        if (&t != &n && t.text != n.text) {
          EXPECT_FALSE(DcBoxesTouch(box(n), box(t), 0)) << t.text;
        }
    }
    // No name runs into the line sample of the next one.
    for (const auto& line : dc.Segments())
      for (const auto& n : names) {
        const TRect b = box(n);
        const bool crosses = line.from.y > b.top && line.from.y < b.bottom &&
                             std::max(line.from.x, line.to.x) > b.left &&
                             std::min(line.from.x, line.to.x) < b.right;
        if (line.from.y == line.to.y && line.pen.Color == 0) {
          EXPECT_FALSE(crosses) << n.text;
        }
      }

    const TCursorFrame frame = CaptureCursorFrame(session.Diagram());
    TCursorMarks marks;
    marks.Cursor = 30;
    const TCursorReadout r = LayoutCursorReadout(session.Diagram(), frame, marks, dc);
    ASSERT_EQ(r.Lines.size(), 1u + 4 * 8);
    EXPECT_TRUE(inside(r.Box)) << r.Box.left << "," << r.Box.bottom;
    EXPECT_EQ(r.Columns == 1 && r.Font.Height == frame.FontHeight, c.oneColumn);
  }
}

}  // namespace
