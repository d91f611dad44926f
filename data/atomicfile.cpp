#include "data/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {
std::atomic<long long> writeLimit{-1};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}
}  // namespace

void TAtomicFile::SetWriteLimitForTesting(long long bytes) { writeLimit = bytes; }

TAtomicFile::~TAtomicFile() { Discard(); }

TAtomicFile::TAtomicFile(TAtomicFile&& other) noexcept { *this = std::move(other); }

TAtomicFile& TAtomicFile::operator=(TAtomicFile&& other) noexcept {
  if (this == &other) return *this;
  Discard();
  fd_ = std::exchange(other.fd_, -1);
  direct_ = std::exchange(other.direct_, false);
  failed_ = std::exchange(other.failed_, false);
  written_ = std::exchange(other.written_, 0);
  limit_ = std::exchange(other.limit_, -1);
  target_ = std::move(other.target_);
  temp_ = std::move(other.temp_);
  error_ = std::move(other.error_);
  other.temp_.clear();
  return *this;
}

bool TAtomicFile::Fail(const std::string& what) {
  const int saved = errno;
  if (!failed_) error_ = what + ": " + std::strerror(saved);
  failed_ = true;
  errno = saved;
  return false;
}

bool TAtomicFile::Open(const std::string& target) {
  Discard();
  failed_ = false;
  error_.clear();
  written_ = 0;
  limit_ = writeLimit;
  target_ = target;
  if (target.empty()) {
    errno = ENOENT;
    return Fail("no file name");
  }
  struct stat st {};
  bool exists = lstat(target.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    // Replace the file the link points to, not the link.
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved)) target_ = resolved;
    exists = stat(target_.c_str(), &st) == 0;
  }
  mode_t mode = 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return Fail("cannot write " + target_);
    }
    if (!S_ISREG(st.st_mode)) {
      direct_ = true;
      fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
      return fd_ >= 0 || Fail("cannot open " + target_);
    }
    // A file the user has write-protected is left alone, as opening it would.
    // No write bit at all binds root too.
    if (access(target_.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      errno = EACCES;
      return Fail("cannot write " + target_ + " (write-protected)");
    }
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  const size_t slash = target_.rfind('/');
  temp_ = slash == std::string::npos
              ? "." + target_
              : target_.substr(0, slash + 1) + "." + target_.substr(slash + 1);
  temp_ += ".XXXXXX";
  fd_ = mkostemp(temp_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    temp_.clear();
    return Fail("cannot create a file beside " + target_);
  }
  fchmod(fd_, mode);  // a mode that cannot be set is no reason to fail
  return true;
}

bool TAtomicFile::Write(const void* data, size_t size) {
  if (failed_ || fd_ < 0) return false;
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    size_t chunk = size - done;
    if (limit_ >= 0) {
      if (written_ >= limit_) {
        errno = ENOSPC;
        return Fail("cannot write " + (direct_ ? target_ : temp_));
      }
      chunk = std::min<size_t>(chunk, static_cast<size_t>(limit_ - written_));
    }
    const ssize_t n = ::write(fd_, p + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return Fail("cannot write " + (direct_ ? target_ : temp_));
    }
    done += static_cast<size_t>(n);
    written_ += n;
  }
  return true;
}

bool TAtomicFile::Commit(bool syncFolder) {
  if (fd_ < 0) {
    if (!failed_) {
      errno = EBADF;
      Fail("not open: " + target_);
    }
    return false;
  }
  const std::string& name = direct_ ? target_ : temp_;
  // Devices and pipes have nothing to flush to.
  if (!failed_ && !direct_ && fsync(fd_) != 0) Fail("cannot write " + name);
  if (::close(fd_) != 0) Fail("cannot write " + name);
  fd_ = -1;
  if (direct_) {
    direct_ = false;
    return !failed_;
  }
  if (!failed_ && rename(temp_.c_str(), target_.c_str()) != 0) Fail("cannot replace " + target_);
  if (failed_) {
    Discard();
    return false;
  }
  temp_.clear();
  // The rename itself must reach the disk too.
  if (syncFolder) SyncFolder(FolderOf(target_));
  return true;
}

bool SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const bool ok = fsync(dir) == 0;
  ::close(dir);
  return ok;
}

void TAtomicFile::Discard() {
  const int saved = errno;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  direct_ = false;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
  errno = saved;
}

bool WriteFileAtomic(const std::string& path, const std::string& data, std::string* error) {
  TAtomicFile file;
  const bool ok = file.Open(path) && file.Write(data.data(), data.size()) && file.Commit();
  if (!ok) {
    if (error) *error = file.Error();
    file.Discard();
  }
  return ok;
}
