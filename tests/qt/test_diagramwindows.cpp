// The overview and channel windows driven like a user does: menus, clicks on
// thumbnails and status-bar panels, the rubber band of the zoom and its keys,
// and the windows' places in the settings.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "chart/ui/DiagramWindows.h"
#include "chart/ui/Overview.h"
#include "chart/ui/SingleChannel.h"
#include "chart/vqrdiagram.h"
#include "data/atomicfile.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

namespace {

// Colours 0x00BBGGRR as the INI file holds them, and as drawn.
constexpr int kRedCode = 0x0000FF;
constexpr int kGreenCode = 0x00C000;
constexpr int kBlueCode = 0xFF0000;

int CountPixels(const QImage& image, QColor color) {
  int n = 0;
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += QColor(img.pixel(x, y)) == color;
  return n;
}

bool SameAxis(const AxisRange& a, const AxisRange& b) {
  return a.Divisions == b.Divisions && a.Span == b.Span && a.Start == b.Start;
}

}  // namespace

class DiagramWindows : public MainWindowFixture {
 protected:
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
  }

  /// Main window and both diagram windows over the INI text.
  void Start(const QByteArray& ini = QByteArray()) {
    WriteIni(ini);
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    overview = windows->Overview();
    channel = windows->Channel();
  }

  /// Closes the main window as the user does (the windows store their
  /// places, the settings are written), then ends everything.
  void Stop() {
    form->close();
    windows.reset();
    form.reset();
  }

  void Open(const char* sample = "hours40.DAT") {
    ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath(sample))));
  }

  /// Triggers a menu item and lets the window paint.
  void Menu(const char* name) {
    Find<QAction>(name)->trigger();
    Settle();
  }

  void Settle() {
    QApplication::processEvents();
    if (channel->isVisible()) channel->grab();  // paints: the grid is known from here on
  }

  /// Client pixel of the grid crossing (i, j): i divisions along the time
  /// axis, j divisions up the value axis.
  QPoint Crossing(int i, int j) const {
    const TVQRDiagram* d = form->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }

  void ClickAt(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, {}, p); }
  /// A mouse move and a click, as the rubber band is drawn.
  void MoveAndClick(QPoint p) {
    QTest::mouseMove(channel, p);
    ClickAt(channel, p);
  }
  void Band(QPoint from, QPoint to) {
    MoveAndClick(from);
    MoveAndClick(to);
    Settle();
  }

  void Key(const char* text) {
    QTest::keyClicks(channel, text);
    Settle();
  }

  /// A click at x of a status bar, delivered to the widget under the point
  /// as a real click would be.
  void ClickStatusBar(TZTStatusBar* bar, int x) {
    const QPoint p(x, bar->height() / 2);
    QWidget* target = bar->childAt(p);
    if (!target) target = bar;
    ClickAt(target, target->mapFrom(bar, p));
  }

  /// x inside panel i of a status bar.
  static int InsidePanel(TZTStatusBar* bar, int i) {
    return bar->Panel(i)->x() + bar->Panel(i)->width() / 2;
  }

  std::unique_ptr<TDiagramWindows> windows;
  TF_Overview* overview = nullptr;
  TF_SChannel* channel = nullptr;
};

// ---------------------------------------------------------------- opening

