// The channel window's measuring cursor, its markers and "Messwerte", and
// the zoom by dragging, driven with the mouse and keys as a user does.
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>
#include <set>

#include "chart/curvestats.h"
#include "chart/vqrdiagram.h"
#include "data/freerange.h"
#include "data/numtext.h"
#include "data/tablefield.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/RecordingPanel.h"
#include "gui/chart/SingleChannel.h"
#include "gui/chart/rangedialogs.h"
#include "gui/settings/qtcontrols.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"

namespace {

class Cursor : public MainWindowFixture {
 protected:
  // Numbers as in the C locale unless a test chooses another.
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    MainWindowFixture::SetUp();
  }
  void TearDown() override {
    windows.reset();
    QLocale::setDefault(QLocale::c());
    MainWindowFixture::TearDown();
  }

  /// hours40.DAT in combination 1 with channels 1, 3 and the temperature.
  void OpenCombination() {
    WriteIni(
        "[General]\nSavePos=OFF\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\n"
        "VisibleCh17=ON\n");
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    channel = windows->Channel();
    ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
    form->findChild<QAction*>("MN_Wnd_Combi1")->trigger();
    Settle();
  }

  void Settle() {
    QApplication::processEvents();
    if (channel->isVisible()) channel->grab();
  }

  QPoint Crossing(int i, int j) const {
    const TVQRDiagram* d = form->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }

  double HoursOf(int sample) const {
    return form->DataObject()->Recording().Store()->Samples[sample].Seconds / 3600.0;
  }

  /// The mouse over p of the channel window. Delivered to it directly: on
  /// the offscreen platform QTest's move goes to whichever window lies
  /// topmost under the point, the main window here.
  void Hover(QPoint p) {
    QMouseEvent move(QEvent::MouseMove, p, channel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(channel, &move);
  }

  void Key(const char* text) {
    QTest::keyClicks(channel, text);
    Settle();
  }

  std::unique_ptr<TDiagramWindows> windows;
  TF_SChannel* channel = nullptr;
};

TEST_F(Cursor, ReadOutFollowsTheMouseAndMarkersFillMesswerte) {
  OpenCombination();
  ASSERT_TRUE(channel->isVisible());
  EXPECT_EQ(channel->CursorSample(), 0);
  EXPECT_TRUE(channel->Readout().Lines.empty());

  // Four hours a division: the crossing 3 is at 12 h, a sample every 3 minutes.
  Hover(Crossing(3, 2));
  const int a = channel->CursorSample();
  ASSERT_GT(a, 0);
  EXPECT_NEAR(HoursOf(a), 12.0, 0.05);
  const auto& lines = channel->Readout().Lines;
  ASSERT_EQ(lines.size(), 4u);  // time, channels 1 and 3, temperature
  EXPECT_EQ(lines[0].Text.substr(0, 2), "12") << lines[0].Text;
  EXPECT_NE(lines[0].Text.find("(12:"), std::string::npos) << lines[0].Text;
  std::string ch1 = "Kanal 1: ";
  AppendFixed(ch1, DrawnValue(*form->DataObject(), a, 1),
              form->DataObject()->Axes().Value().Decimals + 2);
  EXPECT_EQ(lines[1].Text, ch1 + " McF");
  EXPECT_EQ(lines[3].Text.substr(0, 3), "T: ");
  // The box stands beside the cursor line, never over the values it reports.
  const TRect box = channel->Readout().Box;
  const int x = channel->Readout().CursorX;
  EXPECT_TRUE(box.left > x || box.right < x);

  Key("m");
  EXPECT_EQ(channel->MarkA(), a);
  Hover(Crossing(6, 2));
  const int b = channel->CursorSample();
  EXPECT_NEAR(HoursOf(b), 24.0, 0.05);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  Key("M");
  EXPECT_EQ(channel->MarkB(), b);
  TF_Measurements* values = channel->Measurements();
  ASSERT_TRUE(values->isVisible());
  EXPECT_EQ(values->windowTitle(), QString::fromUtf8("Messwerte – hours40.DAT"));

  // Ctrl+C in the table copies all of it, numbers with a decimal comma,
  // every line with the file and the markers' times in front.
  auto* table = values->findChild<QTableWidget*>("Tb_Messwerte");
  ASSERT_EQ(table->rowCount(), 3);
  QApplication::clipboard()->clear();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  const QStringList rows = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 4);
  EXPECT_TRUE(rows[0].startsWith("Datei\tvon [h]\tbis [h]\tKurve\tWert A\tWert B\tB - A\t"))
      << rows[0].toStdString();
  const QStringList kanal1 = rows[1].split('\t');
  ASSERT_EQ(kanal1.size(), 16);
  EXPECT_EQ(kanal1[0], "hours40.DAT");
  const auto& samples = form->DataObject()->Recording().Store()->Samples;
  EXPECT_EQ(kanal1[1], QString::fromStdString(HoursBoundText(samples[a].Seconds, TTimeBound::From))
                           .replace('.', ','));
  EXPECT_EQ(
      kanal1[2],
      QString::fromStdString(HoursBoundText(samples[b].Seconds, TTimeBound::To)).replace('.', ','));
  EXPECT_EQ(kanal1[3], "Kanal 1");
  EXPECT_EQ(kanal1[8], QString::number(b - a + 1));
  const TCurveStats st = CurveStatsOfSamples(*form->DataObject(), 1, a, b);
  EXPECT_EQ(QLocale().toDouble(kanal1[13]),
            QLocale().toDouble(
                QLocale().toString(st.Mean, 'f', form->DataObject()->Axes().Value().Decimals + 3)));
  EXPECT_TRUE(kanal1[4].contains(',')) << kanal1[4].toStdString();
  // An edit command with both markers set: the table follows the new values.
  const QString before = table->item(0, 1)->text();
  form->findChild<QAction*>("Mn_Edit_Zero")->trigger();
  Settle();
  EXPECT_NE(table->item(0, 1)->text(), before);

