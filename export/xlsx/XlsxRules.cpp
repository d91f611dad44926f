#include "export/xlsx/XlsxRules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <set>
#include <string_view>

#include "export/xlauto.h"
#include "export/xlnames.h"

namespace {
constexpr size_t kMaxSheetName = 31;  // in UTF-16 units, as the spreadsheet counts
constexpr const char* kForbidden = "[]:*?/\\";

// Code points of s; an invalid byte gives -1.
std::vector<int32_t> CodePoints(const std::string& s) {
  std::vector<int32_t> out;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    int32_t cp = len == 1 ? b : len == 2 ? b & 0x1f : len == 3 ? b & 0x0f : b & 0x07;
    bool ok = len > 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      ok = (c >> 6) == 2;
      cp = cp << 6 | (c & 0x3f);
    }
    static constexpr int32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[len] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))) ok = false;
    out.push_back(ok ? cp : -1);
    i += ok ? len : 1;
  }
  return out;
}

void AppendUtf8(std::string& out, int32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xc0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xe0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3f));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  }
}

size_t Utf16Length(const std::vector<int32_t>& cps) {
  size_t n = 0;
  for (int32_t cp : cps) n += cp >= 0x10000 ? 2 : 1;
  return n;
}

bool IsForbidden(int32_t cp) {
  return (cp >= 0 && cp < 0x20) || (cp > 0 && cp < 0x80 && std::strchr(kForbidden, cp));
}
}  // namespace

// ---- names ----

bool XlsxSameName(const std::string& a, const std::string& b) { return SameSheetName(a, b); }

std::string XlsxSheetNameProblem(const std::string& name) {
  const auto cps = CodePoints(name);
  if (cps.empty()) return "A sheet name must not be empty";
  if (std::find(cps.begin(), cps.end(), -1) != cps.end())
    return "The sheet name '" + name + "' is not valid UTF-8 text";
  if (Utf16Length(cps) > kMaxSheetName)
    return "The sheet name '" + name + "' is longer than 31 characters";
  if (std::any_of(cps.begin(), cps.end(), IsForbidden))
    return "The sheet name '" + name + "' contains a control character or one of [ ] : * ? / \\";
  if (cps.front() == '\'' || cps.back() == '\'')
    return "The sheet name '" + name + "' begins or ends with an apostrophe";
  return {};
}

std::string XlsxMakeSheetName(const std::string& name, std::vector<std::string>& taken,
                              const std::string& fallback) {
  std::vector<int32_t> cps = CodePoints(name);
  for (int32_t& cp : cps)
    if (cp < 0 || IsForbidden(cp)) cp = '_';
  if (!cps.empty() && cps.front() == '\'') cps.front() = '_';
  if (!cps.empty() && cps.back() == '\'') cps.back() = '_';
  if (cps.empty()) cps = CodePoints(fallback);
  auto build = [&](const std::string& suffix) {
    std::vector<int32_t> base = cps;
    while (!base.empty() && Utf16Length(base) + suffix.size() > kMaxSheetName) base.pop_back();
    if (!base.empty() && base.back() == '\'' && suffix.empty()) base.back() = '_';
    std::string out;
    for (int32_t cp : base) AppendUtf8(out, cp);
    return out + suffix;
  };
  std::set<std::string> folded;  // each name folded once, however many are taken
  for (const std::string& t : taken) folded.insert(FoldedName(t));
  std::string candidate = build("");
  for (int n = 2; folded.contains(FoldedName(candidate)); ++n)
    candidate = build(" (" + std::to_string(n) + ")");
  taken.push_back(candidate);
  return candidate;
}

// ---- number formats ----

namespace {
// German colour names of bracketed codes, and the file's.
constexpr std::pair<const char*, const char*> kColours[] = {
    {"Schwarz", "Black"},   {"Blau", "Blue"}, {"Zyan", "Cyan"},  {"Grün", "Green"},
    {"Magenta", "Magenta"}, {"Rot", "Red"},   {"Weiß", "White"}, {"Gelb", "Yellow"}};
constexpr int kMaxSections = 4;
constexpr size_t kMaxFormatLength = 255;  // characters of the file's format code

// A format text in pieces: the grammar's units, each whole.
struct TFormatToken {
  enum class TKind : uint8_t {
    Char,        // one character, as written
    Literal,     // quoted text, or \ _ * with the character after it
    Code,        // [...]: Text is what stands inside the brackets
    General,     // the word "Standard"
    SectionEnd,  // ;
  };
  TKind Kind;
  std::string Text;
};
using TKind = TFormatToken::TKind;

size_t CharLength(const std::string& f, size_t i) {
  const auto b = static_cast<unsigned char>(f[i]);
  return std::min<size_t>(b < 0x80 ? 1 : b < 0xe0 ? 2 : b < 0xf0 ? 3 : 4, f.size() - i);
}

// ASCII only: format codes are ASCII letters, whatever the process locale.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWordAt(const std::string& f, size_t i, std::string_view word) {
  if (f.size() - i < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k)
    if (Lower(f[i + k]) != word[k]) return false;
  return true;
}

