#include "data/rtfreader.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace rtf {
namespace {

// Windows-1252 from 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char c) {
  return c >= 0x80 && c <= 0x9F ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
}

// Turns the bytes of a code page into UTF-16, one byte at a time, so that
// the two bytes of an East Asian character may come as two "\'hh".
class ByteDecoder {
 public:
  ~ByteDecoder() {
    for (auto& [cp, page] : pages_)
      if (page.cd != reinterpret_cast<iconv_t>(-1)) iconv_close(page.cd);
  }

  // Appends what the byte completes to out; codePage 0 takes bytes as they are.
  void Put(int codePage, unsigned char b, std::u16string& out) {
    if (codePage == 1252 || codePage == 0) {
      Flush(out);
      out.push_back(codePage == 0 ? static_cast<char16_t>(b) : FromCp1252(b));
      return;
    }
    Page& page = PageOf(codePage);
    if (page.cd == reinterpret_cast<iconv_t>(-1)) {
      out.push_back(FromCp1252(b));
      return;
    }
    if (pending_.empty() || pendingPage_ != codePage) {
      Flush(out);
      if (page.lead[b] == 0) {
        out.push_back(page.single[b]);
        return;
      }
      pendingPage_ = codePage;
    }
    pending_.push_back(static_cast<char>(b));
    std::u16string chars;
    switch (Convert(page.cd, pending_, chars)) {
      case 0:
        out += chars;
        pending_.clear();
        break;
      case EINVAL:  // incomplete
        if (pending_.size() < 4) break;
        [[fallthrough]];
      default:
        out.push_back(u'\uFFFD');
        pending_.clear();
        break;
    }
  }

  // A lead byte that nothing completed becomes a replacement character.
  void Flush(std::u16string& out) {
    if (!pending_.empty()) out.push_back(u'\uFFFD');
    pending_.clear();
  }
  void Drop() { pending_.clear(); }

 private:
  struct Page {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    std::array<char16_t, 256> single{};
    std::array<uint8_t, 256> lead{};  // 1: begins a character of several bytes
  };

  // 0, or the errno of iconv for the whole input.
  static int Convert(iconv_t cd, const std::string& in, std::u16string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char16_t buf[8];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = reinterpret_cast<char*>(buf);
    size_t dstLeft = sizeof buf;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return errno;
    out.assign(buf, static_cast<size_t>(dst - reinterpret_cast<char*>(buf)) / 2);
    return out.empty() ? EILSEQ : 0;
  }

  static std::string IconvName(int codePage) {
    switch (codePage) {
      case 10000:
        return "MACINTOSH";
      case 20127:
        return "ASCII";
      case 65001:
        return "UTF-8";
      case 950:
        return "BIG5";
      case 1361:
        return "JOHAB";
      default:
        if (codePage >= 28591 && codePage <= 28606)
          return "ISO-8859-" + std::to_string(codePage - 28590);
        return "CP" + std::to_string(codePage);
    }
  }

  Page& PageOf(int codePage) {
    auto it = pages_.find(codePage);
    if (it != pages_.end()) return it->second;
    if (pages_.size() >= 16) return pages_[1252];  // stays unconverted: Windows-1252
    Page& page = pages_[codePage];
    page.cd = iconv_open("UTF-16LE", IconvName(codePage).c_str());
    if (page.cd == reinterpret_cast<iconv_t>(-1)) return page;
    for (int b = 0; b < 256; ++b) {
      std::u16string chars;
      const int err = Convert(page.cd, std::string(1, static_cast<char>(b)), chars);
      page.lead[static_cast<size_t>(b)] = err == EINVAL;
      // Bytes the code page leaves undefined keep their own value.
      page.single[static_cast<size_t>(b)] =
          err == 0 && chars.size() == 1 ? chars[0] : FromCp1252(static_cast<unsigned char>(b));
    }
    return page;
  }

  std::unordered_map<int, Page> pages_;
  std::string pending_;
  int pendingPage_ = 0;
};

constexpr int kMaxTwips = 200000;  // about 3.5 m: anything larger is damage
constexpr size_t kMaxPictures = 64;
constexpr size_t kMaxCells = 64;

bool ValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

int Clamp(long long v, int lo, int hi) {
  return static_cast<int>(std::clamp<long long>(v, lo, hi));
}
int Twips(long long v) { return Clamp(v, -kMaxTwips, kMaxTwips); }

