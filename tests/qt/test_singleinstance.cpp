// One running program per user: later starts hand over their file and end.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <future>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <cstring>

#include "platform/singleinstance.h"

namespace {

QString UniqueName() {
  return QString("VQRShow4Test_%1_%2").arg(QCoreApplication::applicationPid()).arg(rand());
}

// Runs a later start in another thread while this one serves the socket.
bool ForwardFromOtherThread(const QString& name, const QStringList& args) {
  auto later = std::async(std::launch::async, [name, args]() {
    TSingleInstance second(name);
    return second.ForwardOrListen(args, 3000);
  });
  while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents();
  return later.get();
}

}  // namespace

TEST(SingleInstance, LaterStartHandsItsFileToTheRunningOne) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_FALSE(first.ForwardOrListen({}));
  EXPECT_TRUE(first.IsPrimary());
  QSignalSpy received(&first, &TSingleInstance::ArgumentsReceived);

  EXPECT_TRUE(ForwardFromOtherThread(name, {"/data/run 1.DAT"}));
  if (received.isEmpty()) received.wait(2000);
  ASSERT_EQ(received.size(), 1);
  EXPECT_EQ(received.at(0).at(0).toStringList(), QStringList({"/data/run 1.DAT"}));

  // An empty command line is handed over too: the running window comes to the front.
  EXPECT_TRUE(ForwardFromOtherThread(name, {}));
}

TEST(SingleInstance, NameLeftByACrashedInstanceDoesNotBlockTheNextStart) {
  const QString name = UniqueName();
  TSingleInstance next(name);
  // A socket file that nobody serves any more, as a crash leaves it.
  const QByteArray path = (QDir::tempPath() + "/" + next.ServerName()).toLocal8Bit();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.constData(), sizeof(addr.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
  ::close(fd);
  ASSERT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(path)));

  EXPECT_FALSE(next.ForwardOrListen({"x"}, 300));
  EXPECT_TRUE(next.IsPrimary());
}

TEST(SingleInstance, NamesArePerUser) {
  TSingleInstance guard("VQRShow4App");
  EXPECT_TRUE(guard.ServerName().startsWith("VQRShow4App_"));
  EXPECT_GT(guard.ServerName().size(), QString("VQRShow4App_").size());
}

TEST(SingleInstance, SecondProgramStartExitsWithoutAWindow) {
  const QString program = QString(VQR_BINARY_DIR) + "/vqrshow4";
  if (!QFileInfo::exists(program)) GTEST_SKIP() << "vqrshow4 not built";
  TSingleInstance probe("VQRShow4App");
  {
    QLocalSocket socket;
    socket.connectToServer(probe.ServerName());
    if (socket.waitForConnected(200)) GTEST_SKIP() << "a vqrshow4 of this user is running";
  }
  QTemporaryDir dir;
  const QString ini = dir.filePath("vqrshow4.INI");
  QFile f(ini);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[General]\nSavePos=OFF\n");
  f.close();

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess first;
  first.setProcessEnvironment(env);
  first.start(program, {"/ini=" + ini});
  ASSERT_TRUE(first.waitForStarted());
  // Wait until the first one serves the rendezvous.
  QElapsedTimer t;
  t.start();
  bool serving = false;
  while (!serving && t.elapsed() < 10000) {
    QLocalSocket socket;
    socket.connectToServer(probe.ServerName());
    serving = socket.waitForConnected(100);
    if (!serving) QThread::msleep(50);
  }
  ASSERT_TRUE(serving);

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(program, {"/ini=" + ini, QString(VQR_SOURCE_DIR) + "/samples/hours40.DAT"});
  EXPECT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);
  first.terminate();
  if (!first.waitForFinished(5000)) first.kill();
  first.waitForFinished(2000);
}
