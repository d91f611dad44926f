#include "settings/inifile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>

#include "data/atomicfile.h"
#include "data/numtext.h"
#include "data/regularfile.h"

namespace {

constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string_view Trim(std::string_view s) { return TrimmedText(s, " \t\r"); }

// A value is one line: line breaks and NULs would break the file apart.
std::string OneLine(std::string_view v) {
  std::string s(v);
  for (char& c : s)
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  return std::string(Trim(s));
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int len;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > n) return false;
    for (int k = 1; k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80)
      out += ch;
    else if (c < 0xA0)
      AppendUtf8(out, kCp1252High[c - 0x80]);
    else
      AppendUtf8(out, c);
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (i + static_cast<size_t>(len) > s.size()) return std::nullopt;
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += static_cast<size_t>(len);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    const auto* hit = std::find(std::begin(kCp1252High), std::end(kCp1252High), cp);
    if (hit == std::end(kCp1252High)) return std::nullopt;
    out += static_cast<char>(0x80 + (hit - std::begin(kCp1252High)));
  }
  return out;
}

std::string ToUtf8Text(std::string_view s) {
  return IsValidUtf8(s) ? std::string(s) : Cp1252ToUtf8(s);
}

std::string Utf8Left(std::string_view s, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (count == n) return std::string(s.substr(0, i));
      ++count;
    }
  }
  return std::string(s);
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// ------------------------------------------------------------------ document

TIniDocument::Line TIniDocument::ParseLine(std::string_view raw) {
  Line line;
  line.raw = std::string(raw);
  const std::string text = ToUtf8Text(raw);
  const std::string_view t = Trim(text);
  if (t.empty() || t[0] == ';' || t[0] == '#') return line;
  if (t[0] == '[') {
    const size_t close = t.find(']');
    if (close == std::string_view::npos) return line;  // not a header: kept as it is
    line.kind = LineKind::Section;
    line.name = std::string(Trim(t.substr(1, close - 1)));
    return line;
  }
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return line;
  const std::string_view key = Trim(t.substr(0, eq));
  if (key.empty()) return line;
  line.kind = LineKind::Key;
  line.name = std::string(key);
  std::string_view value = Trim(t.substr(eq + 1));
  const size_t nul = value.find('\0');
  if (nul != std::string_view::npos) value = value.substr(0, nul);
  line.value = std::string(value);
  return line;
}

void TIniDocument::Parse(std::string_view bytes) {
  lines_.clear();
  bom_ = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (bom_) bytes.remove_prefix(3);
  cp1252_ = !bom_ && !IsValidUtf8(bytes);
  crlf_ = false;
  const size_t firstLf = bytes.find('\n');
  if (firstLf != std::string_view::npos && firstLf > 0 && bytes[firstLf - 1] == '\r') crlf_ = true;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    uint8_t eol = 1;
    if (end == std::string_view::npos) {
      end = bytes.size();
      eol = 0;
    }
    std::string_view raw = bytes.substr(pos, end - pos);
    if (eol && !raw.empty() && raw.back() == '\r') {
      raw.remove_suffix(1);
      eol = 2;
    }
    lines_.push_back(ParseLine(raw));
    lines_.back().eol = eol;
    pos = end + 1;
  }
  Reindex();
}

void TIniDocument::Reindex() {
  sections_.clear();
  SectionIndex* current = nullptr;
  bool currentIsFirst = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.kind == LineKind::Section) {
      auto [it, inserted] = sections_.try_emplace(AsciiLower(l.name));
      if (inserted) {
        it->second.header = i;
        it->second.lastLine = i;
      }
      current = &it->second;
      currentIsFirst = inserted;  // later duplicates are not read, as with the profile functions
    } else if (l.kind == LineKind::Key && current && currentIsFirst) {
      current->keys.try_emplace(AsciiLower(l.name), i);
      current->lastLine = i;
    }
  }
}

std::string TIniDocument::Serialize() const {
  std::string out;
  size_t total = 3;
  for (const Line& l : lines_) total += l.raw.size() + 2;
  out.reserve(total);
  if (bom_) out += "\xEF\xBB\xBF";
  for (const Line& l : lines_) {
    out += l.raw;
    if (l.eol == 1) out += '\n';
    if (l.eol == 2) out += "\r\n";
  }
  return out;
}

