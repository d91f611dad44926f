#pragma once
// One running program per user: the first start listens on a local socket
// named after the application; later starts hand their command line (the
// file to open) to it and end without opening a window.

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  /// appName is made unique per user (e.g. "VQRShow4App" -> "VQRShow4App_<user>").
  explicit TSingleInstance(const QString& appName, QObject* parent = nullptr);
  ~TSingleInstance() override;

  /// Hands args to a running instance. True when one took them: the caller
  /// should then end. Otherwise this process becomes the running instance
  /// and returns false.
  bool ForwardOrListen(const QStringList& args, int timeoutMs = 2000);

  /// True while this process listens for later starts.
  bool IsPrimary() const;
  QString ServerName() const { return serverName_; }

 signals:
  /// A later start handed over its command line.
  void ArgumentsReceived(const QStringList& args);

 private:
  bool SendTo(const QStringList& args, int timeoutMs);
  bool Listen();
  void OnNewConnection();

  QString serverName_;
  QLocalServer* server_ = nullptr;
};
