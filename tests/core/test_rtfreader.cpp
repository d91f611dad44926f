// The rich-text reader: formatting, tables, special characters and input
// that is not well-formed.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "data/rtfreader.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  return lines;
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
  EXPECT_EQ(
      std::tuple(pf.align, pf.leftIndent, pf.rightIndent, pf.firstIndent, pf.spaceBefore,
                 pf.spaceAfter, pf.lineSpacing, pf.tabs),
      std::tuple(rtf::Align::Center, 100, 200, -50, 10, 20, -300, std::vector<rtf::Tab>{{1000}}));
  std::vector<std::string> runs;  // text, flags b i u s, font, half points, colour, highlight
  for (const auto& r : p.runs) {
    const rtf::CharFormat& f = r.format;
    if (r.text != u" ")
      runs.push_back(std::string(r.text.begin(), r.text.end()) + "|" + std::to_string(f.bold) +
                     std::to_string(f.italic) + std::to_string(f.underline) +
                     std::to_string(f.strike) + "|" + std::to_string(f.font) + "|" +
                     std::to_string(f.halfPoints) + "|" + std::to_string(f.color) + "|" +
                     std::to_string(f.highlight));
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
  for (const std::string& in :
       Lines("\n{\n}\n\\\n{\\rtf1 \\\n{\\rtf1 \\'4\n{\\rtf1 \\u\n}}}}x{{\n"
             "{\\rtf1 \\fs99999999999999999999999999 x\\li-99999999999999999 y\\par}\n"
             "{\\rtf1 \\bin999999999999 x}\n{\\rtf1 {\\pict\\pngblip abc\n"
             "{\\rtf1 \\cellx5\\cell\\row\n{\\rtf1 {\\fonttbl{\\f0 Arial}{\\f1 ;}\\f2 x\n"
             "{\\rtf1 \\cf99\\highlight-5\\f77 t\\par}\n"
             "{\\rtf1 \\trowd\\intbl a\\par b\\cell\\row c\\cell"))
    inputs.push_back(in);
  std::string deep = "{\\rtf1 ";
  deep += std::string(100000, '{') + "deep" + std::string(100000, '}') + "after\\par}";
  inputs.push_back(deep);
  std::string wide = "{\\rtf1 ";  // many paragraphs
  for (int i = 0; i < 200000; ++i) wide += "line of text\\par ";
  inputs.push_back(wide + "}");
  std::string empty = "{\\rtf1 ";  // paragraphs without text
  for (int i = 0; i < 100000; ++i) empty += "\\par ";
  inputs.push_back(empty + "}");
  std::string table = "{\\rtf1 ";  // 1000 rows of 64 cells
  for (int r = 0; r < 1000; ++r) {
    table += "\\trowd";
    for (int c = 1; c <= 64; ++c) table += "\\cellx" + std::to_string(c * 100);
    for (int c = 0; c < 64; ++c) table += "\\intbl x\\cell ";
    table += "\\row\n";
  }
  inputs.push_back(table + "}");
  for (const std::string& in : inputs) {
    const rtf::Document d = rtf::Read(in);
    // Text, paragraphs and cells beyond any page are dropped.
    size_t paragraphs = 0, cells = 0;
    for (const rtf::Block& b : d.blocks) {
      const auto* row = std::get_if<rtf::Row>(&b);
      cells += row ? row->cells.size() : 0;
      for (size_t c = 0; row && c < row->cells.size(); ++c)
        paragraphs += row->cells[c].paragraphs.size();
      paragraphs += row ? 0 : 1;
    }
    EXPECT_LE(paragraphs, 8192u);
    EXPECT_LE(cells, 4096u);
  }
  const rtf::Document deepDoc = rtf::Read(deep);
  ASSERT_EQ(deepDoc.blocks.size(), 1u);
  EXPECT_EQ(PlainText(Para(deepDoc, 0)), u"after");  // too deep to keep, but no stack overflow
  EXPECT_FALSE(rtf::Read("plain text").isRtf);
}

}  // namespace
