#include "data/atomicfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
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

// Temporary files are named ".vqrshow4-" + 12 drawn letters and digits +
// ".tmp": a name no person gives a file by chance, and one that does not grow
// with the target's (a target of 255 bytes still gets one).
constexpr char kTempPrefix[] = ".vqrshow4-";
constexpr char kTempSuffix[] = ".tmp";
constexpr size_t kTempDrawn = 12;
constexpr size_t kPrefixLength = sizeof kTempPrefix - 1;
constexpr size_t kTempLength = kPrefixLength + kTempDrawn + sizeof kTempSuffix - 1;

bool IsDrawnChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsTempName(const std::string& entry) {
  return entry.size() == kTempLength && entry.compare(0, kPrefixLength, kTempPrefix) == 0 &&
         entry.compare(kPrefixLength + kTempDrawn, std::string::npos, kTempSuffix) == 0 &&
         std::all_of(entry.begin() + kPrefixLength, entry.begin() + kPrefixLength + kTempDrawn,
                     IsDrawnChar);
}

std::string DrawTempName() {
  static constexpr char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  static std::atomic<unsigned long long> counter{0};
  unsigned char bytes[kTempDrawn];
  if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
    // No entropy yet so early after boot: the name need only be unlikely,
    // creating it exclusively does the rest.
    unsigned long long x = (static_cast<unsigned long long>(time(nullptr)) << 24) ^
                           (static_cast<unsigned long long>(getpid()) << 8) ^ ++counter;
    for (unsigned char& b : bytes) {
      x = x * 6364136223846793005ULL + 1442695040888963407ULL;
      b = static_cast<unsigned char>(x >> 56);
    }
  }
  std::string name = kTempPrefix;
  for (unsigned char b : bytes) name += kChars[b % (sizeof kChars - 1)];
  return name + kTempSuffix;
}

// ------------------------------------------------------------ links

