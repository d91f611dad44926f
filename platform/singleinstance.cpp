#include "platform/singleinstance.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>

namespace {

// Longest socket path that fits sockaddr_un with room to spare.
constexpr int kMaxSocketPath = 100;
constexpr quint32 kMaxMessage = 1024 * 1024;

QByteArray Encode(const QStringList& args) {
  QByteArray data;
  QDataStream out(&data, QIODevice::WriteOnly);
  out << args;
  return data;
}

// Letters, digits, '.', '-' and '_' only: the key becomes a file name.
QString FileSafe(const QString& text) {
  QString safe;
  for (const QChar c : text)
    safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == '.' || c == '-' || c == '_'
                ? c
                : QChar('_');
  return safe;
}

// A folder that is the user's own and that nobody else may enter or write.
bool PrivateFolder(const QString& path, uid_t uid, QString* why) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
    *why = path + ": " + QString::fromLocal8Bit(strerror(errno));
    return false;
  }
  if (!S_ISDIR(st.st_mode) || st.st_uid != uid || (st.st_mode & 077) != 0) {
    *why = path + " is not a folder that only this user can use";
    return false;
  }
  return true;
}

// Where the user's cache lives: $XDG_CACHE_HOME, else ~/.cache.
QString CacheFolder(const TInstancePlace& place) {
  auto env = [&place](const char* name) { return place.Env ? place.Env(name) : QString(); };
  if (const QString cache = env("XDG_CACHE_HOME"); QDir::isAbsolutePath(cache))
    return QDir::cleanPath(cache);
  QString home = env("HOME");
  if (!QDir::isAbsolutePath(home)) {
    struct passwd pw {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(place.Uid, &pw, buffer, sizeof buffer, &found) != 0 || !found) return {};
    home = QFile::decodeName(found->pw_dir);
    if (!QDir::isAbsolutePath(home)) return {};
  }
  return QDir::cleanPath(home) + "/.cache";
}

// A folder of the user (or root) that others cannot write into, so that no
// one else can move a folder inside it away or put one there first.
bool GuardedParent(const QString& path, uid_t uid, QString* why) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
    *why = path + ": " + QString::fromLocal8Bit(strerror(errno));
    return false;
  }
  if (!S_ISDIR(st.st_mode) || (st.st_uid != uid && st.st_uid != 0) || (st.st_mode & S_IWOTH)) {
    *why = path + " is not a folder of this user that only this user can change";
    return false;
  }
  return true;
}

// An exclusive lock on a file beside the socket, held while a start looks
// for a running instance and takes the name over; released with the object
// or when the process ends.
class TNameLock {
 public:
  TNameLock(const QString& path, QDeadlineTimer deadline) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                 0600);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
        ::close(fd_);
        fd_ = -1;
        return;
      }
      QThread::msleep(20);
    }
  }
  ~TNameLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  TNameLock(const TNameLock&) = delete;
  TNameLock& operator=(const TNameLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace

TInstancePlace TInstancePlace::Current() {
  TInstancePlace place;
  place.Uid = ::getuid();
  place.Env = [](const char* name) { return qEnvironmentVariable(name); };
  place.Platform = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                       ? QGuiApplication::platformName()
                       : qEnvironmentVariable("QT_QPA_PLATFORM");
  return place;
}

QString TSingleInstance::KeyFor(const QString& appName, const TInstancePlace& place) {
  auto env = [&place](const char* name) { return place.Env ? place.Env(name) : QString(); };
  QString where;
  if (const QString wayland = env("WAYLAND_DISPLAY"); !wayland.isEmpty())
    where = "wayland-" + wayland;
  else if (const QString x = env("DISPLAY"); !x.isEmpty())
    where = "x" + x;
  else if (const QString session = env("XDG_SESSION_ID"); !session.isEmpty())
    where = "session-" + session;
  // Windows of the offscreen platform are seen by nobody: such a start must
  // neither take a visible instance's files nor hand its own to one.
  const QString platform = place.Platform.section(':', 0, 0);
  if (platform == "offscreen" || platform == "minimal")
    where = where.isEmpty() ? platform : platform + "-" + where;
  else if (where.isEmpty())
    where = platform.isEmpty() ? QString("console") : platform;
  return appName + "_" + QString::number(place.Uid) + "_" + FileSafe(where);
}

QString TSingleInstance::SocketFolder(const TInstancePlace& place, QString* error) {
  QString why;
  const QString runtime = place.Env ? place.Env("XDG_RUNTIME_DIR") : QString();
  if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) &&
      PrivateFolder(runtime, place.Uid, &why))
    return QDir::cleanPath(runtime);
  // Not the shared temporary folder: anybody could create the folder there first.
  const QString cache = CacheFolder(place);
  if (cache.isEmpty()) {
    if (error) *error = "neither XDG_RUNTIME_DIR nor a home folder to use";
    return QString();
  }
  const QString own = cache + "/vqrshow4";
  for (const QString& folder : {cache, own}) {
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
      if (error) *error = folder + ": " + QString::fromLocal8Bit(strerror(errno));
      return QString();
    }
  }
  if (!GuardedParent(cache, place.Uid, &why) || !PrivateFolder(own, place.Uid, &why)) {
    if (error) *error = why;
    return QString();
  }
  return own;
}