enum class Dest { Body, FontTable, ColorTable, Picture, Skip };

struct State {
  Dest dest = Dest::Body;
  CharFormat chr;
  ParaFormat par;
  int ucSkip = 1;
  int picture = -1;
};

// Destinations whose content is not part of the page.
bool IsSkippedDestination(std::string_view w) {
  static const char* const kSkipped[] = {
      "stylesheet",   "info",      "header",    "headerl",    "headerr",   "headerf",
      "footer",       "footerl",   "footerr",   "footerf",    "footnote",  "annotation",
      "pn",           "fldinst",   "object",    "nonshppict", "listtable", "listoverridetable",
      "revtbl",       "rsidtbl",   "generator", "xmlnstbl",   "themedata", "colorschememapping",
      "latentstyles", "datastore", "filetbl",   "pgdsctbl",   "mmathPr",   "template",
      "userprops",    "docvar",    "comment",   "txe",        "xe",        "tc",
      "private",      "atnid",     "atnauthor", "bkmkstart",  "bkmkend",   "field_unused"};
  for (const char* s : kSkipped)
    if (w == s) return true;
  return false;
}

class Parser {
 public:
  explicit Parser(std::string_view in) : in_(in) { stack_.emplace_back(); }

  Document Parse() {
    doc_.isRtf = IsRtf(in_);
    if (doc_.isRtf) pos_ = in_.find('{');  // nothing before the document's group
    while (pos_ < in_.size() && !done_) Step();
    if (!para_.runs.empty()) EndParagraph(Cur().par.inTable);
    if (!row_.cells.empty() || !cell_.paragraphs.empty()) FinishRow();
    return std::move(doc_);
  }

 private:
  State& Cur() { return stack_.back(); }

  void Step() {
    const unsigned char c = static_cast<unsigned char>(in_[pos_++]);
    switch (c) {
      case '{':
        pendingSkip_ = 0;
        if (overflow_ > 0 || stack_.size() >= static_cast<size_t>(kMaxDepth))
          ++overflow_;
        else
          stack_.push_back(Cur());
        return;
      case '}':
        pendingSkip_ = 0;
        if (overflow_ > 0)
          --overflow_;
        else
          PopGroup();
        return;
      case '\\':
        ControlSequence();
        return;
      case '\r':
      case '\n':
        return;
      default:
        break;
    }
    if (overflow_ > 0) return;
    star_ = false;
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (Cur().dest == Dest::Picture) {
      PictureHex(c);
      return;
    }
    if (c == '\t')
      AddChar(u'\t');
    else
      AddByte(c);
  }

  // A character of the current font's code page (or a part of one).
  void AddByte(unsigned char b) {
    std::u16string chars;
    decoder_.Put(CodePage(), b, chars);
    for (char16_t ch : chars) AddChar(ch);
  }

  int CodePage() const {
    const State& s = stack_.back();
    if (s.dest == Dest::FontTable) return CodePageOf(font_);
    const auto it = doc_.fonts.find(s.chr.font >= 0 ? s.chr.font : doc_.defaultFont);
    return it == doc_.fonts.end() ? doc_.codePage : CodePageOf(it->second);
  }

  int CodePageOf(const Font& f) const {
    if (f.codePage > 0) return f.codePage;
    const int cp = f.charset < 0 ? -1 : CodePageOfCharset(f.charset);
    return cp < 0 ? doc_.codePage : cp;
  }

  void PopGroup() {
    if (stack_.size() <= 1) return;  // a stray closing brace
    const State old = std::move(stack_.back());
    stack_.pop_back();
    // A font entry whose ";" is missing ends with its group.
    if (old.dest == Dest::FontTable && fontNum_ >= 0 && !fontName_.empty()) FinishFont();
    if (old.dest == Dest::Picture && Cur().dest != Dest::Picture) FinishPicture(old.picture);
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (!IsAlpha(c)) {
      ++pos_;
      ControlSymbol(c);
      return;
    }
    const size_t start = pos_;
    while (pos_ < in_.size() && IsAlpha(in_[pos_])) ++pos_;
    const std::string_view word = in_.substr(start, std::min<size_t>(pos_ - start, 32));
    bool hasParam = false;
    long long param = 0;
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParam = true;
      if (param < 1'000'000'000'000LL) param = param * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    if (word == "bin") {  // binary data follows: never parse it as text
      const size_t n = static_cast<size_t>(std::clamp<long long>(param, 0, in_.size() - pos_));
      if (overflow_ == 0 && Cur().dest == Dest::Picture) AppendPictureBytes(in_.substr(pos_, n));
      pos_ += n;
      return;
    }
    if (overflow_ > 0) return;
    decoder_.Drop();
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    const bool star = star_;
    star_ = false;
    ControlWord(word, hasParam, param, star);
  }

