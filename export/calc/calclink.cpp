#include "export/calc/calclink.h"

#include <dirent.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "export/calc/xlcalc.h"

namespace {

// LibreOffice puts the sockets of its pipes into the first of these folders
// that the user may write to.
std::string PipeFolder() {
  for (const char* dir : {"/tmp", "/var/tmp"})
    if (access(dir, W_OK) == 0) return dir;
  throw TXLError("No folder for LibreOffice's pipes (/tmp and /var/tmp are not writable)");
}

std::string Prefix() { return "OSL_PIPE_" + std::to_string(getuid()) + "_"; }

// A folder where others may make or replace files is no place to trust a
// name in: it must be the user's or root's, and shared only with the sticky
// bit (then nobody can remove or rename another's file there).
void CheckFolder(const std::string& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    throw TXLError("The folder " + dir + " for LibreOffice's pipes is missing");
  if ((st.st_uid != 0 && st.st_uid != geteuid()) ||
      ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (st.st_mode & S_ISVTX) == 0))
    throw TXLError("The folder " + dir +
                   " for LibreOffice's pipes may be changed by other users; "
                   "its pipes are not used");
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

std::string CalcPipePath(const std::string& pipe) { return PipeFolder() + "/" + Prefix() + pipe; }

TPipeOwner CalcPipeOwner(const std::string& pipe, std::string* why) {
  const std::string dir = PipeFolder();
  CheckFolder(dir);
  const std::string path = dir + "/" + Prefix() + pipe;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return TPipeOwner::Nobody;
    if (why) *why = path + ": " + std::strerror(errno);
    return TPipeOwner::Other;
  }
  if (!S_ISSOCK(st.st_mode)) {
    if (why) *why = path + " is not a socket";
    return TPipeOwner::Other;
  }
  if (st.st_uid != geteuid()) {
    if (why) *why = path + " belongs to another user (uid " + std::to_string(st.st_uid) + ")";
    return TPipeOwner::Other;
  }
  return TPipeOwner::User;
}

std::vector<std::string> OwnCalcPipes(const std::string& base) {
  std::vector<std::string> pipes;
  const std::string dir = PipeFolder();
  const std::string start = Prefix() + base + "-";
  DIR* d = opendir(dir.c_str());
  if (!d) return pipes;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (!name.starts_with(start)) continue;
    const std::string pipe = name.substr(Prefix().size());
    if (CalcPipeOwner(pipe, nullptr) == TPipeOwner::User) pipes.push_back(pipe);
  }
  closedir(d);
  return pipes;
}

std::string RandomCalcPipe(const std::string& base) {
  unsigned char bytes[8] = {};
  size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno != EINTR) throw TXLError("No random numbers for a pipe name");
    if (n > 0) got += static_cast<size_t>(n);
  }
  static const char hex[] = "0123456789abcdef";
  std::string name = base + "-";
  for (unsigned char b : bytes) {
    name += hex[b >> 4];
    name += hex[b & 15];
  }
  return name;
}

std::string CalcNoAnswer(const std::string& pipe, int timeoutMs) {
  return "LibreOffice Calc antwortet nicht (Pipe \"" + pipe + "\", " +
         std::to_string((timeoutMs + 999) / 1000) + " s ohne Antwort)";
}

int ConnectCalcSocket(const std::string& pipe, int timeoutMs) {
  std::string why;
  switch (CalcPipeOwner(pipe, &why)) {
    case TPipeOwner::Nobody:
      throw TXLNotRunning("LibreOffice Calc is not running on pipe \"" + pipe + "\"");
    case TPipeOwner::Other:
      throw TXLPipeTaken("The pipe \"" + pipe + "\" is not the user's own: " + why);
    case TPipeOwner::User:
      break;
  }
  const std::string path = CalcPipePath(pipe);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) throw TXLError("Pipe name too long: " + pipe);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) throw TXLError(std::string("No socket: ") + std::strerror(errno));
  // A listener that does not accept fills its queue; then connecting would
  // wait, so it is tried again until the time is up.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) break;
    const int err = errno;
    if (err == EINTR) continue;
    if (err == EAGAIN && std::chrono::steady_clock::now() < deadline) {
      Pause(50);
      continue;
    }
    close(fd);
    if (err == EAGAIN) throw TXLError(CalcNoAnswer(pipe, timeoutMs));
    if (err == ECONNREFUSED || err == ENOENT)
      throw TXLNotRunning("LibreOffice Calc is not running on pipe \"" + pipe + "\"");
    throw TXLError("Cannot connect to pipe \"" + pipe + "\": " + std::strerror(err));
  }
  // The file is the user's, so only the user's process can have made it;
  // the listening process is asked all the same.
  ucred peer{};
  socklen_t len = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != geteuid()) {
    close(fd);
    throw TXLPipeTaken("The pipe \"" + pipe + "\" is not the user's own: its process runs as uid " +
                       std::to_string(peer.uid));
  }
  return fd;
}

// --- link ---

TCalcLink::TCalcLink(int fd, std::string pipe, int timeoutMs)
    : fd_(fd), pipe_(std::move(pipe)), timeoutMs_(timeoutMs), last_(Now()) {
  watchman_ = std::thread([this] { Watch(); });
}

TCalcLink::~TCalcLink() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  watchman_.join();
  close(fd_);
}

int64_t TCalcLink::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TCalcLink::Enter() {
  std::lock_guard<std::mutex> guard(lock_);
  if (calls_++ == 0) last_ = Now();
}

void TCalcLink::Leave() {
  std::lock_guard<std::mutex> guard(lock_);
  --calls_;
}

void TCalcLink::Progress() { last_ = Now(); }

void TCalcLink::Shut() {
  // The descriptor stays open until the link goes, so that no other file
  // can take its number while the bridge's threads still use it.
  if (!shut_.exchange(true)) shutdown(fd_, SHUT_RDWR);
}

void TCalcLink::Watch() {
  std::unique_lock<std::mutex> guard(lock_);
  while (!stop_) {
    wake_.wait_for(guard, std::chrono::milliseconds(100));
    // cppcheck-suppress knownConditionTrueFalse ; set by the destructor while waiting
    if (stop_ || calls_ == 0 || silent_) continue;
    if (Now() - last_ > timeoutMs_) {
      silent_ = true;
      Shut();
    }
  }
}