  // A third "M" clears both markers; leaving the plot hides the read-out.
  Key("m");
  EXPECT_EQ(std::pair(channel->MarkA(), channel->MarkB()), std::pair(0, 0));
  Hover(QPoint(2, 2));
  EXPECT_EQ(channel->CursorSample(), 0);
  EXPECT_TRUE(channel->Readout().Lines.empty());
}

// Without a mouse: the arrow keys bring the cursor onto the plot and step
// it a sample at a time, so "M" sets the markers from the keyboard alone.
TEST_F(Cursor, ArrowKeysStepTheCursorForMarkersWithoutAMouse) {
  OpenCombination();
  QTest::keyClick(channel, Qt::Key_Right);
  const int start = channel->CursorSample();
  ASSERT_GT(start, 0);
  EXPECT_NEAR(HoursOf(start), 24.0, 0.1);  // the middle of 48 hours
  EXPECT_EQ(channel->Readout().Lines.size(), 4u);
  Key("m");
  QTest::keyClick(channel, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(channel, Qt::Key_Left);
  EXPECT_EQ(channel->CursorSample(), start + 9);
  Key("m");
  EXPECT_EQ(std::pair(channel->MarkA(), channel->MarkB()), std::pair(start, start + 9));
  EXPECT_TRUE(channel->Measurements()->isVisible());
  // Past the last sample it stays on it.
  for (int i = 0; i < 60; ++i) QTest::keyClick(channel, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(channel->CursorSample(), DrawnSampleCount(*form->DataObject()));
}

TEST_F(Cursor, DragZoomEqualsTheTwoClickZoom) {
  OpenCombination();
  TVqrDataObjectNew* d = form->DataObject();
  const AxisRange fullX = d->Axes().Time(), fullY = d->Axes().Value();
  const QPoint nudge(2, -2);
  const QPoint from = Crossing(1, 1) + nudge, to = Crossing(3, 4) - nudge;
  for (const QPoint p : {from, to}) {
    QTest::mouseMove(channel, p);
    QTest::mouseClick(channel, Qt::LeftButton, {}, p);
  }
  Settle();
  ASSERT_TRUE(channel->Controller().Zoomed());
  const AxisRange clickX = d->Axes().Time(), clickY = d->Axes().Value();
  Key("z");
  ASSERT_EQ(d->Axes().Time(), fullX);

  // A drag shorter than one division does nothing, not even start a band.
  QTest::mousePress(channel, Qt::LeftButton, {}, from);
  QTest::mouseMove(channel, from + QPoint(12, 0));
  QTest::mouseRelease(channel, Qt::LeftButton, {}, from + QPoint(12, 0));
  Settle();
  EXPECT_FALSE(channel->Controller().Zoomed() || channel->Controller().Defining());
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  EXPECT_EQ(d->Axes().Time(), fullX);

  // Esc drops a drag; letting the button go then starts nothing.
  QTest::mousePress(channel, Qt::LeftButton, {}, to);
  QTest::mouseMove(channel, from);
  QTest::keyClick(channel, Qt::Key_Escape);
  QTest::mouseRelease(channel, Qt::LeftButton, {}, from);
  Settle();
  EXPECT_FALSE(channel->Controller().Zoomed() || channel->Controller().Defining());

  QTest::mousePress(channel, Qt::LeftButton, {}, to);
  QTest::mouseMove(channel, (from + to) / 2);
  EXPECT_EQ(channel->ZoomStateText(), "Zoom definieren...");
  // While the band is drawn the read-out shows its time range.
  ASSERT_EQ(channel->Readout().Lines.size(), 1u);
  EXPECT_EQ(channel->Readout().Lines[0].Text.substr(0, 6), "Zoom: ");
  QTest::mouseMove(channel, from);
  QTest::mouseRelease(channel, Qt::LeftButton, {}, from);
  Settle();
  ASSERT_TRUE(channel->Controller().Zoomed());
  EXPECT_EQ(channel->ZoomStateText(), "Zoom");
  EXPECT_EQ(d->Axes().Time(), clickX);
  EXPECT_EQ(d->Axes().Value(), clickY);
  EXPECT_NE(d->Axes().Value(), fullY);
}

TEST_F(Cursor, WheelKeysAndMiddleDragZoomAndPanThroughAHistory) {
  OpenCombination();
  TVqrDataObjectNew* d = form->DataObject();
  const TAxisSet full = d->Axes().All();
  const QImage start = channel->grab().toImage();
  auto wheel = [this](QPoint p, int notches, Qt::KeyboardModifiers m) {
    QWheelEvent e(p, channel->mapToGlobal(p), {}, QPoint(0, 120 * notches), Qt::NoButton, m,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(channel, &e);
    Settle();
  };
  auto mouse = [this](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
    QMouseEvent e(type, p, channel->mapToGlobal(p), Qt::MiddleButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(channel, &e);
  };
  std::vector<TAxisSet> steps{full};
  wheel(Crossing(5, 3), 3, Qt::NoModifier);
  steps.push_back(d->Axes().All());
  EXPECT_LT(steps.back().Time.Span, full.Time.Span);
  EXPECT_EQ(steps.back().Value, full.Value);
  wheel(Crossing(5, 3), 1, Qt::ControlModifier);
  steps.push_back(d->Axes().All());
  EXPECT_LT(steps.back().Value.Span, full.Value.Span);
  wheel(Crossing(5, 3), 2, Qt::ShiftModifier);
  steps.push_back(d->Axes().All());
  EXPECT_LT(steps.back().Temp.Span, full.Temp.Span);
  QTest::keyClick(channel, Qt::Key_Right, Qt::ControlModifier);
  Settle();
  steps.push_back(d->Axes().All());
  EXPECT_GT(AxisLow(steps.back().Time), AxisLow(steps[3].Time));
  // The middle button drags the picture with it: a tick step to the right
  // shows the times a tick step earlier.
  mouse(QEvent::MouseButtonPress, Crossing(5, 3), Qt::MiddleButton);
  mouse(QEvent::MouseMove, Crossing(6, 3), Qt::MiddleButton);
  mouse(QEvent::MouseButtonRelease, Crossing(6, 3), Qt::NoButton);
  Settle();
  steps.push_back(d->Axes().All());
  const AxisRange& t = steps[4].Time;
  const double perPixel =
      t.Span / (form->Diagram()->PlotRect().right - form->Diagram()->PlotRect().left);
  EXPECT_NEAR(AxisLow(steps.back().Time), AxisLow(t) - t.TickStep * 3600.0, 2 * perPixel);
  EXPECT_EQ(channel->ZoomStateText(), "Zoom 5 von 5");

  for (int i = 4; i >= 0; --i) {
    QTest::keyClick(channel, Qt::Key_Left, Qt::AltModifier);
    Settle();
    EXPECT_EQ(d->Axes().All(), steps[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  channel->findChild<QAction*>("PMn_ZoomForward")->trigger();
  channel->findChild<QAction*>("PMn_ZoomForward")->trigger();
  Settle();
  EXPECT_EQ(d->Axes().All(), steps[2]);
  EXPECT_EQ(channel->ZoomStateText(), "Zoom 2 von 5");
  Key("z");
  EXPECT_EQ(d->Axes().All(), full);
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  EXPECT_EQ(channel->grab().toImage(), start) << "the full scale looks as at the start";
}

}  // namespace

namespace {

TEST_F(Cursor, RecordingPanelShowsTheRunAndEveryChannel) {
  OpenCombination();
  form->findChild<QAction*>("Mn_Wnd_Recording")->trigger();
  auto* panel = form->findChild<TF_Recording*>("F_Recording");
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->windowTitle(), "Aufzeichnung");
  const QString facts = panel->FactsText();
  EXPECT_TRUE(facts.contains("hours40.DAT")) << facts.toStdString();
  EXPECT_TRUE(facts.contains("\nMesswerte: 800\n")) << facts.toStdString();
  auto* table = panel->findChild<QTableWidget*>("Tb_RecordingChannels");
  ASSERT_EQ(table->rowCount(), 17);
  EXPECT_EQ(table->item(16, 0)->text(), "Temperatur");
  EXPECT_FALSE(table->item(0, 3)->text().isEmpty());
}

}  // namespace

namespace {

// The two read-only windows close with Esc, from wherever their focus is.
TEST_F(Cursor, EscClosesMesswerteAndAufzeichnung) {
  OpenCombination();
  form->findChild<QAction*>("Mn_Wnd_Recording")->trigger();
  channel->findChild<QAction*>("PMn_Measurements")->trigger();
  for (QWidget* window : {static_cast<QWidget*>(form->findChild<TF_Recording*>()),
                          static_cast<QWidget*>(channel->Measurements())}) {
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible()) << window->objectName().toStdString();
    QTest::keyClick(window->findChild<QTableWidget*>(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
  }
}

TEST_F(Cursor, FarbenVerteilenGivesEveryCurveItsOwnColour) {
  OpenCombination();
  form->findChild<QPushButton*>("Bt_C1_Colors")->click();
  // Taken as picked colours: "Anwenden" draws the combination with them.
  form->findChild<QPushButton*>("Bt_C1_Apply")->click();
  Settle();
  const TChannelPens& pens = form->Diagram()->ChannelPens();
  std::set<int32_t> colours;
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    colours.insert(pens[ch].Color);
    const QString id = ch == kTempChannel ? QString("T") : QString::number(ch);
    EXPECT_EQ(form->findChild<TZTEditField*>(QString("Ed_Combi1Ch%1Col").arg(id))->ColorCode(),
              pens[ch].Color);
  }
  EXPECT_EQ(colours.size(), 17u);
  EXPECT_EQ(pens[1].Color, 0xB27200);
  // The other combination keeps its fields.
  EXPECT_NE(form->findChild<TZTEditField*>("Ed_Combi2Ch1Col")->ColorCode(), 0xB27200);
}

}  // namespace

namespace {

TEST(RenderCursor, DrawsTheReadOutOnlyWhenAsked) {
  QTemporaryDir dir;
  const QString ini = VQR_SOURCE_DIR "/docs/diagram-example.INI";
  const QString plain = dir.filePath("plain.png"), cursor = dir.filePath("cursor.png");
  const QString marks = dir.filePath("marks.png");
  auto render = [&](const QString& out, const QStringList& extra) {
    return Exec(VQR_BINARY_DIR "/vqrtool",
                QStringList{"render", QString::fromStdString(SamplePath("hours40.DAT")), "--ini",
                            ini, "--size", "600x400", "-o", out} +
                    extra);
  };
  ASSERT_EQ(render(plain, {}).status, 0);
  ASSERT_EQ(render(cursor, {"--cursor", "12"}).status, 0);
  ASSERT_EQ(render(marks, {"--cursor", "12,30"}).status, 0);
  const QImage a(plain), b(cursor), c(marks);
  // The cursor line in its grey across the plot (a few text pixels have
  // that grey anyway); with two markers dashed lines instead of it.
  const QColor grey(0x50, 0x50, 0x50);
  EXPECT_GT(CountPixels(b, grey), CountPixels(a, grey) + 200);
  EXPECT_LT(CountPixels(c, grey), CountPixels(a, grey) + 20);
  EXPECT_GT(CountPixels(c, Qt::black), CountPixels(a, Qt::black) + 200);
  EXPECT_NE(c, b);
  EXPECT_EQ(render(dir.filePath("x.png"), {"--cursor", "12;3"}).status, 64);
}

// "Messwerte" with a compared recording: one column group per recording over
// the same time range, each on its own samples, and the differences of the
// compared one to the open one.
TEST(CompareMesswerte, OneColumnGroupPerRecording) {
  TVQRSession session;
  ASSERT_EQ(session.Load(SamplePath("hours40.DAT")), TLoadStatus::Ok);
  ASSERT_EQ(session.AddCompared(SamplePath("days10.DAT")), TLoadStatus::Ok);
  session.PrepareWindow(kCombi1Mode);
  for (int ch = 1; ch <= kTempChannel; ++ch)
    session.Diagram().ChannelPens()[ch].Visible = ch == kTempChannel;
  TF_Measurements values;
  values.ShowRange(session.Diagram(), 100, 300);
  const QStringList rows = values.TableText().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 2);
  const QStringList header = rows[0].split('\t'), t = rows[1].split('\t');
  ASSERT_EQ(header.size(), 3 + 1 + 12 + 15);
  ASSERT_EQ(t.size(), header.size());
  EXPECT_EQ(header[4], "Wert A (hours40.DAT)");
  EXPECT_EQ(header[16], "Wert A (days10.DAT)");
  EXPECT_EQ(header[30], QString::fromUtf8("Δ Mittel (days10.DAT)"));

  // The compared run's samples in the open run's range, summed here.
  const TVQRDataObject& own = *session.Data().Recording().Store();
  const TVQRDataObject& other = *session.ComparedData(0).Recording().Store();
  const int32_t from = own.Samples[100].Seconds, to = own.Samples[300].Seconds;
  int n = 0;
  double sum = 0.0, ownSum = 0.0;
  for (int i = 1; !other.Samples[i].IsEmpty(); ++i)
    if (other.Samples[i].Seconds >= from && other.Samples[i].Seconds <= to)
      ++n, sum += other.Samples[i].Cal[kTempChannel];
  for (int i = 100; i <= 300; ++i) ownSum += own.Samples[i].Cal[kTempChannel];
  const struct {
    int column;
    double want;
  } cells[] = {
      {5, 201}, {10, ownSum / 201}, {17, 1.0 * n}, {22, sum / n}, {27, sum / n - ownSum / 201}};
  for (const auto& c : cells)
    EXPECT_NEAR(QLocale().toDouble(t[3 + c.column]), c.want, 0.006) << c.column;
  EXPECT_GT(n, 10);
}

// A channel window's curve is chosen by its number, also before it is drawn:
// the table refreshed at once after a zoom or an edit keeps its row.
TEST(ChannelMesswerte, TheWindowsChannelBeforeTheFirstPaint) {
  TVQRSession session;
  ASSERT_EQ(session.Load(SamplePath("hours40.DAT")), TLoadStatus::Ok);
  session.PrepareWindow(3);
  TF_Measurements values;
  values.ShowRange(session.Diagram(), 100, 300);
  const QStringList rows = values.TableText().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[1].split('\t').value(3), "Kanal 3") << rows[1].toStdString();
}

}  // namespace

namespace {

/// The copy's lines split into fields; the text ends with its last line.
std::vector<QStringList> CopiedFields(const QString& text) {
  std::vector<QStringList> rows;
  EXPECT_TRUE(text.endsWith('\n'));
  for (const QString& line : text.chopped(text.endsWith('\n') ? 1 : 0).split('\n'))
    rows.push_back(line.split('\t'));
  return rows;
}

// "Messwerte" shows what the diagram shows: a new recording closes it with
// its diagram, and a comparison begun or ended, which drops the markers from
// the diagram, drops them from the table too.
TEST_F(Cursor, MesswerteFollowsTheRecordingTheComparisonAndTheMarkers) {
  const QString days10 = QString::fromStdString(SamplePath("days10.DAT"));
  const struct {
    const char* name;
    bool compareFirst;
    const char* action;
    bool open;  // the table is still shown afterwards
  } cases[] = {
      {"Datei/Öffnen", false, "Mn_File_Open", false},
      {"Vergleichen mit", false, "Mn_File_Compare", true},
      {"Vergleich beenden", true, "Mn_File_CompareEnd", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenCombination();
    form->ChooseFiles = [&](const TFileRequest&) { return QStringList{days10}; };
    nextFile = days10;
    if (c.compareFirst) {
      form->findChild<QAction*>("Mn_File_Compare")->trigger();
      Settle();
    }
    Hover(Crossing(3, 2));
    Key("m");
    Hover(Crossing(6, 2));
    Key("m");
    TF_Measurements* values = channel->Measurements();
    ASSERT_TRUE(values->isVisible());
    ASSERT_TRUE(values->findChild<QLabel*>("Lb_Messwerte")->text().startsWith("Marke A bei"));

    form->findChild<QAction*>(c.action)->trigger();
    Settle();
    EXPECT_EQ(values->isVisible(), c.open);
    if (c.open) {
      EXPECT_EQ(std::pair(channel->MarkA(), channel->MarkB()), std::pair(0, 0));
      EXPECT_TRUE(
          values->findChild<QLabel*>("Lb_Messwerte")->text().startsWith("Angezeigter Zeitbereich"));
      // The whole time axis, as the diagram now shows it.
      double from = 0.0, to = 0.0;
      TimeAxisRange(*form->DataObject(), from, to);
      const auto rows = CopiedFields(values->TableText());
      ASSERT_EQ(rows.size(), 4u);
      EXPECT_EQ(rows[1].mid(0, 3),
                (QStringList{"hours40.DAT",
                             QString::fromStdString(HoursBoundText(from, TTimeBound::From)),
                             QString::fromStdString(HoursBoundText(to, TTimeBound::To))}));
      EXPECT_EQ(QLocale().toDouble(rows[1][8]), CurveStats(*form->DataObject(), 1, from, to).Count);
    }
    // Shown again, it names the recording now open.
    Hover(Crossing(3, 2));
    channel->findChild<QAction*>("PMn_Measurements")->trigger();
    EXPECT_EQ(values->windowTitle(),
              QString::fromUtf8("Messwerte – ") + (c.open ? "hours40.DAT" : "days10.DAT"));
    windows.reset();
    form.reset();
  }
}

// The times "Messwerte" gives for the markers, read back by vqrtool stats as
// --from and --to, take the same samples: the same count of them.
TEST(MesswerteTimes, VqrtoolStatsTakesTheSameSamples) {
  TVQRSession session;
  const std::string path = SamplePath("hours40.DAT");
  ASSERT_EQ(session.Load(path), TLoadStatus::Ok);
  session.PrepareWindow(1);
  const auto& samples = session.Data().Recording().Store()->Samples;
  const int n = DrawnSampleCount(session.Data());
  int at12 = 1;  // the sample at 12.0075 h, which three decimals miss
  while (at12 < n && samples[at12].Seconds < 43227) ++at12;
  ASSERT_EQ(samples[at12].Seconds, 43227);
  const std::pair<int, int> pairs[] = {
      {at12, at12 + 240}, {at12, at12}, {at12 + 7, at12 - 3}, {1, n}, {2, 3}, {n - 1, n},
      {123, 456},         {777, 31}};
  for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
    QLocale::setDefault(locale);
    for (const auto& [a, b] : pairs) {
      SCOPED_TRACE(testing::Message() << locale.name().toStdString() << " " << a << " " << b);
      TF_Measurements values;
      values.ShowRange(session.Diagram(), a, b, "hours40.DAT");
      const auto rows = CopiedFields(values.TableText());
      ASSERT_EQ(rows.size(), 2u);
      const QStringList& row = rows[1];
      ASSERT_EQ(row.size(), rows[0].size());
      EXPECT_EQ(row[8].toInt(), std::abs(b - a) + 1);
      // The caption shows the same texts as the copy.
      const QString caption = values.findChild<QLabel*>("Lb_Messwerte")->text();
      EXPECT_TRUE(caption.contains(row[1]) && caption.contains(row[2])) << caption.toStdString();
      QString from = row[1], to = row[2];
      from.replace(locale.decimalPoint(), ".");
      to.replace(locale.decimalPoint(), ".");
      const ProcessRun run =
          Exec(VQR_BINARY_DIR "/vqrtool", {"stats", QString::fromStdString(path), "--defaults",
                                           "--window", "1", "--csv", "--from", from, "--to", to});
      ASSERT_EQ(run.status, 0) << run.err.toStdString();
      EXPECT_EQ(run.out.split('\n').value(1).split(',').value(1), row[8]) << run.out.toStdString();
    }
  }
  QLocale::setDefault(QLocale::c());
}

// A file name may hold any byte: the copy keeps every line, header included,
// to the same fields, with the names escaped, and stays valid UTF-8.
TEST(MesswerteCopy, HostileFileNamesKeepEveryLineItsFields) {
  const std::string names[] = {"tab\there.DAT",  "new\nline.DAT",       "cr\rhere.DAT",
                               "\"quoted\".DAT", "latin1 \xe4\xff.DAT", "both\t\"\n.DAT"};
  QTemporaryDir dir;
  std::vector<std::string> written;  // names Qt cannot decode are removed here
  QFile sample(QString::fromStdString(SamplePath("hours40.DAT")));
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
  const QByteArray bytes = sample.readAll();
  auto write = [&](const std::string& name) {
    const std::string path = dir.path().toStdString() + "/" + name;
    written.push_back(path);
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << name;
    if (f) {
      std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), f);
      std::fclose(f);
    }
    return path;
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    TVQRSession session;
    ASSERT_EQ(session.Load(write(name)), TLoadStatus::Ok);
    ASSERT_EQ(session.AddCompared(write("other " + name)), TLoadStatus::Ok);
    session.PrepareWindow(kCombi1Mode);
    for (int ch = 1; ch <= kTempChannel; ++ch)
      session.Diagram().ChannelPens()[ch].Visible = ch <= 2;
    TF_Measurements values;
    values.ShowRange(session.Diagram(), 100, 300, session.Name());
    const QString text = values.TableText();
    EXPECT_EQ(QString::fromUtf8(text.toUtf8()), text);
    const auto rows = CopiedFields(text);
    ASSERT_EQ(rows.size(), 3u);
    for (const QStringList& row : rows) EXPECT_EQ(row.size(), rows[0].size());
    const QString escaped = QString::fromStdString(EscapedText(name));
    EXPECT_EQ(rows[1][0], QString::fromStdString(TableField(name, '\t')));
    EXPECT_EQ(rows[0][4], "Wert A (" + escaped + ")");
    EXPECT_EQ(rows[0][16], "Wert A (" + QString::fromStdString(EscapedText("other " + name)) + ")");
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_TRUE(values.windowTitle().startsWith("Messwerte"));
    EXPECT_FALSE(values.windowTitle().contains('\n'));
  }
  for (const std::string& path : written) std::remove(path.c_str());
}

}  // namespace

namespace {

// The read-out box writes its numbers as "Messwerte" does, in the program's
// locale.
TEST_F(Cursor, ReadOutUsesTheDecimalPointOfMesswerte) {
  const struct {
    QLocale locale;
    const char* point;
  } cases[] = {{QLocale::c(), "."}, {QLocale(QLocale::German, QLocale::Germany), ","}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.point);
    QLocale::setDefault(c.locale);
    OpenCombination();
    Hover(Crossing(3, 2));
    const int a = channel->CursorSample();
    const auto& lines = channel->Readout().Lines;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Text.substr(0, 3), std::string("12") + c.point) << lines[0].Text;
    std::string ch1 = FixedText(DrawnValue(*form->DataObject(), a, 1),
                                form->DataObject()->Axes().Value().Decimals + 2);
    ch1.replace(ch1.find('.'), 1, c.point);
    EXPECT_EQ(lines[1].Text, "Kanal 1: " + ch1 + " McF");
    // "Messwerte" writes the same decimal point.
    Key("m");
    Hover(Crossing(6, 2));
    Key("m");
    const auto* table = channel->Measurements()->findChild<QTableWidget*>("Tb_Messwerte");
    EXPECT_TRUE(table->item(0, 1)->text().contains(c.point))
        << table->item(0, 1)->text().toStdString();
    windows.reset();
    form.reset();
  }
}

