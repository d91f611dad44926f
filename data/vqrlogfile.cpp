#include "data/vqrlogfile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "data/regularfile.h"

namespace {
// A full recording is 1505 records (58,695 bytes): one read fetches it.
constexpr size_t kReadChunk = 64 * 1024;
}  // namespace

TVQRLogFile::~TVQRLogFile() { Close(); }

void TVQRLogFile::SetFileName(const std::string& name) {
  fileName_ = name;
  recordLength_ = 39;
}

bool TVQRLogFile::Open() {
  Close();
  // Only a regular file is a recording: a FIFO or a device would wait for a
  // writer or read for ever.
  long long size = 0;
  const int fd = OpenRegularFile(fileName_, &size);
  if (fd < 0) {
    openError_ = errno;
    return false;
  }
  handle_ = fd;
  open_ = true;
  fromBuffer_ = false;
  endOfFile_ = false;
  size_ =
      size < 0
          ? 0
          : static_cast<int32_t>(std::min<long long>(size, std::numeric_limits<int32_t>::max()));
  position_ = 0;
  data_.clear();
  dataPos_ = 0;
  return true;
}

bool TVQRLogFile::OpenBuffer(const uint8_t* data, size_t size) {
  Close();
  if (data && size > 0)
    data_.assign(data, data + size);
  else
    size = 0;
  dataPos_ = 0;
  size_ = static_cast<int32_t>(std::min<size_t>(size, std::numeric_limits<int32_t>::max()));
  position_ = 0;
  open_ = true;
  fromBuffer_ = true;
  endOfFile_ = true;  // nothing more to fetch
  return true;
}

bool TVQRLogFile::Fill() {
  if (endOfFile_ || handle_ < 0) return false;
  // Keep the unread tail, then append the next chunk.
  data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(dataPos_));
  dataPos_ = 0;
  const size_t keep = data_.size();
  data_.resize(keep + kReadChunk);
  size_t got = 0;
  while (got < kReadChunk) {
    const ssize_t n = ::read(handle_, data_.data() + keep + got, kReadChunk - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      lastResult_ = n < 0 ? errno : 0;
      endOfFile_ = true;
      break;
    }
    got += static_cast<size_t>(n);
  }
  data_.resize(keep + got);
  return got > 0;
}

bool TVQRLogFile::ReadRecord(uint8_t* buffer) {
  if (!open_) return false;
  const size_t len = static_cast<size_t>(recordLength_);
  while (data_.size() - dataPos_ < len) {
    if (!Fill()) break;
  }
  const size_t avail = data_.size() - dataPos_;
  if (avail < len) {
    // A trailing fragment is consumed like a short read and ends the file.
    if (avail > 0) std::memcpy(buffer, data_.data() + dataPos_, avail);
    dataPos_ = data_.size();
    return false;
  }
  std::memcpy(buffer, data_.data() + dataPos_, len);
  if (keep_) keep_->insert(keep_->end(), buffer, buffer + len);
  dataPos_ += len;
  if (position_ <= std::numeric_limits<int32_t>::max() - recordLength_) position_ += recordLength_;
  return true;
}

bool TVQRLogFile::Close() {
  bool ok = true;
  if (handle_ >= 0) {
    lastResult_ = ::close(handle_);
    ok = lastResult_ == 0;
    handle_ = -1;
  }
  open_ = false;
  fromBuffer_ = false;
  data_.clear();
  dataPos_ = 0;
  return ok;
}
