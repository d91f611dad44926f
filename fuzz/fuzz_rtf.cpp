// Feeds arbitrary bytes to the RTF reader of the print background (and to
// its plain-text reader) and checks that what it builds stays inside its
// limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "data/rtfreader.h"

namespace {

void Check(const rtf::Document& doc) {
  size_t chars = 0, paragraphs = 0, cells = 0;
  auto count = [&](const rtf::Paragraph& p) {
    ++paragraphs;
    if (p.runs.size() > rtf::kMaxRuns + 64) std::abort();  // and the pictures
    for (const rtf::Run& r : p.runs) {
      chars += r.text.size();
      if (r.picture >= static_cast<int>(doc.pictures.size())) std::abort();
    }
  };
  for (const rtf::Block& b : doc.blocks) {
    if (const auto* p = std::get_if<rtf::Paragraph>(&b)) {
      count(*p);
    } else {
      for (const rtf::Cell& c : std::get<rtf::Row>(b).cells) {
        ++cells;
        for (const rtf::Paragraph& p : c.paragraphs) count(p);
      }
    }
  }
  // Each character of a code page may become two UTF-16 units.
  if (chars > 2 * rtf::kMaxTextChars) std::abort();
  if (paragraphs > rtf::kMaxParagraphs + 1 || cells > rtf::kMaxTableCells + 1) std::abort();
  for (const rtf::Picture& p : doc.pictures)
    if (p.data.size() > rtf::kMaxPictureBytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  Check(rtf::Read(in));
  Check(rtf::ReadPlainText(in));
  return 0;
}
