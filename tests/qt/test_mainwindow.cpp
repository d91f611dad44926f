// The main window driven through its real widgets: File/Open, the edit
// commands, the ASCII export, help and the hand-over of files.
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>

#include <sys/stat.h>

#include "app/HelpWindow.h"
#include "data/atomicfile.h"
#include "data/vqrfileo.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

using MainWindow = MainWindowFixture;

namespace {
const QString kSample = QString::fromStdString(SamplePath("hours40.DAT"));
}

// In a small window the pages scroll rather than squeeze or clip their fields.
TEST_F(MainWindow, PagesScrollInASmallWindow) {
  MakeForm();
  form->resize(640, 480);
  form->show();
  QTabWidget* pages = form->Pages();
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(pages->widget(i));
    ASSERT_NE(area, nullptr) << i;
    const QSize need = area->widget()->minimumSizeHint(), got = area->widget()->size();
    EXPECT_TRUE(got.width() >= need.width() && got.height() >= need.height()) << i;
  }
}

// ---------------------------------------------------------------- File/Open

TEST_F(MainWindow, FileOpenReportsAndLeavesTheObjectsAsExpected) {
  enum Kind { Good, Garbage, Missing, Directory, Fifo, Cancel };
  const struct {
    Kind kind;
    const char* status;
    bool loaded;
  } cases[] = {{Good, "Ok", true},
               {Garbage, "Error reading Data File!", true},
               {Missing, "Error opening data file!", false},
               {Directory, "Error opening data file!", false},
               {Fifo, "Error opening data file!", false},  // would block waiting for a writer
               {Cancel, "Error reading Data File!", false}};
  WriteFile(Path("broken.DAT"), QByteArray(39 * 12, '\xA5'));
  ASSERT_EQ(mkfifo(Path("pipe.DAT").toLocal8Bit().constData(), 0600), 0);
  const QString files[] = {kSample,    Path("broken.DAT"), Path("missing.DAT"),
                           dir.path(), Path("pipe.DAT"),   ""};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    MakeForm();
    form->show();
    nextFile = files[c.kind];
    lastRequest.reset();
    form->findChild<QAction*>("Mn_File_Open")->trigger();
    ASSERT_TRUE(lastRequest.has_value());
    EXPECT_EQ(lastRequest->title, QString::fromUtf8("VQR-Rohdaten öffnen"));
    EXPECT_TRUE(lastRequest->filter.startsWith("VQR Messwert-Dateien (*.DAT"));
    EXPECT_EQ(form->StatusText(), c.status);
    QWidget* message = form->StatusPanels()->Panel(2);  // wide enough for the whole text
    EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance(c.status));
    EXPECT_EQ(form->DataLoaded, c.loaded);
    EXPECT_EQ(form->BusyCount, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form->Gauge()->Maximum(), 0);  // finished
    // The caption names the chosen file even when reading failed.
    EXPECT_EQ(form->windowTitle(),
              c.kind == Cancel ? QString("QXMainForm") : "ZT Velqor Data - " + nextFile);
    EXPECT_EQ(form->DataObject() == nullptr, c.kind == Cancel);
    if (c.kind == Good) EXPECT_GT(form->DataObject()->GetSampleCount(), 10);
    form.reset();
  }
}

TEST_F(MainWindow, SecondOpenReusesTheObjectsAndHoldsOnlyTheNewFile) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("full1500.DAT"))));
  TVqrDataObjectNew* object = form->DataObject();
  TVQRDataObject* store = &form->Session()->Store();
  EXPECT_EQ(object->GetSampleCount(), 1500);
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_EQ(form->DataObject(), object);
  EXPECT_EQ(&form->Session()->Store(), store);
  const int count = object->GetSampleCount();
  EXPECT_LT(count, 1500);
  EXPECT_TRUE(store->Samples[count + 1].IsEmpty());
}

TEST_F(MainWindow, CancelAfterALoadedFileShowsTheOverviewAgain) {
  MakeForm();
  struct Windows : IDiagramWindows {
    bool ChannelWindowVisible() const override { return false; }
    void CloseChannelWindow() override {}
    void RefreshChannelWindow() override {}
    TProcessGauge* ChannelWindowGauge() const override { return nullptr; }
    bool OverviewVisible() const override { return false; }
    void CloseOverview() override {}
    void RefreshOverview() override {}
    void ShowOverview() override { ++shown; }
    int shown = 0;
  } windows;
  form->AttachDiagramWindows(&windows);
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_EQ(windows.shown, 1);
  nextFile.clear();
  form->FileOpen();
  EXPECT_EQ(form->StatusText(), "Error reading Data File!");
  EXPECT_TRUE(form->DataLoaded);
  EXPECT_EQ(windows.shown, 2);
  form->AttachDiagramWindows(nullptr);
}

