// The decorations of the printed page: the logo image and the rich-text
// background with its placeholders.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <climits>
#include <string>

#include "data/MetaData.h"
#include "print/BackGnd.h"
#include "print/Logo.h"
#include "print/rtfreader.h"
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

  QByteArray hugePng = png;  // IHDR 20000 x 20000, with a valid checksum
  for (int off : {16, 20}) {
    hugePng[off] = 0, hugePng[off + 1] = 0, hugePng[off + 2] = char(0x4e), hugePng[off + 3] = 0x20;
  }
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(hugePng.constData() + 12), 17);
  for (int i = 0; i < 4; ++i) hugePng[29 + i] = char((crc >> (24 - 8 * i)) & 0xff);

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

const rtf::Paragraph& Para(const rtf::Document& d, size_t i) {
  return std::get<rtf::Paragraph>(d.blocks.at(i));
}

std::u16string PlainText(const rtf::Paragraph& p) {
  std::u16string s;
  for (const auto& r : p.runs) s += r.text;
  return s;
}

TEST(RtfReader, FormattingRunsAndTables) {
  const rtf::Document d = rtf::Read(
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}"
      "\\margl720\\margt360 "
      "\\pard\\qc\\li100\\ri200\\fi-50\\sb10\\sa20\\sl-300\\tx1000 plain {\\b bold}{\\i ital}"
      "\\ul under\\ulnone {\\strike x}{\\f0\\fs40\\cf1 big}{\\highlight1 hi}\\par"
      "\\trowd\\cellx1000\\cellx3000\\pard\\intbl a\\cell b\\cell\\row"
      "\\pard\\qr last\\page never\\par}");
  EXPECT_EQ(std::tuple(d.fonts.at(1).name, d.fonts.at(0).family, d.colors.size(), d.colors[1].r),
            std::tuple(u"Arial", rtf::Font::Family::Roman, 2u, 255));
  EXPECT_EQ(std::tuple(d.marginLeft, d.marginTop, d.marginRight), std::tuple(720, 360, 1800));
  ASSERT_EQ(d.blocks.size(), 3u);  // "never" is on the second page

  const rtf::Paragraph& p = Para(d, 0);
  const rtf::ParaFormat& pf = p.format;
  EXPECT_EQ(std::tuple(pf.align, pf.leftIndent, pf.rightIndent, pf.firstIndent, pf.spaceBefore,
                       pf.spaceAfter, pf.lineSpacing, pf.tabs),
            std::tuple(rtf::Align::Center, 100, 200, -50, 10, 20, -300, std::vector<int>{1000}));
  std::vector<std::string> runs;  // text, flags b i u s, font, half points, colour, highlight
  for (const auto& r : p.runs) {
    const rtf::CharFormat& f = r.format;
    if (r.text != u" ")
      runs.push_back(QString::fromStdU16String(r.text).toStdString() + "|" +
                     std::to_string(f.bold) + std::to_string(f.italic) +
                     std::to_string(f.underline) + std::to_string(f.strike) + "|" +
                     std::to_string(f.font) + "|" + std::to_string(f.halfPoints) + "|" +
                     std::to_string(f.color) + "|" + std::to_string(f.highlight));
  }
  EXPECT_EQ(runs,
            (std::vector<std::string>{"plain |0000|1|24|0|0", "bold|1000|1|24|0|0",
                                      "ital|0100|1|24|0|0", "under|0010|1|24|0|0",
                                      "x|0001|1|24|0|0", "big|0000|0|40|1|0", "hi|0000|1|24|0|1"}));
  const auto& row = std::get<rtf::Row>(d.blocks[1]);
  ASSERT_EQ(row.cells.size(), 2u);
  EXPECT_EQ(PlainText(row.cells[1].paragraphs.at(0)), u"b");
  EXPECT_EQ(Para(d, 2).format.align, rtf::Align::Right);
}

