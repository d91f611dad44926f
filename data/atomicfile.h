#pragma once
// Replacing a file safely: the new contents go to a temporary file beside the
// target, which is flushed to disk and renamed over the target only when every
// byte was written. A failure at any step removes the temporary file and
// leaves the old file as it was. Devices and pipes (/dev/null, /dev/stdout)
// are written directly: there is nothing to replace.
//
// The target's folder is reached one name at a time through descriptors, and
// the temporary file is created, renamed and removed relative to that folder,
// so a folder swapped for a link meanwhile cannot redirect the write. A link
// on the way is followed only where the kernel's rule for shared sticky
// folders would follow it, whatever the system's setting.
//
// Temporary files are named ".vqrshow4-XXXXXXXXXXXX.tmp" and nothing else.
// Those of this user that killed writers left (a minute old) are removed at
// the next write into their folder; no other file is ever removed.

#include <cstddef>
#include <string>

/// A folder's open descriptor, closed with it.
class TFolderFd {
 public:
  TFolderFd() = default;
  explicit TFolderFd(int fd) : fd_(fd) {}
  ~TFolderFd();
  TFolderFd(TFolderFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFolderFd& operator=(TFolderFd&& other) noexcept;
  TFolderFd(const TFolderFd&) = delete;
  TFolderFd& operator=(const TFolderFd&) = delete;
  int Get() const { return fd_; }
  void Reset();

 private:
  int fd_ = -1;
};

class TAtomicFile {
 public:
  TAtomicFile() = default;
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;
  /// Hands an open file on, for example to be committed by another thread.
  TAtomicFile(TAtomicFile&& other) noexcept;
  TAtomicFile& operator=(TAtomicFile&& other) noexcept;

  /// Creates the temporary file beside target, or beside the file a link
  /// names. False, with Error() set, when target is a folder, is
  /// write-protected, its folder takes no new file, or it (or a link on the
  /// way) belongs to another user in a shared sticky folder such as /tmp.
  bool Open(const std::string& target);
  /// Appends bytes; false from the first failed write on (the rest is skipped).
  bool Write(const void* data, size_t size);
  /// Flushes, closes and renames into place. False, with the temporary file
  /// removed and the target untouched, when anything since Open failed.
  /// syncFolder false leaves the folder's own flush (which makes the rename
  /// durable) to the caller: a batch calls SyncFolder once at its end.
  bool Commit(bool syncFolder = true);
  /// Drops what was written; the target stays as it was.
  void Discard();

  bool IsOpen() const { return fd_ >= 0; }
  bool Failed() const { return failed_; }
  /// What went wrong: "cannot write /x/a.ASC: No space left on device".
  const std::string& Error() const { return error_; }
  /// The errno of the first failure (0 while nothing failed), so that a
  /// caller can word the reason in its own language.
  int ErrorNumber() const { return errno_; }

  /// Removes the temporary files that killed writes of this user left in
  /// target's folder (regular files untouched for minAgeSeconds, with this
  /// program's temporary name); how many went.
  static int RemoveLeftoversOf(const std::string& target, int minAgeSeconds = 60);
  /// Whether name has the form of this writer's temporary files.
  static bool IsTemporaryName(const std::string& name);
  /// Test hook: every file opened afterwards takes only this many bytes, the
  /// next write fails as on a full disk. Negative: no limit.
  static void SetWriteLimitForTesting(long long bytes);

 private:
  bool Fail(const std::string& what);

  int fd_ = -1;
  TFolderFd folder_;     // where temp_ lies and target_ goes
  bool direct_ = false;  // a device or pipe, written in place
  bool failed_ = false;
  long long written_ = 0;
  long long limit_ = -1;
  std::string target_;  // for messages
  std::string name_;    // the target's name in folder_
  std::string temp_;
  std::string error_;
  int errno_ = 0;
};

/// Flushes folder's entries (new names, renames) to disk; false when it fails.
bool SyncFolder(const std::string& folder);
bool SyncFolderFd(int folder);

/// Replaces path with data through TAtomicFile.
bool WriteFileAtomic(const std::string& path, const std::string& data,
                     std::string* error = nullptr);
