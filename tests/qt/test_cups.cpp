// Printing through a real CUPS queue: a cupsd of the test's own (its own
// configuration folder and socket, nothing of the machine's CUPS touched)
// with cups-pdf queues, printed on by vqrtool print --printer and by the main
// window's print dialog; a stopped queue, one that rejects jobs and one that
// is gone after the dialog fail with status 3 or the "Fehler" box.
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <functional>

#include "support/mainwindow_fixture.h"
#include "support/modals.h"

namespace {

const QString kVqrtool = QString(VQR_BINARY_DIR) + "/vqrtool";
const QString kPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

struct PdfInfo {
  int pages = -1;
  QSizeF size;  // points
};

PdfInfo ReadPdfInfo(const QString& path) {
  const ProcessRun r = Exec("pdfinfo", {path});
  PdfInfo info;
  const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(r.out);
  const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(r.out);
  if (pages.hasMatch()) info.pages = pages.captured(1).toInt();
  if (size.hasMatch()) info.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  return info;
}

QSize Rounded(QSizeF s) { return s.toSize(); }

}  // namespace

class Cups : public MainWindowFixture {
 public:
  static void SetUpTestSuite() {
    if (geteuid() != 0) return;  // cups-pdf runs only for root; CI runs as root
    outputFolderExisted = QFileInfo(OutputFolder()).isDir();
    root = std::make_unique<QTemporaryDir>();
    const QString d = root->path();
    QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                 QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                 QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                 QFileDevice::ExeGroup);
    for (const char* sub : {"etc/ppd", "spool", "cache", "state", "tmp", "log"})
      QDir(d).mkpath(sub);
    socket = d + "/cups.sock";
    WriteFile(d + "/etc/cupsd.conf",
              ("Listen " + socket +
               "\nBrowsing Off\nWebInterface No\nErrorPolicy abort-job\n"
               "PreserveJobFiles Yes\nDefaultAuthType None\n"
               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                  .toUtf8());
    WriteFile(d + "/etc/cups-files.conf",
              QString("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                      "StateDir %1/state\nTempDir %1/tmp\nAccessLog %1/log/access_log\n"
                      "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\nSandboxing Relaxed\n")
                  .arg(d)
                  .toUtf8());
    // The filters run as lp: they write into the temporary folder and read
    // the spooled documents.
    Exec("chmod", {"1777", d + "/tmp"});
    Exec("chgrp", {"lp", d + "/spool"});
    Exec("chmod", {"0710", d + "/spool"});
    cupsd = std::make_unique<QProcess>();
    cupsd->setChildProcessModifier([]() { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    cupsd->start("/usr/sbin/cupsd",
                 {"-f", "-c", d + "/etc/cupsd.conf", "-s", d + "/etc/cups-files.conf"});
    if (!cupsd->waitForStarted()) return;
    QElapsedTimer t;
    t.start();
    while (Lp("lpstat", {"-r"}).out.trimmed() != "scheduler is running" && t.elapsed() < 20000)
      QThread::msleep(100);
    // Every CUPS client of this process (Qt's print support too) talks to it.
    qputenv("CUPS_SERVER", socket.toUtf8());
    for (const char* queue : {"vqrtest", "vqrgone"})
      Lp("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-P", kPpd});
  }

  static void TearDownTestSuite() {
    if (cupsd) {
      cupsd->terminate();
      if (!cupsd->waitForFinished(10000)) cupsd->kill();
      cupsd.reset();
    }
    for (const QString& f : outputs) QFile::remove(f);
    if (!outputFolderExisted) QDir().rmdir(OutputFolder());  // only when empty
    root.reset();
  }

 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "cups-pdf prints only for root (as in CI)";
    for (const char* file : {"/usr/sbin/cupsd", "/usr/lib/cups/backend/cups-pdf"})
      ASSERT_TRUE(QFile::exists(file)) << file << " is missing (./test.sh installs it)";
    ASSERT_TRUE(cupsd && cupsd->state() == QProcess::Running) << "cupsd did not start";
    ASSERT_EQ(Lp("lpstat", {"-p", "vqrtest"}).status, 0) << "no queue vqrtest";
    MainWindowFixture::SetUp();
  }

