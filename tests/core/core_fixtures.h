#pragma once
// Small recordings built in memory, a temporary folder, file helpers and
// vqrtool run as a user runs it.

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/DatWriter.h"
#include "session/Session.h"

/// A header of the worked example: references 2.0 / 0.5 over raw 1000 / 4000.
struct DatHeader {
  TDatParams Params{{1, 2, 3, 4, 5, 6}, 4711, 375, 2.0f, 0.5f};
  std::array<int16_t, 16> Ref1 = Filled(1000);
  std::array<int16_t, 16> Ref2 = Filled(4000);

  static std::array<int16_t, 16> Filled(int16_t v) {
    std::array<int16_t, 16> a;
    a.fill(v);
    return a;
  }
  void AddTo(TDatWriter& w) const {
    w.Add(MakeStartRecord(0x77));
    w.Add(MakeParamRecord(Params));
    w.Add(MakeRefRecord(1, Ref1));
    w.Add(MakeRefRecord(2, Ref2));
  }
};

/// Raw readings: every channel reads `value`, the temperature `temp` tenths.
inline std::array<int16_t, 17> Readings(int16_t value, int16_t temp = 235) {
  std::array<int16_t, 17> r;
  r.fill(value);
  r[16] = temp;
  return r;
}

/// A recording of n samples, one a minute from minute 1, channel values rising.
inline std::vector<uint8_t> SimpleFile(int n, const DatHeader& h = {}) {
  TDatWriter w;
  h.AddTo(w);
  for (int i = 1; i <= n; ++i)
    w.Add(MakeDataRecord(60 * i, Readings(static_cast<int16_t>(1000 + i), 200)));
  return w.Bytes();
}

inline TLoadStatus LoadBytes(TVQRSession& rec, const std::vector<uint8_t>& bytes) {
  return rec.LoadBuffer(bytes.data(), bytes.size());
}

/// A temporary folder removed with everything in it, write-protected parts too.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vqrtest-XXXXXX").string();
    path_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
  }
  ~TempDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, ec);
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  /// A sub-folder, created, with a trailing slash.
  std::string Sub(const std::string& name) const {
    std::filesystem::create_directories(File(name));
    return File(name) + "/";
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  return static_cast<bool>(out << text);
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteText(path, std::string(bytes.begin(), bytes.end()));
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

/// Exit status of a shell command line; -1 when it did not exit.
inline int RunShell(const std::string& cmd) {
  const int rc = std::system(cmd.c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

struct ToolRun {
  int status;
  std::string out, err;
};

/// prefix: shell commands run before vqrtool in the same shell; a hang ends with status 124.
inline ToolRun Tool(const std::vector<std::string>& args, const std::string& prefix = "") {
  TempDir dir;
  std::string cmd = prefix + "timeout 60 " + Quote(VQR_BINARY_DIR "/vqrtool");
  for (const auto& a : args) cmd.append(1, ' ').append(Quote(a));
  const int status = RunShell(cmd + " >" + Quote(dir.File("out")) + " 2>" + Quote(dir.File("err")) +
                              " </dev/null");
  return {status, ReadFileText(dir.File("out")), ReadFileText(dir.File("err"))};
}
