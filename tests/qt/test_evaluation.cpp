// Notes and saved evaluations in the program: a note added, drawn, listed,
// edited and deleted from the channel window's menu; an evaluation saved and
// opened again with all of its state; recordings that changed or moved; and
// evaluations that are refused without changing what is shown.
#include <sys/stat.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include "chart/vqrdiagram.h"
#include "data/freerange.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/Measurements.h"
#include "gui/chart/NoteMenu.h"
#include "gui/chart/SingleChannel.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"

namespace {

const QColor kFlag(255, 248, 200);

// What an evaluation restores, taken from the program.
struct State {
  std::string recording;
  int compared = 0;
  bool zero = false;
  std::vector<int> smoothing;
  int mode = 0;
  TAxisSet axes;
  bool zoomed = false;
  int markA = 0, markB = 0;
  TNotes notes;
  bool operator==(const State&) const = default;
};

// One diagram window as an evaluation keeps it.
struct WindowState {
  std::string caption;
  int mode = 0;
  TAxisSet axes;
  bool zoomed = false;
  int markA = 0, markB = 0;
  bool operator==(const WindowState&) const = default;
};
void PrintTo(const WindowState& w, std::ostream* os) {
  *os << w.caption << " mode " << w.mode << " time " << AxisLow(w.axes.Time) << ".."
      << AxisHigh(w.axes.Time) << " values " << AxisLow(w.axes.Value) << ".."
      << AxisHigh(w.axes.Value) << " temperatures " << AxisLow(w.axes.Temp) << ".."
      << AxisHigh(w.axes.Temp) << " zoomed " << w.zoomed << " marks " << w.markA << "/" << w.markB;
}

}  // namespace

class Evaluation : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteIni(
        "[General]\nSavePos=OFF\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\n"
        "VisibleCh17=ON\n");
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    channel = windows->Channel();
    for (const char* name : {"hours40.DAT", "full1500.DAT", "days10.DAT"})
      QFile::copy(QString::fromStdString(SamplePath(name)), Path(name));
    form->AskAboutRecording = [this](const QString& text, bool changed) {
      asked << text;
      askedChanged = changed;
      return answer;
    };
    form->ShowEvaluationError = [this](const QString& text) { errors << text; };
    channel->NoteMenu()->AskNote = [this](TNoteChoice& c, const std::vector<int>& curves) {
      offered = curves;
      c = nextNote;
      return true;
    };
  }
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
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
  void Hover(QPoint p) {
    QMouseEvent move(QEvent::MouseMove, p, channel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(channel, &move);
  }
  void Menu(const char* name) {
    Find<QAction>(name)->trigger();
    Settle();
  }
  /// The context menu at p, then one of its actions.
  void ContextAction(QPoint p, QAction* action) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, channel->mapToGlobal(p));
    QApplication::sendEvent(channel, &event);
    if (QMenu* popup = channel->findChild<QMenu*>("PMn_Diagram")) popup->hide();
    if (action->isEnabled()) action->trigger();
    Settle();
  }

  /// Grid crossing (i, j) of window w.
  static QPoint CrossingIn(TF_SChannel* w, int i, int j) {
    const TVQRDiagram* d = w->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }
  void Wheel(TF_SChannel* w, int notches, Qt::KeyboardModifiers modifiers) {
    const QPoint p = CrossingIn(w, 5, 2);
    QWheelEvent e(p, w->mapToGlobal(p), {}, QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    Settle();
  }
  void Mark(TF_SChannel* w, int ia, int ib) {
    for (int i : {ia, ib}) {
      const QPoint p = CrossingIn(w, i, 1);
      QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
      QApplication::sendEvent(w, &move);
      QTest::keyClicks(w, "m");
    }
    Settle();
  }
  /// The diagram windows shown, the first one first.
  std::vector<WindowState> Windows() const {
    std::vector<TF_SChannel*> all{channel};
    for (TF_SChannel* w : windows->FurtherWindows()) all.push_back(w);
    std::vector<WindowState> states;
    for (TF_SChannel* w : all)
      if (w->isVisible())
        states.push_back({w->windowTitle().toStdString(), w->Diagram()->WindowMode(),
                          w->Diagram()->Axes().All(), w->Controller().Zoomed(), w->MarkA(),
                          w->MarkB()});
    return states;
  }

  State Now() const {
    State s;
    TVQRSession& session = *form->Session();
    s.recording = form->RecordingPath().toStdString();
    s.compared = session.ComparedCount();
    s.zero = session.ZeroPoint();
    s.smoothing = session.Smoothing(0);
    s.mode = channel->isVisible() ? session.Diagram().WindowMode() : 0;
    s.axes = session.Data().Axes().All();
    s.zoomed = channel->Controller().Zoomed();
    s.markA = channel->MarkA();
    s.markB = channel->MarkB();
    s.notes = session.Notes();
    return s;
  }

  std::unique_ptr<TDiagramWindows> windows;
  TF_SChannel* channel = nullptr;
  QStringList asked, errors;
  bool askedChanged = false;
  int answer = 0;
  TNoteChoice nextNote;
  std::vector<int> offered;
};

