#include "data/tablefield.h"

#include <cstdio>

size_t Utf8SequenceLength(std::string_view s, size_t i) {
  if (i >= s.size()) return 0;
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size() || byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

namespace {
// The text on one line of valid UTF-8; with a separator (not 0) quoted as a
// spreadsheet reads a field back when it holds a quote or the separator.
std::string Escaped(std::string_view text, char separator) {
  std::string out;
  out.reserve(text.size() + 2);
  bool quote = false;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = Utf8SequenceLength(text, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
      continue;
    }
    const auto next = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    char buf[8];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t' || c == '\n' || c == '\r') {
      out += c == '\t' ? "\\t" : c == '\n' ? "\\n" : "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else if (c == 0xC2 && next(1) < 0xA0) {
      // C1 controls, U+0080..U+009F: a terminal would act on some of them.
      std::snprintf(buf, sizeof buf, "\\u%04x", next(1));
      out += buf;
    } else if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {
      // U+2028, U+2029: line and paragraph separators break lines elsewhere.
      out += next(2) == 0xA8 ? "\\u2028" : "\\u2029";
    } else {
      if (separator) {
        quote = quote || c == '"' || c == static_cast<unsigned char>(separator);
        if (c == '"') out += '"';
      }
      out.append(text, i, n);
    }
    i += n;
  }
  return quote ? "\"" + out + "\"" : out;
}
}  // namespace

std::string TableField(std::string_view text, char separator) {
  return Escaped(text, separator ? separator : '\t');
}

std::string EscapedText(std::string_view text) { return Escaped(text, 0); }
