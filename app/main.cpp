// Program start: one instance per user and display, then the main window.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/QXMain.h"
#include "gui/chart/DiagramWindows.h"
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
      "usage: vqrshow4 [FILE.DAT] [/ini:PATH] [/public:PATH]\n"
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

}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; AnsweredInformationSwitch(argc, argv, &status)) return status;
  QApplication app(argc, argv);
  QApplication::setApplicationName("vqrshow4");
  QApplication::setApplicationVersion(VQR_VERSION);

  // The user interface is German, so are Qt's own dialogs.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QTranslator qtTranslator;
  if (qtTranslator.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTranslator);

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

  auto ini = std::make_unique<TZTIniClass>();
  ini->Locate();
  TQXMainForm form(std::move(ini));
  // The overview and channel windows, created after the main window.
  TDiagramWindows windows(form);
  QObject::connect(&instance, &TSingleInstance::ArgumentsReceived, &form,
                   &TQXMainForm::HandleForwardedArguments);
  form.show();
  if (!dataFile.isEmpty())
    QTimer::singleShot(0, &form, [&form, dataFile]() { form.OpenDataFile(dataFile); });

  const int result = QApplication::exec();
  form.SaveMainWindowPosition();
  return result;
}
