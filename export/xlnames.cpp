#include "export/xlnames.h"

#include <unicode/ucasemap.h>

#include <cstdint>
#include <memory>

std::string FoldedName(const std::string& name) {
  struct Close {
    void operator()(UCaseMap* m) const { ucasemap_close(m); }
  };
  // Folding reads the map only, so one serves every thread.
  static const std::unique_ptr<UCaseMap, Close> map = [] {
    UErrorCode opened = U_ZERO_ERROR;
    UCaseMap* m = ucasemap_open("", U_FOLD_CASE_DEFAULT, &opened);
    return std::unique_ptr<UCaseMap, Close>(U_SUCCESS(opened) ? m : nullptr);
  }();
  if (!map || name.size() > INT32_MAX / 4) return name;
  UErrorCode status = U_ZERO_ERROR;
  // Folding grows a text by at most three times (one character to three).
  std::string out(name.size() * 3 + 1, '\0');
  const int32_t n = ucasemap_utf8FoldCase(map.get(), out.data(), static_cast<int32_t>(out.size()),
                                          name.data(), static_cast<int32_t>(name.size()), &status);
  if (U_FAILURE(status)) return name;
  out.resize(static_cast<size_t>(n));
  return out;
}

bool SameSheetName(const std::string& a, const std::string& b) {
  return a == b || FoldedName(a) == FoldedName(b);
}
