// The overview and channel windows driven like a user does: menus, clicks on
// thumbnails and status-bar panels, the rubber band of the zoom and its keys,
// and the windows' places in the settings.
#include <QClipboard>
#include <QDir>

#include "chart/vqrdiagram.h"
#include "data/atomicfile.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/Overview.h"
#include "gui/chart/SingleChannel.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"
#include "support/modals.h"

namespace {

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

  void Start(const QByteArray& ini = QByteArray()) {
    WriteIni(ini);
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    overview = windows->Overview();
    channel = windows->Channel();
  }

  void Open(const char* sample = "hours40.DAT") {
    ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath(sample))));
  }

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

  static int InsidePanel(TZTStatusBar* bar, int i) {
    return bar->Panel(i)->x() + bar->Panel(i)->width() / 2;
  }

  std::unique_ptr<TDiagramWindows> windows;
  TF_Overview* overview = nullptr;
  TF_SChannel* channel = nullptr;
};

TEST_F(DiagramWindows, MenusOpenChannelsAndCombinationsOnTheirPages) {
  // colours 0x00BBGGRR: red, green (0xC000), blue
  Start(
      "[General]\nSavePos=OFF\n[SingleWindow]\nColorCh7=255\nColorCh3=49152\n[Axis3]\n"
      "Color=16711680\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\nVisibleCh6=ON\n"
      "[CombiWindow2]\nVisibleCh2=ON\nVisibleCh17=ON\n");
  Open();
  const struct {
    const char *item, *caption, *page;
    int curves;
    const char* colours;  // red channel 7, green channel 3, blue T axis drawn
  } cases[] = {{"Mn_Wnd_Ch7", "Messkanal 7", "TS_Single", 1, "R.."},
               {"Mn_Wnd_Ch3", "Messkanal 3", "TS_Single", 1, ".G."},
               {"MN_Wnd_Combi1", "Messkanal-Kombination 1", "TS_Combi1", 3, "..."},
               {"MN_Wnd_Combi2", "Messkanal-Kombination 2", "TS_Combi2", 2, "..B"}};
  for (const auto& c : cases) {
    form->Pages()->setCurrentIndex(0);
    Menu(c.item);
    ASSERT_TRUE(channel->isVisible()) << c.item;
    const QImage image = channel->grab().toImage();
    QString colours;
    for (auto [colour, mark] :
         {std::pair(QColor(255, 0, 0), 'R'), std::pair(QColor(0, 0xC0, 0), 'G'),
          std::pair(QColor(0, 0, 255), 'B')})
      colours += CountPixels(image, colour) > 50 ? mark : '.';
    EXPECT_EQ(QStringList({channel->windowTitle(), form->Pages()->currentWidget()->objectName(),
                           QString::number(form->CurveCount), colours}),
              QStringList({c.caption, c.page, QString::number(c.curves), c.colours}));
  }
  // "Anwenden" takes the page's check boxes anew.
  Find<QCheckBox>("CB_Combi2Ch9")->setChecked(true);
  Find<QPushButton>("Bt_C2_Apply")->click();
  EXPECT_EQ(form->CurveCount, 3);
  EXPECT_EQ(beeps, 0);
}

TEST_F(DiagramWindows, RefusedRequestsOnlyBeep) {
  Start();
  form->OpenDataFile(Path("missing.DAT"));
  EXPECT_FALSE(overview->isVisible());
  Open();
  for (int mode : {0, 17, 20, -3}) form->OpenDiagramWindow(mode);
  Find<QPushButton>("Bt_SC_Apply")->click();  // no channel window to apply to
  EXPECT_EQ(beeps, 5);
  EXPECT_FALSE(channel->isVisible());

  // A file that does not decode still shows what the store holds.
  WriteFile(Path("bad.DAT"), QByteArray(39 * 40, '\xA5'));
  EXPECT_FALSE(form->OpenDataFile(Path("bad.DAT")));
  EXPECT_TRUE(overview->isVisible());
  Menu("MN_Wnd_Combi1");
  Band(QPoint(40, 40), QPoint(200, 150));
  EXPECT_TRUE(channel->isVisible());
}