// However the channel window lies on the screen, "Messwerte" opens on it whole.
TEST_F(Cursor, MesswerteOpensWhollyOnTheScreen) {
  OpenCombination();
  const QRect area = channel->screen()->availableGeometry();
  const QPoint corners[] = {area.topLeft(), area.bottomRight() - QPoint(350, 250),
                            QPoint(area.left(), area.bottom() - 250),
                            QPoint(area.right() - 320, area.top())};
  for (const QPoint& corner : corners) {
    SCOPED_TRACE(testing::Message() << corner.x() << "," << corner.y());
    channel->resize(340, 240);
    channel->move(corner);
    Settle();
    Hover(Crossing(1, 1));
    Key("m");
    Hover(Crossing(2, 1));
    Key("m");
    TF_Measurements* values = channel->Measurements();
    ASSERT_TRUE(values->isVisible());
    EXPECT_TRUE(area.contains(values->frameGeometry()))
        << values->frameGeometry().x() << "," << values->frameGeometry().y() << " "
        << values->frameGeometry().width() << "x" << values->frameGeometry().height();
    QTest::keyClick(values->findChild<QTableWidget*>(), Qt::Key_Escape);
    Key("m");  // the markers cleared for the next place
  }
}

// "Achsen..." takes numbers in the locale and shows them again as typed;
// "Marke bei..." snaps to the nearest sample.
TEST_F(Cursor, TypedRangesAndMarkerTimes) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  OpenCombination();
  TVqrDataObjectNew* d = form->DataObject();
  const TAxisSet full = d->Axes().All();
  auto inDialog = [](const char* name, std::function<void(QDialog&)> fill) {
    QTimer::singleShot(0, [name, fill] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dlg = qobject_cast<QDialog*>(w); dlg && dlg->objectName() == name) fill(*dlg);
    });
  };
  auto set = [](QDialog& dlg, const char* name, const QString& text) {
    dlg.findChild<QLineEdit*>(name)->setText(text);
  };
  inDialog("Dlg_Axes", [&](QDialog& dlg) {
    dlg.findChild<QCheckBox*>("CB_TimeAuto")->setChecked(false);
    set(dlg, "Ed_TimeFrom", "12,5");
    set(dlg, "Ed_TimeTo", "17,25");
    dlg.findChild<QCheckBox*>("CB_TempAuto")->setChecked(false);
    set(dlg, "Ed_TempFrom", "-3");
    set(dlg, "Ed_TempTo", "31,5");
    dlg.accept();
  });
  channel->findChild<QAction*>("PMn_Axes")->trigger();
  Settle();
  EXPECT_EQ(AxisLow(d->Axes().Time()), 12.5 * 3600);
  EXPECT_EQ(AxisHigh(d->Axes().Time()), 17.25 * 3600);
  EXPECT_EQ(d->Axes().Value(), full.Value);
  EXPECT_EQ(AxisLow(d->Axes().Temp()), -3.0);
  EXPECT_EQ(channel->ZoomStateText(), "Zoom 1 von 1");
  QStringList shown;
  inDialog("Dlg_Axes", [&](QDialog& dlg) {
    for (const char* n : {"Ed_TimeFrom", "Ed_TimeTo", "Ed_TempTo"})
      shown << dlg.findChild<QLineEdit*>(n)->text();
    dlg.reject();
  });
  channel->findChild<QAction*>("PMn_Axes")->trigger();
  EXPECT_EQ(shown, (QStringList{"12,5", "17,25", "31,5"}));

  // The sample nearest 12,52 h, its time shown as it is.
  QString snapped;
  inDialog("Dlg_MarkAt", [&](QDialog& dlg) {
    EXPECT_FALSE(dlg.findChild<QRadioButton*>("RB_MarkB")->isEnabled());
    set(dlg, "Ed_MarkTime", "12,52");
    snapped = dlg.findChild<QLabel*>("LB_MarkSnapped")->text();
    dlg.accept();
  });
  channel->findChild<QAction*>("PMn_MarkAt")->trigger();
  Settle();
  const int near = NearestSample(*d, 12.52 * 3600);
  ASSERT_GT(near, 0);
  EXPECT_EQ(channel->MarkA(), near);
  EXPECT_NE(snapped.indexOf(QLocale().toString(HoursOf(near), 'g', 7) + " Std"), -1)
      << snapped.toStdString();
  Key("z");
  EXPECT_EQ(d->Axes().All(), full);
  EXPECT_GT(channel->MarkA(), 0) << "markers stay through zooms";
}

}  // namespace