  void ControlSymbol(char c) {
    if (overflow_ > 0) return;
    if (c != '\'') decoder_.Drop();
    if (c == '\'') {
      int v = 0;
      for (int i = 0; i < 2; ++i) {
        const int h = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
        if (h < 0) return;
        v = v * 16 + h;
        ++pos_;
      }
      if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
      }
      if (Cur().dest != Dest::Picture) AddByte(static_cast<unsigned char>(v));
      return;
    }
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    switch (c) {
      case '\\':
      case '{':
      case '}':
        AddChar(static_cast<char16_t>(c));
        break;
      case '~':
        AddChar(u'\u00A0');
        break;
      case '_':
        AddChar(u'\u2011');
        break;
      case '*':
        star_ = true;
        break;
      case '\r':
      case '\n':
        if (Cur().dest == Dest::Body) EndParagraph(Cur().par.inTable);
        break;
      default:  // \- optional hyphen, \| \: and unknown symbols
        break;
    }
  }

  void ControlWord(std::string_view w, bool hasParam, long long p, bool star) {
    State& s = Cur();
    const int on = hasParam ? (p != 0) : 1;
    if (s.dest == Dest::Skip) return;
    // Destinations.
    if (w == "fonttbl") {
      s.dest = Dest::FontTable;
      return;
    }
    if (w == "colortbl") {
      s.dest = Dest::ColorTable;
      colorSet_ = false;
      red_ = green_ = blue_ = 0;
      return;
    }
    if (w == "pict") {
      if (doc_.pictures.size() >= kMaxPictures) {
        s.dest = Dest::Skip;
        return;
      }
      s.dest = Dest::Picture;
      s.picture = static_cast<int>(doc_.pictures.size());
      doc_.pictures.emplace_back();
      nibble_ = -1;
      return;
    }
    if (w == "shppict") return;  // holds the \pict Word wants shown
    if (star || IsSkippedDestination(w)) {
      s.dest = Dest::Skip;
      return;
    }
    switch (s.dest) {
      case Dest::FontTable:
        FontTableWord(w, p);
        return;
      case Dest::ColorTable:
        if (w == "red") red_ = Clamp(p, 0, 255), colorSet_ = true;
        if (w == "green") green_ = Clamp(p, 0, 255), colorSet_ = true;
        if (w == "blue") blue_ = Clamp(p, 0, 255), colorSet_ = true;
        return;
      case Dest::Picture:
        PictureWord(w, p);
        return;
      default:
        break;
    }
    // Document and page.
    if (w == "rtf") return;
    if (w == "ansi") doc_.codePage = 1252;
    if (w == "mac") doc_.codePage = 10000;
    if (w == "pc") doc_.codePage = 437;
    if (w == "pca") doc_.codePage = 850;
    if (w == "ansicpg") doc_.codePage = Clamp(p, 0, 65535);
    if (w == "deflang") doc_.language = Clamp(p, 0, 65535);
    if (w == "deff") {
      doc_.defaultFont = Clamp(p, 0, 1 << 20);
      for (State& st : stack_)
        if (st.chr.font < 0) st.chr.font = doc_.defaultFont;
      return;
    }
    if (w == "deftab") doc_.defaultTab = Clamp(p, 1, kMaxTwips);
    if (w == "paperw") doc_.paperWidth = Clamp(p, 1, kMaxTwips);
    if (w == "paperh") doc_.paperHeight = Clamp(p, 1, kMaxTwips);
    if (w == "margl" || w == "marglsxn") doc_.marginLeft = Clamp(p, 0, kMaxTwips);
    if (w == "margr" || w == "margrsxn") doc_.marginRight = Clamp(p, 0, kMaxTwips);
    if (w == "margt" || w == "margtsxn") doc_.marginTop = Clamp(p, 0, kMaxTwips);
    if (w == "margb" || w == "margbsxn") doc_.marginBottom = Clamp(p, 0, kMaxTwips);
    // Characters.
    if (w == "plain") {
      s.chr = CharFormat{};
      s.chr.font = doc_.defaultFont;
    } else if (w == "b") {
      s.chr.bold = on;
    } else if (w == "i") {
      s.chr.italic = on;
    } else if (w == "ulnone") {
      s.chr.underline = false;
    } else if (w.substr(0, 2) == "ul" && w != "ulc") {
      s.chr.underline = on;
    } else if (w == "strike" || w == "striked") {
      s.chr.strike = on;
    } else if (w == "fs") {
      s.chr.halfPoints = hasParam ? Clamp(p, 1, 3276) : 24;
    } else if (w == "f") {
      s.chr.font = Clamp(p, 0, 1 << 20);
    } else if (w == "cf") {
      s.chr.color = Clamp(p, 0, 1 << 16);
    } else if (w == "highlight" || w == "cb" || w == "chcbpat") {
      s.chr.highlight = Clamp(p, 0, 1 << 16);
    } else if (w == "super") {
      s.chr.superSub = 1;
    } else if (w == "sub") {
      s.chr.superSub = -1;
    } else if (w == "nosupersub") {
      s.chr.superSub = 0;
    } else if (w == "uc") {
      s.ucSkip = Clamp(p, 0, 16);
    } else if (w == "u") {
      AddChar(static_cast<char16_t>(Clamp(p < 0 ? p + 65536 : p, 0, 65535)));
      pendingSkip_ = s.ucSkip;
    }
    // Special characters.
    static const std::unordered_map<std::string_view, char16_t> kChars = {
        {"tab", u'\t'},         {"line", u'\u2028'},      {"emdash", u'\u2014'},
        {"endash", u'\u2013'},  {"bullet", u'\u2022'},    {"lquote", u'\u2018'},
        {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
        {"emspace", u'\u2003'}, {"enspace", u'\u2002'},   {"qmspace", u'\u2005'},
        {"nestcell", u'\t'},    {"nestrow", u'\u2028'}};
    if (auto it = kChars.find(w); it != kChars.end()) {
      AddChar(it->second);
      return;
    }
    // Paragraphs.
    if (w == "pard") {
      s.par = ParaFormat{};
      tabKind_ = Tab::Kind::Left;
      border_ = nullptr;
    } else if (w == "ql") {
      s.par.align = Align::Left;
    } else if (w == "qc") {
      s.par.align = Align::Center;
    } else if (w == "qr") {
      s.par.align = Align::Right;
    } else if (w == "qj" || w == "qd") {
      s.par.align = Align::Justify;
    } else if (w == "li" || w == "lin") {
      s.par.leftIndent = Twips(p);
    } else if (w == "ri" || w == "rin") {
      s.par.rightIndent = Twips(p);
    } else if (w == "fi") {
      s.par.firstIndent = Twips(p);
    } else if (w == "sb") {
      s.par.spaceBefore = Clamp(p, 0, kMaxTwips);
    } else if (w == "sa") {
      s.par.spaceAfter = Clamp(p, 0, kMaxTwips);
    } else if (w == "sl") {
      s.par.lineSpacing = Twips(p);
    } else if (w == "slmult") {
      s.par.lineMultiple = on;
    } else if (w == "tqc") {
      tabKind_ = Tab::Kind::Center;
    } else if (w == "tqr") {
      tabKind_ = Tab::Kind::Right;
    } else if (w == "tqdec") {
      tabKind_ = Tab::Kind::Decimal;
    } else if (w == "tx" || w == "tb") {
      if (s.par.tabs.size() < 64) s.par.tabs.push_back(Tab{Clamp(p, 0, kMaxTwips), tabKind_});
      tabKind_ = Tab::Kind::Left;
    } else if (w == "intbl") {
      s.par.inTable = true;
    } else if (w == "par") {
      if (s.dest == Dest::Body) EndParagraph(s.par.inTable);
    } else if (w == "sect") {
      if (s.dest == Dest::Body && !para_.runs.empty()) EndParagraph(s.par.inTable);
    } else if (w == "page") {
      if (s.dest == Dest::Body) {
        EndParagraph(s.par.inTable);
        done_ = true;  // only the first page is drawn
      }
    }
    // Tables.
    else if (w == "trowd") {
      cellx_.clear();
      cellDefs_.clear();
      cellDef_ = Cell{};
      for (Border& b : rowBorders_) b = Border{};
      border_ = nullptr;
      trleft_ = trgaph_ = trrh_ = 0;
      trAlign_ = Align::Left;
    } else if (w == "cellx") {
      if (cellx_.size() < kMaxCells) {
        cellx_.push_back(Twips(p));
        cellDefs_.push_back(cellDef_);
      }
      cellDef_ = Cell{};
      border_ = nullptr;
    } else if (w.substr(0, 6) == "clbrdr" || w.substr(0, 6) == "trbrdr") {
      Border* const sides = w[0] == 'c' ? cellDef_.borders : rowBorders_;
      const std::string_view side = w.substr(6);
      border_ = side == "t"                  ? &sides[Top]
                : side == "l"                ? &sides[Left]
                : side == "b"                ? &sides[Bottom]
                : side == "r"                ? &sides[Right]
                : w[0] == 't' && side == "h" ? &rowBorders_[InsideH]
                : w[0] == 't' && side == "v" ? &rowBorders_[InsideV]
                                             : &otherBorder_;
      *border_ = Border{};
    } else if (w.substr(0, 4) == "brdr") {
      BorderWord(w, p);
    } else if (w == "box") {
      border_ = &otherBorder_;
    } else if (w == "clcbpat") {
      cellDef_.background = Clamp(p, 0, 1 << 16);
    } else if (w == "clcfpat") {
      cellDef_.foreground = Clamp(p, 0, 1 << 16);
    } else if (w == "clshdng") {
      cellDef_.shading = Clamp(p, 0, 10000);
    } else if (w == "trleft") {
      trleft_ = Twips(p);
    } else if (w == "trgaph") {
      trgaph_ = Clamp(p, 0, kMaxTwips);
    } else if (w == "trrh") {
      trrh_ = Twips(p);
    } else if (w == "trql" || w == "trqc" || w == "trqr") {
      trAlign_ = w == "trqc" ? Align::Center : w == "trqr" ? Align::Right : Align::Left;
    } else if (w == "cell") {
      if (s.dest == Dest::Body) EndCell();
    } else if (w == "row") {
      if (s.dest == Dest::Body) {
        if (!para_.runs.empty()) EndCell();
        FinishRow();
      }
    }
  }

  // A border's style, width or colour; \brdrt ... (paragraph borders) are
  // read but not drawn.
  void BorderWord(std::string_view w, long long p) {
    const std::string_view kind = w.substr(4);
    if (kind == "t" || kind == "l" || kind == "b" || kind == "r" || kind == "box" ||
        kind == "bar" || kind == "btw") {
      border_ = &otherBorder_;
      return;
    }
    Border& b = border_ ? *border_ : otherBorder_;
    if (kind == "w")
      b.width = Clamp(p, 0, 1440);
    else if (kind == "cf")
      b.color = Clamp(p, 0, 1 << 16);
    else if (kind == "sp")
      return;
    else if (kind == "none" || kind == "nil")
      b.style = Border::Style::None;
    else if (kind == "db")
      b.style = Border::Style::Double;
    else if (kind == "dot")
      b.style = Border::Style::Dotted;
    else if (kind.substr(0, 4) == "dash")
      b.style = Border::Style::Dashed;
    else  // \brdrs, \brdrth, \brdrhair and the fancy ones
      b.style = Border::Style::Single;
  }

  void FontTableWord(std::string_view w, long long p) {
    if (w == "f") {
      if (fontNum_ >= 0 && !fontName_.empty()) FinishFont();
      fontNum_ = Clamp(p, 0, 1 << 20);
      font_ = Font{};
      fontName_.clear();
    } else if (w == "froman") {
      font_.family = Font::Family::Roman;
    } else if (w == "fswiss") {
      font_.family = Font::Family::Swiss;
    } else if (w == "fmodern") {
      font_.family = Font::Family::Modern;
    } else if (w == "fscript") {
      font_.family = Font::Family::Script;
    } else if (w == "fdecor") {
      font_.family = Font::Family::Decor;
    } else if (w == "ftech") {
      font_.family = Font::Family::Tech;
    } else if (w == "fcharset") {
      font_.charset = Clamp(p, 0, 255);
    } else if (w == "cpg") {
      font_.codePage = Clamp(p, 0, 65535);
    }
  }

  void FinishFont() {
    if (fontNum_ < 0) return;
    while (!fontName_.empty() && fontName_.back() == u' ') fontName_.pop_back();
    while (!fontName_.empty() && fontName_.front() == u' ') fontName_.erase(0, 1);
    font_.name = fontName_;
    if (doc_.fonts.size() < 4096) doc_.fonts[fontNum_] = font_;
    fontNum_ = -1;
    fontName_.clear();
  }

  void PictureWord(std::string_view w, long long p) {
    if (Cur().picture < 0) return;
    Picture& pic = doc_.pictures[static_cast<size_t>(Cur().picture)];
    if (w == "pngblip") pic.kind = Picture::Kind::Png;
    if (w == "jpegblip") pic.kind = Picture::Kind::Jpeg;
    if (w == "emfblip" || w == "wmetafile" || w == "macpict" || w == "dibitmap" || w == "wbitmap" ||
        w == "pmmetafile")
      pic.kind = Picture::Kind::Other;
    if (w == "picw") pic.width = Clamp(p, 0, kMaxTwips);
    if (w == "pich") pic.height = Clamp(p, 0, kMaxTwips);
    if (w == "picwgoal") pic.goalWidth = Clamp(p, 0, kMaxTwips);
    if (w == "pichgoal") pic.goalHeight = Clamp(p, 0, kMaxTwips);
    if (w == "picscalex") pic.scaleX = Clamp(p, 1, 1000);
    if (w == "picscaley") pic.scaleY = Clamp(p, 1, 1000);
  }

  void PictureHex(unsigned char c) {
    const int h = HexValue(static_cast<char>(c));
    if (h < 0) return;
    if (nibble_ < 0) {
      nibble_ = h;
      return;
    }
    const char byte = static_cast<char>(nibble_ * 16 + h);
    nibble_ = -1;
    AppendPictureBytes(std::string_view(&byte, 1));
  }

  void AppendPictureBytes(std::string_view bytes) {
    const int idx = Cur().picture;
    if (idx < 0) return;
    std::string& data = doc_.pictures[static_cast<size_t>(idx)].data;
    if (data.size() + bytes.size() > kMaxPictureBytes) {
      doc_.pictures[static_cast<size_t>(idx)].kind = Picture::Kind::Other;
      data.clear();
      data.shrink_to_fit();
      Cur().picture = -1;
      return;
    }
    data.append(bytes);
  }

  void FinishPicture(int idx) {
    if (idx < 0 || Cur().dest != Dest::Body) return;
    Picture& pic = doc_.pictures[static_cast<size_t>(idx)];
    if (pic.kind == Picture::Kind::Other || pic.data.empty()) return;
    Run run;
    run.format = Cur().chr;
    run.picture = idx;
    para_.runs.push_back(std::move(run));
  }

  void AddChar(char16_t ch) {
    State& s = Cur();
    switch (s.dest) {
      case Dest::Body: {
        // Beyond kMaxRuns format changes, text keeps the last run's format
        // (laying out a paragraph takes time with the square of its runs).
        if (para_.runs.empty() ||
            (para_.runs.size() < kMaxRuns &&
             (para_.runs.back().picture >= 0 || !(para_.runs.back().format == s.chr)))) {
          para_.runs.push_back(Run{s.chr, {}, -1});
        }
        para_.runs.back().text.push_back(ch);
        if (++textChars_ >= kMaxTextChars) done_ = true;
        return;
      }
      case Dest::FontTable:
        if (ch == u';')
          FinishFont();
        else if (fontNum_ >= 0 && fontName_.size() < 255)
          fontName_.push_back(ch);
        return;
      case Dest::ColorTable:
        if (ch == u';') {
          Color col;
          col.r = red_, col.g = green_, col.b = blue_, col.automatic = !colorSet_;
          if (doc_.colors.size() < 4096) doc_.colors.push_back(col);
          red_ = green_ = blue_ = 0;
          colorSet_ = false;
        }
        return;
      default:
        return;
    }
  }

  void EndParagraph(bool inTable) {
    decoder_.Drop();
    if (++paragraphs_ >= kMaxParagraphs) done_ = true;
    para_.format = Cur().par;
    para_.mark = Cur().chr;
    if (inTable) {
      cell_.paragraphs.push_back(std::move(para_));
    } else {
      if (!row_.cells.empty() || !cell_.paragraphs.empty()) FinishRow();
      doc_.blocks.emplace_back(std::move(para_));
    }
    para_ = Paragraph{};
  }

  void EndCell() {
    EndParagraph(true);
    if (row_.cells.size() < kMaxCells) row_.cells.push_back(std::move(cell_));
    cell_ = Cell{};
    if (++cells_ >= kMaxTableCells) done_ = true;
  }

  void FinishRow() {
    if (!cell_.paragraphs.empty() && row_.cells.size() < kMaxCells)
      row_.cells.push_back(std::move(cell_));
    cell_ = Cell{};
    if (row_.cells.empty()) return;
    int edge = trleft_;
    for (size_t i = 0; i < row_.cells.size(); ++i) {
      // Cells without \cellx get an inch each.
      const int right = i < cellx_.size() ? cellx_[i] : edge + 1440;
      Cell& cell = row_.cells[i];
      if (i < cellDefs_.size()) {
        const Cell& def = cellDefs_[i];
        std::copy(std::begin(def.borders), std::end(def.borders), std::begin(cell.borders));
        cell.background = def.background;
        cell.foreground = def.foreground;
        cell.shading = def.shading;
      }
      cell.rightEdge = std::max(right, edge + 1);
      edge = row_.cells[i].rightEdge;
    }
    row_.left = trleft_;
    row_.gap = trgaph_;
    row_.height = trrh_;
    row_.align = trAlign_;
    std::copy(std::begin(rowBorders_), std::end(rowBorders_), std::begin(row_.borders));
    doc_.blocks.emplace_back(std::move(row_));
    row_ = Row{};
  }

  static bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  std::string_view in_;
  size_t pos_ = 0;
  Document doc_;
  std::vector<State> stack_;
  int overflow_ = 0;  // open groups beyond kMaxDepth: their content is dropped
  bool star_ = false;
  int pendingSkip_ = 0;  // fallback characters after \u still to drop
  bool done_ = false;
  Paragraph para_;
  Cell cell_;
  Row row_;
  std::vector<int> cellx_;
  std::vector<Cell> cellDefs_;  // borders and shading of each \cellx (no paragraphs)
  Cell cellDef_;                // those of the next \cellx
  Border rowBorders_[6];
  Border otherBorder_;        // paragraph borders: read, not kept
  Border* border_ = nullptr;  // what \brdrs, \brdrw, \brdrcf describe
  Tab::Kind tabKind_ = Tab::Kind::Left;
  int trleft_ = 0, trgaph_ = 0, trrh_ = 0;
  Align trAlign_ = Align::Left;
  int fontNum_ = -1;
  Font font_;
  std::u16string fontName_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colorSet_ = false;
  int nibble_ = -1;
  size_t textChars_ = 0;
  size_t paragraphs_ = 0, cells_ = 0;
  ByteDecoder decoder_;
};

}  // namespace

