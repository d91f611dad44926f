// The printed page as a user gets it: vqrtool print into PDF files, looked
// at with poppler (pages, paper, text, raster).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/mainwindow_fixture.h"
#include "support/pdfwords.h"

namespace {

// Bounding box of the pixels of one colour (give or take the antialiasing).
QRect Box(const QImage& img, QColor colour) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
              std::abs(c.blue() - colour.blue()) <
          60)
        box |= QRect(x, y, 1, 1);
    }
  return box;
}

class PrintPage : public testing::Test {
 protected:
  QString File(const QString& name) const { return dir.filePath(name); }
  QString Write(const QString& name, const QByteArray& text) {
    WriteFile(File(name), text);
    return File(name);
  }
  // vqrtool print with an INI file of the given text.
  ProcessRun Print(QStringList args, const QByteArray& ini = "") {
    args.prepend("print");
    args << "--ini" << Write("t.INI", ini);
    return Exec(VQR_BINARY_DIR "/vqrtool", args);
  }
  static QString Info(const QString& pdf) { return Exec("pdfinfo", {pdf}).out; }
  static QString Text(const QString& pdf) { return Exec("pdftotext", {pdf, "-"}).out; }
  // Page 1 at 100 dpi.
  QImage Raster(const QString& pdf) {
    Exec("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, File("page")});
    return QImage(File("page.png"));
  }
  QTemporaryDir dir;
};

TEST_F(PrintPage, PagesPaperOrientationAndStatuses) {
  const QString a = "samples/hours40.DAT", b = "samples/full1500.DAT";
  const struct {
    QStringList args;
    QByteArray ini;
    int status;
    QString pages, size;  // empty: no file written
  } cases[] = {
      {{a, b}, "", 0, "Pages:           2", "595 x 842 pts (A4)"},
      {{a, "--landscape"}, "", 0, "Pages:           1", "842 x 595"},
      // Landscape wins when the settings force both.
      {{a}, "[Printer]\nAlwaysVert=ON\nAlwaysHorz=ON\n", 0, "Pages:           1", "842 x 595"},
      {{a, "--paper", "letter", "--portrait"}, "[Printer]\nAlwaysHorz=ON\n", 0, "", "612 x 792"},
      {{a, "--paper", "A3", "--dpi", "150"}, "", 0, "", "842 x 1191"},
      // A recording that does not open gets no page; the others are printed.
      {{a, "missing.DAT", b}, "", 2, "Pages:           2", ""},
      {{a, "--window", "17"}, "", 64, "", ""},
      {{a, "--printer", "x"}, "", 64, "", ""},  // -o and --printer
  };
  for (const auto& c : cases) {
    const QString out = File("p.pdf");
    QFile::remove(out);
    const ProcessRun r = Print(QStringList(c.args) << "-o" << out, c.ini);
    SCOPED_TRACE(c.args.join(' ').toStdString() + " " + r.err.toStdString());
    EXPECT_EQ(r.status, c.status);
    const bool written = c.status == 0 || !c.pages.isEmpty();
    ASSERT_EQ(QFile::exists(out), written);
    if (!written) continue;
    const QString info = Info(out);
    EXPECT_TRUE(info.contains(c.pages)) << info.toStdString();
    EXPECT_TRUE(info.contains(c.size)) << info.toStdString();
  }
  const ProcessRun r = Exec(VQR_BINARY_DIR "/vqrtool",
                            {"print", a, "--defaults", "--printer", "no-such-queue-of-vqrshow4"});
  EXPECT_EQ(r.status, 3) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("no printer")) << r.err.toStdString();
}

