#include "gui/common/outputfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

bool FolderTakesOutputs(const QString& folder) {
  if (folder.isEmpty()) return false;
  const QByteArray path = QFile::encodeName(folder);
  struct stat st {};
  return stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
         access(path.constData(), W_OK | X_OK) == 0;
}

QString OutputFolderFor(const QString& recordingPath) {
  if (!recordingPath.isEmpty()) {
    const QString beside = QFileInfo(recordingPath).absolutePath();
    if (FolderTakesOutputs(beside)) return beside;
  }
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (FolderTakesOutputs(documents)) return QDir::cleanPath(documents);
  return QDir::homePath();
}

QString ProposedOutputPath(const QString& recordingPath, const QString& fileName) {
  const QString folder = OutputFolderFor(recordingPath);
  return folder.endsWith('/') ? folder + fileName : folder + '/' + fileName;
}
