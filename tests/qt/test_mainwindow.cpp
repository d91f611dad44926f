// The main window driven through its real widgets: layout, File/Open, the
// edit commands, the ASCII export and help.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>

#include <sys/stat.h>

#include "app/HelpWindow.h"
#include "data/atomicfile.h"
#include "data/vqrfileo.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

namespace {

QByteArray Garbage(int size) { return QByteArray(size, '\xA5'); }

}  // namespace

using MainWindowLayout = MainWindowFixture;

TEST_F(MainWindowLayout, PagesComeInOrderWithTheirCaptions) {
  MakeForm();
  auto* pages = Find<QTabWidget>("PageControl1");
  ASSERT_NE(pages, nullptr);
  const std::pair<const char*, const char*> expected[] = {
      {"FileSettings", "Dateien"},
      {"TS_Single", "Einzelblatt"},
      {"TS_Combi1", "Kombin. 1"},
      {"TS_Combi2", "Kombin. 2"},
      {"TS_DiagramXY", "Diagramm  X/Y"},
      {"TS_DiagramTGen", "Diagramm  T/allgemein"},
      {"TS_Text", "Texte"},
      {"TS_Printer", "Drucker"},
      {"TS_Excel", "Excel®"},
  };
  ASSERT_EQ(pages->count(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), expected[i].first);
    EXPECT_EQ(pages->tabText(i), QString::fromUtf8(expected[i].second));
  }
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(form->windowTitle(), "QXMainForm");

  // In a small window the pages scroll rather than squeeze or clip their fields.
  form->resize(640, 480);
  form->show();
  for (int i = 0; i < 9; ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(pages->widget(i));
    ASSERT_NE(area, nullptr) << i;
    const QSize need = area->widget()->minimumSizeHint(), got = area->widget()->size();
    EXPECT_TRUE(got.width() >= need.width() && got.height() >= need.height()) << i;
  }
}

