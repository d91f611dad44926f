// File names as fields of tab-separated lines: nothing a name holds may end
// a field or a line, open a quote or leave UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "data/escapetext.h"

namespace {

bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80                 ? 1
                     : c >= 0xC2 && c <= 0xDF ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || s.size() - i < n) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

TEST(EscapedFieldText, KeepsNamesAndEscapesWhatBreaksAField) {
  const struct {
    std::string name, want;
  } cases[] = {
      {"hours40.DAT", "hours40.DAT"},
      {"Messung Öl 20°C – Ü.DAT", "Messung Öl 20°C – Ü.DAT"},  // other letters stay
      {"日本.DAT", "日本.DAT"},
      {"a\tb.DAT", "a\\tb.DAT"},
      {"a\nb\r.DAT", "a\\nb\\r.DAT"},
      {"\"quoted\".DAT", "\\x22quoted\\x22.DAT"},
      {"back\\slash.DAT", "back\\\\slash.DAT"},
      {std::string("nul\0bell\a.DAT", 13), "nul\\x00bell\\x07.DAT"},
      {"del\x7f.DAT", "del\\x7F.DAT"},
      {"latin1 \xe4.DAT", "latin1 \\xE4.DAT"},       // a byte of another code page
      {"cut \xe2\x82", "cut \\xE2\\x82"},            // a sequence cut short
      {"overlong \xc0\xaf", "overlong \\xC0\\xAF"},  // "/" in two bytes
      {"surrogate \xed\xa0\x80", "surrogate \\xED\\xA0\\x80"},
      {"next line \xc2\x85", "next line \\u0085"},  // C1 control
      {"line \xe2\x80\xa8 para \xe2\x80\xa9", "line \\u2028 para \\u2029"},
      {"", ""},
  };
  for (const auto& c : cases) {
    const std::string got = EscapedFieldText(c.name);
    EXPECT_EQ(got, c.want);
    EXPECT_TRUE(IsUtf8(got)) << got;
    EXPECT_EQ(got.find_first_of("\t\n\r\""), std::string::npos) << got;
  }
}

TEST(EscapedFieldText, EveryByteComesOutAsValidUtf8OnOneField) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  const std::string got = EscapedFieldText(all + all);
  EXPECT_TRUE(IsUtf8(got));
  for (const unsigned char c : got) EXPECT_TRUE(c >= 0x20 && c != 0x7F && c != '"') << int{c};
}

}  // namespace