TEST_F(MainWindow, DialogStartsAtTheRememberedFileOrTheStartFolder) {
  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nStartDir=/data/runs/x.DAT\n");
  MakeForm();
  form->FileOpen();
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->directory, "/data/runs/");
  EXPECT_TRUE(lastRequest->fileName.isEmpty());
  form.reset();

  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nRemember=ON\nLastFile=/data/old/run7.DAT\n");
  MakeForm();
  nextFile = kSample;
  form->FileOpen();
  EXPECT_EQ(lastRequest->directory, "/data/old/");
  EXPECT_EQ(lastRequest->fileName, "run7.DAT");
  CloseForm();
  EXPECT_EQ(ReadIniMap(iniPath)["rawfile/lastfile"], kSample.toStdString());
}

// ---------------------------------------------------------------- Edit

TEST_F(MainWindow, ZeroPointCheckMarkTogglesWithAndWithoutData) {
  MakeForm();
  auto* zero = Find<QAction>("Mn_Edit_Zero");
  zero->trigger();
  EXPECT_TRUE(zero->isChecked());
  // The processing object made by the first File/Open starts with the flag off.
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_TRUE(zero->isChecked());
  EXPECT_FALSE(form->DataObject()->ZeroPoint);
  zero->trigger();
  EXPECT_FALSE(zero->isChecked());
  EXPECT_FALSE(form->DataObject()->ZeroPoint);
  zero->trigger();
  EXPECT_TRUE(form->DataObject()->ZeroPoint);
  // The flag survives the next File/Open.
  ASSERT_TRUE(form->OpenDataFile(kSample));
  EXPECT_TRUE(form->DataObject()->ZeroPoint);
}

TEST_F(MainWindow, SmoothingDoesNothingBeforeOpenBeepsWithoutDataAndSmoothsAfter) {
  MakeForm();
  auto* equal2 = Find<QAction>("Mn_Equal_2");
  equal2->trigger();
  EXPECT_EQ(form->BeepCount, 0);  // no recording ever opened: nothing happens
  form->OpenDataFile(Path("missing.DAT"));
  equal2->trigger();
  EXPECT_EQ(form->BeepCount, 1);

  ASSERT_TRUE(form->OpenDataFile(kSample));
  const TVQRDataObject before = form->Session()->Store();
  form->Pages()->setCurrentIndex(4);
  equal2->trigger();
  EXPECT_EQ(form->BeepCount, 1);
  EXPECT_EQ(form->Pages()->currentIndex(), 0);
  int changed = 0;
  for (int i = 1; i <= form->DataObject()->GetSampleCount(); ++i)
    for (int ch = 1; ch <= 17; ++ch)
      changed += before.Samples[i].Cal[ch] != form->Session()->Store().Samples[i].Cal[ch];
  EXPECT_GT(changed, 0);
  EXPECT_EQ(form->BusyCount, 0);

  // The user-defined distance is taken from its field.
  Find<QLineEdit>("Ed_Equal_Dist")->setText(" 5 ");
  Find<QAction>("Mn_Equal_User")->trigger();
  EXPECT_EQ(form->Settings()->EqualizerDistance->GetInteger(1), 5);
  EXPECT_EQ(Find<QLineEdit>("Ed_Equal_Dist")->text(), "5");
}

TEST_F(MainWindow, WindowCommandsWaitForTheFirstRecordingPrintAndExcelBeepUntilPluggedIn) {
  MakeForm();
  // Before the first File/Open the window commands do nothing at all.
  for (const char* name :
       {"MN_Wnd_Combi1", "Mn_Wnd_Ch3", "Mn_Overview", "Mn_File_Print", "Mn_File_ExcelExport"})
    Find<QAction>(name)->trigger();
  Find<QPushButton>("Bt_C1_Apply")->click();
  EXPECT_EQ(form->BeepCount, 3);
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Excel");

  ASSERT_TRUE(form->OpenDataFile(kSample));
  Find<QAction>("MN_Wnd_Combi2")->trigger();
  EXPECT_EQ(form->CurrentWindow, 19);
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Combi2");
}

// ---------------------------------------------------------------- ASCII export

TEST_F(MainWindow, AsciiExportWritesTheLoadedRecording) {
  MakeForm();
  form->show();
  Find<QAction>("Mn_File_SaveAs")->trigger();  // nothing opened yet: nothing happens
  EXPECT_FALSE(lastRequest.has_value());
  ASSERT_TRUE(form->OpenDataFile(kSample));
  nextFile = Path("out.ASC");
  Find<QAction>("Mn_File_SaveAs")->trigger();
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->mode, TFileRequest::Mode::Save);
  EXPECT_EQ(lastRequest->defaultSuffix, "ASC");
  EXPECT_TRUE(lastRequest->filter.startsWith("VQR Ascii-Dateien (*.ASC"));
  EXPECT_EQ(form->StatusText(), "Ok");
  QFile out(nextFile);
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = out.readAll().split('\n');
  EXPECT_EQ(lines.size(), form->DataObject()->GetSampleCount() + 3);  // + "", " End of export", ""
  EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + kSample);
  EXPECT_EQ(form->BeepCount, 0);
}

