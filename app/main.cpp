// Program start: one instance per user and display, then the main window.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "app/QXMain.h"
#include "chart/ui/DiagramWindows.h"
#include "platform/singleinstance.h"
#include "settings/iniclass.h"

namespace {

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
  QApplication app(argc, argv);
  QApplication::setApplicationName("vqrshow4");
  QApplication::setApplicationVersion("4.20");

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