// Every text of the printed page lies on the paper, and no two overlap:
// default borders in both orientations, with the temperature axis and the
// legend, six-digit labels, eight compared recordings, other papers, borders
// and fonts.
TEST_F(PrintPage, TextsLieOnThePaperAndApart) {
  const QByteArray combi =
      "[CombiWindow1]\nVisibleCh1=ON\nVisibleCh2=ON\nVisibleCh17=ON\nColorCh1=255\n";
  QStringList compared;
  for (const char* name :
       {"b.DAT", "second run.DAT", "c_with_a_long_name.DAT", "d.DAT", "e.DAT", "f.DAT", "g.DAT"}) {
    ASSERT_TRUE(QFile::copy(VQR_SOURCE_DIR "/samples/hours40.DAT", File(name)));
    compared << File(name);
  }
  const QStringList eight = QStringList{"--compare"} + compared;
  const QByteArray six = "[Axis2]\nUserFactor=100000\n";
  const struct {
    const char* what;
    QStringList args;
    QByteArray ini;
    QStringList words;  // each must be a word of its own
  } cases[] = {
      {"portrait", {"--portrait"}, combi, {"McF", "2.0", "48", "Std", "Celsius", "Kanal"}},
      {"landscape", {"--landscape"}, combi, {"McF", "48", "Std", "Celsius", "Kanal"}},
      {"channel portrait", {"--portrait", "--window", "1"}, "", {"McF", "2.0", "48", "Std"}},
      {"six digits portrait", {"--portrait", "--window", "1"}, six, {"200000", "McF"}},
      {"six digits landscape", {"--landscape"}, combi + six, {"200000", "Celsius"}},
      {"eight portrait", QStringList{"--portrait"} + eight, combi, {"hours40.DAT", "g.DAT"}},
      {"eight landscape", QStringList{"--landscape"} + eight, combi, {"hours40.DAT", "g.DAT"}},
      {"eight letter borders",
       QStringList{"--paper", "letter", "--portrait"} + eight,
       combi + "[Diagram]\nBorderLeft=25\nBorderTop=40\n",
       {"c_with_a_long_name.DAT", "Std"}},
      {"large font A3",
       {"--paper", "A3", "--landscape"},
       combi + six + "[Axis1]\nLabelSize=30\n[Axis2]\nLabelSize=30\n[Legend]\nLabelSize=28\n",
       {"Std", "McF"}},
      {"bold serif",
       {"--portrait"},
       combi + "[Axis1]\nLabelFont=b-DejaVu Serif\n[Axis2]\nLabelFont=b-DejaVu Serif\n",
       {"Std", "McF", "48"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString out = File("t.pdf");
    QFile::remove(out);
    const ProcessRun r = Print(QStringList{"samples/hours40.DAT", "-o", out} + c.args, c.ini);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QSizeF page;
    const std::vector<PdfWord> words = PdfWords(out, page);
    ASSERT_GT(page.width(), 500);
    QStringList texts;
    for (const PdfWord& w : words) texts << w.text;
    for (const QString& w : c.words) EXPECT_TRUE(texts.contains(w)) << w.toStdString();
    EXPECT_EQ(WordsOffPaperOrOverlapping(words, page), QStringList());
  }
}

TEST_F(PrintPage, BackgroundPlaceholdersFilledOnce) {
  // The date placeholder twice: only the first one (lower case) is replaced.
  // The euro sign in a symbol font makes fontconfig look for another face
  // (whose allocations LeakSanitizer must not count as the program's).
  const QByteArray letter =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Zapf Dingbats;}}\\f0\\fs24 D1=%date% "
      "D2=%Date% P=%Param1% H=%HeatTemp% {\\f1 \\u8364?}\\par}";
  const QString rtf = Write("bg.rtf", letter);
  const QString out = File("bg.pdf");
  const ProcessRun r =
      Print({"samples/hours40.DAT", "-o", out}, "[Printer]\nBackGround2=" + rtf.toUtf8() + "\n");
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QString text = Text(out);
  EXPECT_FALSE(text.contains("D1=%date%")) << text.toStdString();
  EXPECT_TRUE(text.contains("D2=%Date%")) << text.toStdString();
  EXPECT_TRUE(text.contains("P=12 H=37.5")) << text.toStdString();
  EXPECT_EQ(ReadFile(rtf), letter);  // filled on the page only
}

