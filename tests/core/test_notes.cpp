// Notes on the diagram: the text a note keeps, where its line and flag go on
// the screen and on paper, which notes a zoomed range shows, and which note
// a click finds.
#include <gtest/gtest.h>

#include "chart/notes.h"
#include "drawfixture.h"

namespace {

constexpr uint32_t kLineColor = 0x505050;

// The vertical segments in the notes' colour across the plot (not the flags' sides).
std::vector<RecordingDC::Segment> NoteLines(const DrawFixture& f) {
  const TRect plot = f.diagram.PlotRect();
  std::vector<RecordingDC::Segment> out;
  for (const auto& s : f.SegmentsOfColor(kLineColor))
    if (s.from.x == s.to.x && std::abs(s.from.y - s.to.y) > std::abs(plot.bottom - plot.top) / 2)
      out.push_back(s);
  return out;
}

}  // namespace

TEST(Notes, TextKeptOnOneBoundedLine) {
  const std::string longText(kMaxNoteText - 1, 'x');
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"  Ventil auf  ", "Ventil auf"},
      {"zwei\nZeilen\r\tund Tab", "zwei Zeilen  und Tab"},
      {"\n \t", ""},
      {longText + "\u00e4\u00e4", longText},  // never half a character
      {longText + "a\u00e4", longText + "a"},
  };
  for (const Case& c : cases) EXPECT_EQ(NoteText(c.in), c.out) << c.in;
  EXPECT_EQ(NoteFlagText("\u00e4bcdef", 3), "\u00e4bc...");
  EXPECT_EQ(NoteFlagText("abc", 3), "abc");
}

TEST(Notes, DrawnOnScreenAndPaperWhereTheRangeShowsThem) {
  DrawFixture f;
  for (int i = 0; i <= 12; ++i) f.Add(i * 3600, 0.1f * (i % 5));
  f.diagram.SetWindowMode(kCombi1Mode);
  f.ShowChannels({1, kTempChannel});
  TNotes notes{
      {3 * 3600, "drei Stunden", 0, 0}, {9 * 3600, "neun", 1, 0.4f}, {13 * 3600, "danach", 0, 0}};
  f.diagram.SetNotes(&notes);

  f.DrawScreen();
  const auto lines = NoteLines(f);
  ASSERT_EQ(lines.size(), 2u) << f.dc.Dump();  // 13 h lies beyond the 12 h axis
  const TRect plot = f.diagram.PlotRect();
  // A quarter and three quarters across the plot, from its top to its bottom.
  EXPECT_NEAR(lines[0].from.x, plot.left + (plot.right - plot.left) / 4.0, 1.0);
  EXPECT_NEAR(lines[1].from.x, plot.left + (plot.right - plot.left) * 3 / 4.0, 1.0);
  EXPECT_EQ(std::min(lines[0].from.y, lines[0].to.y), std::min(plot.top, plot.bottom));
  EXPECT_EQ(std::max(lines[0].from.y, lines[0].to.y), std::max(plot.top, plot.bottom));
  EXPECT_TRUE(f.HasText("drei Stunden"));
  EXPECT_TRUE(f.HasText("neun"));
  EXPECT_FALSE(f.HasText("danach"));
  ASSERT_EQ(f.diagram.ScreenNotes().size(), 2u);
  EXPECT_EQ(f.diagram.ScreenNotes()[1].Index, 1);

  // A click on the line or its flag finds the note; beside it nothing.
  const TNoteMark& m = f.diagram.ScreenNotes()[0];
  const int32_t middle = (m.Top + m.Bottom) / 2;
  EXPECT_EQ(NoteAt(f.diagram.ScreenNotes(), m.X + 3, middle, 4), 0);
  EXPECT_EQ(NoteAt(f.diagram.ScreenNotes(), m.X + 9, middle, 4), -1);
  EXPECT_EQ(NoteAt(f.diagram.ScreenNotes(), m.Flag.right - 2, m.Flag.top + 2, 4), 0);

  // On paper at 600 dpi: the same notes, lines wider than a screen pixel;
  // the screen's marks stay those of the screen.
  f.DrawPrinter({0, 0, 6000, 4000});
  const auto printed = NoteLines(f);
  ASSERT_EQ(printed.size(), 2u);
  EXPECT_GT(printed[0].pen.Width, 1);
  EXPECT_TRUE(f.HasText("neun"));
  EXPECT_EQ(f.diagram.ScreenNotes()[0].X, m.X);

  // Zoomed to the first six hours, the note at 9 h is not drawn.
  ASSERT_TRUE(f.diagram.ZoomTo({6, 21600.0f, 0.0f, 2, 0, false}, f.data.Axes().Value()));
  f.DrawScreen();
  EXPECT_EQ(NoteLines(f).size(), 1u);
  EXPECT_FALSE(f.HasText("neun"));
}
