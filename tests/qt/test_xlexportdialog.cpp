// The spreadsheet export dialog through its widgets: the command of the main
// window, a whole export into a workbook file and "Abbrechen" while it runs.
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <charconv>

#include "../core/support/memxl.h"
#include "export/xlsx/XlsxApp.h"
#include "gui/export/XLExport.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

using XLExportDialog = MainWindowFixture;
using vqrtest::MemProvider;

namespace {

const QString kSample = QString::fromStdString(SamplePath("hours40.DAT"));

/// Puts PATH back as it was.
struct PathGuard {
  QByteArray path = qgetenv("PATH");
  ~PathGuard() { qputenv("PATH", path); }
};

/// Runs action once the modal dialog is up.
void WhenShown(TFrm_XLExport* dialog, std::function<void()> action) {
  QTimer::singleShot(0, dialog, [dialog, action]() {
    EXPECT_TRUE(dialog->isVisible());
    action();
  });
}

/// A backend over an in-memory spreadsheet application; provider points to
/// it once the dialog has made it.
auto MemBackend(MemProvider*& provider) {
  return [&provider](TFrm_XLExport&) {
    auto p = std::make_unique<MemProvider>();
    provider = p.get();
    return TXLBackend{std::move(p), false};
  };
}

}  // namespace

TEST_F(XLExportDialog, AbbrechenWhileTheExportRuns) {
  TVQRShowSettings settings(nullptr);
  MemProvider* provider = nullptr;
  TFrm_XLExport dialog(settings, nullptr, MemBackend(provider));
  dialog.SettleMs = 60000;
  TVQRSession session;
  ASSERT_EQ(session.Load(kSample.toStdString()), TLoadStatus::Ok);

  // "Abbrechen" clicked while the export runs: a second "Ok" is refused, the
  // export stops after the row being written. The full gauge then stays
  // while events go on: "Ok" is refused again, "Abbrechen" closes at once.
  WhenShown(&dialog, [&]() {
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Ed_XLNewTS")->text(), "VQR Daten");
    auto* ok = dialog.findChild<QPushButton*>("Bt_XLCalOk");
    auto* cancel = dialog.findChild<QPushButton*>("Bt_XLCalCancel");
    // Both clicks arrive while row 6 is being written.
    provider->created.back()->onWrite = [ok, cancel, writes = 0]() mutable {
      if (++writes != 18 * 5 + 3) return;
      QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection);
      QMetaObject::invokeMethod(cancel, "click", Qt::QueuedConnection);
    };
    ok->click();
    QTimer::singleShot(0, &dialog, [&dialog, ok, cancel]() {
      auto* bar = dialog.findChild<QProgressBar*>("PB_XLCal");
      EXPECT_TRUE(dialog.isVisible() && bar->isVisible());
      EXPECT_EQ(bar->value(), bar->maximum());
      ok->click();
      cancel->click();
    });
  });
  EXPECT_EQ(dialog.Execute(session, kSample), QDialog::Accepted);
  ASSERT_EQ(provider->created.size(), 1u);
  EXPECT_EQ(provider->created[0]->books.at(0)->Sheet(1).cells.size(), 18u * 6);
  EXPECT_EQ(std::tuple(dialog.BeepCount, dialog.Core().Busy, provider->created[0]->quit),
            std::tuple(3, false, false));
}

