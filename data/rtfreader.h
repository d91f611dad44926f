#pragma once
// A reader for the rich text (RTF) that word processors write for letterheads
// and forms. Plain C++: it turns the file into a small document model (fonts,
// colours, paragraphs of formatted runs, simple tables, pictures, page
// margins) that the print background lays out with Qt. Only the first page
// is kept, and reading stops when more text, paragraphs or table cells have
// come than any page can show. Text in code pages is decoded with iconv.
// Damaged input never makes it fail: unbalanced braces, truncation, huge
// numbers and deep nesting are read as far as they make sense.

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rtf {

struct Font {
  std::u16string name;
  enum class Family { Nil, Roman, Swiss, Modern, Script, Decor, Tech } family = Family::Nil;
  int charset = -1;  // \fcharset; -1: none given
  int codePage = 0;  // \cpg; 0: none given
};

struct Color {
  int r = 0, g = 0, b = 0;
  bool automatic = true;  // the empty first entry of a colour table
};

struct CharFormat {
  int font = -1;        // \f, key into Document::fonts
  int halfPoints = 24;  // \fs
  bool bold = false, italic = false, underline = false, strike = false;
  int color = 0;      // \cf, index into Document::colors; 0 is "automatic"
  int highlight = 0;  // \highlight or \cb; 0 is none
  int superSub = 0;   // 1 \super, -1 \sub
  bool operator==(const CharFormat&) const = default;
};

enum class Align { Left, Center, Right, Justify };

struct Tab {
  int position = 0;  // twips
  enum class Kind { Left, Center, Right, Decimal } kind = Kind::Left;
  bool operator==(const Tab&) const = default;
};

struct ParaFormat {
  Align align = Align::Left;
  int leftIndent = 0, rightIndent = 0, firstIndent = 0;  // twips
  int spaceBefore = 0, spaceAfter = 0;                   // twips
  int lineSpacing = 0;                                   // \sl: > 0 at least, < 0 exactly, 0 single
  bool lineMultiple = false;                             // \slmult1: lineSpacing / 240 lines
  std::vector<Tab> tabs;                                 // \tx with \tqc \tqr \tqdec
  bool inTable = false;                                  // \intbl
};

struct Picture {
  enum class Kind { Png, Jpeg, Other } kind = Kind::Other;
  std::string data;                   // the decoded bytes
  int width = 0, height = 0;          // \picw \pich (pixels for PNG/JPEG)
  int goalWidth = 0, goalHeight = 0;  // \picwgoal \pichgoal, twips
  int scaleX = 100, scaleY = 100;     // \picscalex \picscaley, percent
};

/// A piece of text in one format, or a picture (then text is empty).
struct Run {
  CharFormat format;
  std::u16string text;  // "\t" for tabs, U+2028 for \line
  int picture = -1;     // index into Document::pictures
};

struct Paragraph {
  ParaFormat format;
  CharFormat mark;  // the format at \par: sets the height of an empty line
  std::vector<Run> runs;
};

struct Border {
  enum class Style { None, Single, Double, Dotted, Dashed } style = Style::None;
  int width = 0;  // \brdrw, twips; 0 is a hairline
  int color = 0;  // \brdrcf, index into Document::colors
  bool operator==(const Border&) const = default;
};

enum Side { Top, Left, Bottom, Right, InsideH, InsideV };

struct Cell {
  std::vector<Paragraph> paragraphs;
  int rightEdge = 0;   // \cellx, twips from the row's left edge
  Border borders[4];   // \clbrdrt \clbrdrl \clbrdrb \clbrdrr
  int background = 0;  // \clcbpat, index into Document::colors
  int foreground = 0;  // \clcfpat
  int shading = 0;     // \clshdng: foreground over background, 1/100 %
};

struct Row {
  std::vector<Cell> cells;
  int left = 0;               // \trleft
  int gap = 0;                // \trgaph: half the space between cells
  int height = 0;             // \trrh, twips: > 0 at least, < 0 exactly, 0 as the text needs
  Align align = Align::Left;  // \trqc \trqr: the row's place between the margins
  Border borders[6];          // \trbrdrt \trbrdrl \trbrdrb \trbrdrr \trbrdrh \trbrdrv
};

using Block = std::variant<Paragraph, Row>;

struct Document {
  std::map<int, Font> fonts;
  std::vector<Color> colors;
  std::vector<Picture> pictures;
  std::vector<Block> blocks;
  int defaultFont = 0;                          // \deff
  int defaultTab = 720;                         // \deftab, twips
  int codePage = 1252;                          // \ansicpg, \ansi \mac \pc \pca
  int language = 0;                             // \deflang
  int paperWidth = 12240, paperHeight = 15840;  // \paperw \paperh, twips (US Letter)
  int marginLeft = 1800, marginRight = 1800;    // \margl \margr
  int marginTop = 1440, marginBottom = 1440;    // \margt \margb
  bool isRtf = false;                           // the data starts with "{\rtf"
};

/// True when the data starts with "{\rtf" (after white space).
bool IsRtf(std::string_view data);
/// Reads RTF data. Never throws for bad input (only std::bad_alloc can leave).
Document Read(std::string_view data);
/// Reads text that is no RTF as a rich-text control does: one paragraph per
/// line in the default format; UTF-8 when it is valid UTF-8, else Windows-1252.
Document ReadPlainText(std::string_view data);
/// The Windows code page of an RTF font charset (\fcharset): 0 for the
/// symbol charset, whose bytes are taken as they are, and -1 for the default
/// charset and unknown ones, which take the document's code page.
int CodePageOfCharset(int charset);

/// Limits that keep damaged or hostile input in check.
inline constexpr int kMaxDepth = 512;  // deeper groups share their parent's state
inline constexpr size_t kMaxPictureBytes = 32u << 20;
inline constexpr size_t kMaxTextChars = 1u << 16;  // far more than a page holds
inline constexpr size_t kMaxRuns = 512;            // in one paragraph
inline constexpr size_t kMaxParagraphs = 8192;     // with those in table cells
inline constexpr size_t kMaxTableCells = 4096;

}  // namespace rtf
