#include "platform/singleinstance.h"

#include <unistd.h>

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

QString UserSuffix() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = QString::number(getuid());
  // Socket names must not contain path separators.
  user.replace('/', '_');
  return user;
}

QByteArray Encode(const QStringList& args) {
  QByteArray data;
  QDataStream out(&data, QIODevice::WriteOnly);
  out << args;
  return data;
}

}  // namespace

TSingleInstance::TSingleInstance(const QString& appName, QObject* parent)
    : QObject(parent), serverName_(appName + "_" + UserSuffix()) {}

TSingleInstance::~TSingleInstance() {
  if (server_) server_->close();
}

bool TSingleInstance::IsPrimary() const { return server_ && server_->isListening(); }

bool TSingleInstance::ForwardOrListen(const QStringList& args, int timeoutMs) {
  if (SendTo(args, timeoutMs)) return true;
  // Nobody answered: a name left by a crashed instance would block listen().
  QLocalServer::removeServer(serverName_);
  if (Listen()) return false;
  // Another start may have won the race in between: try to hand over again.
  return SendTo(args, timeoutMs);
}

bool TSingleInstance::SendTo(const QStringList& args, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  const QByteArray data = Encode(args);
  QDataStream out(&socket);
  out << static_cast<quint32>(data.size());
  socket.write(data);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // Wait for the running instance to acknowledge, so that the caller may exit.
  if (!socket.waitForReadyRead(timeoutMs)) return false;
  socket.disconnectFromServer();
  return true;
}

bool TSingleInstance::Listen() {
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(serverName_)) {
    delete server;
    return false;
  }
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
      QByteArray data;
      in >> size;
      if (size > 1024 * 1024) {  // not one of ours
        socket->abort();
        return;
      }
      data.resize(static_cast<qsizetype>(size));
      if (in.readRawData(data.data(), static_cast<int>(size)) != static_cast<int>(size)) {
        in.rollbackTransaction();
        return;
      }
      in.commitTransaction();
      QStringList args;
      QDataStream decode(data);
      decode >> args;
      socket->write("1");
      socket->flush();
      emit ArgumentsReceived(args);
    });
  }
}
