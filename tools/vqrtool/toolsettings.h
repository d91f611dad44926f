#pragma once
// The program's settings for vqrtool: found like the program finds them (or
// named with --ini), but read only: vqrtool never creates or writes an INI file.

#include <memory>
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

/// The input that output names (the same file, whatever the path), or null:
/// writing there would replace the recording itself.
const std::string* InputNamedBy(const std::string& output, const std::vector<std::string>& inputs);

/// The settings options every command takes, as its usage shows them.
inline constexpr const char* kSettingsUsage = "[--ini FILE] [--public FILE] [--defaults]";

enum class TSettingsArg { NotOne, Taken, MissingValue };

/// Takes args[i] when it is --defaults, --ini FILE, --public FILE (or
/// --ini=FILE, --public=FILE); i then stands on the last argument taken.
TSettingsArg TakeSettingsArg(const std::vector<std::string>& args, size_t& i,
                             TToolSettingsOptions& options);

/// The usage error of a contradictory choice, or null.
const char* SettingsArgsConflict(const TToolSettingsOptions& options);
