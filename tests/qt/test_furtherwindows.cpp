// Further diagram windows beside the first: each its own mode, zoom and
// markers over the one recording; coupled time axes, "Zoom auf A–B", and
// printing, pictures and "Messwerte" of the window worked in.
#include <QMenu>
#include <QTableWidget>
#include <QWheelEvent>

#include "chart/vqrdiagram.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/SingleChannel.h"
#include "gui/chart/TimeCoupling.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"
#include "support/modals.h"

// Axes in failures: where they begin and how far they reach.
static void PrintTo(const AxisRange& a, std::ostream* os) {
  *os << a.Divisions << " divisions from " << -a.Start << " over " << a.Span;
}

static void PrintTo(const TAxisSet& s, std::ostream* os) {
  *os << "time ";
  PrintTo(s.Time, os);
  *os << ", values ";
  PrintTo(s.Value, os);
}

namespace {

class FurtherWindows : public MainWindowFixture {
 protected:
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
  }

  void Start() {
    WriteIni(
        "[General]\nSavePos=OFF\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\nVisibleCh17=ON\n");
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    first = windows->Channel();
    ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  }

  void Menu(const char* name) {
    Find<QAction>(name)->trigger();
    Settle();
  }

  /// Opens a further window by the menu and returns it (the last opened).
  TF_SChannel* OpenFurther(const char* item) {
    Menu(item);
    const auto further = windows->FurtherWindows();
    return further.empty() ? nullptr : further.back();
  }

  void Settle() {
    QApplication::processEvents();
    for (TF_SChannel* w : Shown()) w->grab();  // paints: the grid is known from here on
  }

  std::vector<TF_SChannel*> Shown() const {
    std::vector<TF_SChannel*> all{first};
    for (TF_SChannel* w : windows->FurtherWindows()) all.push_back(w);
    std::erase_if(all, [](TF_SChannel* w) { return !w->isVisible(); });
    return all;
  }

  static QPoint Crossing(TF_SChannel* w, int i, int j) {
    const TVQRDiagram* d = w->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }

