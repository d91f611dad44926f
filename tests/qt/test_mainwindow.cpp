// The main window driven through its real widgets: File/Open, the edit
// commands, the ASCII export, help and the hand-over of files.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProgressBar>
#include <QTextBrowser>
#include <QTimer>

#include <sys/stat.h>

#include "app/HelpWindow.h"
#include "chart/vqrdiagram.h"
#include "data/vqrfileo.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"
#include "support/modals.h"

using MainWindow = MainWindowFixture;

namespace {
const QString kSample = QString::fromStdString(SamplePath("hours40.DAT"));
}

TEST_F(MainWindow, FileOpenReportsAndLeavesTheObjectsAsExpected) {
  WriteFile(Path("broken.DAT"), QByteArray(39 * 12, '\xA5'));
  ASSERT_EQ(mkfifo(Path("pipe.DAT").toLocal8Bit().constData(), 0600), 0);
  const struct {
    QString file;  // "" cancels
    const char* status;
    bool loaded;
  } cases[] = {{kSample, "Ok", true},
               {Path("broken.DAT"), "Error reading Data File!", true},
               {Path("missing.DAT"), "Error opening data file!", false},
               {dir.path(), "Error opening data file!", false},
               {Path("pipe.DAT"), "Error opening data file!", false},  // would block on a writer
               {"", "Error reading Data File!", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    MakeForm();
    form->show();
    nextFile = c.file;
    lastRequest.reset();
    Find<QAction>("Mn_File_Open")->trigger();
    ASSERT_TRUE(lastRequest.has_value());
    EXPECT_TRUE(lastRequest->filter.startsWith("VQR Messwert-Dateien (*.DAT"));
    EXPECT_EQ(form->StatusText(), c.status);
    EXPECT_TRUE(c.file != kSample || form->DataObject()->GetSampleCount() > 10);
    QWidget* message = form->StatusPanels()->Panel(2);  // wide enough for the whole text
    EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance(c.status));
    EXPECT_EQ(std::tuple(form->BusyCount, QApplication::overrideCursor(), form->Gauge()->Maximum()),
              std::tuple(0, nullptr, 0));  // not busy any more
    // The caption names the chosen file even when reading failed.
    EXPECT_EQ(form->windowTitle(),
              c.file.isEmpty() ? QString("QXMainForm") : "ZT Velqor Data - " + c.file);
    EXPECT_EQ(form->DataObject() == nullptr, c.file.isEmpty());
    // A file read, even one that did not decode, is there to export.
    lastRequest.reset();
    nextFile.clear();  // cancels the export
    Find<QAction>("Mn_File_SaveAs")->trigger();
    EXPECT_EQ(lastRequest.has_value(), c.loaded);
    form.reset();
  }
}

TEST_F(MainWindow, SecondOpenReusesTheObjectsAndHoldsOnlyTheNewFile) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("full1500.DAT"))));
  TVqrDataObjectNew* object = form->DataObject();
  TVQRDataObject* store = &form->Session()->Store();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_EQ(std::pair(form->DataObject(), &form->Session()->Store()), std::pair(object, store));
  EXPECT_LT(object->GetSampleCount(), 1500);
  EXPECT_TRUE(store->Samples[object->GetSampleCount() + 1].IsEmpty());
}

TEST_F(MainWindow, DialogStartsAtTheRememberedFileOrTheStartFolder) {
  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nStartDir=/data/runs/x.DAT\n");
  MakeForm();
  form->FileOpen();
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->directory + "|" + lastRequest->fileName, "/data/runs/|");
  form.reset();

  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nRemember=ON\nLastFile=/data/old/run7.DAT\n");
  MakeForm();
  nextFile = kSample;
  form->FileOpen();
  EXPECT_EQ(lastRequest->directory + "|" + lastRequest->fileName, "/data/old/|run7.DAT");
  CloseForm();
  EXPECT_EQ(ReadIniMap(iniPath)["rawfile/lastfile"], kSample.toStdString());

  // No folder set: the samples of an installed program.
  WriteIni("[General]\nSavePos=OFF\n");
  MakeForm();
  form->Ini()->DataDir = dir.filePath("share").toStdString() + "/";
  QDir().mkpath(dir.filePath("share/samples"));
  form->FileOpen();
  EXPECT_EQ(lastRequest->directory, dir.filePath("share/samples/"));
}