TEST_F(Evaluation, NotesAreAddedDrawnListedEditedAndDeleted) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  Menu("MN_Wnd_Combi1");
  ASSERT_TRUE(channel->isVisible());
  EXPECT_EQ(CountPixels(channel->grab().toImage(), kFlag), 0);

  // Off the curves there is no time to note.
  ContextAction(QPoint(1, 1), channel->NoteMenu()->AddAction());
  EXPECT_TRUE(form->Session()->Notes().empty());

  const QPoint at = Crossing(3, 2);
  Hover(at);
  const int sample = channel->CursorSample();
  ASSERT_GT(sample, 0);
  nextNote = {"Ventil\nauf ", 3};
  ContextAction(at, channel->NoteMenu()->AddAction());
  ASSERT_EQ(form->Session()->Notes().size(), 1u);
  const TNote note = form->Session()->Notes()[0];
  EXPECT_EQ(offered, (std::vector<int>{1, 3, kTempChannel}));  // the curves of combination 1
  EXPECT_EQ(note.Text, "Ventil auf");
  EXPECT_EQ(note.Time, form->DataObject()->Recording().Store()->Samples[sample].Seconds);
  EXPECT_EQ(note.Channel, 3);
  EXPECT_EQ(note.Value, form->DataObject()->ApplyUserFactor(
                            form->DataObject()->Recording().Store()->Samples[sample].Cal[3]));
  EXPECT_GT(CountPixels(channel->grab().toImage(), kFlag), 50);

  // Listed in "Messwerte" and in the recording panel.
  channel->ShowMeasurements();
  EXPECT_TRUE(channel->Measurements()->NotesText().contains("Ventil auf"));
  form->ShowRecordingPanel();
  QLabel* panel = form->findChild<QLabel*>("Lb_RecordingNotes");
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->text().contains("Kanal 3")) << panel->text().toStdString();

  // Zoomed to a range without the note, the window does not draw it.
  ASSERT_TRUE(form->Diagram()->ZoomTo({2, 3600, -float(note.Time + 3600), 2, 0, false},
                                      form->DataObject()->Axes().Value()));
  channel->Invalidate();
  EXPECT_EQ(CountPixels(channel->grab().toImage(), kFlag), 0);
  form->Diagram()->ResetZoom();
  channel->Invalidate();
  Settle();

  // Edited and deleted where its line is.
  const QPoint line(form->Diagram()->ScreenNotes().at(0).X, Crossing(0, 1).y());
  nextNote = {"Ventil zu", 0};
  ContextAction(line, channel->NoteMenu()->EditAction());
  EXPECT_EQ(form->Session()->Notes().at(0).Text, "Ventil zu");
  EXPECT_EQ(form->Session()->Notes().at(0).Channel, 0);
  EXPECT_TRUE(panel->text().contains("Ventil zu"));
  ContextAction(line + QPoint(60, 0), channel->NoteMenu()->DeleteAction());
  EXPECT_EQ(form->Session()->Notes().size(), 1u) << "deleted far from its line";
  ContextAction(line, channel->NoteMenu()->DeleteAction());
  EXPECT_TRUE(form->Session()->Notes().empty());
  EXPECT_EQ(CountPixels(channel->grab().toImage(), kFlag), 0);
}

