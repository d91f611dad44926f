// Where the outputs of a recording are proposed, and how a failed write is
// told: the folder and the reason, in German.
#include <sys/stat.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <cstring>

#include "../core/support/memxl.h"
#include "data/atomicfile.h"
#include "export/xlsx/XlsxApp.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/SingleChannel.h"
#include "gui/common/outputfolder.h"
#include "gui/common/writefailure.h"
#include "gui/export/XLExport.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

namespace {

void SetMode(const QString& path, mode_t mode) {
  ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

/// HOME (and with it the documents folder) in a folder of the test.
class HomeGuard {
 public:
  explicit HomeGuard(const QString& home)
      : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("HOME", QFile::encodeName(home));
    qunsetenv("XDG_CONFIG_HOME");
  }
  ~HomeGuard() {
    qputenv("HOME", home_);
    if (config_.isEmpty())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", config_);
  }

 private:
  QByteArray home_, config_;
};

}  // namespace

TEST(WriteFailure, EachCauseNamesTheFolderAndTheReason) {
  QTemporaryDir tmp;
  const QString d = tmp.path();
  WriteFile(d + "/fest.pdf", "alt");
  SetMode(d + "/fest.pdf", 0444);  // no write bit: protected for root too
  WriteFile(d + "/datei.txt", "");
  QDir(d).mkdir("sub");
  const QString longName = d + "/" + QString(300, 'x') + ".pdf";
  const struct {
    QString file;
    int code;
    QString reason;
  } cases[] = {
      {d + "/a.pdf", EACCES, "Der Ordner " + d + " ist schreibgeschützt."},
      {d + "/a.pdf", EPERM, "Der Ordner " + d + " ist schreibgeschützt."},
      {d + "/a.pdf", EROFS,
       "Der Ordner " + d + " ist schreibgeschützt (der Datenträger ist nur lesbar)."},
      {d + "/fest.pdf", EACCES, "Die Datei " + d + "/fest.pdf ist schreibgeschützt."},
      {"/proc/self/fd/a.pdf", EACCES, "Der Ordner /proc/self/fd ist schreibgeschützt."},
      {d + "/a.pdf", ENOSPC,
       "Im Ordner " + d + " ist kein Platz mehr frei: der Datenträger ist voll."},
      {d + "/a.pdf", EDQUOT,
       "Im Ordner " + d + " ist kein Platz mehr frei: Ihr Speicherkontingent ist erschöpft."},
      {d + "/a.pdf", EFBIG, "Die Datei wird zu groß für den Datenträger des Ordners " + d + "."},
      {d + "/fehlt/a.pdf", ENOENT, "Der Ordner " + d + "/fehlt existiert nicht."},
      {"/proc/self/a.pdf", ENOENT, "Der Ordner /proc/self nimmt keine neuen Dateien an."},
      {"", ENOENT, "Es ist kein Dateiname angegeben."},
      {d + "/datei.txt/a.pdf", ENOTDIR,
       "Der Ordner " + d + "/datei.txt existiert nicht: ein Teil des Pfads ist eine Datei."},
      {d + "/sub", EISDIR, d + "/sub ist ein Ordner, keine Datei."},
      {longName, ENAMETOOLONG, "Der Dateiname ist zu lang für den Ordner " + d + "."},
      {d + "/a.pdf", EIO, "Der Datenträger des Ordners " + d + " meldet einen Ein-/Ausgabefehler."},
      {d + "/a.pdf", 0, "Das System hat keinen Grund genannt."},
      {d + "/a.pdf", EXDEV,
       "Fehler im Ordner " + d + ": " + QString::fromLocal8Bit(std::strerror(EXDEV)) + "."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WriteFailureReason(c.file, c.code), c.reason) << std::strerror(c.code);
  EXPECT_EQ(WriteFailureText(d + "/a.pdf", ENOSPC),
            "Die Datei " + d + "/a.pdf konnte nicht geschrieben werden.\n\n" +
                WriteFailureReason(d + "/a.pdf", ENOSPC));
  EXPECT_EQ(FolderFailureReason(d + "/fehlt", ENOENT),
            "Der Ordner " + d + "/fehlt existiert nicht.");
  SetMode(d + "/fest.pdf", 0644);
}

TEST(OutputFolder, BesideTheRecordingOnlyWhereNewFilesMayBeMade) {
  QTemporaryDir tmp;
  const QString home = tmp.filePath("home"), docs = home + "/Documents";
  const QString own = tmp.filePath("own"), shared = tmp.filePath("shared");
  for (const QString& d : {docs, own, shared}) QDir().mkpath(d);
  SetMode(shared, 0555);  // as the package's samples: read-only, for root too
  const HomeGuard guard(home);
  const struct {
    QString recording;
    bool documentsWritable;
    QString proposed;
  } cases[] = {
      {own + "/a.DAT", true, own},
      {shared + "/a.DAT", true, docs},
      {shared + "/a.DAT", false, home},
      {"/proc/self/a.DAT", true, docs},  // no write bit
      {tmp.filePath("gone/a.DAT"), true, docs},
      {"", true, docs},
  };
  for (const auto& c : cases) {
    SetMode(docs, c.documentsWritable ? 0755 : 0555);
    EXPECT_EQ(OutputFolderFor(c.recording), c.proposed) << c.recording.toStdString();
  }
  QDir(docs).removeRecursively();
  EXPECT_EQ(ProposedOutputPath(shared + "/a.DAT", "a.pdf"), home + "/a.pdf");
  SetMode(shared, 0755);
}

// Every output of a recording in a read-only folder is proposed in the
// documents folder, with the recording's name; in a folder of the user's,
// beside the recording.
class Outputs : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    home = Path("home");
    QDir().mkpath(home + "/Documents");
    guard = std::make_unique<HomeGuard>(home);
    qputenv("PATH", "/nonexistent");  // no LibreOffice: workbooks are .xlsx files
  }
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
    if (QFileInfo::exists(Path("samples"))) SetMode(Path("samples"), 0755);
    guard.reset();
    qputenv("PATH", path);
  }

  /// What the print, the ASCII export, the workbook and the picture of the
  /// open recording propose.
  QStringList Proposals() {
    QStringList proposed;
    form->ChoosePrinter = [&](QPrinter& printer) {
      proposed << printer.outputFileName();
      return false;
    };
    form->FilePrint();
    nextFile.clear();
    form->FileSaveAs();
    proposed << lastRequest->directory + "|" + lastRequest->fileName;

    TFrm_XLExport* dialog = form->XLExportDialog();
    dialog->SettleMs = 0;
    dialog->ConfirmDiscard = [] { return true; };
    form->ChooseFile = [&](const TFileRequest& r) {
      proposed << r.directory + "|" + r.fileName;
      return QString();
    };
    QTimer::singleShot(0, dialog, [dialog]() {
      dialog->findChild<QPushButton*>("Bt_XLCalOk")->click();
      if (dialog->isVisible()) dialog->findChild<QPushButton*>("Bt_XLCalCancel")->click();
    });
    Find<QAction>("Mn_File_ExcelExport")->trigger();

    windows = std::make_unique<TDiagramWindows>(*form);
    TF_SChannel* channel = windows->Channel();
    form->OpenDiagramWindow(3);
    channel->ChooseImageFile = [&](const QString& p) {
      proposed << p;
      return QString();
    };
    channel->findChild<QAction*>("PMn_SaveImage")->trigger();
    return proposed;
  }

  QString home;
  QByteArray path = qgetenv("PATH");
  std::unique_ptr<HomeGuard> guard;
  std::unique_ptr<TDiagramWindows> windows;
};