std::optional<std::string> TIniDocument::Get(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(AsciiLower(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.keys.find(AsciiLower(key));
  if (k == s->second.keys.end()) return std::nullopt;
  return lines_[k->second].value;
}

std::string TIniDocument::Encoded(const std::string& utf8) const {
  return cp1252_ ? Utf8ToCp1252(utf8).value_or(utf8) : utf8;
}

void TIniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sec = ToUtf8Text(OneLine(section));
  const std::string k = ToUtf8Text(OneLine(key));
  const std::string v = ToUtf8Text(OneLine(value));
  if (k.empty()) return;
  if (cp1252_ && !(Utf8ToCp1252(sec) && Utf8ToCp1252(k) && Utf8ToCp1252(v))) {
    // No Windows-1252 form: the whole file becomes UTF-8, each line as it was read.
    for (Line& l : lines_) l.raw = ToUtf8Text(l.raw);
    cp1252_ = false;
  }
  const uint8_t eol = crlf_ ? 2 : 1;
  auto newLine = [&](const std::string& text) {
    Line l = ParseLine(text);
    l.raw = Encoded(text);
    l.eol = eol;
    return l;
  };
  const auto s = sections_.find(AsciiLower(sec));
  if (s != sections_.end()) {
    const auto found = s->second.keys.find(AsciiLower(k));
    if (found != s->second.keys.end()) {
      Line& l = lines_[found->second];
      l.raw = Encoded(l.name + "=" + v);
      l.value = v;
      return;
    }
    const size_t after = s->second.lastLine;
    Line line = newLine(k + "=" + v);
    if (lines_[after].eol == 0) lines_[after].eol = eol;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), std::move(line));
    if (after + 2 == lines_.size()) lines_.back().eol = eol;
    Reindex();
    return;
  }
  Line header = newLine("[" + sec + "]");
  Line line = newLine(k + "=" + v);
  if (!lines_.empty()) {
    if (lines_.back().eol == 0) lines_.back().eol = eol;
    if (!Trim(lines_.back().raw).empty()) lines_.push_back(newLine(""));
  }
  lines_.push_back(std::move(header));
  lines_.push_back(std::move(line));
  Reindex();
}

// ------------------------------------------------------ temporary files

int RemoveStaleTempFiles(const std::string& path, int minAgeSeconds) {
  std::string target = path;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved)) target = resolved;  // temporaries lie beside the target
  return TAtomicFile::RemoveLeftoversOf(target, minAgeSeconds);
}

bool IsWriteProtected(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// ----------------------------------------------------------------- INI file

TIniFile::TIniFile(std::string path, bool readOnly) : path_(std::move(path)), readOnly_(readOnly) {}

TIniFile::FileStamp TIniFile::Stamp() const {
  FileStamp s;
  struct stat st {};
  if (path_.empty() || stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return s;
  s.exists = true;
  s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.size = static_cast<int64_t>(st.st_size);
  s.inode = static_cast<uint64_t>(st.st_ino);
  return s;
}

bool TIniFile::Exists() const {
  if (!Stamp().exists) return false;
  long long size = 0;
  const int fd = OpenRegularFile(path_, &size);
  if (fd < 0) return false;
  close(fd);
  return size >= 0 && static_cast<unsigned long long>(size) <= kMaxFileBytes;
}

void TIniFile::Refresh() {
  const FileStamp now = Stamp();
  if (loaded_ && now == stamp_) return;
  std::string bytes;
  unreadable_ = false;
  if (now.exists) {
    // A file we cannot read (or one far too large to be settings) must not be
    // replaced by what little we know of it.
    unreadable_ = !ReadRegularFile(path_, kMaxFileBytes, bytes);
    readError_ = unreadable_ ? errno : 0;
  }
  doc_.Parse(bytes);
  for (const PendingWrite& w : pending_) doc_.Set(w.section, w.key, w.value);
  stamp_ = now;
  loaded_ = true;
}

std::optional<std::string> TIniFile::Get(std::string_view section, std::string_view key) {
  if (path_.empty()) return std::nullopt;
  Refresh();
  return doc_.Get(section, key);
}

bool TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (readOnly_ || path_.empty()) return false;
  Refresh();
  if (unreadable_) {
    failure_ = {path_, readError_, IsWriteProtected(path_), "cannot read " + path_};
    return false;
  }
  pending_.push_back({std::string(section), std::string(key), std::string(value)});
  doc_.Set(section, key, value);
  if (updateDepth_ > 0) return true;
  return Flush();
}

void TIniFile::BeginUpdate() { ++updateDepth_; }

bool TIniFile::EndUpdate() {
  if (updateDepth_ > 0) --updateDepth_;
  if (updateDepth_ > 0 || pending_.empty()) return true;
  return Flush();
}

bool TIniFile::Flush() {
  // Another program may have changed the file since it was read: re-read it
  // and apply the pending writes to the new content.
  Refresh();
  failure_ = {};
  std::string error = "cannot read " + path_;
  errno = readError_;
  const bool ok = !unreadable_ && WriteFileAtomic(path_, doc_.Serialize(), &error);
  if (!ok) failure_ = {path_, errno, IsWriteProtected(path_), error};
  pending_.clear();
  if (ok)
    stamp_ = Stamp();
  else
    loaded_ = false;  // memory holds what the disk does not
  return ok;
}
