#include "gui/common/writefailure.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>

// The texts' translation context.
struct WriteFailure {
  Q_DECLARE_TR_FUNCTIONS(WriteFailure)
};

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
  if (file && fileProtected) return WriteFailure::tr("Die Datei %1 ist schreibgeschützt.").arg(p);
  switch (code) {
    case 0:
      return WriteFailure::tr("Das System hat keinen Grund genannt.");
    case EACCES:
    case EPERM:
      if (file && FileRefusesWrites(*file))
        return WriteFailure::tr("Die Datei %1 ist schreibgeschützt.").arg(p);
      if (file && OthersFileInSharedFolder(*file, folder))
        return WriteFailure::tr("Die Datei %1 gehört einem anderen Benutzer.").arg(p);
      if (!IsFolder(folder) || access(Native(folder).c_str(), X_OK) != 0)
        return WriteFailure::tr("Der Ordner %1 ist nicht zugänglich.").arg(f);
      return WriteFailure::tr("Der Ordner %1 ist schreibgeschützt.").arg(f);
    case EROFS:
      return WriteFailure::tr(
                 "Der Ordner %1 ist schreibgeschützt (der Datenträger ist nur lesbar).")
          .arg(f);
    case ENOSPC:
      return WriteFailure::tr("Im Ordner %1 ist kein Platz mehr frei: der Datenträger ist voll.")
          .arg(f);
    case EDQUOT:
      return WriteFailure::tr(
                 "Im Ordner %1 ist kein Platz mehr frei: Ihr Speicherkontingent ist erschöpft.")
          .arg(f);
    case EFBIG:
      return WriteFailure::tr("Die Datei wird zu groß für den Datenträger des Ordners %1.").arg(f);
    case ENOENT:
      if (file && QFileInfo(*file).fileName().isEmpty())
        return WriteFailure::tr("Es ist kein Dateiname angegeben.");
      if (IsFolder(folder))
        return WriteFailure::tr("Der Ordner %1 nimmt keine neuen Dateien an.").arg(f);
      return WriteFailure::tr("Der Ordner %1 existiert nicht.").arg(f);
    case ENOTDIR:
      return WriteFailure::tr("Der Ordner %1 existiert nicht: ein Teil des Pfads ist eine Datei.")
          .arg(f);
    case EISDIR:
      return file ? WriteFailure::tr("%1 ist ein Ordner, keine Datei.").arg(p)
                  : WriteFailure::tr("Der Ordner %1 ist keine Datei.").arg(f);
    case ENAMETOOLONG:
      return WriteFailure::tr("Der Dateiname ist zu lang für den Ordner %1.").arg(f);
    case ELOOP:
      return WriteFailure::tr("Der Weg zum Ordner %1 führt über zu viele Verknüpfungen.").arg(f);
    case EIO:
      return WriteFailure::tr("Der Datenträger des Ordners %1 meldet einen Ein-/Ausgabefehler.")
          .arg(f);
    case EBUSY:
    case ETXTBSY:
      return WriteFailure::tr("Die Datei %1 wird gerade benutzt.").arg(p);
    case EMFILE:
    case ENFILE:
      return WriteFailure::tr("Es sind zu viele Dateien geöffnet.");
    case ENOMEM:
      return WriteFailure::tr("Der Arbeitsspeicher reicht nicht aus.");
    case EINVAL:
      return WriteFailure::tr("Der Ordner %1 nimmt diesen Dateinamen nicht an.").arg(f);
    default:
      return WriteFailure::tr("Fehler im Ordner %1: %2.")
          .arg(f, QString::fromLocal8Bit(std::strerror(code)));
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
  return WriteFailure::tr("Die Datei %1 konnte nicht geschrieben werden.")
             .arg(QDir::toNativeSeparators(file)) +
         "\n\n" + WriteFailureReason(file, code);
}
