// The decorations of the printed page: the logo image and the rich-text
// background with its placeholders.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <climits>
#include <cmath>
#include <string>

#include "data/MetaData.h"
#include "data/rtfreader.h"
#include "print/BackGnd.h"
#include "print/Logo.h"
#include "support/mainwindow_fixture.h"

namespace {

QByteArray Encoded(const QImage& img, const char* format) {
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, format);
  return bytes;
}

QImage TestPicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(QColor(200, 30, 30));
  return img;
}

// The PNG with its header claiming w x h pixels (with a valid checksum).
QByteArray ClaimedSize(QByteArray png, uint32_t w, uint32_t h) {
  for (int k = 0; k < 4; ++k) {
    png[16 + k] = char((w >> (24 - 8 * k)) & 0xff);
    png[20 + k] = char((h >> (24 - 8 * k)) & 0xff);
  }
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = char((crc >> (24 - 8 * i)) & 0xff);
  return png;
}

class Files : public testing::Test {
 protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    WriteFile(dir_.filePath(name), bytes);
    return dir_.filePath(name);
  }
  QTemporaryDir dir_;
};

class PrintImages : public Files {
 protected:
  bool LoadLogo(const QString& path) {
    logo_.SetFile(path);
    return logo_.Load();
  }
  TVQRLogo logo_;
};

