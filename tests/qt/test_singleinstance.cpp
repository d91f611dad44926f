// One running program per user and display: later starts hand over their
// file and end; the socket lives in a folder only the user can use.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <future>
#include <set>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/singleinstance.h"
#include "support/mainwindow_fixture.h"

namespace {

TInstancePlace Place(const std::map<std::string, QString>& env, const QString& platform = "xcb",
                     uid_t uid = ::getuid()) {
  TInstancePlace p;
  p.Uid = uid;
  p.Platform = platform;
  p.Env = [env](const char* name) {
    auto it = env.find(name);
    return it == env.end() ? QString() : it->second;
  };
  return p;
}

// Runs a later start in another thread while this one serves the socket.
TSingleInstance::Outcome ForwardFromOtherThread(const TInstancePlace& place,
                                                const QStringList& args, int timeoutMs = 20000,
                                                int busyMs = 0) {
  auto later = std::async(std::launch::async, [place, args, timeoutMs]() {
    TSingleInstance second("VQRShow4Test", place);
    return second.ForwardOrListen(args, timeoutMs);
  });
  // A running instance that is busy (reading a file) does not answer meanwhile.
  if (busyMs > 0) QThread::msleep(static_cast<unsigned long>(busyMs));
  while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents();
  return later.get();
}

// A socket file that nobody serves any more, as a crash leaves it.
bool LeaveDeadSocket(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, name.constData(), sizeof(addr.sun_path) - 1);
  const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
  if (fd >= 0) ::close(fd);
  return ok && QFileInfo::exists(path);
}

using Outcome = TSingleInstance::Outcome;

}  // namespace

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(runtime.isValid()); }
  TInstancePlace Display(const QString& display) {
    return Place({{"XDG_RUNTIME_DIR", runtime.path()}, {"DISPLAY", display}});
  }
  QTemporaryDir runtime;  // mode 0700, as a session's runtime folder
};

TEST_F(SingleInstance, KeyIsUserAndDisplayOrSession) {
  const uid_t uid = ::getuid();
  const QString user = "VQRShow4App_" + QString::number(uid) + "_";
  EXPECT_EQ(TSingleInstance::KeyFor("VQRShow4App", Place({{"DISPLAY", ":0"}})), user + "x_0");
  // Starts that must not meet: each gives its own key.
  const TInstancePlace places[] = {
      Place({{"DISPLAY", ":0"}}),
      Place({{"DISPLAY", ":1"}}),
      Place({{"DISPLAY", ":0"}}, "xcb", uid + 1),
      Place({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "wayland"),
      Place({{"XDG_SESSION_ID", "7"}}, "eglfs"),
      Place({{"XDG_SESSION_ID", "8"}}, "eglfs"),
      Place({{"DISPLAY", ":0"}}, "offscreen")};
  std::set<QString> keys;
  for (const TInstancePlace& p : places) {
    const QString key = TSingleInstance::KeyFor("VQRShow4App", p);
    EXPECT_TRUE(keys.insert(key).second) << key.toStdString();
    EXPECT_FALSE(key.contains('/') || key.contains(':')) << key.toStdString();
  }
}

TEST_F(SingleInstance, SocketLivesOnlyInAFolderThatIsTheUsersAlone) {
  TSingleInstance guard("VQRShow4Test", Display(":5"));
  EXPECT_EQ(QFileInfo(guard.ServerName()).path(), runtime.path());

  // A runtime folder others may write is not used; nor is a folder in the
  // shared temporary folder, which anybody could create first: the own folder
  // in the user's cache is created 0700 instead.
  QTemporaryDir tmp;
  const QByteArray oldTmp = qgetenv("TMPDIR");
  std::shared_ptr<void> restore(nullptr, [&](void*) {
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    oldTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTmp);
  });
  qputenv("TMPDIR", QFile::encodeName(tmp.path()));
  ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0777), 0);
  const QByteArray squatted =
      QFile::encodeName(tmp.path() + "/vqrshow4-" + QString::number(::getuid()));
  ASSERT_EQ(::mkdir(squatted.constData(), 0777), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(squatted.constData(), 4242, 4242), 0);
  }
  const QString home = tmp.path() + "/home";
  ASSERT_TRUE(QDir().mkpath(home));
  struct Fallback {
    std::map<std::string, QString> env;
    QString folder;
  };
  const Fallback fallbacks[] = {
      {{{"XDG_RUNTIME_DIR", runtime.path()}, {"HOME", home}}, home + "/.cache/vqrshow4"},
      {{{"HOME", home}, {"XDG_CACHE_HOME", tmp.path() + "/cache"}}, tmp.path() + "/cache/vqrshow4"},
  };
  for (const Fallback& f : fallbacks) {
    auto env = f.env;
    env["DISPLAY"] = ":5";
    TSingleInstance fallback("VQRShow4Test", Place(env));
    EXPECT_EQ(QFileInfo(fallback.ServerName()).path(), f.folder)
        << fallback.FolderError().toStdString();
    EXPECT_EQ(fallback.ForwardOrListen({"x"}, 1000), Outcome::Primary);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(f.folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
  }
  // One that is open to all is refused: no hand-over to whoever listens
  // there, and no socket of ours in it.
  ASSERT_EQ(::chmod(QFile::encodeName(home + "/.cache/vqrshow4").constData(), 0777), 0);
  {
    TSingleInstance refused("VQRShow4Test", Place({{"HOME", home}, {"DISPLAY", ":5"}}));
    EXPECT_TRUE(refused.ServerName().isEmpty());
    EXPECT_EQ(refused.ForwardOrListen({"x"}, 300), Outcome::Alone);
  }
}