TEST_F(MainWindowLayout, MenusCarryCaptionsHintsAndHandlers) {
  MakeForm();
  struct Item {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const Item items[] = {
      {"Mn_File_Open", "Ö&ffnen...", "Existierende Datei öffnen"},
      {"Mn_File_Save", "&Speichern", "Aktuelle Datei speichern"},
      {"Mn_File_SaveAs", "ASCII Export...", "Aktuelle Datei unter neuem Namen speichern"},
      {"Mn_File_ExcelExport", "Excel Export...", ""},
      {"Mn_File_Print", "&Drucken...", "Aktuelle Datei drucken"},
      {"Mn_File_Exit", "&Beenden", "Diese Anwendung beenden"},
      {"Mn_Edit_Zero", "Nullpunkt-Korrektur", ""},
      {"Mn_Equal_2", "Ausgleich +-2", ""},
      {"Mn_Equal_8", "Ausgleich +-8", ""},
      {"Mn_Equal_User", "Ausgleich Benutzerdef.", ""},
      {"Mn_Overview", "Übersicht Punkte", ""},
      {"Mn_OverviewFilled", "Übersicht Kurve", ""},
      {"MN_Wnd_Combi1", "Kombination 1", ""},
      {"MN_Wnd_Combi2", "Kombination 2", ""},
      {"Mn_Wnd_Ch16", "Kanal 16", ""},
      {"Mn_Help_Contents", "&Inhalt", "Inhaltsübersicht der Hilfe anzeigen"},
      {"Mn_Help_Search", "&Themenbezogene Hilfe...", "Hilfe zu einem Thema suchen"},
      {"Mn_Help_HowToUse", "&Hilfe verwenden", "Hilfe zur Benutzung des Hilfesystems"},
      {"Mn_Help_About", "I&nfo...", "Programminformationen anzeigen"},
  };
  for (const Item& item : items) {
    auto* a = Find<QAction>(item.name);
    if (!a) continue;
    EXPECT_EQ(a->text(), QString::fromUtf8(item.caption)) << item.name;
    EXPECT_EQ(a->statusTip(), QString::fromUtf8(item.hint)) << item.name;
  }
  EXPECT_FALSE(Find<QAction>("Mn_File_Save")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Mn_Edit_Zero")->isCheckable());

  QStringList menus;
  for (QAction* a : form->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, QStringList({"&Datei", "B&earbeiten", "&Fenster", "&Hilfe"}));

  QStringList hints;
  for (QAction* a : Find<QToolBar>("SpeedBar")->actions()) hints << a->toolTip();
  EXPECT_EQ(hints, QStringList({"Öffnen", "Speichern", "ASCII Export", "Drucken",
                                "Inhalt der Hilfe", "Info", "Excel Export"}));
}

TEST_F(MainWindowLayout, StatusBarHasOperationProgressAndMessagePanels) {
  MakeForm();
  form->show();
  TZTStatusBar* bar = form->StatusPanels();
  ASSERT_EQ(bar->PanelCount(), 3);
  EXPECT_EQ(bar->Panel(0)->width(), 100);
  EXPECT_EQ(bar->Panel(1)->width(), 150);
  form->ShowStatus("Error reading Data File!");
  EXPECT_GE(bar->Panel(2)->width(),
            bar->Panel(2)->fontMetrics().horizontalAdvance("Error reading Data File!"));
  // The gauge sits in panel 1 and is hidden while idle.
  auto* progress = Find<QProgressBar>("PB_Main");
  EXPECT_EQ(progress->parentWidget(), bar->Panel(1));
  EXPECT_FALSE(progress->isVisible());
}

// ---------------------------------------------------------------- File/Open

struct OpenCase {
  const char* label;
  enum { Good, Garbage, Missing, Directory, Fifo, Cancel } kind;
  const char* status;
  bool loaded;
};

class FileOpen : public MainWindowFixture, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(FileOpen, ReportsAndLeavesTheObjectsAsExpected) {
  const OpenCase& c = GetParam();
  MakeForm();
  form->show();
  QString file;
  switch (c.kind) {
    case OpenCase::Good:
      file = QString::fromStdString(SamplePath("hours40.DAT"));
      break;
    case OpenCase::Garbage: {
      file = Path("broken.DAT");
      QFile f(file);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(Garbage(39 * 12));
      break;
    }
    case OpenCase::Missing:
      file = Path("missing.DAT");
      break;
    case OpenCase::Directory:
      file = dir.path();
      break;
    case OpenCase::Fifo:  // would block for ever waiting for a writer
      file = Path("pipe.DAT");
      ASSERT_EQ(mkfifo(file.toLocal8Bit().constData(), 0600), 0);
      break;
    case OpenCase::Cancel:
      break;
  }
  nextFile = file;
  form->findChild<QAction*>("Mn_File_Open")->trigger();

  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->title, QString::fromUtf8("VQR-Rohdaten öffnen"));
  EXPECT_TRUE(lastRequest->filter.startsWith("VQR Messwert-Dateien (*.DAT"));
  EXPECT_EQ(form->StatusText(), c.status);
  EXPECT_EQ(form->DataLoaded, c.loaded);
  EXPECT_EQ(form->BusyCount, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  if (c.kind == OpenCase::Cancel) {
    EXPECT_EQ(form->windowTitle(), "QXMainForm");
    EXPECT_EQ(form->DataObject(), nullptr);
  } else {
    // The caption names the chosen file even when reading failed.
    EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + file);
    ASSERT_NE(form->DataObject(), nullptr);
  }
  if (c.kind == OpenCase::Good) {
    EXPECT_GT(form->DataObject()->GetSampleCount(), 10);
  }
  EXPECT_EQ(form->Gauge()->Maximum(), 0);  // finished
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileOpen,
    ::testing::Values(OpenCase{"Good", OpenCase::Good, "Ok", true},
                      OpenCase{"NotDecodable", OpenCase::Garbage, "Error reading Data File!", true},
                      OpenCase{"Missing", OpenCase::Missing, "Error opening data file!", false},
                      OpenCase{"Unreadable", OpenCase::Directory, "Error opening data file!",
                               false},
                      OpenCase{"Fifo", OpenCase::Fifo, "Error opening data file!", false},
                      OpenCase{"Cancelled", OpenCase::Cancel, "Error reading Data File!", false}),
    [](const auto& info) { return std::string(info.param.label); });

using FileOpenSequence = MainWindowFixture;

TEST_F(FileOpenSequence, SecondOpenReusesTheObjectsAndHoldsOnlyTheNewFile) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("full1500.DAT"))));
  TVqrDataObjectNew* object = form->DataObject();
  TVQRDataObject* store = &form->Session()->Store();
  EXPECT_EQ(object->GetSampleCount(), 1500);
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_EQ(form->DataObject(), object);
  EXPECT_EQ(&form->Session()->Store(), store);
  const int count = object->GetSampleCount();
  EXPECT_LT(count, 1500);
  EXPECT_TRUE(store->Samples[count + 1].IsEmpty());
}

