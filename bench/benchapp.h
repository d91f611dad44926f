#pragma once
// The one Qt application object of a benchmark that paints: made on first
// use, offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QGuiApplication>

inline QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "vqrbench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  return app;
}
