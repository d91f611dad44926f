// Feeds arbitrary bytes to the INI reader: parse, look keys up, edit, write
// the result to a temporary file through the atomic writer and read it back.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "settings/iniclass.h"
#include "settings/inifile.h"

namespace {
std::string TempPath() {
  static const std::string path = [] {
    // tmpfs when there is one: the writer syncs every file it replaces.
    char tmpl[] = "/dev/shm/fuzz_inifile.XXXXXX";
    if (access("/dev/shm", W_OK) != 0) std::memcpy(tmpl, "/tmp/fuzz_inifile.XXXXXX", 25);
    const char* dir = mkdtemp(tmpl);
    return std::string(dir ? dir : "/tmp") + "/fuzz.INI";
  }();
  return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TIniDocument doc(bytes);
  // Names taken from the input itself, so that present keys are hit too.
  const std::string_view a = bytes.substr(0, size / 3), b = bytes.substr(size / 3, size / 3);
  for (const char* section : {"General", "Legend", "Axis1", ""}) {
    const auto v = doc.Get(section, "StartX");
    if (v) {
      (void)TZTIniClass::ParseIniInteger(*v);
      (void)TZTIniClass::ParseIniFloat(*v);
      (void)TZTIniClass::ParseIniBool(*v);
      (void)Utf8Left(*v, 32);
      if (!IsValidUtf8(*v)) abort();  // values always come out as UTF-8
    }
  }
  (void)doc.Get(a, b);
  const std::string before = doc.Serialize();
  if (before != std::string(bytes)) abort();  // an untouched document is written back unchanged
  doc.Set(a, b, bytes.substr(2 * size / 3));
  doc.Set("General", "StartX", "5");
  const std::string out = doc.Serialize();
  const TIniDocument again(out);
  if (again.Get("General", "StartX") != std::optional<std::string>("5")) abort();

  const std::string path = TempPath();
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  TIniFile file(path);
  (void)file.Get("General", "StartX");
  if (!file.Write("Zz", "Key", "value")) abort();
  TIniFile check(path);
  if (check.Get("zz", "KEY") != std::optional<std::string>("value")) abort();
  return 0;
}
