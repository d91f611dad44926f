#pragma once
// The INI file format: sections in square brackets, one "key=value" per line.
// Section and key names compare without regard to letter case; lines the
// reader does not understand (comments, junk, bad headers) are kept verbatim
// when the file is written back. Values are returned as UTF-8: a line that is
// not valid UTF-8 is taken as Windows-1252. A file keeps its encoding: in a
// Windows-1252 file changed lines are written in Windows-1252, and only a value
// that has no Windows-1252 form turns the whole file into UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/atomicfile.h"

/// True when s is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view s);
/// Converts Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view s);
/// Converts valid UTF-8 to Windows-1252; nullopt when a character has no
/// Windows-1252 form.
std::optional<std::string> Utf8ToCp1252(std::string_view s);
/// s as UTF-8: unchanged when valid, otherwise converted from Windows-1252.
std::string ToUtf8Text(std::string_view s);
/// The first n characters (code points) of a UTF-8 text.
std::string Utf8Left(std::string_view s, size_t n);
/// ASCII-only lower case, as used for name comparison.
std::string AsciiLower(std::string_view s);

/// Parsed INI text; the in-memory half of TIniFile, usable on its own.
class TIniDocument {
 public:
  TIniDocument() = default;
  explicit TIniDocument(std::string_view bytes) { Parse(bytes); }

  void Parse(std::string_view bytes);
  /// The file's bytes: untouched lines as read, changed lines in the file's
  /// encoding.
  std::string Serialize() const;

  /// Value of key in the first section of that name; nullopt when missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  /// Replaces the key's value in place, or appends the key to its section
  /// (the section is appended to the file when missing).
  void Set(std::string_view section, std::string_view key, std::string_view value);

  bool Empty() const { return lines_.empty(); }
  /// True for a file that is not UTF-8 (no byte order mark, not valid UTF-8).
  bool IsCp1252() const { return cp1252_; }
  size_t LineCount() const { return lines_.size(); }

 private:
  enum class LineKind : uint8_t { Other, Section, Key };
  struct Line {
    std::string raw;  // bytes without the line end
    uint8_t eol = 0;  // 0 none (last line), 1 "\n", 2 "\r\n"
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name as written (UTF-8, trimmed)
    std::string value;  // key value (UTF-8, trimmed)
  };
  struct SectionIndex {
    size_t header = 0;                             // line of the first header of that name
    size_t lastLine = 0;                           // last key line of the section, or the header
    std::unordered_map<std::string, size_t> keys;  // lower-case key -> first line
  };

  static Line ParseLine(std::string_view raw);
  void Reindex();
  /// utf8 in the file's encoding.
  std::string Encoded(const std::string& utf8) const;

  std::vector<Line> lines_;
  std::unordered_map<std::string, SectionIndex> sections_;  // lower-case name
  bool bom_ = false;
  bool crlf_ = false;    // line end of new lines
  bool cp1252_ = false;  // encoding of changed lines
};

/// Removes the temporary files that a writer killed during WriteFileAtomic
/// left beside path (".NAME.XXXXXX", ours, regular, untouched for at least
/// minAgeSeconds, so that a save in progress elsewhere is left alone).
/// Returns how many were removed.
int RemoveStaleTempFiles(const std::string& path, int minAgeSeconds = 60);
/// True when path exists and may not be written: no write permission for us,
/// or no write bit at all (which binds root too).
bool IsWriteProtected(const std::string& path);

/// Why the last write of a file failed.
struct TWriteFailure {
  std::string Path;             // the file that was to be written
  int Code = 0;                 // errno
  bool WriteProtected = false;  // the file itself is write-protected
  std::string Text;             // English, for logs
};

/// One INI file on disk, parsed once and re-read only when the file changes
/// (modification time, size or inode). Writes can be collected into one
/// replacement of the file with BeginUpdate/EndUpdate.
class TIniFile {
 public:
  explicit TIniFile(std::string path = {}, bool readOnly = false);

  const std::string& Path() const { return path_; }
  bool ReadOnly() const { return readOnly_; }

  /// A settings file larger than this is taken as unreadable: even a file of
  /// every setting with long comments stays far below it.
  static constexpr size_t kMaxFileBytes = 4 << 20;

  /// True when the file exists as a regular file of at most kMaxFileBytes
  /// and can be opened for reading.
  bool Exists() const;

  std::optional<std::string> Get(std::string_view section, std::string_view key);

  /// Writes at once, or within BeginUpdate/EndUpdate only in memory. False
  /// when the file cannot be written (never for a pending write).
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  void BeginUpdate();
  /// Writes the pending changes as one file replacement; true when nothing was
  /// pending or the file was written.
  bool EndUpdate();
  bool InUpdate() const { return updateDepth_ > 0; }

  /// Forgets the parsed copy; the next access reads the file again.
  void Invalidate() { loaded_ = false; }

  /// Why the last write failed (empty Path after a success).
  const TWriteFailure& LastFailure() const { return failure_; }

 private:
  struct FileStamp {
    bool exists = false;
    int64_t mtimeNs = 0;
    int64_t size = 0;
    uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
  };
  struct PendingWrite {
    std::string section, key, value;
  };

  FileStamp Stamp() const;
  void Refresh();
  bool Flush();

  std::string path_;
  bool readOnly_ = false;
  bool loaded_ = false;
  bool unreadable_ = false;
  int readError_ = 0;  // errno of the failed read
  FileStamp stamp_;
  TIniDocument doc_;
  int updateDepth_ = 0;
  std::vector<PendingWrite> pending_;
  TWriteFailure failure_;
};
