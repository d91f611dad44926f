#include "data/atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

namespace {
std::atomic<long long> writeLimit{-1};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ------------------------------------------------------------ links

// The kernel's rule for links, FIFOs and files in shared folders
// (fs.protected_symlinks, protected_fifos, protected_regular): in a sticky
// folder that everybody may write, one is used only by its owner or when it
// belongs to the folder's owner.
bool MayUse(const std::string& folder, const struct stat& entry) {
  if (entry.st_uid == geteuid()) return true;
  struct stat dir {};
  if (stat(folder.c_str(), &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
  return !shared || dir.st_uid == entry.st_uid;
}

// Follows every link in path, as opening it would, into a path without links.
// False, with refused naming the link, for a link the rule above forbids;
// false with refused empty when path does not resolve to an existing file (a
// loop, a dangling link: the caller then replaces the link itself).
bool ResolveLinks(const std::string& path, std::string* resolved, std::string* refused) {
  std::string done;  // resolved so far, without a trailing '/'; "" is the root
  if (path.empty() || path[0] != '/') {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return false;
    done = cwd;
    if (done == "/") done.clear();
  }
  std::string rest = path;
  int links = 0;
  size_t at = 0;
  while ((at = rest.find_first_not_of('/', at)) != std::string::npos) {
    const size_t end = std::min(rest.find('/', at), rest.size());
    const std::string part = rest.substr(at, end - at);
    at = end;
    if (part == ".") continue;
    if (part == "..") {
      done.erase(std::min(done.rfind('/'), done.size()));
      continue;
    }
    const std::string next = done + "/" + part;
    struct stat st {};
    if (lstat(next.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      done = next;
      continue;
    }
    if (!MayUse(done.empty() ? "/" : done, st)) {
      *refused = next;
      return false;
    }
    char target[PATH_MAX];
    const ssize_t n = readlink(next.c_str(), target, sizeof target - 1);
    if (n <= 0 || ++links > 40) return false;
    if (target[0] == '/') done.clear();
    rest = std::string(target, static_cast<size_t>(n)) + "/" + rest.substr(at);
    at = 0;
  }
  *resolved = done.empty() ? "/" : done;
  return access(resolved->c_str(), F_OK) == 0;
}

// ------------------------------------------------- temporary files left behind

// ".NAME.XXXXXX" as mkostemp fills it in: NAME, or "" for any other name.
std::string TargetOfTempName(const std::string& entry) {
  if (entry.size() < 9 || entry[0] != '.' || entry[entry.size() - 7] != '.') return {};
  if (!std::all_of(entry.end() - 6, entry.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      }))
    return {};
  return entry.substr(1, entry.size() - 8);
}

// Ours, a regular file, and untouched for a while: a write in progress
// elsewhere keeps its file fresh.
bool IsOwnLeftover(int dir, const std::string& entry, time_t before) {
  struct stat st {};
  return fstatat(dir, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
         st.st_uid == geteuid() && st.st_mtime <= before;
}

// Six lower-case letters, as in ".notes.txt.backup", are more likely a name
// a person gave than one that mkostemp drew.
bool LooksDrawn(const std::string& entry) {
  return std::any_of(entry.end() - 6, entry.end(), [](char c) { return c < 'a' || c > 'z'; });
}

// Each folder is read once per process. A leftover goes when its name is the
// one written now, or when its target exists beside it and its letters look
// drawn; the others wait until their name is written (".vimrc.backup" has the
// shape of a leftover of "vimrc" and must stay).
class TLeftovers {
 public:
  int Clean(const std::string& folder, const std::string& name, int minAgeSeconds) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return 0;
    struct stat st {};
    if (fstat(dir, &st) != 0) st = {};
    const time_t before = time(nullptr) - minAgeSeconds;
    int removed = 0;
    auto remove = [&](const std::string& entry) {
      if (IsOwnLeftover(dir, entry, before) && unlinkat(dir, entry.c_str(), 0) == 0) ++removed;
    };
    std::lock_guard<std::mutex> lock(mutex_);
    auto [it, first] = folders_.try_emplace({folder, st.st_dev, st.st_ino});
    if (first) {
      if (DIR* d = fdopendir(dup(dir))) {
        while (const dirent* e = readdir(d)) {
          const std::string entry = e->d_name;
          const std::string of = TargetOfTempName(entry);
          if (of.empty() || !IsOwnLeftover(dir, entry, before)) continue;
          struct stat target {};
          if (of == name ||
              (LooksDrawn(entry) && fstatat(dir, of.c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0))
            remove(entry);
          else
            it->second[of].push_back(entry);
        }
        closedir(d);
      }
    } else if (auto later = it->second.find(name); later != it->second.end()) {
      for (const std::string& entry : later->second) remove(entry);
      it->second.erase(later);
    }
    ::close(dir);
    return removed;
  }

 private:
  std::mutex mutex_;
  // Folder (name and inode) -> leftovers by the name they were written for.
  std::map<std::tuple<std::string, dev_t, ino_t>, std::map<std::string, std::vector<std::string>>>
      folders_;
};

TLeftovers& Leftovers() {
  static TLeftovers leftovers;
  return leftovers;
}

// Removes what killed writes left beside target, once it is a minute old.
int RemoveLeftoverTempFiles(const std::string& target, int minAgeSeconds = 60) {
  return Leftovers().Clean(FolderOf(target), BaseOf(target), minAgeSeconds);
}
}  // namespace

int TAtomicFile::RemoveLeftoversOf(const std::string& target, int minAgeSeconds) {
  const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return 0;
  const std::string name = BaseOf(target);
  const time_t before = time(nullptr) - minAgeSeconds;
  int removed = 0;
  if (DIR* d = fdopendir(dup(dir))) {
    while (const dirent* e = readdir(d)) {
      const std::string entry = e->d_name;
      if (TargetOfTempName(entry) == name && IsOwnLeftover(dir, entry, before) &&
          unlinkat(dir, entry.c_str(), 0) == 0)
        ++removed;
    }
    closedir(d);
  }
  ::close(dir);
  return removed;
}

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
  errno_ = std::exchange(other.errno_, 0);
  other.temp_.clear();
  return *this;
}

bool TAtomicFile::Fail(const std::string& what) {
  const int saved = errno;
  if (!failed_) {
    error_ = what + ": " + std::strerror(saved);
    errno_ = saved;
  }
  failed_ = true;
  errno = saved;
  return false;
}

bool TAtomicFile::Open(const std::string& target) {
  Discard();
  failed_ = false;
  error_.clear();
  errno_ = 0;
  written_ = 0;
  limit_ = writeLimit;
  target_ = target;
  if (target.empty()) {
    errno = ENOENT;
    return Fail("no file name");
  }
  // Every link on the way counts, also for a file that does not exist yet.
  std::string resolved, refused;
  const bool resolves = ResolveLinks(target, &resolved, &refused);
  if (!refused.empty()) {
    errno = EACCES;
    return Fail("cannot write " + target + " (the link " + refused +
                " belongs to another user in a shared folder and is not followed)");
  }
  struct stat st {};
  bool exists = lstat(target.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    // Replace the file the link points to, not the link.
    if (resolves) target_ = resolved;
    exists = stat(target_.c_str(), &st) == 0;
  }
  mode_t mode = 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return Fail("cannot write " + target_);
    }
    // Another user's FIFO in /tmp would hand the output to its reader, and
    // root would replace another user's file with one in the mode they chose.
    if (!MayUse(FolderOf(target_), st)) {
      errno = EACCES;
      return Fail("cannot write " + target_ + " (it belongs to another user in a shared folder)");
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
  RemoveLeftoverTempFiles(target_);
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