TEST_F(FileOpenSequence, CancelAfterALoadedFileShowsTheOverviewAgain) {
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
  int& overviews = windows.shown;
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_EQ(overviews, 1);
  nextFile.clear();
  form->FileOpen();
  EXPECT_EQ(form->StatusText(), "Error reading Data File!");
  EXPECT_TRUE(form->DataLoaded);
  EXPECT_EQ(overviews, 2);
  form->AttachDiagramWindows(nullptr);
}

TEST_F(FileOpenSequence, RememberedLastFileStartsTheDialogAndIsSavedAtClose) {
  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nRemember=ON\nLastFile=/data/old/run7.DAT\n");
  MakeForm();
  nextFile = QString::fromStdString(SamplePath("hours40.DAT"));
  form->FileOpen();
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->directory, "/data/old/");
  EXPECT_EQ(lastRequest->fileName, "run7.DAT");
  CloseForm();
  EXPECT_EQ(ReadIniMap(iniPath)["rawfile/lastfile"], SamplePath("hours40.DAT"));
}

TEST_F(FileOpenSequence, StartFolderIsUsedWhenNotRemembering) {
  WriteIni("[General]\nSavePos=OFF\n[RawFile]\nStartDir=/data/runs/x.DAT\n");
  MakeForm();
  form->FileOpen();
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(lastRequest->directory, "/data/runs/");
  EXPECT_TRUE(lastRequest->fileName.isEmpty());
}

// ---------------------------------------------------------------- Edit

using EditCommands = MainWindowFixture;

TEST_F(EditCommands, ZeroPointCheckMarkTogglesWithAndWithoutData) {
  MakeForm();
  auto* zero = Find<QAction>("Mn_Edit_Zero");
  zero->trigger();
  EXPECT_TRUE(zero->isChecked());
  // The processing object made by the first File/Open starts with the flag off.
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_TRUE(zero->isChecked());
  EXPECT_FALSE(form->DataObject()->ZeroPoint);
  zero->trigger();
  EXPECT_FALSE(zero->isChecked());
  EXPECT_FALSE(form->DataObject()->ZeroPoint);
  zero->trigger();
  EXPECT_TRUE(form->DataObject()->ZeroPoint);
  // The flag survives the next File/Open.
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_TRUE(form->DataObject()->ZeroPoint);
}

TEST_F(EditCommands, SmoothingDoesNothingBeforeOpenBeepsWithoutDataAndSmoothsAfter) {
  MakeForm();
  auto* equal2 = Find<QAction>("Mn_Equal_2");
  equal2->trigger();
  EXPECT_EQ(form->BeepCount, 0);  // no recording ever opened: nothing happens

  form->OpenDataFile(Path("missing.DAT"));
  equal2->trigger();
  EXPECT_EQ(form->BeepCount, 1);

  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
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
}

TEST_F(EditCommands, UserDefinedSmoothingTakesTheDistanceField) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  Find<QLineEdit>("Ed_Equal_Dist")->setText(" 5 ");
  Find<QAction>("Mn_Equal_User")->trigger();
  EXPECT_EQ(form->Settings()->EqualizerDistance->GetInteger(1), 5);
  EXPECT_EQ(Find<QLineEdit>("Ed_Equal_Dist")->text(), "5");
}

TEST_F(EditCommands, WindowCommandsWaitForTheFirstRecordingPrintAndExcelBeepUntilPluggedIn) {
  MakeForm();
  // Before the first File/Open the window commands do nothing at all.
  for (const char* name :
       {"MN_Wnd_Combi1", "Mn_Wnd_Ch3", "Mn_Overview", "Mn_File_Print", "Mn_File_ExcelExport"})
    Find<QAction>(name)->trigger();
  Find<QPushButton>("Bt_C1_Apply")->click();
  EXPECT_EQ(form->BeepCount, 3);
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Excel");

  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  Find<QAction>("MN_Wnd_Combi2")->trigger();
  EXPECT_EQ(form->CurrentWindow, 19);
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Combi2");
}

// ---------------------------------------------------------------- ASCII export

using AsciiExport = MainWindowFixture;

TEST_F(AsciiExport, WritesTheLoadedRecording) {
  MakeForm();
  form->show();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
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
  EXPECT_EQ(form->windowTitle(),
            "ZT Velqor Data - " + QString::fromStdString(SamplePath("hours40.DAT")));
}