TEST_F(Evaluation, SavedAndOpenedAgainWithItsWholeState) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  form->ChooseFiles = [&](const TFileRequest&) { return QStringList{Path("full1500.DAT")}; };
  Menu("Mn_File_Compare");
  Menu("Mn_Equal_2");
  Menu("Mn_Edit_Zero");
  Menu("MN_Wnd_Combi1");
  Hover(Crossing(2, 1));
  nextNote = {"eins", 0};
  ContextAction(Crossing(2, 1), channel->NoteMenu()->AddAction());
  // The zoom as the mouse makes it, then two markers.
  for (const QPoint p : {Crossing(1, 0), Crossing(5, 4)}) {
    QTest::mouseMove(channel, p);
    QTest::mouseClick(channel, Qt::LeftButton, {}, p);
  }
  Settle();
  ASSERT_TRUE(channel->Controller().Zoomed());
  Hover(Crossing(2, 1));
  QTest::keyClicks(channel, "m");
  Hover(Crossing(4, 1));
  QTest::keyClicks(channel, "m");
  Settle();
  const State before = Now();
  ASSERT_EQ(before.compared, 1);
  ASSERT_GT(before.markB, 0);

  nextFile = Path("lab.vqa");
  Menu("Mn_File_SaveEvaluation");
  EXPECT_EQ(lastRequest->fileName, "hours40.vqa");
  const QByteArray text = ReadFile(Path("lab.vqa"));
  EXPECT_TRUE(text.contains("\"path\": \"hours40.DAT\"")) << text.constData();

  // Something else entirely, then the evaluation again.
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  Menu("Mn_Wnd_Ch5");
  ASSERT_NE(Now(), before);
  nextFile = Path("lab.vqa");
  Menu("Mn_File_OpenEvaluation");
  Settle();
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
  EXPECT_TRUE(asked.isEmpty());
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(Find<QAction>("Mn_Edit_Zero")->isChecked());
  EXPECT_GT(CountPixels(channel->grab().toImage(), kFlag), 0);

  // A second start hands a .vqa to the running program the same way.
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  form->HandleForwardedArguments({Path("lab.vqa")});
  Settle();
  EXPECT_EQ(Now(), before);
}

TEST_F(Evaluation, ChangedOrMovedRecordingsAreReportedAndLocated) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  ASSERT_TRUE(form->SaveEvaluationFile(Path("e.vqa")));
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  const State other = Now();

  // Changed since: reported; cancelled, nothing changes.
  QByteArray bytes = ReadFile(Path("hours40.DAT"));
  const QByteArray original = bytes;
  bytes[bytes.size() - 3] = static_cast<char>(bytes[bytes.size() - 3] ^ 1);
  WriteFile(Path("hours40.DAT"), bytes);
  answer = 0;
  EXPECT_FALSE(form->OpenEvaluationFile(Path("e.vqa")));
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(askedChanged);
  EXPECT_TRUE(asked[0].contains("geändert")) << asked[0].toStdString();
  EXPECT_EQ(Now(), other);
  // Opened anyway when the user says so.
  answer = 2;
  EXPECT_TRUE(form->OpenEvaluationFile(Path("e.vqa")));
  EXPECT_EQ(form->RecordingPath(), Path("hours40.DAT"));

  // Moved: reported, and located with the file dialog.
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  QDir().mkdir(Path("moved"));
  WriteFile(Path("moved/run.DAT"), original);
  QFile::remove(Path("hours40.DAT"));
  asked.clear();
  answer = 1;
  nextFile = Path("moved/run.DAT");
  EXPECT_TRUE(form->OpenEvaluationFile(Path("e.vqa")));
  ASSERT_EQ(asked.size(), 1);
  EXPECT_FALSE(askedChanged);
  EXPECT_TRUE(asked[0].contains("nicht gefunden")) << asked[0].toStdString();
  EXPECT_EQ(form->RecordingPath(), Path("moved/run.DAT"));
  // A located file that is another recording is reported as changed.
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  asked.clear();
  answer = 1;
  nextFile = Path("full1500.DAT");
  form->AskAboutRecording = [this](const QString& text, bool changed) {
    asked << text;
    return changed ? 0 : 1;
  };
  EXPECT_FALSE(form->OpenEvaluationFile(Path("e.vqa")));
  EXPECT_EQ(asked.size(), 2);
  EXPECT_EQ(form->RecordingPath(), Path("days10.DAT"));
}

