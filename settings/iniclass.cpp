#include "settings/iniclass.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "data/numtext.h"
#include "data/regularfile.h"
#include "settings/inifile.h"

namespace {

const char* const kGeneral = "General";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// A file counts as existing when it is a regular file that can be opened.
bool FileExists(const std::string& path) { return TIniFile(path).Exists(); }

// A value names a directory when it is an existing directory or ends with a
// separator; an existing file is a file. Otherwise it is a directory when its
// first "." does not come after its first separator (positions from 1, 0 when
// absent), so "../cfg" is a directory and "cfg/my.ini" a file.
bool NamesDirectory(const std::string& value) {
  struct stat st {};
  if (stat(value.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (IsSeparator(value.back())) return true;
  const size_t dot = value.find('.');
  const size_t sep = value.find_first_of("/\\");
  const size_t dotPos = dot == std::string::npos ? 0 : dot + 1;
  const size_t sepPos = sep == std::string::npos ? 0 : sep + 1;
  return dotPos <= sepPos;
}

std::string WithSeparator(const std::string& dir) {
  if (dir.empty() || IsSeparator(dir.back())) return dir;
  return dir + "/";
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// PREFIX/share/NAME/ for a program in PREFIX/bin/, without the "..".
std::string SharedDataDir(const std::string& programDir, const std::string& baseName) {
  std::string dir = programDir;
  while (!dir.empty() && IsSeparator(dir.back())) dir.pop_back();
  const size_t slash = dir.find_last_of("/\\");
  return dir.substr(0, slash == std::string::npos ? 0 : slash + 1) + "share/" + baseName + "/";
}

// True when arg is "/name:...", "/name=..." or "--name=..." in any letter
// case; value receives the rest of the parameter with its case kept.
bool MatchSwitch(const std::string& arg, const std::string& name, std::string& value) {
  const std::string lower = AsciiLower(arg);
  for (const std::string& prefix : {"/" + name, "--" + name}) {
    if (lower.size() > prefix.size() && lower.compare(0, prefix.size(), prefix) == 0 &&
        (lower[prefix.size()] == ':' || lower[prefix.size()] == '=')) {
      if (prefix[1] == '-' && lower[prefix.size()] == ':') continue;  // GNU form takes "=" only
      value = arg.substr(prefix.size() + 1);
      return true;
    }
  }
  return false;
}

// Value of the last parameter that is the switch name; empty when none.
std::string SwitchValue(const std::vector<std::string>& args, const std::string& name) {
  std::string result;
  for (const std::string& arg : args) MatchSwitch(arg, name, result);
  return result;
}

std::vector<std::string> ProcessArgs() {
  std::vector<std::string> args;
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string arg;
  bool first = true;
  while (std::getline(in, arg, '\0')) {
    if (!first) args.push_back(arg);
    first = false;
  }
  return args;
}

std::string ProcessPath() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

}  // namespace

TLocateInputs TLocateInputs::FromProcess() {
  TLocateInputs in;
  in.Args = ProcessArgs();
  in.GetEnv = [](const std::string& name) -> std::optional<std::string> {
    const char* v = std::getenv(name.c_str());
    if (!v) return std::nullopt;
    return std::string(v);
  };
  in.ProgramPath = ProcessPath();
  return in;
}

TZTIniClass::TZTIniClass() = default;
TZTIniClass::~TZTIniClass() = default;

TIniFile* TZTIniClass::OwnFile() {
  if (!own_ || own_->Path() != IniFileName || own_->ReadOnly() != ReadOnly)
    own_ = std::make_unique<TIniFile>(IniFileName, ReadOnly);
  return own_.get();
}

TIniFile* TZTIniClass::PublicFile() {
  if (!public_ || public_->Path() != PublicIniFileName)
    public_ = std::make_unique<TIniFile>(PublicIniFileName, true);
  return public_.get();
}

bool TZTIniClass::CreateDefaultFile(const std::string& path) {
  struct stat st {};
  if (ReadOnly || lstat(path.c_str(), &st) == 0) return false;  // never replace what is there
  const std::string saved = IniFileName;
  IniFileName = path;
  TIniFile* f = OwnFile();
  f->BeginUpdate();
  f->Write(kGeneral, "StartX", "1");
  f->Write(kGeneral, "StartY", "1");
  f->Write(kGeneral, "SavePos", "ON");
  f->Write(kGeneral, "UseHomeDir", "OFF");
  const bool ok = f->EndUpdate();
  if (!ok) IniFileName = saved;
  return ok;
}

bool TZTIniClass::Locate() { return Locate(TLocateInputs::FromProcess()); }

bool TZTIniClass::Locate(const TLocateInputs& in) {
  ReadOnly = in.ReadOnly;
  // 1. Program directory and name.
  const size_t slash = in.ProgramPath.find_last_of("/\\");
  ProgramDir = slash == std::string::npos ? std::string() : in.ProgramPath.substr(0, slash + 1);
  BaseName = slash == std::string::npos ? in.ProgramPath : in.ProgramPath.substr(slash + 1);
  const size_t dot = BaseName.rfind('.');
  if (dot != std::string::npos && dot > 0) BaseName.resize(dot);
  if (!in.BaseName.empty()) BaseName = in.BaseName;
  const std::string iniName = BaseName + ".INI";
  // A program in its build folder has its help beside it; an installed one
  // finds help and samples in PREFIX/share/vqrshow4 and never writes into
  // PREFIX/bin, not even as root.
  const std::string shared = SharedDataDir(ProgramDir, BaseName);
  const bool installed = !FileExists(ProgramDir + BaseName + ".HLP") && IsDirectory(shared);
  DataDir = installed ? shared : ProgramDir;
  auto env = [&](const char* name) -> std::string {
    if (!in.GetEnv) return {};
    return in.GetEnv(name).value_or(std::string());
  };

  // 3. "/ini" switch: a directory holding the INI file, or the file itself.
  bool found = false;
  std::string lastCandidate;
  const std::string iniSwitch = SwitchValue(in.Args, "ini");
  if (!IsBlank(iniSwitch)) {
    lastCandidate = iniSwitch;
    const std::string candidate =
        NamesDirectory(iniSwitch) ? WithSeparator(iniSwitch) + iniName : iniSwitch;
    if (FileExists(candidate)) {
      IniFileName = candidate;
      found = true;
    }
  }

  // 4. Home directory: HOMEDRIVE + HOMEPATH when both are set, else $HOME.
  std::string home;
  const std::string drive = std::string(TrimmedText(env("HOMEDRIVE"), " "));
  const std::string homePath = std::string(TrimmedText(env("HOMEPATH"), " "));
  if (!drive.empty() && !homePath.empty())
    home = drive + homePath;
  else
    home = std::string(TrimmedText(env("HOME"), " "));
  if (!found && !IsBlank(home)) {
    lastCandidate = home;
    const std::string candidate = WithSeparator(home) + iniName;
    if (FileExists(candidate)) {
      IniFileName = candidate;
      found = true;
    }
  }

  // 5. Program directory; the file is created there when missing, or in the
  // home directory when the program directory cannot be written.
  bool success = found;
  if (!found && in.NoProgramDir) {
    IniFileName.clear();
  } else if (!found) {
    IniFileName = ProgramDir + iniName;
    if (FileExists(IniFileName)) {
      success = true;
    } else if (!installed && CreateDefaultFile(ProgramDir + iniName)) {
      success = true;
    } else if (!IsBlank(home) && CreateDefaultFile(WithSeparator(home) + iniName)) {
      success = true;
    } else {
      IniFileName = ProgramDir + iniName;
    }
  }

  // 6. UseHomeDir moves the INI file to UseHomePath.
  UseHomeDir = false;
  PublicIniFileName.clear();
  if (success) {
    UseHomeDir = IniReadBool(kGeneral, "UseHomeDir");
    if (UseHomeDir) {
      const std::string remembered = IniFileName;
      const std::string dir = IniReadString(kGeneral, "UseHomePath", lastCandidate);
      if (!IsBlank(dir)) {
        const std::string candidate = WithSeparator(dir) + iniName;
        if (FileExists(candidate)) {
          IniFileName = candidate;
        } else if (!CreateDefaultFile(candidate)) {
          IniFileName = remembered;
          success = false;
        }
      }
    }
  }

  // A killed program may have left its temporary settings file behind.
  if (success && !ReadOnly) RemoveStaleTempFiles(IniFileName);

  // 7. Public INI file, read only.
  std::string pub = SwitchValue(in.Args, "public");
  if (IsBlank(pub) && success) pub = IniReadString(kGeneral, "PublicIni", "");
  if (!IsBlank(pub)) {
    const std::string candidate = NamesDirectory(pub) ? WithSeparator(pub) + iniName : pub;
    if (FileExists(candidate)) PublicIniFileName = candidate;
  }

  // 8. Help file.
  const std::string help = DataDir + BaseName + ".HLP";
  HelpFileName = FileExists(help) ? help : std::string();
  return success;
}

// ------------------------------------------------------------------- reads

std::string TZTIniClass::IniReadString(const std::string& section, const std::string& key,
                                       const std::string& def, int size) {
  std::optional<std::string> v = OwnFile()->Get(section, key);
  std::string result;
  if (v && !v->empty()) {
    result = *v;
  } else if (!PublicIniFileName.empty()) {
    result = PublicFile()->Get(section, key).value_or(def);
  } else {
    result = v.value_or(def);
  }
  return Utf8Left(result, size > 0 ? static_cast<size_t>(size - 1) : 0);
}

int32_t TZTIniClass::ParseIniInteger(const std::string& text) { return LeadingIntFromText(text); }

double TZTIniClass::ParseIniFloat(const std::string& text) { return LeadingDecimalFromText(text); }

bool TZTIniClass::ParseIniBool(const std::string& text) {
  const std::string up = [&] {
    std::string s = text;
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
  }();
  return up == "ON" || up == "TRUE" || up == "YES";
}

int32_t TZTIniClass::IniReadInteger(const std::string& section, const std::string& key,
                                    int32_t def) {
  const std::string s = IniReadString(section, key, "", 32);
  return s.empty() ? def : ParseIniInteger(s);
}

bool TZTIniClass::IniReadBool(const std::string& section, const std::string& key) {
  return ParseIniBool(IniReadString(section, key, "OFF", 16));
}

bool TZTIniClass::IniReadBoolOn(const std::string& section, const std::string& key) {
  return ParseIniBool(IniReadString(section, key, "ON", 16));
}

double TZTIniClass::IniReadFloat(const std::string& section, const std::string& key, double def) {
  const std::string s = IniReadString(section, key, "", 20);
  return s.empty() ? def : ParseIniFloat(s);
}

// ------------------------------------------------------------------ writes

std::string TZTIniClass::FormatIniFloat(double value, int decimals) {
  return FixedText(value, decimals);
}

bool TZTIniClass::IniWriteString(const std::string& section, const std::string& key,
                                 const std::string& text) {
  if (ReadOnly) return false;
  return OwnFile()->Write(section, key, text);
}

bool TZTIniClass::IniWriteInteger(const std::string& section, const std::string& key,
                                  int32_t value) {
  return IniWriteString(section, key, IntText(value));
}

bool TZTIniClass::IniWriteBool(const std::string& section, const std::string& key, bool value) {
  return IniWriteString(section, key, value ? "ON" : "OFF");
}

bool TZTIniClass::IniWriteFloat(const std::string& section, const std::string& key, int decimals,
                                double value) {
  return IniWriteString(section, key, FormatIniFloat(value, decimals));
}

void TZTIniClass::BeginUpdate() {
  relocateFailure_ = {};
  OwnFile()->BeginUpdate();
}

bool TZTIniClass::EndUpdate() { return OwnFile()->EndUpdate(); }

const TWriteFailure& TZTIniClass::LastWriteFailure() {
  return relocateFailure_.Path.empty() ? OwnFile()->LastFailure() : relocateFailure_;
}

bool TZTIniClass::RelocateOwnFile(const std::string& path) {
  relocateFailure_ = {};
  // Only a regular file of settings' size: nothing of a huge file or a FIFO.
  std::string bytes;
  ReadRegularFile(IniFileName, TIniFile::kMaxFileBytes, bytes);
  std::string error;
  if (ReadOnly || !WriteFileAtomic(path, bytes, &error)) {
    relocateFailure_ = {path, ReadOnly ? EROFS : errno, IsWriteProtected(path), error};
    return false;
  }
  IniFileName = path;
  return true;
}

// ----------------------------------------------------------- window position

void TZTIniClass::LoadMainWindowPos() {
  StartX = IniReadInteger(kGeneral, "StartX", 0);
  StartY = IniReadInteger(kGeneral, "StartY", 0);
  SavePos = IniReadBoolOn(kGeneral, "SavePos");
}

void TZTIniClass::ApplyMainWindowPos(TRect& geometry, const TRect& workArea) const {
  int32_t x = StartX, y = StartY;
  const int32_t w = geometry.right - geometry.left;
  const int32_t h = geometry.bottom - geometry.top;
  ClampToWorkArea(x, y, w, h, workArea);
  if (!SavePos) return;
  geometry = TRect{x, y, x + w, y + h};
}

bool TZTIniClass::SaveMainWindowPos(const TRect* restored) {
  if (!restored || !SavePos) return true;
  BeginUpdate();
  bool ok = true;
  if (restored->left != StartX) ok = IniWriteInteger(kGeneral, "StartX", restored->left) && ok;
  if (restored->top != StartY) ok = IniWriteInteger(kGeneral, "StartY", restored->top) && ok;
  ok = EndUpdate() && ok;
  if (ok) {
    StartX = restored->left;
    StartY = restored->top;
  }
  return ok;
}

void TZTIniClass::ClampToWorkArea(int32_t& x, int32_t& y, int32_t w, int32_t h, const TRect& area) {
  // 64-bit sums: stored positions come from a file and may be anything.
  int64_t nx = x, ny = y;
  int64_t d = nx + w + 5 - area.right;
  if (d >= 1) nx -= d;
  d = ny + h + 5 - area.bottom;
  if (d >= 1) ny -= d;
  d = area.left + 5 - nx;
  if (d >= 1) nx += d;
  d = area.top + 5 - ny;
  if (d >= 1) ny += d;
  x = static_cast<int32_t>(nx);
  y = static_cast<int32_t>(ny);
}

bool TZTIniClass::IsSettingsSwitch(const std::string& arg) {
  std::string value;
  return MatchSwitch(arg, "ini", value) || MatchSwitch(arg, "public", value);
}
