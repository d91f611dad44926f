#pragma once
// --compare B.DAT [C.DAT ...] of render and print: further recordings drawn
// beside the open one, as "Datei / Vergleichen mit..." adds them.

#include <string>
#include <vector>

class TVQRSession;

/// The option as the usage shows it.
inline constexpr const char* kCompareUsage = "[--compare B.DAT...]";

enum class TCompareArg { NotOne, Taken, Missing, TooMany };

/// Takes args[i] when it is --compare with the files after it, up to the next
/// option; i then stands on the last file taken. More than the session's
/// limit of compared recordings, or none, is a usage error.
TCompareArg TakeCompareArg(const std::vector<std::string>& args, size_t& i,
                           std::vector<std::string>& files);

/// The usage error of a TCompareArg, or null.
const char* CompareArgError(TCompareArg taken);

/// Adds files to session's comparison; one that does not load is reported
/// on stderr ("FILE: Error reading Data File!") and left out. Returns the
/// worst load status as an exit status (0 when all loaded). loaded, when
/// given, receives the files that loaded, in order.
int LoadCompared(TVQRSession& session, const std::vector<std::string>& files,
                 std::vector<std::string>* loaded = nullptr);
