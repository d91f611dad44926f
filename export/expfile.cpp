#include "export/expfile.h"

#include <algorithm>

bool TVQRAsciiFile::Open(const std::string& name) {
  opened_ = false;
  fieldLength_ = 0;
  Init(name);
  if (!Rewrite()) {
    if (status_) status_("Error opening export!");
    return false;
  }
  opened_ = true;
  return true;
}

void TVQRAsciiFile::Grow(size_t need) { fieldLine_.resize(std::max(need, 2 * fieldLine_.size())); }

bool TVQRAsciiFile::EndLine() {
  if (!opened_) return false;
  const bool ok = WriteLn(FieldLine());
  fieldLength_ = 0;
  return ok;
}

bool TVQRAsciiFile::CloseExport(TAtomicFile* later) {
  if (!opened_) return false;
  bool ok = WriteLn("");
  ok = WriteLn(" End of export") && ok;
  ok = Close(later) && ok;
  opened_ = false;
  return ok;
}
