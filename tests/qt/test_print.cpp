// Printing from the main window and the channel window: the page switch and
// beep without a recording, the preview, the questions about unreadable
// backgrounds and logos, printer failures, and the preview's page layout.
#include <sys/mount.h>
#include <unistd.h>

#include <QComboBox>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <vector>

#include "chart/vqrdiagram.h"
#include "data/atomicfile.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/SingleChannel.h"
#include "gui/common/ztprogress.h"
#include "gui/print/PrPreview.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"
#include "support/modals.h"

namespace {

/// Pages of a PDF file and whether its first page is wider than high;
/// -1 pages when it is no PDF.
std::pair<int, bool> PdfPages(const QString& path) {
  const QByteArray pdf = ReadFile(path);
  if (!pdf.startsWith("%PDF")) return {-1, false};
  const QString text = QString::fromLatin1(pdf);
  const int pages = static_cast<int>(text.count(QRegularExpression("/Type\\s*/Page\\b")));
  const QRegularExpressionMatch box = QRegularExpression(
                                          "/MediaBox\\s*\\[\\s*[\\d.]+\\s+[\\d.]+\\s+([\\d.]+)\\s+"
                                          "([\\d.]+)")
                                          .match(text);
  return {pages, box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble()};
}

}  // namespace

class Print : public MainWindowFixture {
 protected:
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
  }

  void Start(const char* sample = "hours40.DAT") {
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    channel = windows->Channel();
    if (sample) {
      ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath(sample))));
    }
    printTo = Path("page.pdf");
  }

  void Menu(const char* name) {
    Find<QAction>(name)->trigger();
    QApplication::processEvents();
  }

  /// Runs print with the given answers to its dialogs; returns what they said.
  QStringList Run(const std::function<void()>& print, std::vector<Answer> answers = {}) {
    QFile::remove(printTo);
    return Answering(std::move(answers), print);
  }

  void ClickPrintPanel() {
    TZTStatusBar* sb = channel->StatusPanels();
    QTest::mouseClick(sb->Panel(0), Qt::LeftButton, {}, sb->Panel(0)->rect().center());
  }

  std::unique_ptr<TDiagramWindows> windows;
  TF_SChannel* channel = nullptr;
};

TEST_F(Print, WithoutRecordingSwitchesToPrinterPageAndBeeps) {
  Start(nullptr);
  for (const char* name : {"Mn_File_Print", "SpB_Print"}) {
    form->Pages()->setCurrentIndex(0);
    Menu(name);
    EXPECT_EQ(form->Pages()->currentWidget()->objectName(), "TS_Printer") << name;
  }
  EXPECT_EQ(std::pair(beeps, printDialogs), std::pair(2, 0));
}

TEST_F(Print, PreviewShowsTheForcedOrientationAndOnlyOkPrints) {
  Start();
  Menu("MN_Wnd_Combi1");
  // Switched on the page only: printing takes the pages as they are.
  Find<QCheckBox>("CB_Pr_Preview")->setChecked(true);
  Find<QRadioButton>("RB_Pr_FixLandscape")->setChecked(true);
  const struct {
    Answer answer;
    bool printed;
  } rounds[] = {
      {Click("Bt_PPrev_Cancel"), false}, {CloseBox(), false}, {Click("Bt_PPrev_Ok"), true}};
  for (const auto& round : rounds) {
    EXPECT_EQ(Run([this]() { form->FilePrint(); }, {round.answer}), QStringList{"Fr_PrPreview"});
    EXPECT_EQ(QFile::exists(printTo), round.printed);
  }
  EXPECT_EQ(PdfPages(printTo), std::pair(1, true));
  const TRect page = form->Fr_PrPreview()->Rects().PageRect;
  EXPECT_GT(page.right - page.left, page.bottom - page.top);
  EXPECT_EQ(beeps, 0);
}

