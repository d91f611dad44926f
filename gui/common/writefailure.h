#pragma once
// Why a file could not be written, in the user's words: every place that
// writes an output reports its failures through these, so that a message
// names the folder (or the file, where the file is the cause) and the reason.

#include <QString>

/// One sentence: why writing file failed with errno code, naming its folder,
/// e.g. "Der Ordner /usr/share/vqrshow4/samples ist schreibgeschützt."
/// fileProtected: the caller already knows that the file itself refuses
/// writes. Permission errors look at the file and its folder to tell which
/// one is the cause.
QString WriteFailureReason(const QString& file, int code, bool fileProtected = false);

/// The same for a file to be created in folder under a name of the
/// program's own choosing (a temporary file).
QString FolderFailureReason(const QString& folder, int code);

/// A message box text: "Die Datei … konnte nicht geschrieben werden." and,
/// after an empty line, the reason.
QString WriteFailureText(const QString& file, int code);
