#pragma once
// Where the program proposes to put what it makes of a recording (a PDF
// print, an ASCII export, a workbook, a picture): beside the recording when
// that folder takes new files, else in the user's documents folder, else in
// the home folder. The package's sample recordings, for one, lie in a folder
// nobody but root may write.

#include <QString>

/// True when folder exists and new files may be made in it: we may write
/// it, and it has a write bit at all (a folder made read-only is taken as
/// such even by root, who could write it).
bool FolderTakesOutputs(const QString& folder);

/// The folder an output of recordingPath is proposed in.
QString OutputFolderFor(const QString& recordingPath);

/// OutputFolderFor(recordingPath) + "/" + fileName.
QString ProposedOutputPath(const QString& recordingPath, const QString& fileName);