TEST_F(DiagramWindows, MenusOpenChannelsAndCombinationsOnTheirPages) {
  Start(QByteArray("[General]\nSavePos=OFF\n[SingleWindow]\nColorCh7=") +
        QByteArray::number(kRedCode) + "\nColorCh3=" + QByteArray::number(kGreenCode) +
        "\n[Axis3]\nColor=" + QByteArray::number(kBlueCode) +
        "\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\nVisibleCh6=ON\n"
        "[CombiWindow2]\nVisibleCh2=ON\nVisibleCh17=ON\n");
  Open();
  const QColor red(255, 0, 0), green(0, 0xC0, 0), blue(0, 0, 255);
  struct Case {
    const char* item;
    const char* caption;
    const char* page;
    int curves;
    bool redDrawn, greenDrawn, tAxis;
  };
  const Case cases[] = {
      {"Mn_Wnd_Ch7", "Messkanal 7", "TS_Single", 1, true, false, false},
      {"Mn_Wnd_Ch3", "Messkanal 3", "TS_Single", 1, false, true, false},
      {"MN_Wnd_Combi1", "Messkanal-Kombination 1", "TS_Combi1", 3, false, false, false},
      {"MN_Wnd_Combi2", "Messkanal-Kombination 2", "TS_Combi2", 2, false, false, true},
  };
  for (const Case& c : cases) {
    form->Pages()->setCurrentIndex(0);
    Menu(c.item);
    ASSERT_TRUE(channel->isVisible()) << c.item;
    EXPECT_EQ(channel->windowTitle(), c.caption);
    EXPECT_EQ(form->Pages()->currentWidget()->objectName(), c.page) << c.item;
    EXPECT_EQ(form->CurveCount, c.curves) << c.item;
    const QImage image = channel->grab().toImage();
    EXPECT_EQ(CountPixels(image, red) > 50, c.redDrawn) << c.item;
    EXPECT_EQ(CountPixels(image, green) > 50, c.greenDrawn) << c.item;
    EXPECT_EQ(CountPixels(image, blue) > 50, c.tAxis) << c.item;
  }
  // "Anwenden" takes the page's check boxes anew.
  Find<QCheckBox>("CB_Combi2Ch9")->setChecked(true);
  Find<QPushButton>("Bt_C2_Apply")->click();
  EXPECT_EQ(form->CurveCount, 3);
  EXPECT_EQ(form->BeepCount, 0);
}

TEST_F(DiagramWindows, RefusedRequestsOnlyBeep) {
  Start();
  // Before the first recording nothing happens at all.
  form->OpenDiagramWindow(1);
  Find<QAction>("Mn_OverviewFilled")->trigger();
  EXPECT_EQ(form->BeepCount, 0);
  form->OpenDataFile(Path("missing.DAT"));
  EXPECT_FALSE(overview->isVisible());
  Find<QAction>("Mn_Overview")->trigger();
  EXPECT_EQ(form->BeepCount, 1);

  Open();
  for (int mode : {0, 17, 20, -3}) form->OpenDiagramWindow(mode);
  EXPECT_EQ(form->BeepCount, 5);
  EXPECT_FALSE(channel->isVisible());
  Find<QPushButton>("Bt_SC_Apply")->click();  // no channel window to apply to
  EXPECT_EQ(form->BeepCount, 6);

  // A file that does not decode still shows what the store holds.
  WriteFile(Path("bad.DAT"), QByteArray(39 * 40, '\xA5'));
  EXPECT_FALSE(form->OpenDataFile(Path("bad.DAT")));
  EXPECT_TRUE(overview->isVisible());
  Menu("MN_Wnd_Combi1");
  Band(QPoint(40, 40), QPoint(200, 150));
  EXPECT_TRUE(channel->isVisible());
}

// ---------------------------------------------------------------- overview

TEST_F(DiagramWindows, FileOpenShowsTheOverviewInPointsOrCurve) {
  Start();
  Open();
  ASSERT_TRUE(overview->isVisible());
  EXPECT_EQ(overview->windowTitle(), "Übersicht Mess-Kanal  1 - 16");
  TZTStatusBar* bar = overview->StatusPanels();
  const QImage points = overview->grab().toImage();
  EXPECT_TRUE(bar->PanelText(2).startsWith("Skala H : ")) << bar->PanelText(2).toStdString();
  Find<QAction>("Mn_OverviewFilled")->trigger();
  EXPECT_TRUE(form->Settings()->OverviewWindowFillPixel->GetBool(1));
  const QImage curve = overview->grab().toImage();
  EXPECT_GT(CountPixels(curve, Qt::red), CountPixels(points, Qt::red));
  Find<QAction>("Mn_Overview")->trigger();
  EXPECT_FALSE(form->Settings()->OverviewWindowFillPixel->GetBool(1));
  EXPECT_EQ(overview->grab().toImage(), points);

  // The thumbnails follow the window's size, within its limits.
  overview->resize(1200, 900);
  EXPECT_EQ(overview->size(), QSize(900, 600));
  EXPECT_LT(overview->Cells()[16].PlotWidth, 400);
}

