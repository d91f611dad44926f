#pragma once
// A main window over a private INI file in a temporary folder, with the
// file dialogs answered by the test.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>
#include <optional>

#include "app/QXMain.h"
#include "settings/iniclass.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

/// Section/key (lower case) -> value of an INI file.
using IniMap = std::map<std::string, std::string>;
IniMap ReadIniMap(const QString& path);
std::string SamplePath(const char* name);
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
/// Bounding box of the pixels that differ from background.
QRect Ink(const QImage& img, QRgb background = qRgb(255, 255, 255));
/// Pixels of exactly that colour.
int CountPixels(const QImage& image, QColor color);
struct ProcessRun {
  int status;  // -1: crashed or still running after a minute
  QString out, err;
};
/// Runs a program in the source folder; env: extra "NAME=value" entries.
ProcessRun Exec(const QString& program, const QStringList& args, const QStringList& env = {});

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Writes the INI file (a "[General]" section when text is empty).
  void WriteIni(const QByteArray& text = QByteArray()) {
    WriteFile(iniPath, text.isEmpty() ? QByteArray("[General]\nSavePos=OFF\n") : text);
  }
  /// Creates the main window over the INI file; iniSwitch overrides "/ini=...".
  /// Every settings page is built at once unless buildPages is off.
  TQXMainForm* MakeForm(const QString& iniSwitch = QString());
  /// Closes the window as the user would (settings are written).
  void CloseForm();

  template <class T>
  T* Find(const char* name) {
    T* w = form->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  QString iniPath;
  bool buildPages = true;
  std::unique_ptr<TQXMainForm> form;
  /// Answer of the next file dialog ("" cancels); the request is kept.
  QString nextFile;
  std::optional<TFileRequest> lastRequest;
  /// The print dialog: each call is counted; with printTo set it prints
  /// into that PDF file, else it is cancelled.
  QString printTo;
  int printDialogs = 0;
  /// The window's beeps (TQXMainForm::Beeped), counted from MakeForm on.
  int beeps = 0;
};
