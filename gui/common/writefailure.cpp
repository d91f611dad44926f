#include "gui/common/writefailure.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool IsFolder(const QString& path) {
  struct stat st {};
  return stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A file that is there and takes no writes: no permission, or no write bit
// at all (which the program respects for root too).
bool FileRefusesWrites(const QString& file) {
  struct stat st {};
  const std::string p = Native(file);
  if (stat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return access(p.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Another user's file in a folder where only owners may replace files (/tmp).
bool OthersFileInSharedFolder(const QString& file, const QString& folder) {
  struct stat st {};
  struct stat dir {};
  return lstat(Native(file).c_str(), &st) == 0 && st.st_uid != geteuid() &&
         stat(Native(folder).c_str(), &dir) == 0 && (dir.st_mode & S_ISVTX) != 0;
}

// The reason for a folder; file, when given, is the file that was to be
// written in it.
QString Reason(const QString& folder, const QString* file, int code, bool fileProtected) {
  const QString f = QDir::toNativeSeparators(folder);
  const QString p = file ? QDir::toNativeSeparators(*file) : QString();
  if (file && fileProtected) return "Die Datei " + p + " ist schreibgeschützt.";
  switch (code) {
    case 0:
      return "Das System hat keinen Grund genannt.";
    case EACCES:
    case EPERM:
      if (file && FileRefusesWrites(*file)) return "Die Datei " + p + " ist schreibgeschützt.";
      if (file && OthersFileInSharedFolder(*file, folder))
        return "Die Datei " + p + " gehört einem anderen Benutzer.";
      if (!IsFolder(folder) || access(Native(folder).c_str(), X_OK) != 0)
        return "Der Ordner " + f + " ist nicht zugänglich.";
      return "Der Ordner " + f + " ist schreibgeschützt.";
    case EROFS:
      return "Der Ordner " + f + " ist schreibgeschützt (der Datenträger ist nur lesbar).";
    case ENOSPC:
      return "Im Ordner " + f + " ist kein Platz mehr frei: der Datenträger ist voll.";
    case EDQUOT:
      return "Im Ordner " + f + " ist kein Platz mehr frei: Ihr Speicherkontingent ist erschöpft.";
    case EFBIG:
      return "Die Datei wird zu groß für den Datenträger des Ordners " + f + ".";
    case ENOENT:
      if (file && QFileInfo(*file).fileName().isEmpty()) return "Es ist kein Dateiname angegeben.";
      if (IsFolder(folder)) return "Der Ordner " + f + " nimmt keine neuen Dateien an.";
      return "Der Ordner " + f + " existiert nicht.";
    case ENOTDIR:
      return "Der Ordner " + f + " existiert nicht: ein Teil des Pfads ist eine Datei.";
    case EISDIR:
      return file ? p + " ist ein Ordner, keine Datei." : "Der Ordner " + f + " ist keine Datei.";
    case ENAMETOOLONG:
      return "Der Dateiname ist zu lang für den Ordner " + f + ".";
    case ELOOP:
      return "Der Weg zum Ordner " + f + " führt über zu viele Verknüpfungen.";
    case EIO:
      return "Der Datenträger des Ordners " + f + " meldet einen Ein-/Ausgabefehler.";
    case EBUSY:
    case ETXTBSY:
      return "Die Datei " + p + " wird gerade benutzt.";
    case EMFILE:
    case ENFILE:
      return "Es sind zu viele Dateien geöffnet.";
    case ENOMEM:
      return "Der Arbeitsspeicher reicht nicht aus.";
    case EINVAL:
      return "Der Ordner " + f + " nimmt diesen Dateinamen nicht an.";
    default:
      return "Fehler im Ordner " + f + ": " + QString::fromLocal8Bit(std::strerror(code)) + ".";
  }
}

}  // namespace

QString WriteFailureReason(const QString& file, int code, bool fileProtected) {
  return Reason(QFileInfo(file).absolutePath(), &file, code, fileProtected);
}

QString FolderFailureReason(const QString& folder, int code) {
  return Reason(QFileInfo(folder).absoluteFilePath(), nullptr, code, false);
}

QString WriteFailureText(const QString& file, int code) {
  return "Die Datei " + QDir::toNativeSeparators(file) + " konnte nicht geschrieben werden.\n\n" +
         WriteFailureReason(file, code);
}