TEST_F(Outputs, AreProposedInTheDocumentsFolderWhenTheRecordingsFolderIsReadOnly) {
  QDir().mkdir(Path("samples"));
  const QString recording = Path("samples/hours40.DAT");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(SamplePath("hours40.DAT")), recording));
  const QString docs = home + "/Documents";
  for (const bool readOnly : {true, false}) {
    SCOPED_TRACE(readOnly);
    SetMode(Path("samples"), readOnly ? 0555 : 0755);
    const QString folder = readOnly ? docs : Path("samples");
    MakeForm();
    ASSERT_TRUE(form->OpenDataFile(recording));
    EXPECT_EQ(Proposals(), (QStringList{folder + "/hours40.pdf", folder + "|hours40.ASC",
                                        folder + "|hours40.xlsx", folder + "/Messkanal 3.png"}));
    windows.reset();
    form.reset();
  }
}

TEST_F(Outputs, AWorkbookThatCannotBeSavedIsToldWithFolderAndReason) {
  TVQRShowSettings settings(nullptr);
  TFrm_XLExport dialog(settings, nullptr, [](TFrm_XLExport&) {
    return TXLBackend{std::make_unique<vqrtest::MemProvider>(), false};
  });
  TXlsxApplication app;
  app.AddWorkbook();
  QStringList messages;
  dialog.ShowMessage = [&](const QString& m) { messages << m; };
  dialog.ConfirmDiscard = [] { return true; };
  dialog.OpenFile = [](const QString&) { return true; };
  int asked = 0;
  dialog.ChooseFile = [&](const TFileRequest&) {
    return ++asked == 1 ? Path("fehlt/Mappe.xlsx") : QString();
  };
  dialog.HandOverWorkbook(app, [&](int32_t b, const std::string& p) { app.SaveWorkbook(b, p); });
  EXPECT_EQ(messages, QStringList{"Die Datei " + Path("fehlt/Mappe.xlsx") +
                                  " konnte nicht geschrieben werden.\n\nDer Ordner " +
                                  Path("fehlt") + " existiert nicht."});
}