TEST(RtfReader, SpecialCharacters) {
  const struct {
    const char* rtf;
    const char16_t* text;
  } cases[] = {
      {"\\'e4\\'f6\\'fc\\'df\\'80\\'b0", u"äöüß€°"},  // code page 1252
      {"\\u8364?x", u"€x"},                           // fallback character skipped
      {"\\uc2\\u8364??x", u"€x"},                     // two of them
      {"\\uc0\\u8364 x", u"€x"},                      // none
      {"\\u8364\\'80x", u"€x"},                       // \'hh counts as one
      {"\\u-4064?", u"\uF020"},                       // negative: 65536 - 4064
      {"a\\tab b\\line c", u"a\tb\u2028c"},           // tab, line break
      {"\\{\\}\\\\\\~\\emdash\\endash\\bullet", u"{}\\\u00A0\u2014\u2013\u2022"},
      {"\\lquote\\rquote\\ldblquote\\rdblquote", u"‘’“”"},
      {"a{\\*\\unknown hidden}{\\stylesheet{s}}{\\info{\\title t}}b", u"ab"},
      {"a{\\*\\shppict{\\pict\\emfblip 0102}}b", u"ab"},  // unknown picture kind
      {"a{\\pict\\bin4 {}}b}b", u"ab"},                   // binary data never parsed
      {"{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}", u"7"},
  };
  for (const auto& c : cases) {
    const rtf::Document d = rtf::Read(std::string("{\\rtf1\\ansi ") + c.rtf + "\\par}");
    ASSERT_FALSE(d.blocks.empty()) << c.rtf;
    EXPECT_EQ(PlainText(Para(d, 0)), std::u16string(c.text)) << c.rtf;
  }
}

TEST(RtfReader, MalformedInputReadsWithoutHarm) {
  std::vector<std::string> inputs;
  for (const QByteArray& in :
       QByteArray("\n{\n}\n\\\n{\\rtf1 \\\n{\\rtf1 \\'4\n{\\rtf1 \\u\n}}}}x{{\n"
                  "{\\rtf1 \\fs99999999999999999999999999 x\\li-99999999999999999 y\\par}\n"
                  "{\\rtf1 \\bin999999999999 x}\n{\\rtf1 {\\pict\\pngblip abc\n"
                  "{\\rtf1 \\cellx5\\cell\\row\n{\\rtf1 {\\fonttbl{\\f0 Arial}{\\f1 ;}\\f2 x\n"
                  "{\\rtf1 \\cf99\\highlight-5\\f77 t\\par}\n"
                  "{\\rtf1 \\trowd\\intbl a\\par b\\cell\\row c\\cell")
           .split('\n'))
    inputs.push_back(in.toStdString());
  std::string deep = "{\\rtf1 ";
  deep += std::string(100000, '{') + "deep" + std::string(100000, '}') + "after\\par}";
  inputs.push_back(deep);
  std::string wide = "{\\rtf1 ";  // many paragraphs
  for (int i = 0; i < 200000; ++i) wide += "line of text\\par ";
  inputs.push_back(wide + "}");
  for (const std::string& in : inputs) {
    const rtf::Document d = rtf::Read(in);
    EXPECT_LE(d.blocks.size(), rtf::kMaxTextChars / 12 + 1);  // text beyond any page is dropped
    QTextDocument doc;
    TVQRPaper::BuildDocument(doc, d);
  }
  const rtf::Document deepDoc = rtf::Read(deep);
  ASSERT_EQ(deepDoc.blocks.size(), 1u);
  EXPECT_EQ(PlainText(Para(deepDoc, 0)), u"after");  // too deep to keep, but no stack overflow
  EXPECT_FALSE(rtf::Read("plain text").isRtf);
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
  } cases[] = {
      {"a.rtf", "{\\rtf1 x}", true},  {"b.Rtf ", "\n {\\rtf1 x}", true},
      {"c.txt", "{\\rtf1 x}", false}, {"d.rtf", "plain text", false},
      {"noext", "{\\rtf1 x}", false},
  };
  for (const auto& c : cases) {
    paper_.SetFile(Write(c.name, c.bytes));
    EXPECT_EQ(paper_.Load(), c.loads) << c.name;
    EXPECT_EQ(Text().isEmpty(), !c.loads) << c.name;  // a failed load leaves it empty
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

}  // namespace