TEST_F(AsciiExport, FailuresLeaveClearStatusMessages) {
  MakeForm();
  Find<QAction>("Mn_File_SaveAs")->trigger();  // nothing opened yet: nothing happens
  EXPECT_FALSE(lastRequest.has_value());
  EXPECT_EQ(form->BeepCount, 0);

  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  nextFile.clear();
  form->FileSaveAs();
  EXPECT_EQ(form->StatusText(), "Error writing export File!");

  // A target that cannot be created, and one that opens but takes no data.
  const std::pair<QString, const char*> targets[] = {
      {Path("no/such/folder/out.ASC"), "Error opening export file!"},
      {dir.path(), "Error opening export file!"},
      {"/dev/full", "Error writing export File!"},
  };
  for (const auto& [target, message] : targets) {
    nextFile = target;
    form->FileSaveAs();
    EXPECT_EQ(form->StatusText(), message) << target.toStdString();
    EXPECT_EQ(form->BusyCount, 0);
  }
  // On a full disk the older export stays as it was.
  QFile keep(Path("keep.ASC"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
  keep.write("old");
  keep.close();
  nextFile = Path("keep.ASC");
  TAtomicFile::SetWriteLimitForTesting(4096);
  form->FileSaveAs();
  TAtomicFile::SetWriteLimitForTesting(-1);
  EXPECT_EQ(form->StatusText(), "Error writing export File!");
  ASSERT_TRUE(keep.open(QIODevice::ReadOnly));
  EXPECT_EQ(keep.readAll(), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("keep"),
            QStringList{"keep.ASC"});
  EXPECT_TRUE(form->DataLoaded);
}

// ---------------------------------------------------------------- Help

using Help = MainWindowFixture;

TEST_F(Help, TopicsFollowTheActivePage) {
  ASSERT_TRUE(QFile::copy(QString(VQR_BINARY_DIR) + "/vqrshow4.HLP", Path("vqrshow4.HLP")));
  MakeForm();
  const int contexts[] = {1000, 1002, 1004, 1004, 1006, 1008, 1010, 1012, 1014};
  for (int page = 0; page < 9; ++page) {
    form->Pages()->setCurrentIndex(page);
    form->HelpSearch();
    ASSERT_NE(form->HelpWindow(), nullptr);
    EXPECT_EQ(form->HelpWindow()->CurrentAnchor(), QString::number(contexts[page]));
    EXPECT_TRUE(form->HelpWindow()->HasAnchor(QString::number(contexts[page])));
  }
  form->HelpHowToUse();
  EXPECT_EQ(form->HelpWindow()->CurrentAnchor(), "hilfe");
  form->HelpContents();
  EXPECT_EQ(form->HelpWindow()->CurrentAnchor(), "");
  EXPECT_EQ(form->BeepCount, 0);
}

TEST_F(Help, MissingHelpFileIsReported) {
  MakeForm();
  form->HelpContents();
  EXPECT_EQ(form->StatusText(), "Help file not found!");
  EXPECT_EQ(form->BeepCount, 1);
}

// ---------------------------------------------------------------- start and hand-over

using StartAndHandOver = MainWindowFixture;

TEST_F(StartAndHandOver, StoredPositionIsClampedIntoTheWorkAreaAndWrittenBackWhenMoved) {
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

TEST_F(StartAndHandOver, DroppedAndForwardedFilesAreOpened) {
  MakeForm();
  const QString sample = QString::fromStdString(SamplePath("hours40.DAT"));
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(Path("notes.txt")), QUrl::fromLocalFile(sample)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.get(), &drop);
  QApplication::processEvents();
  EXPECT_EQ(form->FileName, sample);
  EXPECT_EQ(form->StatusText(), "Ok");

  // A later start of the program hands over its file.
  const QString other = QString::fromStdString(SamplePath("days10.DAT"));
  form->HandleForwardedArguments({other});
  EXPECT_EQ(form->FileName, other);
  EXPECT_TRUE(form->isVisible());

  // One that cannot be opened is reported as at a first start.
  for (const QString& bad : {Path("missing.DAT"), dir.path()}) {
    form->HandleForwardedArguments({bad});
    EXPECT_EQ(form->StatusText(), "Error opening data file!") << bad.toStdString();
    EXPECT_EQ(form->windowTitle(), "ZT Velqor Data - " + bad);
  }
}