// The kernel's rule for links, FIFOs and files in shared folders
// (fs.protected_symlinks, protected_fifos, protected_regular): in a sticky
// folder that everybody may write, one is used only by its owner or when it
// belongs to the folder's owner. Applied here whatever the sysctls say.
bool MayUse(int folder, const struct stat& entry) {
  if (entry.st_uid == geteuid()) return true;
  struct stat dir {};
  if (fstat(folder, &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
  return !shared || dir.st_uid == entry.st_uid;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string FolderText(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A path's names, without empty ones (double slashes).
std::vector<std::string> Names(const std::string& path) {
  std::vector<std::string> names;
  size_t at = 0;
  while ((at = path.find_first_not_of('/', at)) != std::string::npos) {
    const size_t end = std::min(path.find('/', at), path.size());
    names.push_back(path.substr(at, end - at));
    at = end;
  }
  return names;
}

int OpenRoot() { return ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC); }

// Where a file goes: the folder, reached name by name through descriptors so
// that what was checked is what is written (a folder swapped for a link after
// the walk changes nothing), and the file's name in it.
struct TPlace {
  TFolderFd folder;
  std::string name;
  std::string shown;    // the path for messages
  std::string refused;  // a link met on the way that may not be followed
};

constexpr int kMaxLinks = 40;

// Walks path from the folder `from` (owned; "/" for an absolute path) to the
// folder of its last name. A link on the way is read and followed only where
// MayUse allows. False with errno set when a folder is missing, not a folder,
// not searchable, or such a link (refused names it, errno EACCES).
bool Walk(TFolderFd from, const std::string& fromText, const std::string& path, TPlace* place,
          int* links) {
  TFolderFd at = std::move(from);
  std::string shown = fromText;
  if (!path.empty() && path[0] == '/') {
    at = TFolderFd(OpenRoot());
    shown.assign(1, '/');  // not = "/": g++ 12 warns falsely (-Wrestrict)
  }
  place->shown = Join(shown, path);
  if (at.Get() < 0) return false;
  // The names still to walk, the next at the back; the file's name stays at
  // the bottom while the names of links on the way are pushed above it.
  std::vector<std::string> todo = Names(path);
  std::reverse(todo.begin(), todo.end());
  if (todo.empty() || path.back() == '/') {
    errno = EISDIR;  // "out/" and "/" name folders
    return false;
  }
  while (todo.size() > 1) {
    const std::string part = std::move(todo.back());
    todo.pop_back();
    if (part == ".") continue;
    const std::string here = Join(shown, part);
    TFolderFd next(::openat(at.Get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (next.Get() >= 0) {
      at = std::move(next);
      shown = here;
      continue;
    }
    const int why = errno;
    struct stat st {};
    if ((why != ENOTDIR && why != ELOOP) ||
        fstatat(at.Get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode)) {
      place->shown = here;
      errno = why;
      return false;
    }
    if (!MayUse(at.Get(), st)) {
      place->shown = place->refused = here;
      errno = EACCES;
      return false;
    }
    char target[PATH_MAX];
    const ssize_t n = readlinkat(at.Get(), part.c_str(), target, sizeof target - 1);
    if (n <= 0 || ++*links > kMaxLinks) {
      if (n > 0) errno = ELOOP;
      place->shown = here;
      return false;
    }
    const std::string to(target, static_cast<size_t>(n));
    if (to[0] == '/') {
      at = TFolderFd(OpenRoot());
      shown.assign(1, '/');  // not = "/": g++ 12 warns falsely (-Wrestrict)
      if (at.Get() < 0) return false;
    }
    const std::vector<std::string> more = Names(to);
    todo.insert(todo.end(), more.rbegin(), more.rend());
  }
  place->name = todo.back();
  place->shown = Join(shown, place->name);
  place->folder = std::move(at);
  if (place->name == "." || place->name == "..") {
    errno = EISDIR;
    return false;
  }
  return true;
}

// The place a write of path goes to. A link as the last name is followed to
// the file it points to (the link stays a link); one that points to no file
// is replaced itself.
bool Locate(const std::string& path, TPlace* place) {
  int links = 0;
  if (!Walk(TFolderFd(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)), "", path, place, &links))
    return false;
  for (;;) {
    struct stat st {};
    if (fstatat(place->folder.Get(), place->name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISLNK(st.st_mode))
      return true;
    if (!MayUse(place->folder.Get(), st)) {
      place->refused = place->shown;
      errno = EACCES;
      return false;
    }
    char target[PATH_MAX];
    const ssize_t n =
        readlinkat(place->folder.Get(), place->name.c_str(), target, sizeof target - 1);
    if (n <= 0) return true;
    if (++links > kMaxLinks) {
      errno = ELOOP;
      return false;
    }
    TPlace next;
    const bool walked =
        Walk(TFolderFd(::fcntl(place->folder.Get(), F_DUPFD_CLOEXEC, 0)), FolderText(place->shown),
             std::string(target, static_cast<size_t>(n)), &next, &links);
    if (!next.refused.empty()) {
      place->refused = next.refused;
      errno = EACCES;
      return false;
    }
    struct stat there {};
    if (!walked || fstatat(next.folder.Get(), next.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0)
      return true;  // dangling: the link itself is replaced
    *place = std::move(next);
  }
}

// ------------------------------------------------- temporary files left behind

// Ours, a regular file, and untouched for a while: a write in progress
// elsewhere keeps its file fresh.
bool IsOwnLeftover(int dir, const std::string& entry, time_t before) {
  struct stat st {};
  return IsTempName(entry) && fstatat(dir, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(st.st_mode) && st.st_uid == geteuid() && st.st_mtime <= before;
}

// Removes this program's temporary files of this user in folder that are
// older than minAgeSeconds: what killed writes left. Nothing else is touched.
int RemoveLeftoversIn(int folder, int minAgeSeconds) {
  const int dir = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return 0;  // not readable: nothing can be scanned
  DIR* d = fdopendir(dir);
  if (!d) {
    ::close(dir);
    return 0;
  }
  const time_t before = time(nullptr) - minAgeSeconds;
  int removed = 0;
  while (const dirent* e = readdir(d)) {
    const std::string entry = e->d_name;
    if (IsOwnLeftover(dir, entry, before) && unlinkat(dir, entry.c_str(), 0) == 0) ++removed;
  }
  closedir(d);
  return removed;
}

// A folder is scanned at the first write into it, and again when it was last
// scanned a minute ago or more, so that a batch into one folder reads it once.
class TLeftovers {
 public:
  void Clean(int folder) {
    struct stat st {};
    if (fstat(folder, &st) != 0) return;
    const time_t now = time(nullptr);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto [it, first] = scanned_.try_emplace({st.st_dev, st.st_ino}, now);
      if (!first && now - it->second < 60) return;
      it->second = now;
    }
    RemoveLeftoversIn(folder, 60);
  }

 private:
  std::mutex mutex_;
  std::map<std::pair<dev_t, ino_t>, time_t> scanned_;
};

TLeftovers& Leftovers() {
  static TLeftovers leftovers;
  return leftovers;
}
}  // namespace

TFolderFd::~TFolderFd() { Reset(); }

TFolderFd& TFolderFd::operator=(TFolderFd&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void TFolderFd::Reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int TAtomicFile::RemoveLeftoversOf(const std::string& target, int minAgeSeconds) {
  TPlace place;
  if (!Locate(target, &place)) return 0;
  return RemoveLeftoversIn(place.folder.Get(), minAgeSeconds);
}

bool TAtomicFile::IsTemporaryName(const std::string& name) { return IsTempName(name); }

void TAtomicFile::SetWriteLimitForTesting(long long bytes) { writeLimit = bytes; }

TAtomicFile::~TAtomicFile() { Discard(); }

TAtomicFile::TAtomicFile(TAtomicFile&& other) noexcept { *this = std::move(other); }

TAtomicFile& TAtomicFile::operator=(TAtomicFile&& other) noexcept {
  if (this == &other) return *this;
  Discard();
  fd_ = std::exchange(other.fd_, -1);
  folder_ = std::move(other.folder_);
  direct_ = std::exchange(other.direct_, false);
  failed_ = std::exchange(other.failed_, false);
  written_ = std::exchange(other.written_, 0);
  limit_ = std::exchange(other.limit_, -1);
  target_ = std::move(other.target_);
  name_ = std::move(other.name_);
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
  folder_.Reset();
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
  TPlace place;
  if (!Locate(target, &place)) {
    if (!place.refused.empty())
      return Fail("cannot write " + target + " (the link " + place.refused +
                  " belongs to another user in a shared folder and is not followed)");
    return Fail("cannot write " + target);
  }
  target_ = place.shown;
  name_ = place.name;
  const int dir = place.folder.Get();
  struct stat st {};
  const bool exists = fstatat(dir, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
  mode_t mode = 0;
  if (exists && !S_ISLNK(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      return Fail("cannot write " + target_);
    }
    // Another user's FIFO in /tmp would hand the output to its reader, and
    // root would replace another user's file with one in the mode they chose.
    if (!MayUse(dir, st)) {
      errno = EACCES;
      return Fail("cannot write " + target_ + " (it belongs to another user in a shared folder)");
    }
    if (!S_ISREG(st.st_mode)) {
      direct_ = true;
      fd_ = ::openat(dir, name_.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
      return fd_ >= 0 || Fail("cannot open " + target_);
    }
    // A file the user has write-protected is left alone, as opening it would.
    // No write bit at all binds root too.
    if (faccessat(dir, name_.c_str(), W_OK, AT_SYMLINK_NOFOLLOW) != 0 ||
        (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      errno = EACCES;
      return Fail("cannot write " + target_ + " (write-protected)");
    }
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  Leftovers().Clean(dir);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = DrawTempName();
    fd_ = ::openat(dir, temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return Fail("cannot create a file in " + FolderText(target_));
  }
  fchmod(fd_, mode);  // a mode that cannot be set is no reason to fail
  folder_ = std::move(place.folder);
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
        return Fail("cannot write " + target_);
      }
      chunk = std::min<size_t>(chunk, static_cast<size_t>(limit_ - written_));
    }
    const ssize_t n = ::write(fd_, p + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return Fail("cannot write " + target_);
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
  // Devices and pipes have nothing to flush to.
  if (!failed_ && !direct_ && fsync(fd_) != 0) Fail("cannot write " + target_);
  if (::close(fd_) != 0) Fail("cannot write " + target_);
  fd_ = -1;
  if (direct_) {
    direct_ = false;
    return !failed_;
  }
  if (!failed_ && renameat(folder_.Get(), temp_.c_str(), folder_.Get(), name_.c_str()) != 0)
    Fail("cannot replace " + target_);
  if (failed_) {
    Discard();
    return false;
  }
  temp_.clear();
  // The rename itself must reach the disk too.
  if (syncFolder) SyncFolderFd(folder_.Get());
  folder_.Reset();
  return true;
}

bool SyncFolderFd(int folder) {
  const int dir = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const bool ok = fsync(dir) == 0;
  ::close(dir);
  return ok;
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
  if (!temp_.empty() && folder_.Get() >= 0) unlinkat(folder_.Get(), temp_.c_str(), 0);
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