TEST_F(Print, ChannelWindowPrintsItsModeWithItsGauge) {
  Start();
  int maximumAtDialog = -1;
  auto choose = form->ChoosePrinter;
  form->ChoosePrinter = [&](QPrinter& printer) {
    maximumAtDialog = channel->Gauge()->Maximum();
    return choose(printer);
  };
  for (const char* mode : {"MN_Wnd_Combi1", "Mn_Wnd_Ch3"}) {
    Menu(mode);
    const QStringList seen = Run([this]() {
      ClickPrintPanel();
      EXPECT_FALSE(QFile::exists(printTo));  // asked for, printed after the click
    });
    EXPECT_EQ(seen, QStringList());
    EXPECT_EQ(PdfPages(printTo), std::pair(1, false)) << mode;
    EXPECT_EQ(maximumAtDialog, 800 * form->CurveCount + 300) << mode;
    EXPECT_EQ(channel->Gauge()->Maximum(), 0) << mode;
  }
  EXPECT_EQ(form->CurveCount, 1);

  // A file that cannot be written is reported, and the gauge is finished.
  printTo = Path("missing-folder/page.pdf");
  EXPECT_EQ(Run([this]() { ClickPrintPanel(); }, {Press(QMessageBox::Ok)}),
            QStringList{"PrintFailureBox: Die Datei " + printTo +
                        " kann nicht geschrieben werden.\n\nDer Ordner " + Path("missing-folder") +
                        " existiert nicht."});
  EXPECT_EQ(channel->Gauge()->Maximum(), 0);
}

TEST_F(Print, BeforeAnyDiagramWindowTheMainWindowPrintsChannelOne) {
  Start();
  form->show();  // the gauge joins the status bar when the window shows
  QApplication::processEvents();
  ASSERT_NE(form->Gauge(), nullptr);
  int maximumAtDialog = -1;
  auto choose = form->ChoosePrinter;
  form->ChoosePrinter = [&](QPrinter& printer) {
    maximumAtDialog = form->Gauge()->Maximum();
    return choose(printer);
  };
  EXPECT_EQ(Run([this]() { form->FilePrint(); }), QStringList());
  EXPECT_EQ(form->Session()->Diagram().WindowMode(), 1);
  EXPECT_EQ(maximumAtDialog, 800 + 300);
  EXPECT_EQ(PdfPages(printTo).first, 1);
}

TEST_F(Print, UnreadableBackgroundOrLogoPrintsWithoutItOnlyAfterOk) {
  Start();
  Menu("Mn_Wnd_Ch1");
  const std::pair<const char*, const char*> cases[] = {
      {"Ed_PrinterPaper1", "Datei /missing/Kopf.rtf nicht gefunden!"},
      {"Ed_PrinterPaper2", "Datei /missing/Kopf.rtf nicht gefunden!"},
      {"Ed_LogoFile", "Datei /missing/logo.gif nicht gefunden oder falsches Format!"}};
  for (const auto& [field, message] : cases)
    for (const auto answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
      for (const char* f : {"Ed_PrinterPaper1", "Ed_PrinterPaper2", "Ed_LogoFile"})
        Find<QLineEdit>(f)->setText(f != std::string(field) ? ""
                                    : f[3] == 'L'           ? "/missing/logo.gif"
                                                            : "/missing/Kopf.rtf");
      const int dialogsBefore = printDialogs;
      EXPECT_EQ(Run([this]() { form->FilePrint(); }, {Press(answer)}),
                QStringList{QString("PrintDecorBox: ") + message});
      const bool printed = answer == QMessageBox::Ok;
      EXPECT_EQ(std::pair(printDialogs - dialogsBefore, QFile::exists(printTo)),
                std::pair(printed ? 1 : 0, printed))
          << field;
    }
}