TEST_F(Evaluation, RefusedEvaluationsChangeNothing) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  ASSERT_TRUE(form->SaveEvaluationFile(Path("e.vqa")));
  const QByteArray good = ReadFile(Path("e.vqa"));
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  const State other = Now();
  ASSERT_EQ(mkfifo(Path("fifo.vqa").toLocal8Bit().constData(), 0600), 0);
  QByteArray newer = good;
  newer.replace("\"version\": 1", "\"version\": 3");
  QByteArray wrong = good;
  wrong.replace("\"zero_point\": false", "\"zero_point\": 0");
  struct Case {
    QString file;
    QByteArray bytes;  // written first unless empty
    const char* says;
  };
  const Case cases[] = {
      {Path("cut.vqa"), good.left(good.size() / 2), "beschädigt oder unvollständig"},
      {Path("newer.vqa"), newer, "neueren Programmversion (Format 3"},
      {Path("wrong.vqa"), wrong, "\u201ezero_point\u201c fehlt oder hat den falschen Typ"},
      {Path("huge.vqa"), QByteArray(2 << 20, ' '), "zu groß"},
      {Path("fifo.vqa"), {}, "keine gewöhnliche Datei"},
      {"/dev/zero", {}, "keine gewöhnliche Datei"},
      {Path("none.vqa"), {}, "gibt es nicht"},
  };
  for (const Case& c : cases) {
    if (!c.bytes.isEmpty()) WriteFile(c.file, c.bytes);
    errors.clear();
    EXPECT_FALSE(form->OpenEvaluationFile(c.file)) << c.file.toStdString();
    ASSERT_EQ(errors.size(), 1) << c.file.toStdString();
    EXPECT_TRUE(errors[0].contains(QString::fromUtf8(c.says))) << errors[0].toStdString();
    EXPECT_EQ(form->StatusText(), "Error reading evaluation file!");
    EXPECT_EQ(Now(), other) << c.file.toStdString();
  }
}

TEST_F(Evaluation, EveryDiagramWindowComesBackWithItsAxesMarkersAndCoupling) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  Menu("MN_Wnd_Combi1");
  Menu("Mn_Wnd_New_Ch5");
  Menu("Mn_Wnd_New_Combi1");
  const std::vector<TF_SChannel*> further = windows->FurtherWindows();
  ASSERT_EQ(further.size(), 2u);
  TF_SChannel* coupled = further[0];
  TF_SChannel* free = further[1];
  // The last one zoomed freely on all three axes, its time axis then given
  // to the others by coupling them; markers in two windows.
  Wheel(free, 2, Qt::NoModifier);
  Wheel(free, 1, Qt::ControlModifier);
  Wheel(free, 3, Qt::ShiftModifier);
  free->ContextMenu()->findChild<QAction*>("PMn_CoupleTime")->trigger();
  Mark(free, 3, 6);
  Mark(coupled, 1, 4);
  const std::vector<WindowState> before = Windows();
  ASSERT_EQ(before.size(), 3u);
  EXPECT_EQ(before[1].caption, "Messkanal 5 (2)");
  const TAxisSet& own = before[2].axes;
  ASSERT_TRUE(IsFreeRange(own.Time) && IsFreeRange(own.Value) && IsFreeRange(own.Temp));
  ASSERT_TRUE(windows->TimeAxesCoupled());
  ASSERT_EQ(coupled->Controller().TimeRange(), free->Controller().TimeRange());
  ASSERT_FALSE(IsFreeRange(before[1].axes.Value));
  ASSERT_TRUE(form->SaveEvaluationFile(Path("w.vqa")));
  const QByteArray text = ReadFile(Path("w.vqa"));
  EXPECT_TRUE(text.contains("\"coupled_time\": true")) << text.constData();

  // Something else: another recording, uncoupled, one other further window.
  ASSERT_TRUE(form->OpenDataFile(Path("days10.DAT")));
  windows->SetTimeAxesCoupled(false);
  windows->CloseFurtherWindows();
  Menu("Mn_Wnd_New_Ch2");
  ASSERT_NE(Windows(), before);

  ASSERT_TRUE(form->OpenEvaluationFile(Path("w.vqa")));
  Settle();
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
  EXPECT_EQ(Windows(), before);
  EXPECT_TRUE(windows->TimeAxesCoupled());
  // Each history begins anew: one step away from the full scale.
  const std::vector<TF_SChannel*> back = windows->FurtherWindows();
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1]->ZoomStateText(), "Zoom 1 von 1");
  QTest::keyClick(back[1], Qt::Key_Left, Qt::AltModifier);
  Settle();
  EXPECT_EQ(back[1]->ZoomStateText(), "Kein Zoom");
  EXPECT_EQ(back[1]->Diagram()->Axes().All(), back[1]->Controller().FullScale());
  // Still coupled: the time axis zoomed in the first window is the others' too.
  Wheel(channel, 1, Qt::NoModifier);
  for (TF_SChannel* w : back)
    EXPECT_EQ(w->Controller().TimeRange(), channel->Controller().TimeRange());
}
