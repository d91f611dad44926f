#pragma once
// One running program per user and display: the first start listens on a
// local socket; later starts on the same display or session hand their
// command line (the file to open) to it and end without opening a window.

#include <sys/types.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;

/// Where a start runs: what decides which running instance it joins.
struct TInstancePlace {
  uid_t Uid = 0;
  /// Environment lookup (empty when unset).
  std::function<QString(const char*)> Env;
  /// The Qt platform plug-in ("xcb", "wayland", "offscreen", ...).
  QString Platform;

  /// This process: its user, environment and platform.
  static TInstancePlace Current();
};

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class Outcome {
    Primary,     // this process is the running instance now
    Forwarded,   // a running instance took the arguments
    Unanswered,  // a running instance got them but did not confirm in time
    Alone,       // no safe place for the socket: runs without the guard
  };

  /// appName is made unique per user and display or session.
  explicit TSingleInstance(const QString& appName, QObject* parent = nullptr);
  TSingleInstance(const QString& appName, const TInstancePlace& place, QObject* parent = nullptr);
  ~TSingleInstance() override;

  /// Hands args to a running instance, waiting up to timeoutMs for it to
  /// confirm; otherwise this process becomes the running instance. A socket is
  /// only taken over when nothing answers a connection, never because an
  /// answer is slow.
  Outcome ForwardOrListen(const QStringList& args, int timeoutMs = 30000);

  /// The key: application, user id, and display, session or platform.
  QString Key() const { return key_; }
  /// Full path of the socket; empty when no safe folder was found.
  QString ServerName() const { return serverName_; }
  /// Why ServerName() is empty.
  QString FolderError() const { return folderError_; }

  /// The folder for the socket: $XDG_RUNTIME_DIR when it is the user's own,
  /// else vqrshow4 in the user's cache folder ($XDG_CACHE_HOME or
  /// ~/.cache), created with mode 0700. Empty, with error set, when neither
  /// is a folder only the user can write.
  static QString SocketFolder(const TInstancePlace& place, QString* error);
  static QString KeyFor(const QString& appName, const TInstancePlace& place);

 signals:
  /// A later start handed over its command line (delivered from the event
  /// loop, after the later start has been answered).
  void ArgumentsReceived(const QStringList& args);

 private:
  enum class Send { Done, Unconfirmed, NoServer, Refused, Failed };
  Send SendTo(const QStringList& args, int timeoutMs);
  bool Listen();
  void OnNewConnection();

  QString key_;
  QString folder_;
  QString folderError_;
  QString serverName_;
  QLocalServer* server_ = nullptr;
};
