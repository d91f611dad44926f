#include "export/txtfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// Longer names are refused rather than cut: a cut name could hit another file.
constexpr size_t kMaxName = 4095;
}  // namespace

TTextFile::~TTextFile() {
  if (handle_ >= 0) ::close(handle_);
}

void TTextFile::Init(const std::string& name) {
  if (handle_ >= 0) ::close(handle_);
  handle_ = -1;
  fileName_ = name;
  line_.clear();
  buffered_ = 0;
  readOnly_ = true;
  writeFailed_ = false;
}

bool TTextFile::Rewrite() {
  readOnly_ = false;
  writeFailed_ = false;
  if (handle_ >= 0) Close();
  buffered_ = 0;
  if (fileName_.empty() || fileName_.size() > kMaxName) return false;
  handle_ = ::open(fileName_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return handle_ >= 0;
}

bool TTextFile::Flush() {
  if (buffered_ == 0) return true;
  bool ok = false;
  if (!readOnly_ && handle_ >= 0) {
    size_t done = 0;
    while (done < buffered_) {
      const ssize_t n = ::write(handle_, buffer_.data() + done, buffered_ - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ok = done == buffered_;
  }
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

bool TTextFile::WriteText(const std::string& text) {
  bool ok = true;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t room = kBreakLength - line_.size();
    const size_t take = std::min(room, text.size() - pos);
    line_.append(text, pos, take);
    pos += take;
    if (line_.size() >= kBreakLength) {
      if (!WriteLine(false)) ok = false;
    }
  }
  return ok;
}

bool TTextFile::WriteLn(const std::string& text) {
  if (!WriteText(text)) return false;
  return WriteLine(false);
}

bool TTextFile::Close() {
  bool ok = true;
  if (!readOnly_) ok = Flush();
  if (handle_ >= 0) {
    lastResult_ = ::close(handle_);
    if (lastResult_ != 0) ok = false;
    handle_ = -1;
  } else if (!readOnly_) {
    ok = false;  // never opened: nothing was written
  }
  readOnly_ = true;
  return ok && !writeFailed_;
}
