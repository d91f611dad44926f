#include "export/txtfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {
// Longer names are refused rather than cut: a cut name could hit another file.
constexpr size_t kMaxName = 4095;
}  // namespace

// An unclosed file is dropped; the target keeps what it had.
TTextFile::~TTextFile() = default;

void TTextFile::Init(const std::string& name) {
  file_.Discard();
  fileName_ = name;
  line_.clear();
  buffered_ = 0;
  readOnly_ = true;
  writeFailed_ = false;
  nameError_ = 0;
}

bool TTextFile::Rewrite() {
  readOnly_ = false;
  writeFailed_ = false;
  if (file_.IsOpen()) Close();
  buffered_ = 0;
  nameError_ = fileName_.empty() ? ENOENT : fileName_.size() > kMaxName ? ENAMETOOLONG : 0;
  if (nameError_ != 0) return false;
  return file_.Open(fileName_);
}

bool TTextFile::Flush() {
  if (buffered_ == 0) return true;
  bool ok = false;
  if (!readOnly_ && file_.IsOpen()) ok = file_.Write(buffer_.data(), buffered_);
  buffered_ = 0;
  if (!ok) writeFailed_ = true;
  return ok;
}

bool TTextFile::WriteLine(bool noLineEnd) {
  if (!noLineEnd) line_ += "\r\n";
  const size_t n = line_.size();
  bool ok = true;
  if (buffered_ + n + 2 >= kBufferSize) ok = Flush();
  // WriteText breaks lines at 250 characters, so a line always fits.
  if (ok && n + 2 < kBufferSize) {
    std::memcpy(buffer_.data() + buffered_, line_.data(), n);
    buffered_ += n;
    lastLineLength_ = n;
  }
  line_.clear();
  return ok;
}

bool TTextFile::WriteText(std::string_view text) {
  bool ok = true;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t room = kBreakLength - line_.size();
    const size_t take = std::min(room, text.size() - pos);
    line_.append(text.substr(pos, take));
    pos += take;
    if (line_.size() >= kBreakLength) {
      if (!WriteLine(false)) ok = false;
    }
  }
  return ok;
}

bool TTextFile::WriteLn(std::string_view text) {
  if (line_.empty() && text.size() < kBreakLength) {
    // A whole line by itself (the usual case): straight into the buffer.
    const size_t n = text.size() + 2;
    bool ok = true;
    if (buffered_ + n + 2 >= kBufferSize) ok = Flush();
    if (ok) {
      std::memcpy(buffer_.data() + buffered_, text.data(), text.size());
      std::memcpy(buffer_.data() + buffered_ + text.size(), "\r\n", 2);
      buffered_ += n;
      lastLineLength_ = n;
    }
    return ok;
  }
  if (!WriteText(text)) return false;
  return WriteLine(false);
}

bool TTextFile::Close(TAtomicFile* later) {
  bool ok = true;
  if (!readOnly_) ok = Flush();
  if (file_.IsOpen()) {
    // A lost write must not replace the older file.
    if (!ok || writeFailed_)
      file_.Discard();
    else if (later)
      *later = std::move(file_);
    else
      ok = file_.Commit();
  } else if (!readOnly_) {
    ok = false;  // never opened: nothing was written
  }
  readOnly_ = true;
  return ok && !writeFailed_;
}