TEST_F(SingleInstance, LaterStartHandsOverEvenWhenTheRunningOneIsSlow) {
  TSingleInstance first("VQRShow4Test", Display(":5"));
  ASSERT_EQ(first.ForwardOrListen({}), Outcome::Primary);
  QSignalSpy received(&first, &TSingleInstance::ArgumentsReceived);

  EXPECT_EQ(ForwardFromOtherThread(Display(":5"), {"/data/run 1.DAT"}), Outcome::Forwarded);
  if (received.isEmpty()) received.wait(2000);
  ASSERT_EQ(received.size(), 1);
  EXPECT_EQ(received.at(0).at(0).toStringList(), QStringList({"/data/run 1.DAT"}));

  // Busy for 2.5 s: the later start waits instead of taking the name over.
  EXPECT_EQ(ForwardFromOtherThread(Display(":5"), {}, 20000, 2500), Outcome::Forwarded);
  EXPECT_TRUE(QFileInfo::exists(first.ServerName()));
  // Busy beyond the later start's patience: it gives up, still without
  // removing the live socket.
  EXPECT_EQ(ForwardFromOtherThread(Display(":5"), {}, 300, 1000), Outcome::Unanswered);
  EXPECT_TRUE(QFileInfo::exists(first.ServerName()));

  TSingleInstance other("VQRShow4Test", Display(":6"));
  EXPECT_EQ(other.ForwardOrListen({"/data/x.DAT"}, 1000), Outcome::Primary);
}

TEST_F(SingleInstance, NameLeftByACrashedInstanceDoesNotBlockTheNextStart) {
  TSingleInstance next("VQRShow4Test", Display(":5"));
  ASSERT_TRUE(LeaveDeadSocket(next.ServerName()));
  EXPECT_EQ(next.ForwardOrListen({"x"}, 1000), Outcome::Primary);
}

namespace {

const QString kProgram = QString(VQR_BINARY_DIR) + "/vqrshow4";

}  // namespace