TEST_F(DiagramWindows, FileOpenShowsTheOverviewInPointsOrCurve) {
  Start();
  Open();
  ASSERT_TRUE(overview->isVisible());
  const QImage points = overview->grab().toImage();
  EXPECT_TRUE(overview->StatusPanels()->PanelText(2).startsWith("Skala H : "));
  Find<QAction>("Mn_OverviewFilled")->trigger();
  EXPECT_TRUE(form->Settings()->OverviewWindowFillPixel->GetBool(1));
  const QImage curve = overview->grab().toImage();
  EXPECT_GT(CountPixels(curve, Qt::red), CountPixels(points, Qt::red));
  Find<QAction>("Mn_Overview")->trigger();
  EXPECT_FALSE(form->Settings()->OverviewWindowFillPixel->GetBool(1));
  EXPECT_EQ(overview->grab().toImage(), points);
  nextFile.clear();  // File/Open cancelled: the recording's overview comes back
  form->FileOpen();
  EXPECT_EQ(form->StatusText(), "Error reading Data File!");
  EXPECT_TRUE(overview->isVisible());

  // The thumbnails follow the window's size, within its limits.
  overview->resize(1200, 900);
  EXPECT_EQ(overview->size(), QSize(900, 600));
  EXPECT_LT(overview->Cells()[16].PlotWidth, 400);
}

TEST_F(DiagramWindows, ThumbnailsOpenChannelsOrEditTheCombinationShown) {
  Start("[General]\nSavePos=OFF\n[CombiWindow2]\nVisibleCh3=ON\nVisibleCh5=ON\n");
  Open();
  auto* box = Find<QCheckBox>("CB_Combi2Ch3");
  auto state = [&] {
    return std::tuple(channel->windowTitle(), form->CurveCount, box->isChecked());
  };
  auto clickCell = [&](int k) {
    const TOverviewCell& c = overview->Cells()[k];
    const auto before = state();
    ClickAt(overview, QPoint(c.Left + c.Width / 2, c.Top + c.Height / 2));
    EXPECT_EQ(state(), before);  // the request runs after the click
    Settle();
  };
  auto clickKombi = [&](int panel) {
    ClickStatusBar(overview->StatusPanels(), InsidePanel(overview->StatusPanels(), panel));
    Settle();
  };
  clickCell(6);
  EXPECT_EQ(channel->windowTitle(), "Messkanal 6");
  // "Kombi 2..." opens combination 2; thumbnail 3 then removes channel 3
  // from it and a second click adds it again.
  clickKombi(1);
  const QString combi2 = "Messkanal-Kombination 2";
  EXPECT_EQ(state(), std::tuple(combi2, 2, true));
  clickCell(3);
  EXPECT_EQ(state(), std::tuple(combi2, 1, false));
  clickCell(3);
  clickKombi(1);  // again: only redraws
  EXPECT_EQ(state(), std::tuple(combi2, 2, true));
  clickKombi(0);
  EXPECT_EQ(channel->windowTitle(), "Messkanal-Kombination 1");
  channel->close();  // no combination shown: a thumbnail opens its channel
  clickCell(3);
  EXPECT_TRUE(channel->isVisible());
  EXPECT_EQ(state(), std::tuple(QString("Messkanal 3"), 1, true));
}

TEST_F(DiagramWindows, ClicksOnPanelBordersDoNothing) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch1");
  TZTStatusBar* sb = channel->StatusPanels();
  for (TZTStatusBar* bar : {sb, overview->StatusPanels()})
    for (int i = 0; i < bar->PanelCount(); ++i)
      for (int x : {bar->Panel(i)->x(), bar->Panel(i)->x() + bar->Panel(i)->width()}) {
        ClickStatusBar(bar, x);
        Settle();
      }
  EXPECT_EQ(std::pair(beeps, channel->windowTitle()), std::pair(0, QString("Messkanal 1")));
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");

  // Inside: panel 0 asks the main window to print once this click is done
  // (the print dialog, cancelled here); panel 1 does nothing; panel 2
  // toggles the zoom, which beeps as none is available.
  const int dialogsAfter[] = {1, 1, 1};
  const int beepsAfter[] = {0, 0, 1};
  for (int i = 0; i < 3; ++i) {
    ClickStatusBar(sb, InsidePanel(sb, i));
    EXPECT_TRUE(i > 0 || printDialogs == 0);  // the print request waits for the click to end
    Settle();
    EXPECT_EQ(std::pair(printDialogs, beeps), std::pair(dialogsAfter[i], beepsAfter[i])) << i;
  }
}

