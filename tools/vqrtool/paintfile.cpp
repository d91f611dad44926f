#include "paintfile.h"

#include <QGuiApplication>

#include "chart/qt/picturefile.h"

namespace {
QtMessageHandler previousHandler = nullptr;

// A batch tool has no use for the runtime-directory notice of a headless
// session; everything else is passed on.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
  if (msg.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set")) return;
  if (previousHandler) previousHandler(type, context, msg);
}
}  // namespace

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  previousHandler = qInstallMessageHandler(FilterMessages);
  const bool display =
      !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !display)
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vqrtool";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

bool IsPaintableFile(const std::string& path) {
  return IsPictureFile(QString::fromStdString(path));
}

bool PaintToFile(const std::string& path, int w, int h, QColor background,
                 const std::function<void(QPainter&)>& paint, std::string* error) {
  return WritePictureFile(QString::fromStdString(path), w, h, background, "vqrshow4", paint, error);
}
