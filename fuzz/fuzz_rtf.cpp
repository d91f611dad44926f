// Feeds arbitrary bytes to the RTF reader of the print background and checks
// that what it builds stays inside its limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "print/rtfreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const rtf::Document doc = rtf::Read(std::string_view(reinterpret_cast<const char*>(data), size));
  size_t chars = 0;
  auto count = [&](const rtf::Paragraph& p) {
    for (const rtf::Run& r : p.runs) {
      chars += r.text.size();
      if (r.picture >= static_cast<int>(doc.pictures.size())) std::abort();
    }
  };
  for (const rtf::Block& b : doc.blocks) {
    if (const auto* p = std::get_if<rtf::Paragraph>(&b)) {
      count(*p);
    } else {
      for (const rtf::Cell& c : std::get<rtf::Row>(b).cells)
        for (const rtf::Paragraph& p : c.paragraphs) count(p);
    }
  }
  if (chars > rtf::kMaxTextChars) std::abort();
  for (const rtf::Picture& p : doc.pictures)
    if (p.data.size() > rtf::kMaxPictureBytes) std::abort();
  return 0;
}