class ProgramStarts : public SingleInstance {
 protected:
  void SetUp() override {
    SingleInstance::SetUp();
    ASSERT_TRUE(QFileInfo::exists(kProgram)) << kProgram.toStdString() << " is not built";
    ini = runtime.filePath("vqrshow4.INI");
    WriteFile(ini, "[General]\nSavePos=OFF\n");
  }
  void TearDown() override {
    for (auto& p : running) {
      p->terminate();
      if (!p->waitForFinished(5000)) p->kill();
      p->waitForFinished(2000);
    }
  }
  // A start of the program on its own display, with the user's folders
  // (runtime and temporary) private to the test.
  QProcess* Start(const QString& display, const QStringList& args = {},
                  const QString& platform = "offscreen") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", platform);
    env.insert("DISPLAY", display);
    env.remove("WAYLAND_DISPLAY");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("TMPDIR", runtime.path());
    // Nor the machine's session bus: a bus that accepts and never answers
    // holds every Qt program at its start for the bus timeout.
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime.filePath("no-session-bus"));
    running.push_back(std::make_unique<QProcess>());
    QProcess* p = running.back().get();
    p->setProcessEnvironment(env);
    p->start(kProgram, QStringList{"/ini=" + ini} + args);
    EXPECT_TRUE(p->waitForStarted());
    return p;
  }
  int StillRunning() {
    int n = 0;
    for (auto& p : running) n += p->state() == QProcess::Running && !p->waitForFinished(0);
    return n;
  }

  QString ini;
  std::vector<std::unique_ptr<QProcess>> running;
};

TEST_F(ProgramStarts, RacingStartsLeaveOneProgramPerDisplay) {
  const QString display = ":vqrtest" + QString::number(QCoreApplication::applicationPid());
  for (int i = 0; i < 3; ++i) Start(display, {QString(VQR_SOURCE_DIR) + "/samples/hours40.DAT"});
  QElapsedTimer t;
  t.start();
  while (StillRunning() > 1 && t.elapsed() < 15000) QThread::msleep(50);
  QThread::msleep(300);  // a second program would still be running now
  EXPECT_EQ(StillRunning(), 1);
  for (auto& p : running) EXPECT_TRUE(p->state() == QProcess::Running || p->exitCode() == 0);
}

namespace {

QString Run(const QString& program, const QStringList& args, const QString& display) {
  return Exec(program, args, {"DISPLAY=" + display}).out.trimmed();
}

// The names of the visible X windows of a process, as the window manager reads them.
std::set<QString> WindowNames(QProcess* process, const QString& display) {
  std::set<QString> names;
  const QString ids =
      Run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(process->processId())},
          display);
  for (const QString& id : ids.split('\n', Qt::SkipEmptyParts))
    names.insert(Run("xdotool", {"getwindowname", id}, display));
  return names;
}

}  // namespace

TEST_F(ProgramStarts, WindowCaptionsOnTheXDisplayAreExactlyAsSet) {
  for (const char* tool : {"Xvfb", "xdotool"})  // installed by test.sh
    ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty()) << tool << " is missing";
  QProcess xvfb;
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  ASSERT_TRUE(xvfb.waitForReadyRead(10000));
  const QString display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();

  QProcess* program = Start(display, {}, "xcb");
  auto waitFor = [&](const std::set<QString>& expected) {
    QElapsedTimer t;
    t.start();
    std::set<QString> names;
    while (t.elapsed() < 15000 && (names = WindowNames(program, display)) != expected)
      QThread::msleep(100);
    return names;
  };
  EXPECT_EQ(waitFor({"QXMainForm"}), std::set<QString>{"QXMainForm"});
  // A file handed over by a later start on the same display.
  const QString sample = QString(VQR_SOURCE_DIR) + "/samples/hours40.DAT";
  QProcess* later = Start(display, {sample}, "xcb");
  EXPECT_TRUE(later->waitForFinished(15000));
  const std::set<QString> expected = {"ZT Velqor Data - " + sample,
                                      QString::fromUtf8("Übersicht Mess-Kanal  1 - 16")};
  EXPECT_EQ(waitFor(expected), expected);
  if (HasFailure())
    for (auto& p : running)
      ADD_FAILURE() << "program said: " << p->readAllStandardError().toStdString();

  TearDown();
  running.clear();
  xvfb.terminate();
  xvfb.waitForFinished(5000);
}