TEST_F(PrintPage, LogoAndAxisWhereTheSettingsPutThem) {
  // True size on A4 portrait at 600 dpi, raster at 100 dpi: 1 mm = 3.937 pixels.
  QImage red(100, 50, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(File("red.png")));
  const QByteArray page =
      "[PrinterVert]\nFixedFactorX=1\nFixedFactorY=1\n[Diagram]\nBorderLeft=10\nBorderTop=20\n"
      "[Axis1]\nStartX=20\nStartY=20\nLength=150\n";
  const ProcessRun r = Print(
      {"samples/hours40.DAT", "-o", File("logo.pdf")},
      page + "[Logo]\nFile=" + File("red.png").toUtf8() + "\nStartX=30\nStartY=40\nScale=1.0\n");
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QImage img = Raster(File("logo.pdf"));
  ASSERT_EQ(img.width(), 827);
  // Scale 1.0: one image pixel is 1/100 inch, so 100 x 50 raster pixels, at
  // (10 + 30) mm from the left and (20 + 40) mm from the top of the sheet.
  const QRect logo = Box(img, Qt::red);
  EXPECT_NEAR(logo.left(), 157.5, 1.5);
  EXPECT_NEAR(logo.top(), 236.2, 1.5);
  EXPECT_NEAR(logo.width(), 100, 1.5);
  EXPECT_NEAR(logo.height(), 50, 1.5);
  // The time axis 20 mm above the frame's bottom (the sheet's edge), from 30
  // to 180 mm (pixels 118 to 709; a tick of the value axis reaches left of
  // it): the page's y grows upwards.
  int axisRow = -1, best = 0;
  for (int y = img.height() / 2; y < img.height(); ++y) {
    int dark = 0;
    for (int x = 118; x < img.width(); ++x) dark += qGray(img.pixel(x, y)) < 128;
    if (dark > best) best = dark, axisRow = y;
  }
  EXPECT_NEAR(axisRow, 1090.7, 1.5);
  EXPECT_NEAR(best, 591, 3);

  // A background and a logo that do not load are reported and leave no trace.
  const ProcessRun plain = Print({"samples/hours40.DAT", "-o", File("plain.pdf")}, page);
  const ProcessRun missing =
      Print({"samples/hours40.DAT", "-o", File("missing.pdf")},
            page + "[Printer]\nBackGround1= nothing.RTF \n[Logo]\nFile=none.png\n");
  ASSERT_EQ(plain.status, 0);
  EXPECT_EQ(missing.status, 4);
  EXPECT_TRUE(missing.err.contains("Datei nothing.RTF nicht gefunden!"))
      << missing.err.toStdString();
  EXPECT_TRUE(missing.err.contains("Datei none.png nicht gefunden oder falsches Format!"));
  EXPECT_EQ(Raster(File("missing.pdf")), Raster(File("plain.pdf")));
}

TEST_F(PrintPage, OnlyRegularFilesOfBoundedSizeAreReadAsBackgroundOrLogo) {
  // A FIFO never delivers a byte, /dev/zero never ends, a sparse file is
  // large without taking room: none of them may hold up the page.
  ASSERT_EQ(mkfifo(File("fifo.rtf").toLocal8Bit().constData(), 0600), 0);
  ASSERT_EQ(mkfifo(File("fifo.bmp").toLocal8Bit().constData(), 0600), 0);
  for (const char* link : {"zero.rtf", "zero.png"})
    ASSERT_TRUE(QFile::link("/dev/zero", File(link)));
  for (const auto& [name, size] :
       {std::pair("big.rtf", (20 << 20) + 1), {"big.jpg", (64 << 20) + 1}})
    ASSERT_EQ(truncate(Write(name, "{\\rtf1 }").toLocal8Bit().constData(), size), 0);
  const struct {
    const char* background;
    const char* logo;
  } cases[] = {{"fifo.rtf", "fifo.bmp"}, {"zero.rtf", "zero.png"}, {"big.rtf", "big.jpg"}};
  for (const auto& c : cases) {
    const QString background = File(c.background), logo = File(c.logo);
    const ProcessRun r = Print(
        {"samples/hours40.DAT", "-o", File("p.pdf")},
        "[Printer]\nBackGround1=" + background.toUtf8() + "\n[Logo]\nFile=" + logo.toUtf8() + "\n");
    SCOPED_TRACE(r.err.toStdString());
    EXPECT_EQ(r.status, 4);  // printed without them
    EXPECT_TRUE(r.err.contains("Datei " + background + " nicht gefunden!"));
    EXPECT_TRUE(r.err.contains("Datei " + logo + " nicht gefunden oder falsches Format!"));
    EXPECT_TRUE(Info(File("p.pdf")).contains("Pages:           1"));
  }
}

}  // namespace