  static ProcessRun Lp(const QString& program, const QStringList& args) {
    return Exec(program, args, {"CUPS_SERVER=" + socket});
  }

  /// The documents the queue has taken so far (kept by PreserveJobFiles).
  static QStringList Spooled() {
    return QDir(root->path() + "/spool").entryList({"d*-001"}, QDir::Files, QDir::Name);
  }

  /// Waits for the job after those spooled before, until cups-pdf has
  /// written it; the document as the queue took it and cups-pdf's PDF.
  std::pair<PdfInfo, PdfInfo> NextJob(const QStringList& before) {
    QElapsedTimer t;
    t.start();
    QString doc;
    while (doc.isEmpty() && t.elapsed() < 60000) {
      for (const QString& f : Spooled())
        if (!before.contains(f)) doc = f;
      if (doc.isEmpty()) QThread::msleep(100);
    }
    if (doc.isEmpty()) return {};
    const int id = doc.mid(1, 5).toInt();
    QString out;
    while (out.isEmpty() && t.elapsed() < 90000) {
      if (Lp("lpstat", {"-W", "completed", "-o"}).out.contains(QString("-%1 ").arg(id))) {
        QDirIterator it(OutputFolder(), {QString("*job_%1.pdf").arg(id)}, QDir::Files);
        if (it.hasNext()) out = it.next();
      }
      if (out.isEmpty()) QThread::msleep(200);
    }
    if (!out.isEmpty()) outputs << out;
    return {ReadPdfInfo(root->path() + "/spool/" + doc), ReadPdfInfo(out)};
  }

  // Where cups-pdf puts root's PDFs: "Out" of its settings, ${HOME}/PDF unless set.
  static QString OutputFolder() {
    QString out = "${HOME}/PDF";
    for (const QString& line : QString::fromUtf8(ReadFile("/etc/cups/cups-pdf.conf")).split('\n'))
      if (line.startsWith("Out ")) out = line.mid(4).trimmed();
    return out.replace("${HOME}", QString::fromLocal8Bit(getpwuid(geteuid())->pw_dir));
  }

  /// The print dialog's answer: that printer chosen, then (after between) OK.
  static Answer Choose(const QString& printer, std::function<void()> between = {}) {
    return [printer, between](QWidget* w) {
      auto* combo = w->findChild<QComboBox*>("printers");
      ASSERT_NE(combo, nullptr);
      combo->setCurrentIndex(combo->findText(printer));
      EXPECT_EQ(combo->currentText(), printer);
      if (between) between();
      qobject_cast<QDialog*>(w)->accept();
    };
  }

  QStringList PrintFromWindow(std::vector<Answer> answers) {
    form->ChoosePrinter = nullptr;  // the real dialog
    return Answering(std::move(answers), [this]() { form->FilePrint(); });
  }

  static inline std::unique_ptr<QTemporaryDir> root;
  static inline std::unique_ptr<QProcess> cupsd;
  static inline QString socket;
  static inline QStringList outputs;
  static inline bool outputFolderExisted = true;
};

