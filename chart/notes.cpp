#include "chart/notes.h"

#include <cstdlib>
#include <limits>

namespace {

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::string NoteText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  out.erase(0, first);
  out.erase(out.find_last_not_of(' ') + 1);
  if (out.size() > kMaxNoteText) {
    size_t cut = kMaxNoteText;
    while (cut > 0 && Continuation(static_cast<unsigned char>(out[cut]))) --cut;
    out.resize(cut);
  }
  return out;
}

std::string NoteFlagText(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Continuation(static_cast<unsigned char>(text[i]))) continue;
    if (chars == maxChars) return text.substr(0, i) + "...";
    ++chars;
  }
  return text;
}

int NoteAt(const std::vector<TNoteMark>& marks, int32_t x, int32_t y, int32_t tolerance) {
  int best = -1;
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (const TNoteMark& m : marks) {
    const bool onFlag =
        x >= m.Flag.left && x < m.Flag.right && y >= m.Flag.top && y < m.Flag.bottom;
    const int64_t distance = std::abs(int64_t{x} - m.X);
    const bool onLine =
        distance <= tolerance && y >= m.Top - tolerance && y <= m.Bottom + tolerance;
    if (!onFlag && !onLine) continue;
    const int64_t d = onFlag ? 0 : distance;
    if (d < bestDistance) {
      bestDistance = d;
      best = m.Index;
    }
  }
  return best;
}