TEST_F(MainWindow, CommandsBeforeAndAfterTheFirstRecording) {
  MakeForm();
  // Before the first File/Open window commands, smoothing and the exports do
  // nothing at all; print beeps without a recording.
  for (const char* name : {"MN_Wnd_Combi1", "Mn_Wnd_Ch3", "Mn_Overview", "Mn_File_Print",
                           "Mn_File_ExcelExport", "Mn_Equal_2", "Mn_File_SaveAs"})
    Find<QAction>(name)->trigger();
  Find<QPushButton>("Bt_C1_Apply")->click();
  EXPECT_EQ(beeps, 2);
  EXPECT_FALSE(lastRequest.has_value());
  auto* zero = Find<QAction>("Mn_Edit_Zero");
  zero->trigger();
  form->OpenDataFile(Path("missing.DAT"));
  Find<QAction>("Mn_Equal_2")->trigger();
  EXPECT_EQ(beeps, 3);

  // The processing object made by the first File/Open starts with the flag
  // off; the flag then survives the next File/Open.
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_EQ(std::pair(zero->isChecked(), form->DataObject()->ZeroPoint()), std::pair(true, false));
  zero->trigger();
  zero->trigger();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_TRUE(form->DataObject()->ZeroPoint());

  const TVQRDataObject before = form->Session()->Store();
  form->Pages()->setCurrentIndex(4);
  Find<QAction>("Mn_Equal_2")->trigger();
  EXPECT_EQ(std::tuple(beeps, form->BusyCount, form->Pages()->currentIndex()), std::tuple(3, 0, 0));
  int changed = 0;
  for (int i = 1; i <= form->DataObject()->GetSampleCount(); ++i)
    for (int ch = 1; ch <= 17; ++ch)
      changed += before.Samples[i].Cal[ch] != form->Session()->Store().Samples[i].Cal[ch];
  EXPECT_GT(changed, 0);

  Find<QAction>("MN_Wnd_Combi2")->trigger();
  EXPECT_EQ(form->Diagram()->WindowMode(), kCombi2Mode);
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Combi2");
}

// After an operation the full gauge stays up for the settle time while the
// event loop runs on; a command in that time takes the gauge over.
TEST_F(MainWindow, FullGaugeStaysForTheSettleTimeWithoutBlocking) {
  MakeForm();
  form->show();
  form->SettleMs = 400;
  auto* bar = Find<QProgressBar>("PB_Main");
  auto gaugeState = [&] {
    return std::tuple(bar->isVisible(), bar->value() == bar->maximum() && bar->maximum() > 1,
                      form->StatusPanels()->PanelText(0));
  };
  std::optional<std::tuple<bool, bool, QString>> seen;
  QTimer::singleShot(0, form.get(), [&] { seen = gaugeState(); });
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  QTest::qWait(20);
  ASSERT_TRUE(seen.has_value());  // the event loop ran while the gauge was up
  EXPECT_EQ(*seen, std::tuple(true, true, QString("Lesen:")));
  EXPECT_EQ(form->BusyCount, 0);

  // Smoothing now: its gauge is not cut short by the pending end of the load's.
  clock.restart();
  Find<QAction>("Mn_Equal_2")->trigger();
  EXPECT_EQ(beeps, 0);
  QTest::qWait(200);
  if (clock.elapsed() < 380) {
    EXPECT_EQ(gaugeState(), std::tuple(true, true, QString("Filter:")));
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible(); }, 5000));
  EXPECT_GE(clock.elapsed(), 400);
  EXPECT_EQ(form->StatusPanels()->PanelText(0), "");
}