// Splits f into tokens; returns why it cannot, empty when it can.
std::string Tokenize(const std::string& f, std::vector<TFormatToken>& tokens) {
  for (size_t i = 0; i < f.size();) {
    const char c = f[i];
    if (c == '"') {
      const size_t close = f.find('"', i + 1);
      if (close == std::string::npos) return "a quotation mark is not closed";
      tokens.push_back({TKind::Literal, f.substr(i, close - i + 1)});
      i = close + 1;
    } else if (c == '\\' || c == '_' || c == '*') {
      if (i + 1 == f.size())
        return std::string("it ends in \"") + c + "\" without the character that belongs to it";
      const size_t n = 1 + CharLength(f, i + 1);
      tokens.push_back({TKind::Literal, f.substr(i, n)});
      i += n;
    } else if (c == '[') {
      const size_t close = f.find_first_of("[]", i + 1);
      if (close == std::string::npos || f[close] == '[') return "a bracket \"[\" is not closed";
      tokens.push_back({TKind::Code, f.substr(i + 1, close - i - 1)});
      i = close + 1;
    } else if (c == ']') {
      return "a bracket \"]\" has no \"[\" before it";
    } else if (c == ';') {
      tokens.push_back({TKind::SectionEnd, ";"});
      ++i;
    } else if (IsWordAt(f, i, "standard")) {
      tokens.push_back({TKind::General, "General"});
      i += 8;
    } else {
      const size_t n = CharLength(f, i);
      tokens.push_back({TKind::Char, f.substr(i, n)});
      i += n;
    }
  }
  return {};
}

// [h], [mm], [ss]...: elapsed hours, minutes or seconds.
bool IsElapsedCode(const std::string& code) {
  return !code.empty() &&
         (Lower(code[0]) == 'h' || Lower(code[0]) == 'm' || Lower(code[0]) == 's') &&
         std::all_of(code.begin(), code.end(), [&](char c) { return Lower(c) == Lower(code[0]); });
}

bool IsSecondsCode(const TFormatToken& t) {
  return (t.Kind == TKind::Char && (t.Text == "s" || t.Text == "S")) ||
         (t.Kind == TKind::Code && IsElapsedCode(t.Text) && Lower(t.Text[0]) == 's');
}

bool IsDateTimeCode(const TFormatToken& t) {
  if (t.Kind == TKind::Code) return IsElapsedCode(t.Text);
  return t.Kind == TKind::Char && t.Text.size() == 1 &&
         std::string_view("dmyhsjt").find(Lower(t.Text[0])) != std::string_view::npos;
}

// A condition's number in German notation ("-0,5", "1E3") in the file's.
bool ConditionNumber(std::string_view s, std::string& out) {
  size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) out += s[i++];
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++digits) out += s[i];
  if (i < s.size() && s[i] == ',') {
    out += '.';
    size_t decimals = 0;
    for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++decimals)
      out += s[i];
    if (decimals == 0) return false;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    out += s[i++];
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) out += s[i++];
    size_t exponent = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++exponent)
      out += s[i];
    if (exponent == 0) return false;
  }
  return i == s.size();
}

// A bracketed code in the file's notation, or why the file cannot hold it.
std::string TranslateCode(const std::string& code, std::string& out) {
  if (!code.empty() && std::strchr("<>=", code[0])) {  // a condition
    static constexpr std::string_view kOperators[] = {"<=", ">=", "<>", "<", ">", "="};
    const size_t op =
        std::find_if(std::begin(kOperators), std::end(kOperators), [&](std::string_view o) {
          return code.starts_with(o);
        })->size();
    std::string number;
    if (!ConditionNumber(std::string_view(code).substr(op), number))
      return "the condition [" + code + "] is not a comparison with a number";
    out += '[' + code.substr(0, op) + number + ']';
    return {};
  }
  if (IsElapsedCode(code)) {  // [h], [mm], [ss]: elapsed time
    std::string lower = code;
    for (char& c : lower) c = Lower(c);
    out += '[' + lower + ']';
    return {};
  }
  if (!code.empty() && code[0] == '$') {  // currency and language: as they stand
    out += '[' + code + ']';
    return {};
  }
  for (const auto& [german, neutral] : kColours)
    if (XlsxSameName(code, german) || XlsxSameName(code, neutral)) {
      out += std::string("[") + neutral + ']';
      return {};
    }
  for (const char* prefix : {"farbe", "color"}) {  // numbered colours 1 to 56
    const size_t n = std::strlen(prefix);
    int number = 0;
    if (code.size() > n && code.size() <= n + 2 && IsWordAt(code, 0, prefix) &&
        std::from_chars(code.data() + n, code.data() + code.size(), number).ptr ==
            code.data() + code.size() &&
        code[n] != '0' && number >= 1 && number <= 56) {
      out += "[Color" + std::to_string(number) + ']';
      return {};
    }
  }
  return "[" + code + "] is no colour, condition, elapsed time or currency";
}

