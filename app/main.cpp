// Program start: one instance per user and display, then the main window.
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "app/QXMain.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/common/uilanguage.h"
#include "platform/singleinstance.h"
#include "settings/iniclass.h"

namespace {

// The command line, as --help shows it and the manual page repeats it.
struct TArgumentHelp {
  const char* argument;
  const char* meaning;
};
constexpr TArgumentHelp kArguments[] = {
    {"FILE.DAT", "the recording to open; a running vqrshow4 of this user and display opens it"},
    {"FILE.vqa", "a saved evaluation to open instead, handed over in the same way"},
    {"/ini:PATH",
     "the settings file, or a folder holding vqrshow4.INI (also /ini=PATH, --ini=PATH)"},
    {"/public:PATH",
     "a read-only settings file for the values the own file lacks (also\n"
     "/public=PATH, --public=PATH)"},
    {"--help", "print this text and exit"},
    {"--version", "print the version and exit"},
};

void PrintUsage() {
  std::printf(
      "usage: vqrshow4 [FILE.DAT | FILE.vqa] [/ini:PATH] [/public:PATH]\n"
      "       vqrshow4 --help | --version\n\n");
  for (const TArgumentHelp& a : kArguments) {
    // Continuation lines of a meaning line up under its first line.
    std::printf("  %-14s", a.argument);
    for (const char* m = a.meaning; *m; ++m) {
      std::putchar(*m);
      if (*m == '\n') std::printf("  %-14s", "");
    }
    std::putchar('\n');
  }
}

// --help and --version answer on stdout without starting the program.
bool AnsweredInformationSwitch(int argc, char** argv, int* status) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage();
      *status = 0;
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("vqrshow4 %s\n", VQR_VERSION);
      *status = 0;
      return true;
    }
  }
  return false;
}

// A data file named on the command line (the first argument that is not a
// settings switch), made absolute so that a running instance can open it from
// its own working directory.
QString DataFileArgument(const QStringList& args) {
  for (const QString& arg : args.mid(1)) {
    if (TZTIniClass::IsSettingsSwitch(arg.toStdString())) continue;
    return QFileInfo(arg).absoluteFilePath();
  }
  return QString();
}

// VQR_STARTUP_TRACE=1 writes the steps of the start on stderr: ms since main
// began, the process's processor time so far (loading the libraries included)
// and how long the main thread waited for a processor; VQR_STARTUP_TRACE=exit also ends the program
// at once when the overview has been painted for the first time, so that the whole start can be
// timed from outside.
class TStartupTrace : public QObject {
 public:
  static TStartupTrace* FromEnvironment() {
    const char* mode = std::getenv("VQR_STARTUP_TRACE");
    if (!mode || !*mode) return nullptr;
    static TStartupTrace trace(std::strcmp(mode, "exit") == 0);
    return &trace;
  }
  static void Step(TStartupTrace* trace, const char* what) {
    if (!trace) return;
    // The main thread's time spent waiting for a processor: on a busy
    // machine the larger part of the wall time.
    unsigned long long run = 0, waited = 0;
    if (FILE* f = std::fopen("/proc/thread-self/schedstat", "r")) {
      if (std::fscanf(f, "%llu %llu", &run, &waited) != 2) waited = 0;
      std::fclose(f);
    }
    std::fprintf(stderr, "startup %7.1f ms  cpu %7.1f ms  waited for a processor %7.1f ms  %s\n",
                 trace->clock_.nsecsElapsed() / 1e6, std::clock() * 1e3 / CLOCKS_PER_SEC,
                 waited / 1e6, what);
  }
  void WatchPaints() { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->objectName() == "F_Overview") {
      qApp->removeEventFilter(this);
      // Runs once the paint has been handed to the window system.
      QTimer::singleShot(0, [this]() {
        Step(this, "overview painted");
        if (exit_) _exit(0);
      });
    }
    return false;
  }

 private:
  explicit TStartupTrace(bool exitWhenPainted) : exit_(exitWhenPainted) { clock_.start(); }
  QElapsedTimer clock_;
  bool exit_;
};

}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; AnsweredInformationSwitch(argc, argv, &status)) return status;
  TStartupTrace* trace = TStartupTrace::FromEnvironment();
  QApplication app(argc, argv);
  TStartupTrace::Step(trace, "application");
  if (trace) trace->WatchPaints();
  QApplication::setApplicationName("vqrshow4");
  QApplication::setApplicationVersion(VQR_VERSION);

  const QString dataFile = DataFileArgument(QApplication::arguments());
  TSingleInstance instance("VQRShow4App");
  switch (instance.ForwardOrListen(dataFile.isEmpty() ? QStringList() : QStringList{dataFile})) {
    case TSingleInstance::Outcome::Primary:
      break;
    case TSingleInstance::Outcome::Forwarded:
      return 0;
    case TSingleInstance::Outcome::Unanswered:
      std::fprintf(stderr, "vqrshow4: the running program did not confirm the hand-over\n");
      return 1;
    case TSingleInstance::Outcome::Alone:
      std::fprintf(stderr, "vqrshow4: %s; starting without looking for a running program\n",
                   qPrintable(instance.FolderError()));
      break;
  }

  TStartupTrace::Step(trace, "single instance");
  auto ini = std::make_unique<TZTIniClass>();
  ini->Locate();
  // The language chosen in the settings, or the system's; a change applies
  // at the next start.
  const TLanguage language =
      ChosenLanguage(ini->IniReadString("Program", "Language", "System"), ProcessEnvironment());
  if (!ApplyUiLanguage(language, QString::fromStdString(ini->DataDir)))
    std::fprintf(stderr,
                 "vqrshow4: the English translation was not found; the texts stay German\n");
  TStartupTrace::Step(trace, "translations");
  TQXMainForm form(std::move(ini));
  TStartupTrace::Step(trace, "main window");
  // The overview and channel windows, created after the main window.
  TDiagramWindows windows(form);
  TStartupTrace::Step(trace, "diagram windows");
  QObject::connect(&instance, &TSingleInstance::ArgumentsReceived, &form,
                   &TQXMainForm::HandleForwardedArguments);
  form.show();
  TStartupTrace::Step(trace, "shown");
  if (!dataFile.isEmpty())
    QTimer::singleShot(0, &form, [&form, dataFile, trace]() {
      TStartupTrace::Step(trace, "opening");
      form.OpenFileArgument(dataFile);
      TStartupTrace::Step(trace, "opened");
    });

  const int result = QApplication::exec();
  form.SaveMainWindowPosition();
  return result;
}
