#include "data/escapetext.h"

#include <cstdint>

namespace {

const char kHex[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned char c) {
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

/// Length of the valid UTF-8 sequence at s[i] and its code point; 0 when the
/// bytes there are not one (overlong forms and surrogates included).
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t& cp) {
  const auto c = static_cast<unsigned char>(s[i]);
  size_t n = 0;
  uint32_t min = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2, cp = c & 0x1Fu, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, cp = c & 0x0Fu, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, cp = c & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - i < n) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string EscapedFieldText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      switch (c) {
        case '\\':
          out += "\\\\";
          break;
        case '\t':
          out += "\\t";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        default:
          if (c < 0x20 || c == 0x7F || c == '"')
            AppendHexByte(out, c);
          else
            out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    uint32_t cp = 0;
    const size_t n = Utf8Sequence(bytes, i, cp);
    if (n == 0) {
      AppendHexByte(out, c);
      ++i;
    } else if (cp <= 0x9F || cp == 0x2028 || cp == 0x2029) {
      out += "\\u";
      for (const int shift : {12, 8, 4, 0}) out += kHex[(cp >> shift) & 15];
      i += n;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}
