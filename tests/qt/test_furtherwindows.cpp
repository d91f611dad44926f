// Further diagram windows beside the first: each its own mode, zoom and
// markers over the one recording; coupled time axes, "Zoom auf A–B", and
// printing and "Messwerte" of the window worked in.
#include <QMenu>
#include <QTableWidget>
#include <QWheelEvent>

#include "chart/vqrdiagram.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/SingleChannel.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"

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
  /// Opens a further window by the menu and returns the last one opened.
  TF_SChannel* OpenFurther(const char* item) {
    Menu(item);
    const auto further = windows->FurtherWindows();
    return further.empty() ? nullptr : further.back();
  }
  void Settle() {
    QApplication::processEvents();
    for (TF_SChannel* w : windows->FurtherWindows()) w->grab();  // paints: the grid is known
    if (first->isVisible()) first->grab();
  }
  static QPoint Crossing(TF_SChannel* w, int i, int j) {
    const TVQRDiagram* d = w->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }
  /// Two clicks on grid crossings (i1, j1) and (i2, j2): the zoom into whole divisions.
  void Band(TF_SChannel* w, int i1, int j1, int i2, int j2) {
    for (QPoint p : {Crossing(w, i1, j1), Crossing(w, i2, j2)})
      QTest::mouseClick(w, Qt::LeftButton, {}, p);
    Settle();
  }
  void Wheel(TF_SChannel* w, int i, int notches) {
    const QPoint p = Crossing(w, i, 1);
    QWheelEvent e(p, w->mapToGlobal(p), {}, QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    Settle();
  }
  /// Marker A at crossing ia, B at ib along the time axis.
  void Mark(TF_SChannel* w, int ia, int ib) {
    for (int i : {ia, ib}) {
      const QPoint p = Crossing(w, i, 1);
      QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
      QApplication::sendEvent(w, &move);
      QTest::keyClicks(w, "m");
    }
    Settle();
  }
  void Keys(TF_SChannel* w, Qt::Key key, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(w, key, m);
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
  EXPECT_EQ(QStringList({first->windowTitle(), combi->windowTitle(), ch3->windowTitle()}),
            QStringList({"Messkanal 3", "Messkanal-Kombination 1 (2)", "Messkanal 3 (3)"}));
  // The same mode draws the same diagram; the first window is untouched.
  EXPECT_EQ(ch3->grab().toImage(), firstAlone);
  EXPECT_EQ(first->grab().toImage(), firstAlone);

  // Zooms are each window's own: two clicks, the wheel, "Z" in the first.
  Band(combi, 1, 1, 4, 3);
  Wheel(ch3, 5, 2);
  Band(first, 0, 0, 2, 2);
  const TAxisSet combiZoom = Axes(combi);
  EXPECT_EQ(combi->ZoomStateText(), "Zoom");
  EXPECT_LT(Axes(ch3).Time.Span, full.Time.Span);
  EXPECT_NE(Axes(ch3), combiZoom);
  QTest::keyClicks(first, "z");
  Settle();
  EXPECT_EQ(std::tuple(Axes(first), Axes(combi), combi->ZoomStateText()),
            std::tuple(full, combiZoom, QString("Zoom")));
  Mark(combi, 2, 3);  // markers, too
  EXPECT_GT(combi->MarkB(), combi->MarkA());
  EXPECT_EQ(std::pair(first->MarkA(), ch3->MarkA()), std::pair(0, 0));

  // Four further windows at most (then, as without a recording, a beep);
  // a closed one frees its number; a new recording closes them all.
  OpenFurther("Mn_Wnd_New_Ch5");
  OpenFurther("Mn_Wnd_New_Ch6");
  Menu("Mn_Wnd_New_Ch7");
  EXPECT_EQ(std::pair(beeps, windows->FurtherWindows().size()), std::pair(1, size_t{4}));
  ch3->close();
  EXPECT_EQ(OpenFurther("Mn_Wnd_New_Combi2")->windowTitle(), "Messkanal-Kombination 2 (3)");
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("days10.DAT"))));
  EXPECT_TRUE(windows->FurtherWindows().empty());
  Menu("Mn_Wnd_New_Ch1");
  form->OpenFurtherDiagramWindow(17);
  EXPECT_EQ(std::pair(beeps, windows->FurtherWindows().size()), std::pair(2, size_t{1}));
}

TEST_F(FurtherWindows, FollowTheRecordingButNotTheFirstWindowsZoom) {
  Start();
  Menu("MN_Wnd_Combi1");
  const TAxisSet full = Axes(first);
  Band(first, 1, 1, 3, 3);
  ASSERT_NE(Axes(first), full);
  TF_SChannel* other = OpenFurther("Mn_Wnd_New_Combi1");
  EXPECT_EQ(Axes(other), full);  // opened while the first is zoomed
  Mark(other, 2, 4);
  const QImage plain = other->grab().toImage();
  // The zero point and a comparison reach it; a comparison fits its axes
  // over all recordings as the first window's, and drops its markers.
  Menu("Mn_Edit_Zero");
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
  Menu("Mn_Edit_Zero");
  EXPECT_EQ(std::pair(other->Diagram()->Comparing(), Axes(other)), std::pair(false, full));
}