TSingleInstance::TSingleInstance(const QString& appName, QObject* parent)
    : TSingleInstance(appName, TInstancePlace::Current(), parent) {}

TSingleInstance::TSingleInstance(const QString& appName, const TInstancePlace& place,
                                 QObject* parent)
    : QObject(parent), key_(KeyFor(appName, place)) {
  folder_ = SocketFolder(place, &folderError_);
  if (folder_.isEmpty()) return;
  serverName_ = folder_ + "/" + key_;
  if (serverName_.size() > kMaxSocketPath) {
    const QByteArray hash = QCryptographicHash::hash(key_.toUtf8(), QCryptographicHash::Sha1);
    serverName_ = folder_ + "/" + appName.left(20) + "_" + hash.toHex().left(16);
  }
  if (serverName_.size() > kMaxSocketPath) {
    folderError_ = folder_ + ": the path is too long for a socket";
    serverName_.clear();
  }
}

TSingleInstance::~TSingleInstance() {
  if (server_) server_->close();  // removes the socket file
}

TSingleInstance::Outcome TSingleInstance::ForwardOrListen(const QStringList& args, int timeoutMs) {
  if (serverName_.isEmpty()) return Outcome::Alone;
  const QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    switch (SendTo(args, static_cast<int>(deadline.remainingTime()))) {
      case Send::Done:
        return Outcome::Forwarded;
      case Send::Unconfirmed:
        return Outcome::Unanswered;
      case Send::Failed:
        // Something holds the name but the hand-over broke off: try again.
        if (deadline.hasExpired()) return Outcome::Unanswered;
        QThread::msleep(50);
        continue;
      case Send::NoServer:
      case Send::Refused:
        break;
    }
    // Nobody answered. Under the lock, look once more and take the name over:
    // a name left by a crashed instance is removed, a live one never.
    TNameLock lock(serverName_ + ".lock", deadline);
    if (!lock.Held()) return Outcome::Unanswered;
    QLocalSocket probe;
    probe.connectToServer(serverName_);
    if (probe.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
      probe.abort();
      continue;  // another start won: hand over to it
    }
    if (probe.error() == QLocalSocket::ConnectionRefusedError) {
      QFile::remove(serverName_);
    } else if (probe.error() != QLocalSocket::ServerNotFoundError) {
      if (deadline.hasExpired()) return Outcome::Unanswered;
      QThread::msleep(50);
      continue;
    }
    return Listen() ? Outcome::Primary : Outcome::Alone;
  }
}

TSingleInstance::Send TSingleInstance::SendTo(const QStringList& args, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(timeoutMs)) {
    switch (socket.error()) {
      case QLocalSocket::ServerNotFoundError:
        return Send::NoServer;
      case QLocalSocket::ConnectionRefusedError:
        return Send::Refused;
      default:
        return Send::Failed;
    }
  }
  const QDeadlineTimer deadline(timeoutMs);
  const QByteArray data = Encode(args);
  QDataStream out(&socket);
  out << static_cast<quint32>(data.size());
  socket.write(data);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) break;
  // A busy instance answers once it is back in its event loop; what was
  // written waits for it in the socket meanwhile.
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      if (socket.state() == QLocalSocket::ConnectedState && deadline.hasExpired())
        return Send::Unconfirmed;
      return Send::Failed;  // closed without an answer
    }
  }
  socket.disconnectFromServer();
  return Send::Done;
}

bool TSingleInstance::Listen() {
  auto* server = new QLocalServer(this);
  // No socket options: the folder already keeps others out, and without them
  // listen() binds in place and fails on an existing name instead of
  // replacing it.
  if (!server->listen(serverName_)) {
    delete server;
    return false;
  }
  // Only this user may connect, whatever the folder allows.
  ::chmod(QFile::encodeName(serverName_).constData(), S_IRUSR | S_IWUSR);
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::OnNewConnection);
  return true;
}

void TSingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
      if (socket->bytesAvailable() < static_cast<qint64>(sizeof(quint32))) return;
      QDataStream in(socket);
      in.startTransaction();
      quint32 size = 0;
      in >> size;
      if (size > kMaxMessage) {  // not one of ours
        socket->abort();
        return;
      }
      QByteArray data(static_cast<qsizetype>(size), '\0');
      if (in.readRawData(data.data(), static_cast<int>(size)) != static_cast<int>(size)) {
        in.rollbackTransaction();
        return;
      }
      in.commitTransaction();
      QStringList args;
      QDataStream decode(data);
      decode >> args;
      // Answer first: the later start may end now. The file is opened after.
      socket->write("1");
      socket->flush();
      QMetaObject::invokeMethod(
          this, [this, args]() { emit ArgumentsReceived(args); }, Qt::QueuedConnection);
    });
  }
}
