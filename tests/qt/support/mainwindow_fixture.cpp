#include "support/mainwindow_fixture.h"

#include <QPrinter>
#include <QProcess>

IniMap ReadIniMap(const QString& path) {
  IniMap map;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return map;
  QString section;
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.startsWith('[') && line.endsWith(']')) {
      section = line.mid(1, line.size() - 2).toLower();
    } else if (line.contains('=')) {
      const qsizetype eq = line.indexOf('=');
      map[(section + "/" + line.left(eq).toLower()).toStdString()] = line.mid(eq + 1).toStdString();
    }
  }
  return map;
}

std::string SamplePath(const char* name) {
  return std::string(VQR_SOURCE_DIR) + "/samples/" + name;
}

void MainWindowFixture::SetUp() {
  ASSERT_TRUE(dir.isValid());
  iniPath = dir.filePath("vqrshow4.INI");
}

void MainWindowFixture::TearDown() { form.reset(); }

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QRect Ink(const QImage& img, QRgb background) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

int CountPixels(const QImage& image, QColor color) {
  int n = 0;
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += QColor(img.pixel(x, y)) == color;
  return n;
}

ProcessRun Exec(const QString& program, const QStringList& args, const QStringList& env) {
  QProcess p;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& v : env) e.insert(v.section('=', 0, 0), v.section('=', 1));
  p.setProcessEnvironment(e);
  p.setWorkingDirectory(VQR_SOURCE_DIR);
  p.start(program, args);
  EXPECT_TRUE(p.waitForStarted()) << program.toStdString() << ": " << p.errorString().toStdString();
  const bool done = p.waitForFinished(60000);
  return {done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

TQXMainForm* MainWindowFixture::MakeForm(const QString& iniSwitch) {
  if (!QFile::exists(iniPath)) WriteIni();
  TLocateInputs in;
  in.Args = {(iniSwitch.isEmpty() ? "/ini=" + iniPath : iniSwitch).toStdString()};
  in.GetEnv = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
  in.ProgramPath = dir.filePath("vqrshow4").toStdString();
  auto ini = std::make_unique<TZTIniClass>();
  ini->Locate(in);
  form = std::make_unique<TQXMainForm>(std::move(ini));
  // The tests reach every page's fields by name; the window builds a page
  // only when it is shown.
  if (buildPages) form->BuildAllSettingsPages();
  form->SettleMs = 0;
  beeps = 0;
  QObject::connect(form.get(), &TQXMainForm::Beeped, [this] { ++beeps; });
  form->ChooseFile = [this](const TFileRequest& request) {
    lastRequest = request;
    return nextFile;
  };
  form->ChoosePrinter = [this](QPrinter& printer) {
    ++printDialogs;
    if (printTo.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
  };
  return form.get();
}

void MainWindowFixture::CloseForm() {
  form->close();
  form.reset();
}