TEST_F(Print, PdfThatCannotBeWrittenCompletelyKeepsTheOlderFile) {
  Start();
  Menu("MN_Wnd_Combi1");
  // A real full disk where the tests may mount one (root), and always the
  // writer's own limit, which fails as a full disk does.
  struct FullDisk {
    explicit FullDisk(const QString& dir) {
      if (geteuid() == 0 && QDir().mkdir(dir) &&
          mount("tmpfs", dir.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0)
        path = dir;
    }
    ~FullDisk() {
      if (!path.isEmpty()) umount(path.toLocal8Bit().constData());
    }
    QString path;
  } full(Path("full"));
  const QString fullDisk = full.path;
  const struct {
    const char* how;
    QString file;
    long long limit;
    std::function<void()> print;
  } cases[] = {
      {"main window", Path("page.pdf"), 1024, [this]() { form->FilePrint(); }},
      {"channel window", Path("page.pdf"), 1024, [this]() { ClickPrintPanel(); }},
      {"full disk", fullDisk + "/page.pdf", -1, [this]() { form->FilePrint(); }},
  };
  const QByteArray older = "%PDF-1.4 the older file\n";
  for (const auto& c : cases) {
    if (c.limit < 0 && fullDisk.isEmpty()) continue;
    SCOPED_TRACE(c.how);
    printTo = c.file;
    const QStringList seen = Run(
        [&]() {
          WriteFile(printTo, older);
          if (c.limit < 0) WriteFile(fullDisk + "/filler", QByteArray(64 * 1024, 'x'));
          TAtomicFile::SetWriteLimitForTesting(c.limit);
          c.print();
        },
        {Press(QMessageBox::Ok)});
    TAtomicFile::SetWriteLimitForTesting(-1);  // the channel window prints after its click
    EXPECT_EQ(seen, QStringList{"PrintFailureBox: Die Datei " + printTo +
                                " konnte nicht geschrieben werden.\n\nIm Ordner " +
                                QFileInfo(printTo).path() +
                                " ist kein Platz mehr frei: der Datenträger ist voll."});
    EXPECT_EQ(ReadFile(printTo), older);
    const QStringList left = QDir(QFileInfo(printTo).path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_FALSE(left.join(' ').contains("page.pdf.")) << left.join(' ').toStdString();
  }
  // Room again: the page replaces the older file.
  printTo = Path("page.pdf");
  EXPECT_EQ(Run([&]() {
              WriteFile(printTo, older);
              form->FilePrint();
            }),
            QStringList());
  EXPECT_EQ(PdfPages(printTo).first, 1);
}

TEST_F(Print, DialogProposesThePdfBesideTheRecording) {
  Start();
  form->ChoosePrinter = nullptr;  // the real dialog
  QStringList proposed;
  const auto note = [&](QWidget* dialog) {
    proposed << dialog->findChild<QLineEdit*>("filename")->text();
  };
  const auto cancel = [&](QWidget* dialog) {
    note(dialog);
    qobject_cast<QDialog*>(dialog)->reject();
  };
  const auto printInto = [&](const QString& file) {
    return [&, file](QWidget* dialog) {
      note(dialog);
      auto* printers = dialog->findChild<QComboBox*>("printers");
      printers->setCurrentIndex(printers->count() - 1);  // into a PDF file
      dialog->findChild<QLineEdit*>("filename")->setText(file);
      qobject_cast<QDialog*>(dialog)->accept();
    };
  };
  // Recordings in a folder of the user's (where outputs go when the folder
  // takes them; test_outputs has the other case).
  QDir(dir.path()).mkdir("rec");
  for (const char* name : {"hours40.DAT", "days10.DAT"})
    ASSERT_TRUE(QFile::copy(QString::fromStdString(SamplePath(name)), Path("rec/") + name));
  ASSERT_TRUE(form->OpenDataFile(Path("rec/hours40.DAT")));
  Run([this]() { form->FilePrint(); }, {printInto(Path("own.pdf"))});
  Run([this]() { form->FilePrint(); }, {cancel});  // the user's choice stays
  ASSERT_TRUE(form->OpenDataFile(Path("rec/days10.DAT")));
  Run([this]() { form->FilePrint(); }, {cancel});  // another recording: its own name
  EXPECT_EQ(proposed,
            (QStringList{Path("rec/hours40.pdf"), Path("own.pdf"), Path("rec/days10.pdf")}));
  EXPECT_EQ(PdfPages(Path("own.pdf")).first, 1);
}

TEST(PrintPreview, PageScaledAndCentredInTheFrameAboveTheButtons) {
  const struct {
    int32_t clientWidth, buttonTop, pageWidth, pageHeight;
    TRect frame, page;
  } cases[] = {
      {184, 195, 4800, 6800, {9, 9, 175, 176}, {33, 9, 151, 176}},  // A4 portrait
      {184, 195, 6800, 4800, {9, 9, 175, 176}, {9, 34, 175, 151}},  // A4 landscape
      {40, 50, 100, 100, {8, 8, 32, 32}, {8, 8, 32, 32}},           // tiny margins become 8
      {184, 195, 0, 6800, {9, 9, 175, 176}, {9, 9, 9, 9}},          // no printer page
  };
  for (const auto& c : cases) {
    const TPreviewRects r = PreviewLayout(c.clientWidth, c.buttonTop, c.pageWidth, c.pageHeight);
    EXPECT_EQ(std::pair(r.FrameRect, r.PageRect), std::pair(c.frame, c.page))
        << c.clientWidth << " " << c.pageWidth << "x" << c.pageHeight;
  }
}