TEST_F(DiagramWindows, ThumbnailsOpenChannelsOrEditTheCombinationShown) {
  Start("[General]\nSavePos=OFF\n[CombiWindow2]\nVisibleCh3=ON\nVisibleCh5=ON\n");
  Open();
  auto clickCell = [&](int k) {
    const TOverviewCell& c = overview->Cells()[k];
    const int before = form->CurveCount;
    ClickAt(overview, QPoint(c.Left + c.Width / 2, c.Top + c.Height / 2));
    EXPECT_EQ(form->CurveCount, before);  // the request runs after the click
    Settle();
  };
  clickCell(6);
  EXPECT_EQ(channel->windowTitle(), "Messkanal 6");
  EXPECT_EQ(form->CurrentWindow, 6);

  // "Kombi 2..." opens combination 2; thumbnail 3 then removes channel 3
  // from it and a second click adds it again.
  ClickStatusBar(overview->StatusPanels(), InsidePanel(overview->StatusPanels(), 1));
  EXPECT_EQ(form->CurrentWindow, 6);
  Settle();
  EXPECT_EQ(form->CurrentWindow, 19);
  EXPECT_EQ(form->CurveCount, 2);
  auto* box = Find<QCheckBox>("CB_Combi2Ch3");
  clickCell(3);
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(form->CurveCount, 1);
  EXPECT_EQ(form->CurrentWindow, 19);
  clickCell(3);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(form->CurveCount, 2);

  // "Kombi 2..." again only redraws; "Kombi 1..." switches.
  ClickStatusBar(overview->StatusPanels(), InsidePanel(overview->StatusPanels(), 1));
  Settle();
  EXPECT_EQ(form->CurrentWindow, 19);
  EXPECT_EQ(form->CurveCount, 2);
  ClickStatusBar(overview->StatusPanels(), InsidePanel(overview->StatusPanels(), 0));
  Settle();
  EXPECT_EQ(form->CurrentWindow, 18);
  EXPECT_EQ(channel->windowTitle(), "Messkanal-Kombination 1");

  // Once the window is closed, a thumbnail opens the channel again.
  channel->close();
  EXPECT_EQ(form->CurrentWindow, 0);
  clickCell(3);
  EXPECT_TRUE(channel->isVisible());
  EXPECT_EQ(form->CurrentWindow, 3);
  EXPECT_TRUE(box->isChecked());
}

// ---------------------------------------------------------------- status bars

TEST_F(DiagramWindows, ClicksOnPanelBordersDoNothing) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch1");
  TZTStatusBar* sb = channel->StatusPanels();
  ASSERT_TRUE(channel->Gauge() && channel->Gauge()->IsAttached());

  TZTStatusBar* ob = overview->StatusPanels();
  for (TZTStatusBar* bar : {sb, ob}) {
    for (int i = 0; i < bar->PanelCount(); ++i) {
      const int left = bar->Panel(i)->x();
      for (int x : {left, left + bar->Panel(i)->width()}) {
        ClickStatusBar(bar, x);
        Settle();
      }
    }
  }
  EXPECT_EQ(form->BeepCount, 0);
  EXPECT_EQ(form->CurrentWindow, 1);
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");

  // Inside: panel 0 asks the main window to print once this click is done
  // (nothing prints yet: it beeps); panel 1 does nothing; panel 2 toggles
  // the zoom, which beeps as none is available.
  ClickStatusBar(sb, InsidePanel(sb, 0));
  EXPECT_EQ(form->BeepCount, 0);
  Settle();
  EXPECT_EQ(form->BeepCount, 1);
  ClickStatusBar(sb, InsidePanel(sb, 1));
  Settle();
  EXPECT_EQ(form->BeepCount, 1);
  ClickStatusBar(sb, InsidePanel(sb, 2));
  EXPECT_EQ(form->BeepCount, 2);
}

// ---------------------------------------------------------------- zoom

