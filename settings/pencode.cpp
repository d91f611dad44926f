#include "settings/pencode.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/numtext.h"

namespace {

std::string Repeat(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

const char* const kEmDash = "\u2014";
const char* const kEnDash = "\u2013";
const char* const kBullet = "\u2022";

}  // namespace

std::string StylePicture(int32_t style) {
  switch (style) {
    case 0:
      return Repeat(kEmDash, 11);
    case 1:
      return Repeat(std::string(kEmDash) + " " + kEnDash + " ", 3) + kEmDash + " ";
    case 2: {
      std::string s = kBullet;
      for (int i = 1; i < 11; ++i) s += std::string(" ") + kBullet;
      return s;
    }
    case 3:
      return Repeat(std::string(kEnDash) + kBullet, 6);
    case 4:
      return Repeat(std::string(kEnDash) + kBullet + kBullet, 4);
    default:
      return {};
  }
}

std::string PenWidthText(int32_t width) {
  // The decimal text with a "." before its last digit, "0" in front of a
  // single digit.
  const int64_t w = width;
  const uint64_t a = static_cast<uint64_t>(w < 0 ? -w : w);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%llu.%llu", w < 0 ? "-" : "",
                static_cast<unsigned long long>(a / 10), static_cast<unsigned long long>(a % 10));
  return buf;
}

int32_t PenWidthFromText(const std::string& text) {
  double mm = 0.1;  // kept when the text is not a number
  WholeFloatFromText(TrimmedText(text).substr(0, 30), mm);
  const double tenths = std::nearbyint(std::clamp(mm * 10.0, -1e9, 1e9));  // halves to even
  return static_cast<int32_t>(std::clamp(tenths, 1.0, 300.0));
}

int32_t PenDialogWidth(int32_t selWidth) { return std::clamp(selWidth, 1, 300); }

int32_t PenDialogStyle(int32_t selStyle) { return selStyle >= 0 && selStyle <= 4 ? selStyle : 0; }

int32_t MakePenCode(int32_t width, int32_t style) {
  return static_cast<int32_t>(
      static_cast<uint32_t>(static_cast<int64_t>(width) * 1000 + static_cast<int64_t>(style)));
}

int32_t PenCodeWidth(int32_t code) { return code / 1000; }

int32_t PenCodeStyle(int32_t code) { return code % 1000; }

std::string MakeFontCode(const std::string& face, int style) {
  std::string code;
  code.reserve(face.size() + 2);
  code += (style & 1) ? 'b' : '-';
  code += (style & 2) ? 'i' : '-';
  code.append(face);
  return code;
}

std::string FontCodeFace(const std::string& code) {
  return code.size() > 2 ? code.substr(2) : std::string();
}

int FontCodeStyle(const std::string& code) {
  int style = 0;
  if (!code.empty() && code[0] == 'b') style |= 1;
  if (code.size() > 1 && code[1] == 'i') style |= 2;
  return style;
}

int FontSizeFromText(const std::string& text) {
  int32_t size = 8;
  return WholeIntFromText(text, size) ? size : 8;
}

std::string DirectoryPart(const std::string& path) {
  const size_t p = path.find_last_of("/\\:");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string NamePart(const std::string& path) {
  const size_t p = path.find_last_of("/\\:");
  return p == std::string::npos ? path : path.substr(p + 1);
}