TEST_F(FurtherWindows, CoupledTimeAxesFollowEachOtherAndZoomToMarksShowsTheirSpan) {
  Start();
  Menu("MN_Wnd_Combi1");
  TF_SChannel* other = OpenFurther("Mn_Wnd_New_Ch1");
  const TAxisSet full = Axes(first);
  Band(other, 0, 0, 5, 2);  // a value zoom of its own
  const AxisRange otherValues = Axes(other).Value;
  ContextCommand(first, "PMn_CoupleTime");
  EXPECT_EQ(Range(other), Range(first));  // aligned at once

  // A change of either time axis shows in the other as a step of its own
  // history; the value axes stay each window's own ("Z" in the other takes
  // all its axes back to the full scale).
  const struct {
    const char* what;
    std::function<void()> act;
    AxisRange otherValues;
  } steps[] = {
      {"wheel in the first", [&] { Wheel(first, 4, 3); }, otherValues},
      {"wheel in the other", [&] { Wheel(other, 2, -1); }, otherValues},
      {"back in the first", [&] { Keys(first, Qt::Key_Left, Qt::AltModifier); }, otherValues},
      {"Z in the other", [&] { Keys(other, Qt::Key_Z); }, full.Value},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(std::tuple(Range(other), Axes(other).Value, Axes(first).Value),
              std::tuple(Range(first), s.otherValues, full.Value))
        << s.what;
  }

  // "Zoom auf A–B" shows exactly the span of the markers, in both; a step
  // back returns both.
  Mark(other, 1, 3);
  const TVQRDataObject& store = *form->DataObject()->Recording().Store();
  const auto before = Range(first);
  ContextCommand(other, "PMn_ZoomMarks");
  EXPECT_EQ(Range(other), std::pair(static_cast<double>(store.Samples[other->MarkA()].Seconds),
                                    static_cast<double>(store.Samples[other->MarkB()].Seconds)));
  EXPECT_EQ(Range(first), Range(other));
  Keys(other, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(Range(first), before);

  // The first window, opened again, joins the window worked in.
  first->close();
  Wheel(other, 3, 2);
  QApplication::setActiveWindow(other);
  Menu("MN_Wnd_Combi1");
  EXPECT_EQ(Range(first), Range(other));

  // Uncoupled, each goes its own way; without both markers "Zoom auf A–B" is off.
  ContextCommand(other, "PMn_CoupleTime");
  Wheel(first, 4, 2);
  EXPECT_NE(Range(other), Range(first));
  emit first->ContextMenu()->aboutToShow();
  EXPECT_FALSE(first->findChild<QAction*>("PMn_ZoomMarks")->isEnabled());
}

TEST_F(FurtherWindows, PrintPictureAndMesswerteActOnTheWindowWorkedIn) {
  Start();
  Menu("Mn_Wnd_Ch3");
  TF_SChannel* combi = OpenFurther("Mn_Wnd_New_Combi1");
  printTo = Path("page.pdf");
  QStringList printed;  // the mode printed and the further window's gauge at the dialog
  const auto choose = form->ChoosePrinter;
  form->ChoosePrinter = [&](QPrinter& printer) {
    printed << QString("%1 %2")
                   .arg(form->Session()->PrintedDiagram().WindowMode())
                   .arg(combi->Gauge()->Maximum());
    return choose(printer);
  };
  // Each window's "Drucken..." prints it; the main menu's the one activated last.
  for (TF_SChannel* w : {combi, first}) {
    QTest::mouseClick(w->StatusPanels()->Panel(0), Qt::LeftButton);
    Settle();
  }
  for (TF_SChannel* w : {combi, first}) {
    QApplication::setActiveWindow(w);
    Menu("Mn_File_Print");
  }
  const int samples = form->DataObject()->GetSampleCount();
  EXPECT_EQ(printed, QStringList({QString("18 %1").arg(samples * 3 + 300), "3 0", "18 0", "3 0"}));
  EXPECT_EQ(std::pair(form->CurveCount, &form->Session()->PrintedDiagram()),
            std::pair(1, form->Diagram()));

  // "Messwerte" lists the curves of the window it is asked in.
  auto curves = [](TF_SChannel* w) {
    w->ShowMeasurements();
    auto* table = w->Measurements()->findChild<QTableWidget*>("Tb_Messwerte");
    QStringList names;
    for (int r = 0; r < table->rowCount(); ++r) names << table->item(r, 0)->text();
    return names;
  };
  EXPECT_EQ(curves(combi), QStringList({"Kanal 1", "Kanal 3", "T"}));
  EXPECT_EQ(curves(first), QStringList({"Kanal 3"}));
}

}  // namespace