// A saved workbook opens with the desktop's application for .xlsx files;
// without one the user is told where the file is.
TEST_F(XLExportDialog, SavedWorkbookWithoutAnApplicationToOpenIt) {
  QTemporaryDir bin;
  const QString opened = bin.filePath("opened");
  auto script = [&](const char* name, const QByteArray& body) {
    QFile f(bin.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  };
  script("xdg-open", "echo \"$1\" >>'" + QFile::encodeName(opened) + "'\n");
  const PathGuard guard;
  TVQRShowSettings settings(nullptr);
  TFrm_XLExport dialog(settings, nullptr, [](TFrm_XLExport&) {
    return TXLBackend{std::make_unique<MemProvider>(), false};
  });
  TXlsxApplication app;
  app.AddWorkbook();
  struct Case {
    QString path;
    const char* association;  // what xdg-mime answers; null: no xdg-mime
    bool told;
  };
  const Case cases[] = {
      {"/nonexistent", nullptr, true},  // no opener at all
      {bin.path(), "", true},           // the desktop knows no application
      {bin.path(), "calc.desktop\n", false},
  };
  for (const Case& c : cases) {
    const QString file = Path(QString("Mappe %1.xlsx").arg(&c - cases));
    qputenv("PATH", c.path.toLocal8Bit());
    QFile::remove(bin.filePath("xdg-mime"));
    if (c.association) script("xdg-mime", QByteArray("printf '") + c.association + "'\n");
    QStringList notices, errors;
    dialog.ShowNotice = [&](const QString& m) { notices << m; };
    dialog.ShowMessage = [&](const QString& m) { errors << m; };
    dialog.ChooseFile = [&](const TFileRequest&) { return file; };
    dialog.HandOverWorkbook(app, [&](int32_t b, const std::string& p) { app.SaveWorkbook(b, p); });
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(errors, QStringList());
    if (c.told) {
      EXPECT_EQ(notices, QStringList("Die Arbeitsmappe wurde gespeichert unter\n" + file +
                                     "\n\nEs wurde kein Programm gefunden, das .xlsx-Dateien "
                                     "öffnet."));
      EXPECT_FALSE(QFile::exists(opened));
    } else {
      EXPECT_EQ(notices, QStringList());
      // xdg-open runs on its own: wait for what it was given.
      QString given;
      for (int i = 0; i < 500 && given.isEmpty(); ++i) {
        QTest::qWait(20);
        QFile args(opened);
        if (args.open(QIODevice::ReadOnly))
          given = QString::fromLocal8Bit(args.readAll()).trimmed();
      }
      EXPECT_EQ(given, file);
    }
  }
}

// An export that fails half way leaves the dialog usable, without a gauge.
// Return in a field starts it as "Ok" does.
TEST_F(XLExportDialog, FailedExportTakesTheGaugeAway) {
  TVQRShowSettings settings(nullptr);
  MemProvider* provider = nullptr;
  TFrm_XLExport dialog(settings, nullptr, MemBackend(provider));
  dialog.SettleMs = 0;
  TVQRSession session;
  ASSERT_EQ(session.Load(kSample.toStdString()), TLoadStatus::Ok);
  QStringList errors;
  dialog.ShowMessage = [&](const QString& m) { errors << m; };
  WhenShown(&dialog, [&]() {
    provider->created.back()->onWrite = [writes = 0]() mutable {
      if (++writes == 40) throw TXLError("Zelle verweigert");
    };
    QTest::keyClick(dialog.findChild<QLineEdit*>("Ed_XLNewTS"), Qt::Key_Return);
    EXPECT_EQ(errors, QStringList("Zelle verweigert"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.findChild<QProgressBar*>("PB_XLCal")->isVisible());
    dialog.findChild<QPushButton*>("Bt_XLCalCancel")->click();
  });
  EXPECT_EQ(dialog.Execute(session, kSample), QDialog::Accepted);
}

// The dialog drives Calc when soffice is on PATH, else it writes .xlsx files.
TEST_F(XLExportDialog, BackendFollowsSofficeOnPath) {
  QTemporaryDir bin;
  QFile soffice(bin.filePath("soffice"));
  ASSERT_TRUE(soffice.open(QIODevice::WriteOnly));
  soffice.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  soffice.close();
#ifdef VQR_HAVE_CALC
  const std::string withSoffice = "LibreOffice Calc";
#else
  const std::string withSoffice = "neue xlsx-Datei";
#endif
  const PathGuard guard;
  TVQRShowSettings settings(nullptr);
  for (const auto& [path, description] :
       {std::pair(bin.path(), withSoffice),
        std::pair(QString("/nonexistent"), std::string("neue xlsx-Datei"))}) {
    qputenv("PATH", path.toLocal8Bit());
    std::string chosen;
    TFrm_XLExport dialog(settings, nullptr, [&chosen](TFrm_XLExport& d) {
      TXLBackend b = MakeXLBackend(d);
      chosen = b.Provider->Description();
      return b;
    });
    EXPECT_EQ(chosen, description) << path.toStdString();
  }
}

TEST_F(XLExportDialog, CommandAndAWholeExportIntoAWorkbookFile) {
  // No LibreOffice here: the dialog takes the .xlsx path.
  const PathGuard guard;
  qputenv("PATH", "/nonexistent");
  MakeForm();
  form->show();
  Find<QAction>("Mn_File_ExcelExport")->trigger();  // nothing to export from yet
  EXPECT_EQ(beeps, 0);
  form->OpenDataFile(Path("missing.DAT"));
  Find<QAction>("SpB_Excel")->trigger();
  EXPECT_EQ(std::pair(beeps, form->Pages()->currentIndex()), std::pair(1, 0));

  ASSERT_TRUE(form->OpenDataFile(kSample));
  TFrm_XLExport* dialog = form->XLExportDialog();
  dialog->SettleMs = 0;
  QStringList messages, opened;
  int confirms = 0;
  dialog->ShowMessage = [&](const QString& m) { messages << m; };
  dialog->OpenFile = [&](const QString& p) {
    opened << p;
    return true;
  };
  dialog->ConfirmDiscard = [&]() { return ++confirms > 1; };
  Find<QLineEdit>("Ed_XLCal_TabSheet")->setText("Lauf 7");
  int asked = 0;
  form->ChooseFile = [&](const TFileRequest& r) {
    lastRequest = r;
    return ++asked == 1 ? QString() : Path("lauf.xlsx");  // the first question is cancelled
  };
  WhenShown(dialog, [&]() {
    EXPECT_EQ(dialog->windowTitle(), "Velqor Excel® Export");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Ed_XLNewWB")->text(), "(Standard)");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Ed_XLNewTS")->text(), "Lauf 7");
    EXPECT_EQ(dialog->findChild<QLabel*>("LB_XLComment")->text(),
              "Excel war nicht aktiv. Ziel: neue xlsx-Datei");
    dialog->move(form->pos() + QPoint(40, 30));
    dialog->findChild<QPushButton*>("Bt_XLCalOk")->click();
    if (dialog->isVisible()) dialog->findChild<QPushButton*>("Bt_XLCalCancel")->click();
  });
  Find<QAction>("Mn_File_ExcelExport")->trigger();
  EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Excel");
  EXPECT_FALSE(dialog->isVisible());
  // Cancelling "Speichern unter" asked whether to give the data up; the
  // user went back and saved.
  EXPECT_EQ(std::tuple(asked, confirms, messages), std::tuple(2, 1, QStringList()));
  ASSERT_TRUE(lastRequest.has_value());
  EXPECT_EQ(std::tuple(lastRequest->title, lastRequest->fileName),
            std::tuple(QString("Speichern unter"), QString("hours40.xlsx")));
  EXPECT_EQ(opened, QStringList{Path("lauf.xlsx")});
  ASSERT_TRUE(QFile::exists(Path("lauf.xlsx")));
  if (QFile::exists("/usr/bin/python3")) {
    const ProcessRun py =
        Exec("/usr/bin/python3", {"-c",
                                  "import sys, openpyxl\n"
                                  "ws = openpyxl.load_workbook(sys.argv[1])['Lauf 7']\n"
                                  "print(repr(ws.cell(1, 2).value))",
                                  Path("lauf.xlsx")});
    const QString out = py.out.trimmed();
    // Without Debian's openpyxl the file's existence is all that is checked.
    if (!py.err.contains("ModuleNotFoundError")) {
      char text[32];
      const double v = form->DataObject()->GetValue(1, 1);
      const auto end = std::to_chars(text, text + sizeof text, v).ptr;
      EXPECT_EQ(out.toStdString(), std::string(text, end));
    }
  }
  // The dialog keeps its place beside the main window.
  CloseForm();
  const IniMap ini = ReadIniMap(iniPath);
  EXPECT_EQ(std::pair(ini.at("excelcal/positionx"), ini.at("excelcal/positiony")),
            std::pair(std::string("40"), std::string("30")));
}
