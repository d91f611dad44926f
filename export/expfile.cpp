#include "export/expfile.h"

#include "data/numtext.h"

bool TVQRAsciiFile::Open(const std::string& name) {
  opened_ = false;
  fieldLine_.clear();
  Init(name);
  if (!Rewrite()) {
    if (status_) status_("Error opening export!");
    return false;
  }
  opened_ = true;
  return true;
}

void TVQRAsciiFile::BeginField() {
  if (separator_ != 0 && !fieldLine_.empty()) fieldLine_.push_back(separator_);
}

void TVQRAsciiFile::WriteInt(int width, int64_t value) {
  BeginField();
  AppendPaddedInt(fieldLine_, value, width);
}

void TVQRAsciiFile::WriteFloat(int width, int decimals, double value) {
  BeginField();
  AppendPaddedFixed(fieldLine_, value, decimals, width);
}

bool TVQRAsciiFile::EndLine() {
  if (!opened_) return false;
  const bool ok = WriteLn(fieldLine_);
  fieldLine_.clear();
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