TEST_F(Cups, VqrtoolPrintsOnePageOfTheChosenPaperAndOrientation) {
  const struct {
    QStringList args;
    QSize submitted;  // the page as the queue takes it, in points
  } cases[] = {
      {{"--paper", "A4", "--landscape"}, {842, 595}},
      {{"--paper", "A3", "--portrait"}, {842, 1191}},
  };
  for (const auto& c : cases) {
    const QStringList before = Spooled();
    const ProcessRun r = Lp(kVqrtool, QStringList{"print", "samples/full1500.DAT", "--printer",
                                                  "vqrtest", "--defaults", "--window", "3"} +
                                          c.args);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const auto [doc, pdf] = NextJob(before);
    EXPECT_EQ(doc.pages, 1) << c.args.join(' ').toStdString();
    EXPECT_EQ(Rounded(doc.size), c.submitted) << c.args.join(' ').toStdString();
    // cups-pdf's file: one page of that paper (a printer turns a landscape
    // page on the sheet).
    EXPECT_EQ(pdf.pages, 1);
    const QSize sheet = Rounded(pdf.size);
    EXPECT_EQ(
        QSize(std::min(sheet.width(), sheet.height()), std::max(sheet.width(), sheet.height())),
        QSize(std::min(c.submitted.width(), c.submitted.height()),
              std::max(c.submitted.width(), c.submitted.height())));
  }
}

TEST_F(Cups, ReportIsOneJobOfAllItsPages) {
  const QStringList before = Spooled();
  const ProcessRun r = Lp(kVqrtool, {"report", "samples/full1500.DAT", "--printer", "vqrtest",
                                     "--defaults", "--windows", "0,3,5"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  const auto [doc, pdf] = NextJob(before);
  EXPECT_EQ(doc.pages, 4);
  EXPECT_EQ(pdf.pages, 4);
  EXPECT_EQ(Spooled().size(), before.size() + 1);
}

TEST_F(Cups, WindowPrintsOnTheQueueChosenInItsDialog) {
  WriteIni("[General]\nSavePos=OFF\n[Printer]\nAlwaysHorz=ON\n");
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  const QStringList before = Spooled();
  EXPECT_EQ(PrintFromWindow({Choose("vqrtest")}), QStringList{"PrintDialog"});
  const auto [doc, pdf] = NextJob(before);
  EXPECT_EQ(doc.pages, 1);
  EXPECT_EQ(Rounded(doc.size), QSize(842, 595));  // A4, the printer's paper, landscape
  EXPECT_EQ(pdf.pages, 1);
}

TEST_F(Cups, AStoppedRejectingOrVanishedQueueFailsAndNeverHangs) {
  MakeForm();
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  const QStringList vqrtoolArgs = {"print", "samples/hours40.DAT", "--defaults", "--printer"};

  // Stopped (cupsdisable): the queue would hold the job without printing it;
  // rejecting jobs (cupsreject): the server would refuse the job that the
  // print engine hands over without a word.
  const struct {
    const char *off, *on, *tool, *box;
  } states[] = {
      {"cupsdisable", "cupsenable", "vqrtest is stopped", "ist angehalten."},
      {"cupsreject", "cupsaccept", "vqrtest does not accept jobs", "nimmt keine Aufträge an."},
  };
  for (const auto& s : states) {
    Lp(s.off, {"vqrtest"});
    const ProcessRun r = Lp(kVqrtool, vqrtoolArgs + QStringList{"vqrtest"});
    EXPECT_EQ(r.status, 3) << s.off;
    EXPECT_TRUE(r.err.contains(s.tool)) << r.err.toStdString();
    EXPECT_EQ(
        PrintFromWindow({Choose("vqrtest"), CloseBox()}),
        (QStringList{"PrintDialog", QString("PrintFailureBox: Der Drucker \"vqrtest\" ") + s.box}));
    Lp(s.on, {"vqrtest"});
  }

  // Removed while the dialog was open.
  EXPECT_EQ(PrintFromWindow({Choose("vqrgone",
                                    []() {
                                      Lp("lpadmin", {"-x", "vqrgone"});
                                    }),
                             CloseBox()}),
            (QStringList{"PrintDialog",
                         "PrintFailureBox: Der Drucker \"vqrgone\" ist nicht mehr vorhanden."}));
  EXPECT_EQ(Lp(kVqrtool, vqrtoolArgs + QStringList{"vqrgone"}).status, 3);
}
