#pragma once
// The INI object: finds the user's INI file (and an optional read-only public
// one) at start, and reads and writes typed values in it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/vqrtypes.h"
#include "settings/inifile.h"

/// What Locate looks at. FromProcess() takes the real command line,
/// environment and program file; tests pass their own.
struct TLocateInputs {
  std::vector<std::string> Args;  // command-line parameters, program name excluded
  std::function<std::optional<std::string>(const std::string&)> GetEnv;
  std::string ProgramPath;  // full path of the program file
  std::string BaseName;     // when set, used instead of the program file's name
  bool ReadOnly = false;    // never create or write any file
  /// The program is a host of this code (an interpreter), not vqrshow4: its
  /// folder is never searched; without a file found before, there is none.
  bool NoProgramDir = false;

  static TLocateInputs FromProcess();
};

class TZTIniClass {
 public:
  TZTIniClass();
  ~TZTIniClass();
  TZTIniClass(const TZTIniClass&) = delete;
  TZTIniClass& operator=(const TZTIniClass&) = delete;

  /// Finds (and when needed creates) the INI file, the public INI file and the
  /// help file. True when an own INI file was found or created.
  bool Locate();
  bool Locate(const TLocateInputs& in);

  const std::string& GetHelpFileName() const { return HelpFileName; }

  /// Own file first; a missing or empty value comes from the public file, and
  /// only then def applies. At most size - 1 characters are returned.
  std::string IniReadString(const std::string& section, const std::string& key,
                            const std::string& def, int size = 260);
  int32_t IniReadInteger(const std::string& section, const std::string& key, int32_t def);
  bool IniReadBool(const std::string& section, const std::string& key);    // missing: false
  bool IniReadBoolOn(const std::string& section, const std::string& key);  // missing: true
  double IniReadFloat(const std::string& section, const std::string& key, double def);

  /// Writes go to the own file only; false when it could not be written.
  bool IniWriteString(const std::string& section, const std::string& key, const std::string& text);
  bool IniWriteInteger(const std::string& section, const std::string& key, int32_t value);
  bool IniWriteBool(const std::string& section, const std::string& key, bool value);
  bool IniWriteFloat(const std::string& section, const std::string& key, int decimals,
                     double value);

  /// Collects the writes until EndUpdate into one replacement of the file.
  void BeginUpdate();
  bool EndUpdate();

  /// Why the last write of the own file failed.
  const TWriteFailure& LastWriteFailure();
  /// Copies the own file to path (as it is on disk, nothing when it cannot be
  /// read) and makes the copy the own file, so that the next writes go there.
  /// False, with LastWriteFailure telling why, when path cannot be written.
  bool RelocateOwnFile(const std::string& path);

  /// Main window position, section General.
  void LoadMainWindowPos();
  /// Moves geometry (left/top; the size is kept) to StartX/StartY clamped
  /// into workArea, when SavePos is on.
  void ApplyMainWindowPos(TRect& geometry, const TRect& workArea) const;
  /// Writes the changed coordinates of the restored rectangle (null: no
  /// window) when SavePos is on. False when a write failed.
  bool SaveMainWindowPos(const TRect* restored);

  /// Moves a w x h rectangle at x, y inside workArea, 5 pixels from its edges.
  static void ClampToWorkArea(int32_t& x, int32_t& y, int32_t w, int32_t h, const TRect& workArea);

  /// Number parsers and formatter exactly as the typed reads and writes use them.
  static int32_t ParseIniInteger(const std::string& text);
  static double ParseIniFloat(const std::string& text);
  static bool ParseIniBool(const std::string& text);
  static std::string FormatIniFloat(double value, int decimals);

  /// True for a command-line switch that Locate reads ("/ini:", "/ini=",
  /// "--ini=", the same for "public"), so that callers can tell it from a file.
  static bool IsSettingsSwitch(const std::string& arg);

  std::string IniFileName;        // own INI file; every write goes here
  std::string PublicIniFileName;  // read-only public file, empty when none
  std::string ProgramDir;         // ends with "/"
  std::string BaseName;           // program file name without extension
  std::string HelpFileName;       // empty when the help file does not exist
  std::string DataDir;            // help and samples: ProgramDir, or PREFIX/share/vqrshow4/
  bool UseHomeDir = false;
  int32_t StartX = 0;
  int32_t StartY = 0;
  bool SavePos = true;
  bool ReadOnly = false;

 private:
  TIniFile* OwnFile();
  TIniFile* PublicFile();
  bool CreateDefaultFile(const std::string& path);

  std::unique_ptr<TIniFile> own_;
  std::unique_ptr<TIniFile> public_;
  TWriteFailure relocateFailure_;
};