// The workbook's sheets written ahead go to the temporary folder; one that
// cannot take them is named with the reason, and the dialog words it.
TEST_F(Outputs, AnUnusableTemporaryFolderForTheWorkbookIsNamedWithTheReason) {
  WriteFile(Path("datei"), "");
  const QByteArray saved = qgetenv("TMPDIR");
  const struct {
    QString tmpdir;
    int code;
    QString reason;
  } cases[] = {
      {Path("fehlt"), ENOENT, "Der Ordner " + Path("fehlt") + " existiert nicht."},
      {Path("datei"), ENOTDIR,
       "Der Ordner " + Path("datei") + " existiert nicht: ein Teil des Pfads ist eine Datei."},
      {"/proc/self", ENOENT, "Der Ordner /proc/self nimmt keine neuen Dateien an."},
  };
  for (const auto& c : cases) {
    qputenv("TMPDIR", QFile::encodeName(c.tmpdir));
    TXlsxApplication app;
    app.AddWorkbook();
    app.Book(1).Sheet(1).SetDouble(1, 1, 2.5);
    QStringList messages;
    TVQRShowSettings settings(nullptr);
    TFrm_XLExport dialog(settings, nullptr, [](TFrm_XLExport&) {
      return TXLBackend{std::make_unique<vqrtest::MemProvider>(), false};
    });
    dialog.ShowMessage = [&](const QString& m) { messages << m; };
    dialog.ConfirmDiscard = [] { return true; };
    dialog.ChooseFile = [&](const TFileRequest&) {
      return messages.isEmpty() ? Path("Mappe.xlsx") : QString();
    };
    dialog.HandOverWorkbook(app, [&](int32_t b, const std::string& p) {
      app.WriteSheetAhead(b, 1);
      app.SaveWorkbook(b, p);
    });
    EXPECT_EQ(messages, QStringList{"Die Arbeitsmappe " + Path("Mappe.xlsx") +
                                    " konnte nicht geschrieben werden: der Ordner für temporäre "
                                    "Dateien (TMPDIR) ist nicht nutzbar.\n\n" +
                                    c.reason})
        << c.tmpdir.toStdString();
    EXPECT_FALSE(QFile::exists(Path("Mappe.xlsx")));
  }
  qputenv("TMPDIR", saved);
  if (saved.isEmpty()) qunsetenv("TMPDIR");
}
