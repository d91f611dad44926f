#pragma once
// The program's settings for vqrtool: found like the program finds them (or
// named with --ini), but read only: vqrtool never creates or writes an INI file.

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

/// The files a run reads: its recordings, the settings files named and the
/// recordings compared.
std::vector<std::string> FilesRead(std::vector<std::string> recordings,
                                   const TToolSettingsOptions& options,
                                   const std::vector<std::string>& compared = {});

/// The value of --smooth N into distances. N must be a whole number of at
/// least 1; one beyond the smoothing's limit is kept (the smoothing limits
/// it, as it always did), with a note on stderr ("vqrtool COMMAND: smoothing
/// distance 100000 is taken as 32"). False, with the usage error on stderr,
/// for anything else.
bool TakeSmoothValue(const char* command, const std::string& text, std::vector<int>& distances);

/// The settings options every command takes, as its usage shows them.
inline constexpr const char* kSettingsUsage = "[--ini FILE] [--public FILE] [--defaults]";

enum class TSettingsArg { NotOne, Taken, MissingValue };

/// Takes args[i] when it is --defaults, --ini FILE, --public FILE (or
/// --ini=FILE, --public=FILE); i then stands on the last argument taken.
TSettingsArg TakeSettingsArg(const std::vector<std::string>& args, size_t& i,
                             TToolSettingsOptions& options);

/// The usage error of a contradictory choice, or null.
const char* SettingsArgsConflict(const TToolSettingsOptions& options);