TEST_F(DiagramWindows, RubberBandZoomsZRestoresAndEscapeOrNarrowBandsDefineNothing) {
  Start();
  Open();
  Menu("Mn_Wnd_Ch2");
  TVqrDataObjectNew* d = form->DataObject();
  const AxisRange fullX = d->Axes().Time(), fullY = d->Axes().Value();
  const QPoint nudge(2, -2);  // near a crossing snaps onto it
  Band(Crossing(1, 1) + nudge, Crossing(3, 4) - nudge);
  ASSERT_TRUE(channel->Controller().Zoomed());
  EXPECT_EQ(channel->ZoomStateText(), "Zoom");
  EXPECT_EQ(std::tuple(channel->Controller().ZoomSel().xFrom, channel->Controller().ZoomSel().yFrom,
                       channel->Controller().ZoomSel().xTo, channel->Controller().ZoomSel().yTo),
            std::tuple(1, 1, 3, 4));
  const AxisRange zoomX = d->Axes().Time();
  EXPECT_FALSE(SameAxis(zoomX, fullX));
  Band(Crossing(0, 0), Crossing(2, 2));  // while zoomed, clicks do nothing
  EXPECT_TRUE(SameAxis(d->Axes().Time(), zoomX));
  Key("z");
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  EXPECT_TRUE(SameAxis(d->Axes().Time(), fullX) && SameAxis(d->Axes().Value(), fullY));
  // "Z" re-applies the last zoom, and the zoom survives a change of window.
  Key("Z");
  EXPECT_TRUE(SameAxis(d->Axes().Time(), zoomX));
  Menu("Mn_Wnd_Ch5");
  EXPECT_EQ(channel->ZoomStateText(), "Zoom");
  EXPECT_TRUE(SameAxis(d->Axes().Time(), zoomX));
  Key("z");

  // A band without width defines nothing; Escape or showing the window again
  // ends a definition; the margin starts none.
  MoveAndClick(Crossing(2, 2));
  EXPECT_EQ(channel->ZoomStateText(), "Zoom definieren...");
  MoveAndClick(Crossing(2, 5));
  Settle();
  EXPECT_FALSE(channel->Controller().Defining() || channel->Controller().Zoomed());
  ClickAt(channel, Crossing(1, 1));
  ASSERT_TRUE(channel->Controller().Defining());
  QTest::keyClick(channel, Qt::Key_Escape);
  EXPECT_FALSE(channel->Controller().Defining());
  EXPECT_EQ(channel->ZoomStateText(), "Kein Zoom");
  ClickAt(channel, Crossing(1, 1));
  channel->hide();
  Menu("Mn_Wnd_Ch4");
  EXPECT_FALSE(channel->Controller().Defining());
  ClickAt(channel, QPoint(1, 1));
  EXPECT_FALSE(channel->Controller().Defining());
  EXPECT_TRUE(SameAxis(d->Axes().Time(), fullX));
  EXPECT_EQ(beeps, 0);
}

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

  // On a full disk the picture that was there stays, and the status line
  // and a box say so.
  channel->ChooseImageFile = [&](const QString&) { return Path("d.png"); };
  TAtomicFile::SetWriteLimitForTesting(100);
  const QStringList boxes = Answering({Press(QMessageBox::Ok)}, [&]() {
    channel->findChild<QAction*>("PMn_SaveImage")->trigger();
  });
  TAtomicFile::SetWriteLimitForTesting(-1);
  EXPECT_EQ(form->StatusText(), "Error writing image file!");
  EXPECT_EQ(boxes, QStringList{"WriteFailureBox: Die Datei " + Path("d.png") +
                               " konnte nicht geschrieben werden.\n\nIm Ordner " + dir.path() +
                               " ist kein Platz mehr frei: der Datenträger ist voll."});
  EXPECT_EQ(QImage(Path("d.png")).convertToFormat(QImage::Format_RGB32), copied);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("d.png"),
            QStringList{"d.png"});
}

// The overview opens wide enough for its whole scale read-out, on a new INI
// file as after one that kept the old smallest size.
TEST_F(DiagramWindows, OverviewOpensWithItsWholeScaleReadout) {
  const struct {
    const char* name;
    QByteArray ini;
  } cases[] = {
      {"no place stored", "[General]\nSavePos=OFF\n"},
      {"300 x 200 stored",
       "[General]\nSavePos=OFF\n[OverviewWindow]\nPositionSave=ON\nPositionX=20\nPositionY=20\n"
       "PositionW=300\nPositionH=200\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.ini);
    for (const char* sample : {"hours40.DAT", "days10.DAT"}) {
      Open(sample);
      ASSERT_TRUE(overview->isVisible());
      overview->grab();
      QLabel* readout = overview->StatusPanels()->Panel(2);
      ASSERT_TRUE(readout->text().startsWith("Skala H : ")) << readout->text().toStdString();
      EXPECT_GE(readout->contentsRect().width(),
                readout->fontMetrics().horizontalAdvance(readout->text()))
          << sample << " " << readout->text().toStdString();
      EXPECT_GE(overview->height(), TF_Overview::kMinHeight);
    }
    windows.reset();
    form.reset();
  }
}
