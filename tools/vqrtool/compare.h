#pragma once
// --compare B.DAT [C.DAT ...] of render, print and stats: further recordings drawn
// beside the open one, as "Datei / Vergleichen mit..." adds them.

#include <string>
#include <vector>

class TVQRSession;

/// Adds files to session's comparison; one that does not load is reported
/// on stderr ("FILE: Error reading Data File!") and left out. Returns the
/// worst load status as an exit status (0 when all loaded). loaded, when
/// given, receives the files that loaded, in order.
int LoadCompared(TVQRSession& session, const std::vector<std::string>& files,
                 std::vector<std::string>* loaded = nullptr);
