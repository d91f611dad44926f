#include "paintfile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdlib>
#include <string_view>

#include "data/numtext.h"

namespace {
std::string Extension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}
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
  const std::string ext = Extension(path);
  if (ext == "svg" || ext == "pdf") return true;
  return !ext.empty() && QImageWriter::supportedImageFormats().contains(QByteArray(ext.c_str()));
}

bool ParseSize(const std::string& s, int& w, int& h) {
  const size_t x = s.find_first_of("xX");
  if (x == std::string::npos) return false;
  const std::string_view text(s);
  return WholeIntFromText(text.substr(0, x), w) && WholeIntFromText(text.substr(x + 1), h) &&
         w > 0 && h > 0 && w <= 20000 && h <= 20000;
}

bool PaintToFile(const std::string& path, int w, int h, QColor background,
                 const std::function<void(QPainter&)>& paint) {
  const QString file = QString::fromStdString(path);
  const std::string ext = Extension(path);
  if (ext == "svg") {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setTitle("vqrshow4");
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.fillRect(QRect(0, 0, w, h), background);
    paint(painter);
    return painter.end() && QFile::exists(file);
  }
  if (ext == "pdf") {
    // One page of exactly the picture's size, one pixel per 1/96 inch.
    QPdfWriter pdf(file);
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(w * 72.0 / 96.0, h * 72.0 / 96.0), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    painter.fillRect(QRect(0, 0, w, h), background);
    paint(painter);
    return painter.end() && QFile(file).size() > 0;
  }
  QImage img(w, h, QImage::Format_RGB32);
  if (img.isNull()) return false;
  img.fill(background);
  {
    QPainter painter(&img);
    paint(painter);
  }
  return img.save(file);
}