TEST_F(DiagramWindows, RubberBandGivesTheSameZoomInEveryDirection) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch2");
  TVqrDataObjectNew* d = form->DataObject();
  const AxisRange fullX = d->TimeAxis, fullY = d->ValueAxis;
  ASSERT_GE(fullX.Divisions, 4);
  ASSERT_GE(fullY.Divisions, 4);

  struct Case {
    QPoint from, to;
  };
  const QPoint a = Crossing(1, 1), b = Crossing(3, 4);
  const QPoint c = Crossing(1, 4), e = Crossing(3, 1);
  const QPoint nudge(2, -2);  // near a crossing snaps onto it
  const Case cases[] = {{a, b}, {b, a}, {c, e}, {e, c}, {a + nudge, b - nudge}};
  std::optional<AxisRange> zoomX, zoomY;
  for (const Case& k : cases) {
    Band(k.from, k.to);
    ASSERT_TRUE(channel->Zoomed);
    EXPECT_EQ(channel->ZoomStateText(), "Zoom");
    EXPECT_EQ(channel->ZoomSel.xFrom, 1);
    EXPECT_EQ(channel->ZoomSel.yFrom, 1);
    EXPECT_EQ(channel->ZoomSel.xTo, 3);
    EXPECT_EQ(channel->ZoomSel.yTo, 4);
    if (!zoomX) {
      zoomX = d->TimeAxis;
      zoomY = d->ValueAxis;
      EXPECT_FALSE(SameAxis(*zoomX, fullX));
    }
    EXPECT_TRUE(SameAxis(d->TimeAxis, *zoomX));
    EXPECT_TRUE(SameAxis(d->ValueAxis, *zoomY));

    // While zoomed, clicks and moves in the diagram do nothing.
    Band(Crossing(0, 0), Crossing(2, 2));
    EXPECT_TRUE(SameAxis(d->TimeAxis, *zoomX));

    Key("z");
    EXPECT_FALSE(channel->Zoomed);
    EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
    EXPECT_TRUE(SameAxis(d->TimeAxis, fullX));
    EXPECT_TRUE(SameAxis(d->ValueAxis, fullY));
  }
  // "Z" re-applies the last zoom, and the zoom survives a change of window.
  Key("Z");
  EXPECT_TRUE(channel->Zoomed);
  EXPECT_TRUE(SameAxis(d->TimeAxis, *zoomX));
  Menu("Mn_Wnd_Ch5");
  EXPECT_EQ(channel->ZoomStateText(), "Zoom");
  EXPECT_TRUE(SameAxis(d->TimeAxis, *zoomX));
  EXPECT_EQ(form->BeepCount, 0);
}

TEST_F(DiagramWindows, SelectionsNarrowerThanADivisionAndEscapeDefineNothing) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch4");
  TVqrDataObjectNew* d = form->DataObject();
  const AxisRange fullX = d->TimeAxis;

  // The first click starts the band; a second one without width or height
  // defines nothing.
  for (const QPoint to : {Crossing(2, 2), Crossing(2, 5), Crossing(4, 2)}) {
    SCOPED_TRACE(std::to_string(to.x()) + "," + std::to_string(to.y()));
    MoveAndClick(Crossing(2, 2));
    EXPECT_TRUE(channel->Defining);
    EXPECT_EQ(channel->ZoomStateText(), "Zoom definieren...");
    MoveAndClick(to);
    Settle();
    EXPECT_FALSE(channel->Defining);
    EXPECT_FALSE(channel->Zoomed);
    EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
    EXPECT_TRUE(SameAxis(d->TimeAxis, fullX));
  }

  // Escape ends a definition; so does showing the window again.
  ClickAt(channel, Crossing(1, 1));
  ASSERT_TRUE(channel->Defining);
  QTest::keyClick(channel, Qt::Key_Escape);
  EXPECT_FALSE(channel->Defining);
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  ClickAt(channel, Crossing(1, 1));
  ASSERT_TRUE(channel->Defining);
  channel->hide();
  Menu("Mn_Wnd_Ch4");
  EXPECT_FALSE(channel->Defining);
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");

  ClickAt(channel, QPoint(1, 1));  // the margin around the white area
  EXPECT_FALSE(channel->Defining);
}