  void Send(TF_SChannel* w, QEvent::Type type, QPoint p) {
    QMouseEvent e(type, p, w->mapToGlobal(p),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  /// Two clicks on grid crossings: the zoom into whole divisions.
  void Band(TF_SChannel* w, QPoint from, QPoint to) {
    for (QPoint p : {from, to}) {
      Send(w, QEvent::MouseMove, p);
      Send(w, QEvent::MouseButtonPress, p);
      Send(w, QEvent::MouseButtonRelease, p);
    }
    Settle();
  }
  void Wheel(TF_SChannel* w, QPoint p, int notches) {
    QWheelEvent e(p, w->mapToGlobal(p), {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    Settle();
  }
  /// Marker A at crossing ia, B at ib (along the time axis).
  void Mark(TF_SChannel* w, int ia, int ib) {
    for (int i : {ia, ib}) {
      Send(w, QEvent::MouseMove, Crossing(w, i, 1));
      QTest::keyClicks(w, "m");
    }
    Settle();
  }
  /// A command of the window's context menu, as when the menu opens.
  void ContextCommand(TF_SChannel* w, const char* name) {
    emit w->ContextMenu()->aboutToShow();
    w->findChild<QAction*>(name)->trigger();
    Settle();
  }
  static std::pair<double, double> Range(TF_SChannel* w) { return w->Controller().TimeRange(); }
  static TAxisSet Axes(TF_SChannel* w) { return w->Diagram()->Axes().All(); }

  std::unique_ptr<TDiagramWindows> windows;
  TF_SChannel* first = nullptr;
};

TEST_F(FurtherWindows, EachHasItsOwnModeZoomAndMarkersAndTheFirstStaysAsItWas) {
  Start();
  Menu("Mn_Wnd_Ch3");
  const QImage firstAlone = first->grab().toImage();
  const TAxisSet full = Axes(first);

  TF_SChannel* combi = OpenFurther("Mn_Wnd_New_Combi1");
  TF_SChannel* ch3 = OpenFurther("Mn_Wnd_New_Ch3");
  ASSERT_TRUE(combi && ch3);
  std::vector<QString> titles;
  for (TF_SChannel* w : Shown()) titles.push_back(w->windowTitle());
  EXPECT_EQ(titles, std::vector<QString>(
                        {"Messkanal 3", "Messkanal-Kombination 1 (2)", "Messkanal 3 (3)"}));
  // The same mode in a further window draws the same diagram, and opening
  // it left the first one alone.
  EXPECT_EQ(ch3->grab().toImage(), firstAlone);
  EXPECT_EQ(first->grab().toImage(), firstAlone);

  // A zoom in one window is its own: the two-click zoom, the wheel.
  Band(combi, Crossing(combi, 1, 1), Crossing(combi, 4, 3));
  EXPECT_EQ(combi->ZoomStateText(), "Zoom");
  EXPECT_NE(Axes(combi), full);
  Wheel(ch3, Crossing(ch3, 5, 2), 2);
  EXPECT_LT(Axes(ch3).Time.Span, full.Time.Span);
  EXPECT_NE(Axes(ch3), Axes(combi));
  EXPECT_EQ(Axes(first), full);
  EXPECT_EQ(first->ZoomStateText(), "Kein Zoom");
  // ... and so is one in the first window, and "Z" there.
  Band(first, Crossing(first, 0, 0), Crossing(first, 2, 2));
  const TAxisSet combiZoom = Axes(combi);
  QTest::keyClicks(first, "z");
  Settle();
  EXPECT_EQ(Axes(first), full);
  EXPECT_EQ(Axes(combi), combiZoom);
  EXPECT_EQ(combi->ZoomStateText(), "Zoom");

  // Markers and read-out belong to the window they were set in.
  Mark(combi, 2, 3);
  EXPECT_GT(combi->MarkB(), combi->MarkA());
  EXPECT_EQ(std::pair(first->MarkA(), ch3->MarkA()), std::pair(0, 0));

  // Four further windows at most; a closed one frees its number.
  OpenFurther("Mn_Wnd_New_Ch5");
  OpenFurther("Mn_Wnd_New_Ch6");
  EXPECT_EQ(beeps, 0);
  Menu("Mn_Wnd_New_Ch7");
  EXPECT_EQ(std::pair(beeps, windows->FurtherWindows().size()), std::pair(1, size_t{4}));
  ch3->close();
  TF_SChannel* again = OpenFurther("Mn_Wnd_New_Combi2");
  EXPECT_EQ(again->windowTitle(), "Messkanal-Kombination 2 (3)");
  EXPECT_EQ(again->ZoomStateText(), "Kein Zoom");

  // A new recording closes them; the first window is closed as ever.
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("days10.DAT"))));
  EXPECT_TRUE(windows->FurtherWindows().empty());
  EXPECT_FALSE(first->isVisible());
}

TEST_F(FurtherWindows, FollowTheRecordingButNotTheFirstWindowsZoom) {
  Start();
  Menu("MN_Wnd_Combi1");
  const TAxisSet full = Axes(first);
  Band(first, Crossing(first, 1, 1), Crossing(first, 3, 3));
  ASSERT_NE(Axes(first), full);
  // A window opened while the first is zoomed starts from the full scale.
  TF_SChannel* other = OpenFurther("Mn_Wnd_New_Combi1");
  EXPECT_EQ(Axes(other), full);
  Mark(other, 2, 4);
  const QImage plain = other->grab().toImage();

  // The zero point, smoothing and a comparison reach it; a comparison fits
  // its axes over all recordings as the first window's, and drops its markers.
  Find<QAction>("Mn_Edit_Zero")->trigger();
  Settle();
  EXPECT_NE(other->grab().toImage(), plain);
  form->ChooseFiles = [](const TFileRequest&) {
    return QStringList{QString::fromStdString(SamplePath("days10.DAT"))};
  };
  form->FileCompare();
  Settle();
  EXPECT_TRUE(other->Diagram()->Comparing());
  EXPECT_EQ(Axes(other), form->DataObject()->Axes().All());
  EXPECT_NE(Axes(other), full);
  EXPECT_EQ(std::pair(other->MarkA(), other->MarkB()), std::pair(0, 0));
  form->FileCompareEnd();
  Find<QAction>("Mn_Edit_Zero")->trigger();
  Settle();
  EXPECT_FALSE(other->Diagram()->Comparing());
  EXPECT_EQ(Axes(other), full);
}

TEST_F(FurtherWindows, WithoutARecordingNoneOpens) {
  MakeForm();
  windows = std::make_unique<TDiagramWindows>(*form);
  first = windows->Channel();
  Menu("Mn_Wnd_New_Ch1");
  EXPECT_TRUE(windows->FurtherWindows().empty());
  form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT")));
  form->OpenFurtherDiagramWindow(17);
  EXPECT_TRUE(windows->FurtherWindows().empty());
  EXPECT_EQ(beeps, 1);
}

TEST_F(FurtherWindows, CoupledTimeAxesFollowEachOtherAndZoomToMarksShowsTheirSpan) {
  Start();
  Menu("MN_Wnd_Combi1");
  TF_SChannel* other = OpenFurther("Mn_Wnd_New_Ch1");
  const TAxisSet full = Axes(first);
  Band(other, Crossing(other, 0, 0), Crossing(other, 5, 2));  // a value zoom of its own
  const AxisRange otherValues = Axes(other).Value;

  ContextCommand(first, "PMn_CoupleTime");
  ASSERT_TRUE(windows->Coupling().Coupled());
  EXPECT_EQ(Range(other), Range(first));  // coupling aligns at once

  // Each change of one window's time axis shows in the other, as a step
  // of its history; the value axes stay each window's own.
  struct Step {
    const char* what;
    std::function<void()> act;
    bool ownValues;  // false: "Z" takes the whole window back to its full scale
  };
  const Step steps[] = {
      {"wheel in the first", [&] { Wheel(first, Crossing(first, 4, 2), 3); }, true},
      {"wheel in the other", [&] { Wheel(other, Crossing(other, 2, 1), -1); }, true},
      {"back in the first",
       [&] {
         QTest::keyClick(first, Qt::Key_Left, Qt::AltModifier);
         Settle();
       },
       true},
      {"Z in the other",
       [&] {
         QTest::keyClicks(other, "z");
         Settle();
       },
       false},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(Range(other), Range(first)) << s.what;
    EXPECT_EQ(Axes(other).Value, s.ownValues ? otherValues : full.Value) << s.what;
    EXPECT_EQ(Axes(first).Value, full.Value) << s.what;
  }

  // "Zoom auf A–B": the span between the markers, shown in both; a step
  // back returns each.
  Mark(other, 1, 3);
  const TVqrDataObjectNew* data = form->DataObject();
  auto seconds = [&](int sample) {
    return double{data->Recording().Store()->Samples[sample].Seconds};
  };
  const auto before = Range(first);
  ContextCommand(other, "PMn_ZoomMarks");
  EXPECT_EQ(Range(other), std::pair(seconds(other->MarkA()), seconds(other->MarkB())));
  EXPECT_EQ(Range(first), Range(other));
  QTest::keyClick(other, Qt::Key_Left, Qt::AltModifier);
  Settle();
  EXPECT_EQ(Range(first), before);

  // Uncoupled, each goes its own way again.
  ContextCommand(other, "PMn_CoupleTime");
  EXPECT_FALSE(windows->Coupling().Coupled());
  Wheel(first, Crossing(first, 4, 2), 2);
  EXPECT_NE(Range(other), Range(first));
  // Without both markers there is nothing to zoom to.
  for (TF_SChannel* w : {other, first}) emit w->ContextMenu()->aboutToShow();
  EXPECT_TRUE(other->findChild<QAction*>("PMn_ZoomMarks")->isEnabled());
  EXPECT_FALSE(first->findChild<QAction*>("PMn_ZoomMarks")->isEnabled());
}

TEST_F(FurtherWindows, PrintPictureAndMesswerteActOnTheWindowWorkedIn) {
  Start();
  Menu("Mn_Wnd_Ch3");
  TF_SChannel* combi = OpenFurther("Mn_Wnd_New_Combi1");
  printTo = Path("page.pdf");
  QStringList printed;  // window mode and gauge maximum as the print dialog sees them
  const auto choose = form->ChoosePrinter;
  form->ChoosePrinter = [&](QPrinter& printer) {
    printed << QString("%1 %2")
                   .arg(form->Session()->PrintedDiagram().WindowMode())
                   .arg(combi->Gauge()->Maximum());
    return choose(printer);
  };
  // The status bar's "Drucken..." of each window prints that window.
  for (TF_SChannel* w : {combi, first}) {
    TZTStatusBar* sb = w->StatusPanels();
    QTest::mouseClick(sb->Panel(0), Qt::LeftButton, {}, sb->Panel(0)->rect().center());
    Settle();
  }
  // The main menu's print takes the diagram window activated last.
  for (TF_SChannel* w : {combi, first}) {
    QApplication::setActiveWindow(w);
    Settle();
    Menu("Mn_File_Print");
  }
  const int samples = form->DataObject()->GetSampleCount();
  EXPECT_EQ(printed, QStringList({QString("18 %1").arg(samples * 3 + 300), "3 0", "18 0", "3 0"}));
  EXPECT_EQ(form->CurveCount, 1);
  EXPECT_EQ(&form->Session()->PrintedDiagram(), form->Diagram());

  // "Als Bild speichern..." proposes the window's caption.
  QString proposed;
  combi->ChooseImageFile = [&](const QString& p) {
    proposed = p;
    return QString();
  };
  combi->findChild<QAction*>("PMn_SaveImage")->trigger();
  EXPECT_TRUE(proposed.endsWith("/Messkanal-Kombination 1 (2).png")) << proposed.toStdString();

  // "Messwerte" lists the curves of the window it was asked in.
  auto curves = [](TF_SChannel* w) {
    w->ShowMeasurements();
    QTableWidget* table = w->Measurements()->findChild<QTableWidget*>("Tb_Messwerte");
    QStringList names;
    for (int r = 0; r < table->rowCount(); ++r) names << table->item(r, 0)->text();
    return names;
  };
  EXPECT_EQ(curves(combi), QStringList({"Kanal 1", "Kanal 3", "T"}));
  EXPECT_EQ(curves(first), QStringList({"Kanal 3"}));
}

}  // namespace