TEST_F(PrintImages, ExtensionDecidesTheDecoder) {
  const struct {
    const char* name;
    const char* ext;
    const char* format;  // the file's real content
    bool loads;
  } cases[] = {
      {"logo.Png", ".Png", "PNG", true},
      {"LOGO.JPEG", ".JPEG", "JPEG", true},
      {"logo.bmp", ".bmp", "BMP", true},
      {" logo.PNG ", ".PNG ", "PNG", true},  // blanks are trimmed for the comparison
      {"logo.gif", ".gif", "PNG", false},    // PNG data, but the name decides
      {"logo", "", "PNG", false},
      {"logo.png.bak", ".bak", "PNG", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = Write(c.name, Encoded(TestPicture(4, 3), c.format));
    EXPECT_EQ(TVQRLogo::FileExtension(path), c.ext);
    EXPECT_EQ(LoadLogo(path), c.loads);
    EXPECT_EQ(logo_.Image().size(), c.loads ? QSize(4, 3) : QSize(0, 0));
    EXPECT_TRUE(!c.loads || std::abs(logo_.Image().pixelColor(1, 1).red() - 200) < 40);
  }
  // A dot in a folder name is no extension.
  for (const char* name : {"C:\\daten.neu\\logo", "/home/a.b/logo", "C:daten.neu:logo"})
    EXPECT_EQ(TVQRLogo::FileExtension(name), "") << name;
  EXPECT_FALSE(LoadLogo(dir_.filePath("missing.png")));
}

TEST_F(PrintImages, DrawStretchesToRoundedSizeAtThePlacement) {
  struct {
    int w, h, x, y;
    float fx, fy;
    QRect want;
  } cases[] = {
      // 200 x 100 at Scale 1.5 on 600 dpi: 3 x 1.5 inches.
      {200, 100, 40, 60, TVQRLogo::PlacementFactor(1.5, 600), TVQRLogo::PlacementFactor(1.5, 600),
       QRect(40, 60, 1800, 900)},
      {10, 8, 3, 4, 0.0f, 2.0f, QRect(3, 4, 10, 16)},  // factor 0 means 1.0
      {3, 5, 0, 0, 0.5f, 0.5f, QRect(0, 0, 2, 2)},     // 1.5 -> 2, 2.5 -> 2: halves to even
      {7, 9, 0, 0, 0.5f, 0.5f, QRect(0, 0, 4, 4)},     // 3.5 -> 4, 4.5 -> 4
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(LoadLogo(Write("l.png", Encoded(TestPicture(c.w, c.h), "PNG"))));
    logo_.SetPlacement(c.x, c.y, c.fx, c.fy);
    EXPECT_EQ(logo_.DrawRect(), c.want);
    QImage canvas(c.want.right() + 5, c.want.bottom() + 5, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    EXPECT_TRUE(logo_.Draw(p));
    p.end();
    EXPECT_EQ(Ink(canvas), c.want);
  }
  QImage canvas(10, 10, QImage::Format_RGB32);
  QPainter p(&canvas);
  // Placed at the ends of the int range (settings far off the page): the
  // far corner must still be an int.
  logo_.SetPlacement(INT_MAX, INT_MIN, 1e9f, 1.0f);
  EXPECT_EQ(logo_.DrawRect(), QRect(1'000'000'000, -1'000'000'000, 1'000'000'000, 9));
  EXPECT_TRUE(logo_.Draw(p));
  logo_.Release();
  EXPECT_FALSE(logo_.Draw(p));
}

// Damaged, truncated and oversized images are refused without an exception.
TEST_F(PrintImages, DamagedImagesDoNotLoad) {
  const QByteArray png = Encoded(TestPicture(64, 48), "PNG");
  const QByteArray jpg = Encoded(TestPicture(64, 48), "JPEG");

  const QByteArray hugePng = ClaimedSize(png, 20000, 20000);

  QByteArray hugeJpg = jpg;  // frame header 12000 x 12000
  const qsizetype sof = hugeJpg.indexOf("\xff\xc0");
  ASSERT_GT(sof, 0);
  for (int off : {5, 7}) hugeJpg[sof + off] = char(0x2e), hugeJpg[sof + off + 1] = char(0xe0);

  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {{"half.png", png.left(png.size() / 2)},
               {"huge.png", hugePng},
               {"half.jpg", jpg.left(jpg.size() / 2)},
               {"huge.jpg", hugeJpg},
               {"empty.png", ""},
               {"text.bmp", "BM not really"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(LoadLogo(Write(c.name, c.bytes)));
    EXPECT_TRUE(logo_.Image().isNull());
  }
}

// Documents that the reader keeps from damaged or huge input lay out without harm.
TEST(RtfDocument, BuildsFromAnyReadDocument) {
  std::string wide = "{\\rtf1 ";  // many paragraphs
  for (int i = 0; i < 200000; ++i) wide += "line of text\\par ";
  std::string table = "{\\rtf1 ";  // 1000 rows of 64 cells
  for (int r = 0; r < 1000; ++r) {
    table += "\\trowd";
    for (int c = 1; c <= 64; ++c) table += "\\cellx" + std::to_string(c * 100);
    for (int c = 0; c < 64; ++c) table += "\\intbl x\\cell ";
    table += "\\row\n";
  }
  struct Case {
    std::string rtf, text;  // text: what the document starts with
    bool table;
  };
  const Case cases[] = {
      {wide + "}", "line of text", false},
      {table + "}", "x", true},
      {"{\\rtf1 \\trowd\\intbl a\\par b\\cell\\row c\\cell", "a", true},
      {"{\\rtf1 \\cf99\\highlight-5\\f77 t\\par}", "t", false},
      {"{\\rtf1 {\\fonttbl{\\f0 Arial}{\\f1 ;}\\f2 x", "", false},  // x: a font's name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QTextDocument doc;
    ASSERT_TRUE(TVQRPaper::BuildDocument(doc, rtf::Read(c.rtf)));
    const QString text = doc.toPlainText().trimmed();
    EXPECT_TRUE(text.startsWith(QString::fromStdString(c.text))) << text.left(40).toStdString();
    EXPECT_LE(static_cast<size_t>(doc.blockCount()), rtf::kMaxParagraphs + rtf::kMaxTableCells);
    bool hasTable = false;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
      hasTable |= qobject_cast<QTextTable*>(f) != nullptr;
    EXPECT_EQ(hasTable, c.table);
    const QSizeF size = doc.documentLayout()->documentSize();
    EXPECT_TRUE(size.width() > 0 && size.height() > 0 && std::isfinite(size.height()));
  }
}

class Background : public Files {
 protected:
  void SetUp() override {
    TVQRMetaData::SetDateFormatter([](std::time_t) { return std::string("24.12.2024"); });
    TVQRMetaData::SetTimeFormatter([](std::time_t) { return std::string("17:45"); });
  }
  void TearDown() override {
    TVQRMetaData::SetDateFormatter({});
    TVQRMetaData::SetTimeFormatter({});
  }
  QString Text() const { return paper_.Document()->toPlainText(); }
  // Prints the background into a PDF page (A4, 600 dpi) in memory.
  void PrintPdf() {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    QPainter painter(&writer);
    EXPECT_TRUE(paper_.DrawOnCanvas(painter, QRect(0, 0, writer.width(), writer.height())));
  }
  TVQRPaper paper_;
};

TEST_F(Background, PlaceholdersFilledOnceKeepingTheirFormat) {
  const QByteArray rtf = "{\\rtf1\\ansi A {\\b %date%} B %Date% C %Param1% D %HeatTemp%\\par}";
  const QString path = Write("form.RTF", rtf);
  paper_.SetFile(path);
  ASSERT_TRUE(paper_.Load());
  TVQRMetaData meta;  // a recording without a valid header: only date and time
  paper_.FillFields(meta);
  EXPECT_EQ(Text(), "A 24.12.2024 B %Date% C %Param1% D %HeatTemp%");
  EXPECT_TRUE(paper_.ReplaceField("heattemp", "37.5"));
  EXPECT_FALSE(paper_.ReplaceField("ProNumber", "3"));
  EXPECT_EQ(Text(), "A 24.12.2024 B %Date% C %Param1% D 37.5");
  const QTextBlock block = paper_.Document()->firstBlock();
  for (auto it = block.begin(); !it.atEnd(); ++it)
    EXPECT_EQ(it.fragment().charFormat().fontWeight(),
              it.fragment().text().contains("24.12.") ? QFont::Bold : QFont::Normal);
  QFile f(path);  // the file itself is untouched
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), rtf);
}

TEST_F(Background, LoadNeedsRtfByNameAndContent) {
  const struct {
    const char* name;
    QByteArray bytes;
    bool loads;
    const char* text;
  } cases[] = {
      {"a.rtf", "{\\rtf1 x}", true, "x"},
      {"b.Rtf ", "\n {\\rtf1 x}", true, "x"},
      {"c.txt", "{\\rtf1 x}", false, ""},
      {"noext", "{\\rtf1 x}", false, ""},
      // No RTF: plain text, as a rich-text control reads it.
      {"d.rtf", "plain text", true, "plain text"},
      {"e.rtf", "", true, ""},
      {"f.rtf", "Zeile 1\r\n\r\nZeile 3 \xc3\xa4\n", true, "Zeile 1\n\nZeile 3 ä"},
      {"g.rtf",
       "Stra\xdf"
       "e\r",
       true, "Straße"},  // no UTF-8: Windows-1252
  };
  for (const auto& c : cases) {
    paper_.SetFile(Write(c.name, c.bytes));
    EXPECT_EQ(paper_.Load(), c.loads) << c.name;
    EXPECT_EQ(Text(), QString::fromUtf8(c.text)) << c.name;  // a failed load leaves it empty
  }
  paper_.SetFile(dir_.filePath("missing.rtf"));
  EXPECT_FALSE(paper_.Load());
}

// The sample letterhead on an A4 page at 150 dpi: the text starts at the
// document's margins, nothing else is painted, the picture is embedded.
TEST_F(Background, LetterheadDrawsInsideItsMarginsWithoutBackground) {
  paper_.SetFile(VQR_SOURCE_DIR "/docs/letterhead.rtf");
  ASSERT_TRUE(paper_.Load());
  EXPECT_NE(Text().indexOf(u"Prüflabor Wärmebehandlung • Werkstraße"), -1) << Text().toStdString();
  EXPECT_EQ(Text().indexOf("unknowndestination"), -1);

  QImage page(1240, 1754, QImage::Format_ARGB32);  // A4 at 150 dpi
  page.setDotsPerMeterX(5906), page.setDotsPerMeterY(5906);
  page.fill(Qt::transparent);
  QPainter p(&page);
  ASSERT_TRUE(paper_.DrawOnCanvas(p, QRect(0, 0, page.width(), page.height())));
  p.end();
  const QRect ink = Ink(page, qRgba(0, 0, 0, 0));
  // margins 1134 and 851 twips: 118 and 88 pixels at 150 dpi
  EXPECT_TRUE(QRect(116, 88, 1240 - 116 - 116, 1754 / 2 - 88).contains(ink))
      << ink.x() << "," << ink.y();
  EXPECT_LE(ink.left(), 118 + 40);
}

// Code pages, tab stops, paragraph spacing and tables as a word processor
// lays them out (in twips, on an A4 page with 1134-twip side margins).
TEST_F(Background, RtfLaysOutLikeAWordProcessor) {
  const char* fonts =
      "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 Arial;}{\\f2\\fcharset204 Arial;}"
      "{\\f3\\fcharset161 Arial;}{\\f4\\fcharset128 Arial;}{\\f5 Arial;}"
      "{\\f6\\fcharset2 Zapf Dingbats;}}";
  const struct {
    const char* body;
    const char* text;
  } texts[] = {
      {"\\ansicpg1250\\f5 Zak\\'b3ad \\'9c\\'e6", "Zakład ść"},  // the document's code page
      {"\\f1 Zak\\'b3ad", "Zakład"},
      {"\\ansicpg1250\\f0 Zak\\'b3ad", "Zak³ad"},  // charset 0 is Windows-1252
      {"\\f2 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2", "Привет"},
      {"\\f3 \\'e1\\'e2", "αβ"},
      {"\\f4 \\'82\\'a0\\'8a\\'bf x", "あ漢 x"},  // two bytes per character
      {"\\ansicpg1251\\f5 \xcf\xf0\xe8", "При"},  // bytes as they are
      {"\\f6 \\u8364?", "€"},                     // a face without it: fontconfig finds another
  };
  for (const auto& c : texts) {
    paper_.SetFile(Write("t.rtf", QByteArray("{\\rtf1\\ansi") + fonts + c.body + "\\par}"));
    ASSERT_TRUE(paper_.Load());
    EXPECT_EQ(Text(), QString::fromUtf8(c.text)) << c.body;
    PrintPdf();
  }

  auto layout = [&](const char* body) {
    paper_.SetFile(
        Write("l.rtf", QByteArray("{\\rtf1\\ansi\\deff0\\paperw11906\\margl1134\\margr1134") +
                           fonts + body + "}"));
    EXPECT_TRUE(paper_.Load());
    paper_.Document()->setPageSize(QSizeF(11906, 16838));
    paper_.Document()->documentLayout()->documentSize();  // lays it out
  };
  auto x = [&](int block, int pos) {  // where the character pos of a block begins
    const QTextBlock b = paper_.Document()->findBlockByNumber(block);
    return b.layout()->position().x() + b.layout()->lineForTextPosition(pos).cursorToX(pos);
  };
  // Right, centre and decimal tab stops; the right one at the margin keeps
  // a long field on its line.
  layout(
      "\\pard\\tqr\\tx9638\\fs18 Zaklad\\tab Nr zlecenia: 4711\\par"
      "\\pard\\tqdec\\tx3000\\tqc\\tx4819\\deflang1031\\tab 1234,56\\tab mitte\\par");
  PrintPdf();  // laid out as on a PDF page
  const QTextBlock first = paper_.Document()->firstBlock();
  EXPECT_EQ(first.layout()->lineCount(), 1);
  EXPECT_NEAR(x(0, static_cast<int>(first.text().size())), 1134 + 9638, 30);
  const int mid = static_cast<int>(first.next().text().indexOf("mitte"));
  EXPECT_NEAR((x(1, mid) + x(1, mid + 5)) / 2, 1134 + 4819, 30);
  EXPECT_NEAR(x(1, 5), 1134 + 3000, 30);  // the decimal comma

  // Space after one paragraph and before the next add up.
  layout("\\pard\\sa400 a\\par\\pard\\sb600 b\\par");
  const QTextLayout* a = paper_.Document()->findBlockByNumber(0).layout();
  const QTextLayout* b = paper_.Document()->findBlockByNumber(1).layout();
  EXPECT_NEAR(b->position().y() - (a->position().y() + a->boundingRect().height()), 1000, 1);
  // Also before and after a table, and at the top of the page.
  layout(
      "\\pard\\sb100\\sa300 a\\par\\trowd\\cellx4000\\pard\\intbl b\\cell\\row\\pard\\sb600 "
      "c\\par");
  const QTextBlock last = paper_.Document()->lastBlock();
  ASSERT_EQ(last.text(), "c");
  const QTextLayout* top = paper_.Document()->firstBlock().layout();
  const QAbstractTextDocumentLayout* doc = paper_.Document()->documentLayout();
  ASSERT_EQ(last.previous().text(), "b");
  const QRectF cell = doc->blockBoundingRect(last.previous());
  EXPECT_NEAR(doc->blockBoundingRect(last).top() - cell.bottom(), 600, 1);
  EXPECT_NEAR(cell.top() - (top->position().y() + top->boundingRect().height()), 300, 1);
  EXPECT_NEAR(top->position().y(), 1440 + 100, 1);  // below the top margin

  // \trgaph pads left and right only; borders and shading are drawn.
  layout(
      "\\trowd\\trgaph108\\trleft-108\\trbrdrt\\brdrs\\brdrw20\\trbrdrb\\brdrs\\brdrw20"
      "\\clbrdrl\\brdrs\\brdrw20\\clcbpat1\\cellx4000\\clbrdrr\\brdrdb\\brdrw20"
      "\\clshdng5000\\cellx8000\\pard\\intbl a\\cell b\\cell\\row"
      "{\\colortbl;\\red255\\green0\\blue0;}");
  const QTextBlock cellText = paper_.Document()->firstBlock().next();
  ASSERT_EQ(cellText.text(), "a");
  const QRectF table =
      paper_.Document()->documentLayout()->frameBoundingRect(QTextCursor(cellText).currentTable());
  EXPECT_LT(table.height(), cellText.layout()->boundingRect().height() + 100);
  EXPECT_NEAR(paper_.Document()->documentLayout()->blockBoundingRect(cellText).left(), 1134, 20);
  // Text in the automatic colour is white on a dark cell, black on a light one.
  const auto ink = [](const QTextBlock& b) {
    return b.begin().fragment().charFormat().foreground().color().name();
  };
  EXPECT_EQ(ink(cellText), "#ffffff");
  EXPECT_EQ(ink(cellText.next()), "#000000");

  QImage page(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
  page.setDotsPerMeterX(5906), page.setDotsPerMeterY(5906);
  page.fill(Qt::white);
  QPainter p(&page);
  ASSERT_TRUE(paper_.DrawOnCanvas(p, page.rect()));
  p.end();
  EXPECT_GT(CountPixels(page, Qt::black), 2 * 800);  // top and bottom: 2 x 8000 twips
  EXPECT_GT(CountPixels(page, Qt::red), 300 * 20);   // the first cell's background
  EXPECT_GT(CountPixels(page, QColor(127, 127, 127)) + CountPixels(page, QColor(128, 128, 128)),
            300 * 20);  // 50 % black over white

  // Rows as tall as \trrh asks (a box to sign in), a table centred by \trqc.
  layout(
      "\\trowd\\trrh850\\trqc\\cellx4000\\pard\\intbl a\\cell\\row"
      "\\trowd\\trrh-300\\trqc\\cellx4000\\pard\\intbl b\\cell\\row\\pard c\\par");
  const QTextBlock box = paper_.Document()->firstBlock().next();
  ASSERT_EQ(box.text(), "a");
  const QRectF boxes =
      paper_.Document()->documentLayout()->frameBoundingRect(QTextCursor(box).currentTable());
  EXPECT_NEAR(boxes.height(), 850 + 300, 40);
  EXPECT_NEAR(boxes.left(), 1134 + (9638 - 4000) / 2, 20);
}

// Pictures are decoded at the size they are drawn, each pixel the mean of
// those it covers; a background whose pictures hold more pixels than a page
// could use does not load, a damaged picture is left out.
TEST_F(Background, PicturesAreDecodedAtTheirSizeOnThePage) {
  // Quarters: black and white columns, red, blue, green columns beside
  // transparent ones.
  QImage big(3000, 1500, QImage::Format_ARGB32);
  for (int y = 0; y < big.height(); ++y)
    for (int x = 0; x < big.width(); ++x) {
      const bool odd = x % 2 != 0, right = x >= 1500, low = y >= 750;
      big.setPixel(x, y,
                   !low     ? (right ? qRgb(200, 30, 30)
                               : odd ? qRgb(255, 255, 255)
                                     : qRgb(0, 0, 0))
                   : !right ? qRgb(0, 0, 255)
                   : odd    ? qRgba(0, 0, 0, 0)
                            : qRgb(0, 255, 0));
    }
  auto rtf = [](const QByteArray& pic, int goalWidth) {
    return "{\\rtf1 {\\pict\\pngblip\\picwgoal" + QByteArray::number(goalWidth) + "\\pichgoal720 " +
           pic.toHex() + "}\\par after\\par}";
  };
  auto picture = [&] {
    return paper_.Document()
        ->resource(QTextDocument::ImageResource, QUrl("rtfpic:0"))
        .value<QImage>();
  };
  for (const bool alpha : {true, false}) {  // RGBA, and RGB where transparent is black
    const QImage stored = alpha ? big : big.convertToFormat(QImage::Format_RGB32);
    // One inch wide, half an inch high.
    paper_.SetFile(Write("pic.rtf", rtf(Encoded(stored, "PNG"), 1440)));
    ASSERT_TRUE(paper_.Load());
    const QImage image = picture();
    EXPECT_EQ(image.size(), QSize(300, 150));  // at 300 dpi
    const QColor green = alpha ? QColor(0, 255, 0, 128) : QColor(0, 128, 0);
    const struct {
      int x, y;
      QColor want;
    } points[] = {{3, 3, QColor(128, 128, 128)},
                  {140, 70, QColor(128, 128, 128)},
                  {160, 5, QColor(200, 30, 30)},
                  {299, 74, QColor(200, 30, 30)},
                  {0, 149, QColor(0, 0, 255)},
                  {149, 80, QColor(0, 0, 255)},
                  {200, 100, green},
                  {299, 149, green}};
    for (const auto& p : points) {
      const QColor c = image.pixelColor(p.x, p.y);
      EXPECT_TRUE(
          std::abs(c.red() - p.want.red()) <= 1 && std::abs(c.green() - p.want.green()) <= 1 &&
          std::abs(c.blue() - p.want.blue()) <= 1 && std::abs(c.alpha() - p.want.alpha()) <= 1)
          << alpha << " " << p.x << "," << p.y << ": " << c.name(QColor::HexArgb).toStdString();
    }
  }
  const QByteArray png = Encoded(big, "PNG");

  // Cut short or with a damaged row: the text stays, the picture is left out.
  QByteArray damaged = png;
  damaged[damaged.indexOf("IDAT") + 4 + 200] = char(0xff);
  for (const QByteArray& bad : {png.left(png.size() / 2), damaged}) {
    paper_.SetFile(Write("bad.rtf", rtf(bad, 1440)));
    ASSERT_TRUE(paper_.Load());
    EXPECT_EQ(Text(), "\nafter");
    EXPECT_TRUE(picture().isNull());
  }

  paper_.SetFile(Write("huge.rtf", rtf(ClaimedSize(png, 20000, 20000), 1440)));
  EXPECT_FALSE(paper_.Load());
  EXPECT_EQ(Text(), "");

  // An interlaced picture claiming the largest size the header can hold.
  QByteArray interlaced = png;
  interlaced[28] = 1;
  QImage out;
  EXPECT_FALSE(TVQRLogo::DecodePngScaled(ClaimedSize(interlaced, 0xffffffff, 0xffffffff),
                                         QSize(300, 150), &out));
}

}  // namespace