bool IsRtf(std::string_view data) {
  const size_t first = std::min(data.find_first_not_of(" \t\r\n"), data.size());
  return data.substr(first, 5) == "{\\rtf";
}

Document Read(std::string_view data) { return Parser(data).Parse(); }

Document ReadPlainText(std::string_view data) {
  Document doc;
  std::u16string text;
  ByteDecoder decoder;
  const int codePage = ValidUtf8(data) ? 65001 : 1252;
  size_t chars = 0;
  for (size_t i = 0; i <= data.size() && doc.blocks.size() < kMaxParagraphs; ++i) {
    const char c = i < data.size() ? data[i] : '\n';
    if (c == '\r' || c == '\n') {
      decoder.Flush(text);
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      if (i >= data.size() && text.empty()) break;  // after the last line break
      Paragraph p;
      if (!text.empty()) p.runs.push_back(Run{CharFormat{}, std::move(text), -1});
      doc.blocks.emplace_back(std::move(p));
      text.clear();
      continue;
    }
    if (++chars > kMaxTextChars) break;
    decoder.Put(codePage, static_cast<unsigned char>(c), text);
  }
  return doc;
}

int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 2:
      return 0;  // symbol
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 130:
      return 1361;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 254:
      return 437;
    case 255:
      return 850;
    default:  // 1: the document's code page
      return -1;
  }
}

}  // namespace rtf