// f in the file's notation into out; returns why that cannot be, empty when it can.
std::string TranslateFormat(const std::string& f, std::string& out) {
  {
    std::string t = f;
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    if (t.size() == 8 && IsWordAt(t, 0, "standard")) {
      out = "General";
      return {};
    }
  }
  const std::vector<int32_t> cps = CodePoints(f);
  if (cps.empty()) return "it is empty";
  if (std::find(cps.begin(), cps.end(), -1) != cps.end()) return "it is not valid UTF-8 text";
  if (std::any_of(cps.begin(), cps.end(), [](int32_t cp) { return cp < 0x20 || cp == 0x7f; }))
    return "it contains a control character";
  std::vector<TFormatToken> tokens;
  if (std::string why = Tokenize(f, tokens); !why.empty()) return why;
  if (std::count_if(tokens.begin(), tokens.end(), [](const TFormatToken& t) {
        return t.Kind == TKind::SectionEnd;
      }) >= kMaxSections)
    return "it has more than " + std::to_string(kMaxSections) + " sections";

  out.reserve(f.size() + 8);
  for (auto begin = tokens.begin(); begin != tokens.end();) {
    const auto end = std::find_if(
        begin, tokens.end(), [](const TFormatToken& t) { return t.Kind == TKind::SectionEnd; });
    // In date and time sections "." is a literal and "," one too, except
    // the decimal comma of seconds; J and T are the year and the day.
    const bool dateTime = std::any_of(begin, end, IsDateTimeCode);
    bool fraction = false;  // inside the digits after the seconds' decimal comma
    for (auto t = begin; t != end; ++t) {
      const bool digit =
          t->Kind == TKind::Char && (t->Text == "0" || t->Text == "#" || t->Text == "?");
      fraction = fraction && t->Text == "0";
      // Readers of the file take such letters for date codes and drop the format.
      if (dateTime && digit && !fraction)
        return "it mixes digits and date or time codes in one section (a unit is quoted: 0,0 "
               "\"mV\")";
      switch (t->Kind) {
        case TKind::Literal:
        case TKind::General:
          out += t->Text;
          break;
        case TKind::Code:
          if (std::string why = TranslateCode(t->Text, out); !why.empty()) return why;
          break;
        case TKind::SectionEnd:
          break;
        case TKind::Char: {
          const char c = t->Text[0];
          if (c == ',' && dateTime) {
            const bool decimal = t != begin && IsSecondsCode(*(t - 1)) && t + 1 != end &&
                                 t[1].Kind == TKind::Char && t[1].Text == "0";
            out += decimal ? '.' : ',';
            fraction = decimal;
          } else if (c == ',') {
            out += '.';
          } else if (c == '.') {
            out += dateTime ? "\\." : ",";
          } else if (dateTime && (c == 'J' || c == 'j')) {
            out += 'y';
          } else if (dateTime && (c == 'T' || c == 't')) {
            out += 'd';
          } else {
            out += t->Text;
          }
          break;
        }
      }
    }
    begin = end;
    if (begin != tokens.end()) {
      out += ';';
      ++begin;
    }
  }
  const auto length = std::count_if(
      out.begin(), out.end(), [](char c) { return (static_cast<unsigned char>(c) >> 6) != 2; });
  if (static_cast<size_t>(length) > kMaxFormatLength)
    return "it is longer than " + std::to_string(kMaxFormatLength) + " characters";
  return {};
}
}  // namespace

std::string XlsxFormatProblem(const std::string& format) {
  std::string out;
  return TranslateFormat(format, out);
}

std::string XlsxFormatFromGerman(const std::string& format) {
  std::string out;
  if (std::string why = TranslateFormat(format, out); !why.empty())
    throw TXLError("Invalid number format \"" + format + "\": " + why);
  return out;
}
