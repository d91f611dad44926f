#include "data/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

int OpenRegularFile(const std::string& path, long long* size) {
  // Look before opening, as opening some devices has effects of its own; the
  // check on the descriptor covers a name swapped in between.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    errno = error;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (size) *size = st.st_size;
  return fd;
}

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& data) {
  data.clear();
  long long size = 0;
  const int fd = OpenRegularFile(path, &size);
  if (fd < 0) return false;
  int error = 0;
  if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) {
    error = EFBIG;
  } else {
    // One byte more than allowed tells a file that grew since fstat.
    data.resize(static_cast<size_t>(size) + 1);
    size_t got = 0;
    for (;;) {
      if (got == data.size()) {
        if (got > maxBytes) {
          error = EFBIG;
          break;
        }
        data.resize(std::min(maxBytes + 1, got + 65536));
      }
      const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = errno;
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    data.resize(got);
  }
  ::close(fd);
  if (error == 0) return true;
  data.clear();
  data.shrink_to_fit();
  errno = error;
  return false;
}
