#pragma once
// The program's settings for vqrtool: found like the program finds them (or
// named with --ini), but read only: vqrtool never creates or writes an INI file.

#include <sys/types.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/Session.h"
#include "settings/readonlysettings.h"

/// LoadToolSettings with its message on stderr as "vqrtool COMMAND: ...".
std::unique_ptr<TToolSettings> LoadToolSettingsFor(const char* command,
                                                   const TToolSettingsOptions& options);

/// The program's File/Open of path in the session; a status other than Ok is
/// reported on stderr as "PATH: message". Returns the status (the exit code).
TLoadStatus LoadRecording(TVQRSession& session, const std::string& path);

/// The input that output names (the same file, whatever the path), or none:
/// writing there would replace the recording itself.
std::optional<std::string> InputNamedBy(const std::string& output,
                                        const std::vector<std::string>& inputs);

/// The files a run reads, each looked at once, for the outputs of a batch.
class TReadFiles {
 public:
  explicit TReadFiles(const std::vector<std::string>& files);
  /// The first of the files that output names, as InputNamedBy.
  std::optional<std::string> NamedBy(const std::string& output) const;

 private:
  std::map<std::pair<dev_t, ino_t>, std::string> ids_;
};

/// The files a run reads: its recordings, the settings files named and the
/// recordings compared.
std::vector<std::string> FilesRead(std::vector<std::string> recordings,
                                   const TToolSettingsOptions& options,
                                   const std::vector<std::string>& compared = {});

/// The usage error of a contradictory choice, or null.
const char* SettingsArgsConflict(const TToolSettingsOptions& options);