TEST_F(DiagramWindows, ANewRecordingLeavesNoZoomToRestore) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch1");
  Key("z");  // nothing zoomed yet
  EXPECT_EQ(form->BeepCount, 1);
  Band(Crossing(0, 0), Crossing(2, 2));
  ASSERT_TRUE(channel->Zoomed);

  // Unzoomed, then a new file: "z" has nothing to restore.
  Key("z");
  Open("days10.DAT");
  EXPECT_FALSE(channel->isVisible());
  EXPECT_EQ(form->CurrentWindow, 0);
  Menu("Mn_Wnd_Ch1");
  Key("z");
  EXPECT_EQ(form->BeepCount, 2);
  EXPECT_FALSE(channel->Zoomed);

  // Zoomed, then a new file: the new scales are not a zoom, and "z" must
  // not bring back the scales of the old recording.
  Band(Crossing(0, 0), Crossing(2, 2));
  ASSERT_TRUE(channel->Zoomed);
  Open("hours40.DAT");
  const AxisRange fullX = form->DataObject()->TimeAxis;
  Menu("Mn_Wnd_Ch1");
  EXPECT_FALSE(channel->Zoomed);
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  Key("z");
  EXPECT_EQ(form->BeepCount, 3);
  EXPECT_TRUE(SameAxis(form->DataObject()->TimeAxis, fullX));
}

// ---------------------------------------------------------------- pictures

TEST_F(DiagramWindows, DiagramIsCopiedAndSavedAsDrawn) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch1");
  channel->resize(500, 360);
  Settle();
  const QImage shown = channel->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QTest::keyClick(channel, Qt::Key_C, Qt::ControlModifier);
  const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(copied.isNull());
  EXPECT_EQ(copied, shown.copy(0, 0, copied.width(), copied.height()));
  ASSERT_TRUE(channel->SaveImage(Path("d.png")));
  EXPECT_EQ(QImage(Path("d.png")).convertToFormat(QImage::Format_RGB32), copied);
  ASSERT_TRUE(channel->SaveImage(Path("d.svg")));
  EXPECT_GT(QFileInfo(Path("d.svg")).size(), 1000);
  EXPECT_FALSE(channel->SaveImage(Path("no/such/dir/d.png")));

  // On a full disk the picture that was there stays, and the status line says so.
  channel->ChooseImageFile = [&] { return Path("d.png"); };
  TAtomicFile::SetWriteLimitForTesting(100);
  channel->findChild<QAction*>("PMn_SaveImage")->trigger();
  TAtomicFile::SetWriteLimitForTesting(-1);
  EXPECT_EQ(form->StatusText(), "Error writing image file!");
  EXPECT_EQ(QImage(Path("d.png")).convertToFormat(QImage::Format_RGB32), copied);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("d.png"),
            QStringList{"d.png"});
}

// ---------------------------------------------------------------- places

TEST_F(DiagramWindows, WindowsOpenWhereTheyWereAndStoreOnlyChanges) {
  // Without stored places nothing is written.
  Start();
  Stop();
  EXPECT_EQ(ReadIniMap(iniPath).count("singlewindow/positionw"), 0u);

  // Stored places are restored, sizes raised to the minimum.
  Start(
      "[General]\nSavePos=OFF\n[SingleWindow]\nPositionX=40\nPositionY=30\nPositionW=100\n"
      "PositionH=420\n[OverviewWindow]\nPositionX=20\nPositionY=25\nPositionW=400\n"
      "PositionH=260\n");
  EXPECT_EQ(channel->pos(), QPoint(40, 30));
  EXPECT_EQ(channel->size(), QSize(300, 420));
  EXPECT_EQ(overview->pos(), QPoint(20, 25));
  EXPECT_EQ(overview->size(), QSize(400, 260));
  Open();
  Menu("Mn_Wnd_Ch1");
  // Showing and closing without a change marks nothing for writing.
  channel->close();
  overview->close();
  TVQRShowSettings* s = form->Settings();
  for (int i = 2; i <= 5; ++i) {
    EXPECT_FALSE(s->OverviewWindowPosition->IsModified(i)) << i;
    EXPECT_EQ(s->SingleWindowPosition->IsModified(i), i == 4) << i;  // width raised to 300
  }

  Menu("Mn_Wnd_Ch1");
  channel->resize(640, 400);
  channel->move(60, 70);
  Settle();
  Stop();
  IniMap ini = ReadIniMap(iniPath);
  EXPECT_EQ(ini["singlewindow/positionx"], "60");
  EXPECT_EQ(ini["singlewindow/positiony"], "70");
  EXPECT_EQ(ini["singlewindow/positionw"], "640");
  EXPECT_EQ(ini["singlewindow/positionh"], "400");
  EXPECT_EQ(ini["overviewwindow/positionw"], "400");
}