TEST_F(MainWindow, AsciiExportFailuresLeaveClearStatusMessages) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(kSample));
  WriteFile(Path("keep.ASC"), "old");
  const struct {
    QString target;  // "" cancels
    const char* status;
    int writeLimit;
  } cases[] = {
      {"", "Error writing export File!", -1},
      {Path("no/such/folder/out.ASC"), "Error opening export file!", -1},
      {dir.path(), "Error opening export file!", -1},
      {"/dev/full", "Error writing export File!", -1},
      {Path("keep.ASC"), "Error writing export File!", 4096},  // disk full
  };
  for (const auto& c : cases) {
    nextFile = c.target;
    TAtomicFile::SetWriteLimitForTesting(c.writeLimit);
    form->FileSaveAs();
    TAtomicFile::SetWriteLimitForTesting(-1);
    EXPECT_EQ(form->StatusText(), c.status) << c.target.toStdString();
    EXPECT_EQ(form->BusyCount, 0);
  }
  // On a full disk the older export stays as it was.
  QFile keep(Path("keep.ASC"));
  ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
  EXPECT_EQ(keep.readAll(), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("keep"),
            QStringList{"keep.ASC"});
  EXPECT_TRUE(form->DataLoaded);
}

// ---------------------------------------------------------------- Help

TEST_F(MainWindow, HelpTopicsExistForEveryPageAndAMissingFileIsReported) {
  MakeForm();
  form->HelpContents();
  EXPECT_EQ(form->StatusText(), "Help file not found!");
  EXPECT_EQ(form->BeepCount, 1);
  form.reset();

  ASSERT_TRUE(QFile::copy(QString(VQR_BINARY_DIR) + "/vqrshow4.HLP", Path("vqrshow4.HLP")));
  MakeForm();
  QSet<QString> topics;
  for (int page = 0; page < form->Pages()->count(); ++page) {
    form->Pages()->setCurrentIndex(page);
    form->HelpSearch();
    ASSERT_NE(form->HelpWindow(), nullptr);
    const QString anchor = form->HelpWindow()->CurrentAnchor();
    EXPECT_TRUE(form->HelpWindow()->HasAnchor(anchor)) << page << anchor.toStdString();
    topics << anchor;
  }
  EXPECT_EQ(topics.size(), form->Pages()->count() - 1);  // the combinations share one
  form->HelpHowToUse();
  EXPECT_EQ(form->HelpWindow()->CurrentAnchor(), "hilfe");
  form->HelpContents();
  EXPECT_EQ(form->HelpWindow()->CurrentAnchor(), "");
  EXPECT_EQ(form->BeepCount, 0);
}

// ---------------------------------------------------------------- start and hand-over

TEST_F(MainWindow, StoredPositionIsClampedIntoTheWorkAreaAndWrittenBackWhenMoved) {
  WriteIni("[General]\nSavePos=ON\nStartX=5000\nStartY=-300\n");
  MakeForm();
  const QRect area = form->screen()->availableGeometry();
  EXPECT_GE(form->x(), area.left() + 5);
  EXPECT_GE(form->y(), area.top() + 5);
  EXPECT_TRUE(form->x() + form->width() + 5 <= area.right() + 1 || form->x() == area.left() + 5);
  form->move(area.left() + 40, area.top() + 30);
  form->SaveMainWindowPosition();
  const IniMap ini = ReadIniMap(iniPath);
  EXPECT_EQ(ini.at("general/startx"), std::to_string(area.left() + 40));
  EXPECT_EQ(ini.at("general/starty"), std::to_string(area.top() + 30));
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
  EXPECT_EQ(form->FileName, kSample);
  EXPECT_EQ(form->StatusText(), "Ok");

  // A later start of the program hands over its file; one that cannot be
  // opened is reported as at a first start.
  const QString other = QString::fromStdString(SamplePath("days10.DAT"));
  form->HandleForwardedArguments({other});
  EXPECT_EQ(form->FileName, other);
  EXPECT_TRUE(form->isVisible());
  for (const QString& bad : {Path("missing.DAT"), dir.path()}) {
    form->HandleForwardedArguments({bad});
    EXPECT_EQ(form->StatusText(), "Error opening data file!") << bad.toStdString();
    EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + bad);
  }
}