// What a failed write leaves behind is checked in test_export; here the
// status texts and the box that says where and why.
TEST_F(MainWindow, AsciiExportWritesOrLeavesClearStatusMessages) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  const auto failed = [](const QString& file, const QString& reason) {
    return QStringList{"WriteFailureBox: Die Datei " + file +
                       " konnte nicht geschrieben werden.\n\n" + reason};
  };
  // The good export last: a failed one keeps the recording.
  const struct {
    QString target;
    const char* status;
    QStringList boxes;
  } cases[] = {
      {"", "Error writing export File!", {}},  // cancelled
      {Path("no/such/folder/out.ASC"), "Error opening export file!",
       failed(Path("no/such/folder/out.ASC"),
              "Der Ordner " + Path("no/such/folder") + " existiert nicht.")},
      {dir.path(), "Error opening export file!",
       failed(dir.path(), dir.path() + " ist ein Ordner, keine Datei.")},
      {"/dev/full", "Error writing export File!",
       failed("/dev/full", "Im Ordner /dev ist kein Platz mehr frei: der Datenträger ist voll.")},
      {Path("out.ASC"), "Ok", {}},
  };
  for (const auto& c : cases) {
    nextFile = c.target;
    const QStringList boxes = Answering({Press(QMessageBox::Ok)}, [this]() { form->FileSaveAs(); });
    EXPECT_EQ(std::tuple(form->StatusText(), form->BusyCount, boxes),
              std::tuple(QString(c.status), 0, c.boxes))
        << c.target.toStdString();
  }
  EXPECT_EQ(std::pair(lastRequest->mode, lastRequest->defaultSuffix),
            std::pair(TFileRequest::Mode::Save, QString("ASC")));
  // + "", " End of export", ""
  EXPECT_EQ(ReadFile(Path("out.ASC")).split('\n').size(), form->DataObject()->GetSampleCount() + 3);
}

TEST_F(MainWindow, HelpTopicsExistForEveryPageAndAMissingFileIsReported) {
  MakeForm();
  form->HelpContents();
  EXPECT_EQ(std::pair(form->StatusText(), beeps), std::pair(QString("Help file not found!"), 1));
  form.reset();

  ASSERT_TRUE(QFile::copy(QString(VQR_BINARY_DIR) + "/vqrshow4.HLP", Path("vqrshow4.HLP")));
  MakeForm();
  for (int page = 0; page < form->Pages()->count(); ++page) {
    form->Pages()->setCurrentIndex(page);
    form->HelpSearch();
    ASSERT_NE(form->HelpWindow(), nullptr);
    const QString anchor = form->HelpWindow()->CurrentAnchor();
    EXPECT_TRUE(form->HelpWindow()->HasAnchor(anchor)) << page << anchor.toStdString();
  }
  EXPECT_EQ(beeps, 0);
  // Esc in the text closes the window as its button does.
  THelpWindow* help = form->HelpWindow();
  ASSERT_TRUE(help->isVisible());
  QTest::keyClick(help->findChild<QTextBrowser*>("HelpBrowser"), Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
}

TEST_F(MainWindow, DroppedAndForwardedFilesAreOpened) {
  MakeForm();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(kSample)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + kSample);
  EXPECT_EQ(form->StatusText(), "Ok");

  const QString other = QString::fromStdString(SamplePath("days10.DAT"));
  form->HandleForwardedArguments({other});
  EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + other);
}

TEST_F(MainWindow, CompareAddsRecordingsUntilItEndsOrAnotherFileIsOpened) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  form->ChooseFiles = [&](const TFileRequest&) {
    return QStringList{QString::fromStdString(SamplePath("full1500.DAT")), Path("missing.DAT")};
  };
  const struct {
    const char* action;  // "" opens the sample again
    QString status;
    int compared;
  } steps[] = {{"Mn_File_Compare", "Error opening data file! missing.DAT", 1},
               {"Mn_File_CompareEnd", "Error opening data file! missing.DAT", 0},
               {"Mn_File_Compare", "Error opening data file! missing.DAT", 1},
               {"", "Ok", 0}};
  for (const auto& s : steps) {
    if (*s.action)
      Find<QAction>(s.action)->trigger();
    else
      form->OpenDataFile(kSample);
    EXPECT_EQ(form->StatusText(), s.status) << s.action;
    EXPECT_EQ(form->Session()->ComparedCount(), s.compared) << s.action;
  }
}
