// The report as a user gets it: vqrtool report into PDF files, read back
// with poppler (pages, header lines, table) and from the file's metadata; a
// report leaves the session's window as it was; the header line on the
// one-page print only when "Kopfzeile" is on.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <ctime>

#include "chart/recordingdc.h"
#include "chart/vqrdiagram.h"
#include "data/freerange.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/SingleChannel.h"
#include "gui/print/ReportDialog.h"
#include "print/PrintDecor.h"
#include "print/Report.h"
#include "session/Report.h"
#include "session/Session.h"
#include "settings/readonlysettings.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"
#include "support/pdfwords.h"

namespace {

const QString kVqrtool = QString(VQR_BINARY_DIR) + "/vqrtool";

// Combination 1 with channels 1, 2 and T; landscape; an upper limit on channel 1.
const QByteArray kIni =
    "[CombiWindow1]\nVisibleCh1=ON\nVisibleCh2=ON\nVisibleCh17=ON\n"
    "[Printer]\nAlwaysHorz=ON\n[Limits]\nUpper1=1.5\n";

QString PageText(const QString& pdf, int page) {
  return Exec("pdftotext",
              {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
      .out;
}

int PageCount(const QString& pdf) {
  const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(Exec("pdfinfo", {pdf}).out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The program's settings read from an INI file of text.
std::unique_ptr<TToolSettings> Settings(const QByteArray& text) {
  static QTemporaryDir dir;
  const QString path = dir.filePath("s.ini");
  WriteFile(path, text);
  TToolSettingsOptions options;
  options.IniFile = path.toStdString();
  std::string error;
  auto settings = LoadToolSettings(options, &error);
  EXPECT_TRUE(settings && settings->Table) << error;
  return settings;
}

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    WriteFile(Ini(), kIni);
  }
  QString Ini() const { return dir.filePath("r.ini"); }
  QString Out() const { return dir.filePath("r.pdf"); }
  ProcessRun Run(const QStringList& args) {
    return Exec(kVqrtool, QStringList{"report", QString::fromStdString(SamplePath("hours40.DAT")),
                                      "-o", Out(), "--ini", Ini()} +
                              args);
  }
  QTemporaryDir dir;
};

TEST_F(Report, EveryPageNamesItsWindowAndItsPlaceInTheReport) {
  const struct {
    QStringList args;
    QStringList windows;  // as the page headers name them
  } cases[] = {
      {{"--windows", "0,18,3"}, {"Übersicht", "Kombination 1", "Kanal 3", "Messwerte"}},
      // Without --windows: the overview and the combinations with a ticked channel.
      {{}, {"Übersicht", "Kombination 1", "Messwerte"}},
      {{"--windows", "19,19"}, {"Kombination 2", "Kombination 2", "Messwerte"}},
  };
  const QRegularExpression date(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d)");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    QFile::remove(Out());
    const ProcessRun r = Run(c.args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const int pages = static_cast<int>(c.windows.size());
    EXPECT_EQ(r.out.trimmed(), QString::number(pages));
    ASSERT_EQ(PageCount(Out()), pages);
    for (int p = 1; p <= pages; ++p) {
      const QString header = PageText(Out(), p).section('\n', 0, 0);
      SCOPED_TRACE(header.toStdString());
      EXPECT_TRUE(header.startsWith("hours40.DAT · Aufnahme "));
      EXPECT_TRUE(header.contains(" · " + c.windows[p - 1] + " · Gedruckt "));
      EXPECT_EQ(header.count(date), 2);  // the recording's start and the print
      EXPECT_TRUE(header.trimmed().endsWith(QString("Seite %1 von %2").arg(p).arg(pages)));
    }
  }
  // Combination 2 has no ticked channel: said, and still printed.
  EXPECT_TRUE(Run({"--windows", "19"}).err.contains("no channel is ticked for combination 2"));
}

TEST_F(Report, TableListsEachWindowsRangeValuesAndLimitVerdicts) {
  ASSERT_EQ(Run({"--windows", "0,18,3"}).status, 0);
  const QString table = PageText(Out(), 4);
  EXPECT_TRUE(table.contains("Kombination 1 – Angezeigter Zeitbereich 0.000 h bis 48.000 h"))
      << table.toStdString();
  EXPECT_TRUE(table.contains("Kanal 3 – Angezeigter Zeitbereich"));
  // Channel 1 starts above 1.5 and falls below it: a violated limit, listed
  // for combination 1 only (channel 3 has none).
  EXPECT_EQ(table.count("Grenzwerte – "), 1);
  EXPECT_TRUE(QRegularExpression(R"(Kanal 1\s+–\s+1\.5\d*\s.*verletzt)").match(table).hasMatch())
      << table.toStdString();
  for (const char* column : {"Kurve", "Min", "Max", "Mittel", "Std.-Abw.", "Steigung/h"})
    EXPECT_TRUE(table.contains(column)) << column;
}

TEST_F(Report, ManyWindowsGoOnOverSeveralTablePages) {
  const ProcessRun r = Run({"--windows", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,18,18"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const int pages = PageCount(Out());
  ASSERT_GE(pages, 20);
  for (int p = 19; p <= pages; ++p) {
    const QString text = PageText(Out(), p);
    EXPECT_TRUE(text.contains(QString("Messwerte · Gedruckt")));
    EXPECT_TRUE(text.contains(QString("Seite %1 von %2").arg(p).arg(pages)));
    EXPECT_TRUE(text.contains("Kurve")) << "column heads on page " << p;
  }
  EXPECT_TRUE(PageText(Out(), pages).contains("Kombination 1 –"));
}

TEST_F(Report, CommandLineMistakesAndMissingFiles) {
  const struct {
    QStringList args;
    int status;
  } cases[] = {
      {{"--windows", "17"}, 64}, {{"--windows", "0,,3"}, 64}, {{"--windows", "-1"}, 64},
      {{"--windows", "20"}, 64}, {{"--windows", ""}, 64},     {{"--printer", "x"}, 64},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Run(c.args).status, c.status) << c.args.join(' ').toStdString();
  const ProcessRun missing =
      Exec(kVqrtool, {"report", dir.filePath("none.DAT"), "-o", Out(), "--defaults"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(Report, PdfIsAnArchiveDocumentThatNamesTheRecording) {
  ASSERT_EQ(Run({"--windows", "3"}).status, 0);
  const QByteArray pdf = ReadFile(Out());
  const qsizetype from = pdf.indexOf("<x:xmpmeta"), to = pdf.indexOf("</x:xmpmeta>");
  ASSERT_TRUE(from >= 0 && to > from);
  const QString xmp = QString::fromUtf8(pdf.mid(from, to - from));
  EXPECT_TRUE(xmp.contains(R"(pdfaid:part="1")"));
  EXPECT_TRUE(xmp.contains(R"(pdfaid:conformance="B")"));
  EXPECT_TRUE(QRegularExpression("<dc:title>.*hours40\\.DAT.*</dc:title>",
                                 QRegularExpression::DotMatchesEverythingOption)
                  .match(xmp)
                  .hasMatch())
      << xmp.toStdString();
  const auto created = QRegularExpression(R"re(xmp:CreateDate="([^"]+)")re").match(xmp);
  ASSERT_TRUE(created.hasMatch());
  const QDateTime when = QDateTime::fromString(created.captured(1), Qt::ISODate);
  EXPECT_LT(std::abs(when.secsTo(QDateTime::currentDateTimeUtc())), 120);
}

TReportWindow Window(int mode, int markA, int markB, std::optional<TZoomSel> zoom = {}) {
  TReportWindow w;
  w.Mode = mode;
  w.MarkA = markA;
  w.MarkB = markB;
  w.Zoomed = zoom.has_value();
  if (zoom) w.Zoom = *zoom;
  return w;
}

// Every page of a report lies on the paper, its words apart, whatever the
// paper, its orientation and borders, the recording's name and the number of
// windows: the header line fits the width, the overview stays inside the
// borders, and the tables start below the header at a readable size.
TEST(ReportPages, WordsLieOnThePaperApartAndReadable) {
  QTemporaryDir dir;
  const QString longName = dir.filePath(
      "Dauerlauf_Klimakammer_B_Charge_2026-12-05_Probe_17_dritte_Wiederholung_nach_Reinigung.DAT");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(SamplePath("hours40.DAT")), longName));
  const QByteArray combi =
      "[CombiWindow1]\nVisibleCh1=ON\nVisibleCh2=ON\nVisibleCh17=ON\n"
      "[Limits]\nUpper1=1.5\n";
  const QByteArray borders = "[Diagram]\nBorderLeft=25\nBorderTop=20\nBorderRight=15\n";
  // The manual's letterhead: a background with a logo at the frame's top left.
  const QByteArray letterhead =
      ReadFile(VQR_SOURCE_DIR "/docs/print-example.INI").replace("docs/", VQR_SOURCE_DIR "/docs/");
  const std::vector<int> few{0, 3, 18};
  std::vector<int> many{0};
  for (int ch = 1; ch <= 16; ++ch) many.push_back(ch);
  many.push_back(kCombi1Mode);
  const auto A4 = QPageSize::A4, Letter = QPageSize::Letter;
  const auto Portrait = QPageLayout::Portrait, Landscape = QPageLayout::Landscape;
  const struct {
    const char* what;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    QByteArray ini;
    bool longName;
    std::vector<int> windows;
  } cases[] = {
      {"A4 portrait", A4, Portrait, combi, false, few},
      {"A4 landscape", A4, Landscape, combi, false, few},
      {"Letter portrait, borders", Letter, Portrait, combi + borders, false, few},
      {"Letter landscape, borders", Letter, Landscape, combi + borders, false, few},
      {"long name portrait", A4, Portrait, combi, true, few},
      {"long name landscape, borders", A4, Landscape, combi + borders, true, few},
      {"18 windows portrait", A4, Portrait, combi, false, many},
      {"18 windows Letter landscape", Letter, Landscape, combi + borders, false, many},
      {"letterhead portrait", A4, Portrait, letterhead, false, few},
      {"letterhead Letter", Letter, Portrait, letterhead, false, few},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const bool withLetterhead = c.ini.contains("BackGround1");
    const auto settings = Settings(c.ini);
    TVQRSession session(settings->Table.get());
    ASSERT_EQ(session.Load(c.longName ? longName.toStdString() : SamplePath("hours40.DAT")),
              TLoadStatus::Ok);
    TReportContent content;
    for (int mode : c.windows) content.Windows.push_back({.Mode = mode});
    content.Notes = {{2.0, 1, "kurz"},
                     {30.0, 0,
                      QString("Tür der Kammer geöffnet, Probe umgesetzt und der Fühler neu "
                              "ausgerichtet; danach stabil bis zum Ende der Aufnahme. ")
                          .repeated(3)
                          .toStdString()}};
    const QString out = dir.filePath("pages.pdf");
    int pages = 0;
    {
      QPdfWriter pdf(out);
      pdf.setResolution(600);
      pdf.setPageLayout(QPageLayout(QPageSize(c.paper), c.orientation, QMarginsF(0, 0, 0, 0)));
      TVQRReport report(session, content, std::time(nullptr));
      pages = report.Layout(QRect(0, 0, pdf.width(), pdf.height()), pdf);
      TVQRPrintDecor decor;
      QPainter painter;
      const auto load = [&](TVQRPrintDecor& d) {
        EXPECT_TRUE(d.Load(*settings->Table,
                           [](TDecorItem, const std::string&, const std::string& message) {
                             ADD_FAILURE() << message;
                             return true;
                           }));
        return true;
      };
      ASSERT_TRUE(report.Print(painter, pdf, load, decor));
      ASSERT_TRUE(painter.end());
    }
    ASSERT_EQ(PageCount(out), pages);
    ASSERT_GT(pages, static_cast<int>(c.windows.size()));
    for (int p = 1; p <= pages; ++p) {
      SCOPED_TRACE("page " + std::to_string(p));
      QSizeF paper;
      const std::vector<PdfWord> words = PdfWords(out, paper, p);
      ASSERT_GT(paper.width(), 500);
      EXPECT_EQ(WordsOffPaperOrOverlapping(words, paper), QStringList());
      // The header line (the topmost words) ends in the whole page number.
      double top = paper.height(), below = paper.height();
      for (const PdfWord& w : words) top = std::min(top, w.box.top());
      QStringList head;
      double headBottom = top;
      for (const PdfWord& w : words)
        if (w.box.top() < top + 1)
          head << w.text, headBottom = std::max(headBottom, w.box.bottom());
        else
          below = std::min(below, w.box.top());
      EXPECT_TRUE(head.join(' ').endsWith(QString("Seite %1 von %2").arg(p).arg(pages)))
          << head.join(' ').toStdString();
      EXPECT_TRUE(head.join(' ').contains(" · Aufnahme ")) << head.join(' ').toStdString();
      if (c.longName) {  // shortened in the middle: both ends still tell the file
        EXPECT_TRUE(head.front().startsWith("Dauerlauf_") && head.front().endsWith(".DAT"))
            << head.front().toStdString();
      }
      if (withLetterhead) {
        // The header clear of the logo (blue).
        const QString png = dir.filePath("page");
        Exec("pdftoppm", {"-r", "50", "-png", "-singlefile", "-f", QString::number(p), "-l",
                          QString::number(p), out, png});
        const QImage image(png + ".png");
        ASSERT_FALSE(image.isNull());
        int blue = 0;
        for (int y = 0; y < std::lround(headBottom * 50 / 72); ++y)
          for (int x = 0; x < image.width(); ++x) {
            const QColor px = image.pixelColor(x, y);
            blue += px.blue() - px.red() > 80;
          }
        EXPECT_EQ(blue, 0);
      }
      if (p <= static_cast<int>(c.windows.size())) continue;
      // A table page: its title (or first line) right below the header (the
      // letterhead), its rows at a readable size (3 mm at least).
      const auto title = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) {
        return w.text == "Messwerte" && w.box.top() >= top + 1;
      });
      const auto row = std::find_if(words.begin(), words.end(),
                                    [](const PdfWord& w) { return w.text == "Kurve"; });
      ASSERT_NE(row, words.end());
      EXPECT_GE(row->box.height(), 3.0 * 72 / 25.4);
      EXPECT_LT(title != words.end() ? title->box.top() : below,
                paper.height() * (withLetterhead ? 0.5 : 0.2));
    }
  }
}

// The session of a window shown in the program: a report draws other windows
// with it, and must hand it back as it was.
TEST(ReportSession, WindowModeZoomAndLayoutStayAsTheyWere) {
  const auto settings = Settings(kIni);
  TVQRSession session(settings->Table.get());
  ASSERT_EQ(session.Load(SamplePath("hours40.DAT")), TLoadStatus::Ok);
  session.PrepareWindow(5);
  TVQRDiagram& d = session.Diagram();
  d.SetZoom(TZoomSel{1, 1, 4, 5});
  // The temperatures freely zoomed besides, as the wheel leaves them.
  TAxisSet shown = session.Data().Axes().All();
  ASSERT_TRUE(SetFreeRange(shown.Temp, -3.0, 9.0, 1.0, 1.0));
  session.Data().Axes().ZoomAll(shown);
  const AxisRange time = session.Data().Axes().Time(), value = session.Data().Axes().Value();
  const TVQRDiagram::TZoomMemory zoom = d.ZoomMemory();
  const TDiagramLayout layout = d.Layout();

  TReportContent content;
  content.Windows = {{}, Window(kCombi1Mode, 30, 10), Window(3, 0, 0, TZoomSel{2, 0, 4, 10})};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&buffer);
  pdf.setResolution(300);
  TVQRReport report(session, content, std::time(nullptr));
  ASSERT_EQ(report.Layout(QRect(0, 0, pdf.width(), pdf.height()), pdf), 4);
  TVQRPrintDecor decor;
  QPainter painter;
  EXPECT_TRUE(report.Print(painter, pdf, {}, decor));
  EXPECT_TRUE(painter.end());

  EXPECT_EQ(d.WindowMode(), 5);
  EXPECT_EQ(session.Data().Axes().Time(), time);
  EXPECT_EQ(session.Data().Axes().Value(), value);
  EXPECT_EQ(session.Data().Axes().Temp(), shown.Temp);
  EXPECT_EQ(d.ZoomMemory().ZoomedX, zoom.ZoomedX);
  EXPECT_EQ(d.ZoomMemory().SavedX, zoom.SavedX);
  EXPECT_TRUE(d.ZoomMemory().Available);
  EXPECT_EQ(d.Layout(), layout);
  EXPECT_TRUE(d.RestoreZoom());
}

TEST(ReportSession, ZoomAndMarkersChooseTheTableRange) {
  const auto settings = Settings(kIni);
  TVQRSession session(settings->Table.get());
  ASSERT_EQ(session.Load(SamplePath("hours40.DAT")), TLoadStatus::Ok);
  // The time axis of 48 h in 12 divisions: divisions 2 to 4 are 8 h to 16 h.
  const TReportMeasured zoomed =
      MeasureReportWindow(session, Window(3, 0, 0, TZoomSel{2, 0, 4, 10}));
  EXPECT_FALSE(zoomed.Marked);
  EXPECT_DOUBLE_EQ(zoomed.FromSeconds, 8 * 3600.0);
  EXPECT_DOUBLE_EQ(zoomed.ToSeconds, 16 * 3600.0);
  ASSERT_EQ(zoomed.Rows.size(), 1u);
  EXPECT_GT(zoomed.Rows[0].Runs[0].Count, 0);
  EXPECT_GE(zoomed.Rows[0].Runs[0].FirstAtHours, 8.0);
  EXPECT_LE(zoomed.Rows[0].Runs[0].LastAtHours, 16.0);
  // Markers in either order cover the samples between them; combination 1
  // lists its ticked curves, with the verdict of the one with a limit.
  const TReportMeasured marked = MeasureReportWindow(session, Window(kCombi1Mode, 30, 10));
  EXPECT_TRUE(marked.Marked);
  ASSERT_EQ(marked.Rows.size(), 3u);
  EXPECT_EQ(marked.Rows[2].Channel, kTempChannel);
  EXPECT_EQ(marked.Rows[0].Runs[0].Count, 21);
  ASSERT_EQ(marked.Verdicts.size(), 1u);
  EXPECT_EQ(marked.Verdicts[0].Channel, 1);
}

// "Kopfzeile" off: the page is drawn with exactly the calls it always had;
// on: the same calls, then the header line naming file and window.
TEST(ReportSession, HeaderLineOnTheOnePagePrintOnlyWhenSet) {
  for (const bool on : {false, true}) {
    const auto settings = Settings(
        on ? QByteArray(kIni).replace("AlwaysHorz=ON\n", "AlwaysHorz=ON\nHeaderLine=ON\n") : kIni);
    TVQRSession session(settings->Table.get());
    ASSERT_EQ(session.Load(SamplePath("hours40.DAT")), TLoadStatus::Ok);
    session.PrepareWindow(kCombi1Mode);
    session.PreparePrint();
    const TRect page{0, 0, 3508, 2480};
    RecordingDC plain(300, 300), withSetting(300, 300);
    session.PrintPage(plain, page, nullptr);
    const std::optional<TPageHeader> header = OnePageHeader(session, std::time(nullptr));
    session.PrintPage(withSetting, page, nullptr, header ? &*header : nullptr, {});
    const auto& a = plain.Calls();
    const auto& b = withSetting.Calls();
    ASSERT_EQ(header.has_value(), on);
    ASSERT_GE(b.size(), a.size());
    EXPECT_EQ(b.size() > a.size(), on);
    for (size_t k = 0; k < a.size(); ++k) {
      ASSERT_EQ(a[k].op, b[k].op) << k;
      ASSERT_EQ(a[k].rect, b[k].rect) << k;
      ASSERT_EQ(a[k].text, b[k].text) << k;
    }
    if (on) {
      std::string added;
      for (size_t k = a.size(); k < b.size(); ++k) added += b[k].text;
      EXPECT_NE(added.find("hours40.DAT · Aufnahme "), std::string::npos) << added;
      EXPECT_NE(added.find(" · Kombination 1 · Gedruckt "), std::string::npos) << added;
      EXPECT_EQ(added.find("Seite"), std::string::npos);
    }
  }
}

// "Datei / Bericht..." in the program, driven through its dialog, and vqrtool
// report of the evaluation saved from the same windows: the same pages.
class ProgramReport : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteIni("[General]\nSavePos=OFF\n" + kIni);
    MakeForm();
    form->ChoosePrinter = [this](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(printTo);
      printer.setPageSize(QPageSize(QPageSize::A4));
      return true;
    };
    windows = std::make_unique<TDiagramWindows>(*form);
    QFile::copy(QString::fromStdString(SamplePath("hours40.DAT")), Path("hours40.DAT"));
  }
  void TearDown() override {
    windows.reset();
    MainWindowFixture::TearDown();
  }
  static QPoint Crossing(TF_SChannel* w, int i, int j) {
    const TVQRDiagram* d = w->Diagram();
    return QPoint(qRound(d->PlotRect().left + i * d->DivWidthX()),
                  qRound(d->PlotRect().top - j * d->DivWidthY()));
  }
  static void Wheel(TF_SChannel* w, int notches, Qt::KeyboardModifiers modifiers) {
    const QPoint p = Crossing(w, 4, 2);
    QWheelEvent e(p, w->mapToGlobal(p), {}, QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
    QApplication::processEvents();
  }
  static void Mark(TF_SChannel* w, int ia, int ib) {
    w->grab();  // drawn, so that the cursor finds its samples
    for (int i : {ia, ib}) {
      const QPoint p = Crossing(w, i, 1);
      QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
      QApplication::sendEvent(w, &move);
      QTest::keyClicks(w, "m");
    }
    QApplication::processEvents();
  }
  /// The window each page's header names, and the page's text below it.
  static std::vector<std::pair<QString, QString>> Pages(const QString& pdf) {
    std::vector<std::pair<QString, QString>> pages;
    const QRegularExpression named(" · ([^·]+) · Gedruckt ");
    for (int p = 1, count = PageCount(pdf); p <= count; ++p) {
      const QString text = PageText(pdf, p);
      const QString header = text.section('\n', 0, 0);
      EXPECT_TRUE(header.trimmed().endsWith(QString("Seite %1 von %2").arg(p).arg(count)))
          << header.toStdString();
      pages.push_back({named.match(header).captured(1), text.section('\n', 1).simplified()});
    }
    return pages;
  }
  std::unique_ptr<TDiagramWindows> windows;
};

TEST_F(ProgramReport, DialogPrintsTheWindowsShownAsVqrtoolPrintsTheirEvaluation) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  Find<QAction>("MN_Wnd_Combi1")->trigger();
  Find<QAction>("Mn_Wnd_New_Ch3")->trigger();
  TF_SChannel* further = windows->FurtherWindows().at(0);
  Wheel(further, 2, Qt::NoModifier);
  Wheel(further, 1, Qt::ControlModifier);
  Mark(further, 2, 5);
  form->Session()->Notes().push_back({7200, "Ventil auf", 0, 0.0f});
  ASSERT_TRUE(form->SaveEvaluationFile(Path("lab.vqa")));

  // The dialog lists the windows shown first, checked, then the others.
  QStringList rows;
  QTimer::singleShot(0, [&rows] {
    auto* dialog = qobject_cast<TF_Report*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* list = dialog->findChild<QListWidget*>("LB_ReportWindows");
    for (int r = 0; r < list->count(); ++r)
      if (list->item(r)->checkState() == Qt::Checked) rows << list->item(r)->text();
    EXPECT_EQ(list->count(), 3 + 18 - 2);  // the three shown, then the rest of the 19
    EXPECT_TRUE(dialog->findChild<QCheckBox*>("CB_ReportNotes")->isChecked());
    QTest::mouseClick(dialog->findChild<QPushButton*>("Bt_ReportOk"), Qt::LeftButton);
  });
  printTo = Path("program.pdf");
  const std::vector<TEvalWindow> shown = windows->SavedViews();
  Find<QAction>("Mn_File_Report")->trigger();
  EXPECT_EQ(windows->SavedViews(), shown) << "the report leaves the windows as they were";
  EXPECT_EQ(rows, (QStringList{"Übersicht", "Kombination 1", "Kanal 3 (2), mit Zoom, mit Marken"}));
  const auto program = Pages(printTo);
  ASSERT_EQ(program.size(), 4u);
  EXPECT_EQ(program[0].first, "Übersicht");
  EXPECT_EQ(program[1].first, "Kombination 1");
  EXPECT_EQ(program[2].first, "Kanal 3");
  EXPECT_EQ(program[3].first, "Messwerte");
  // The further window's free range and markers, and the note.
  const QString& table = program[3].second;
  EXPECT_TRUE(table.contains("Kanal 3 – Marke A bei")) << table.toStdString();
  EXPECT_TRUE(table.contains("Ventil auf"));

  const ProcessRun tool =
      Exec(kVqrtool, {"report", Path("lab.vqa"), "-o", Path("tool.pdf"), "--ini", iniPath});
  ASSERT_EQ(tool.status, 0) << tool.err.toStdString();
  const auto fromFile = Pages(Path("tool.pdf"));
  ASSERT_EQ(fromFile.size(), program.size());
  for (size_t p = 0; p < program.size(); ++p) {
    EXPECT_EQ(fromFile[p].first, program[p].first) << p;
    EXPECT_EQ(fromFile[p].second, program[p].second) << p;  // axis labels and tables alike
  }
  // The zoomed window's page is not that of the whole scale.
  ASSERT_EQ(Exec(kVqrtool, {"report", Path("hours40.DAT"), "-o", Path("whole.pdf"), "--ini",
                            iniPath, "--windows", "3"})
                .status,
            0);
  EXPECT_NE(Pages(Path("whole.pdf")).at(0).second, program[2].second);
}

TEST_F(ProgramReport, VqrtoolRefusesEvaluationsWithTheProgramsWords) {
  ASSERT_TRUE(form->OpenDataFile(Path("hours40.DAT")));
  ASSERT_TRUE(form->SaveEvaluationFile(Path("lab.vqa")));
  const QByteArray good = ReadFile(Path("lab.vqa"));
  WriteFile(Path("cut.vqa"), good.left(good.size() / 2));
  QByteArray newer = good;
  WriteFile(Path("newer.vqa"), newer.replace("\"version\": 1", "\"version\": 4"));
  const struct {
    QString file;
    std::function<void()> before;
    int status;
    const char* says;
  } cases[] = {
      {Path("none.vqa"), {}, 2, "Die Datei gibt es nicht."},
      {Path("cut.vqa"), {}, 1, "ist beschädigt oder unvollständig"},
      {Path("newer.vqa"), {}, 1, "neueren Programmversion (Format 4"},
      {Path("lab.vqa"),
       [&] {
         QByteArray bytes = ReadFile(Path("hours40.DAT"));
         bytes[bytes.size() - 3] = static_cast<char>(bytes[bytes.size() - 3] ^ 1);
         WriteFile(Path("hours40.DAT"), bytes);
       },
       6, "wurde geändert, seit die Auswertung gespeichert wurde"},
      {Path("lab.vqa"), [&] { QFile::remove(Path("hours40.DAT")); }, 2, "wurde nicht gefunden"},
  };
  for (const auto& c : cases) {
    if (c.before) c.before();
    const ProcessRun r =
        Exec(kVqrtool, {"report", c.file, "-o", Path("out.pdf"), "--ini", iniPath});
    EXPECT_EQ(r.status, c.status) << c.file.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.pdf")));
  }
}

}  // namespace
