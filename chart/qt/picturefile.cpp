#include "chart/qt/picturefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "data/atomicfile.h"

namespace {
QByteArray Format(const QString& path) {
  const QByteArray ext = QFileInfo(path).suffix().toLower().toLatin1();
  if (ext == "svg" || ext == "pdf") return ext;
  if (!ext.isEmpty() && QImageWriter::supportedImageFormats().contains(ext)) return ext;
  return {};
}

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}
}  // namespace

bool IsPictureFile(const QString& path) { return !Format(path).isEmpty(); }

bool WritePictureFile(const QString& path, int w, int h, QColor background, const QString& title,
                      const std::function<void(QPainter&)>& paint, std::string* error) {
  if (path.isEmpty()) return Fail(error, "no file name");
  QByteArray format = Format(path);
  if (format.isEmpty()) format = "png";
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  auto paintOn = [&](QPainter& painter) {
    if (background.isValid()) painter.fillRect(QRect(0, 0, w, h), background);
    paint(painter);
  };
  if (format == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) return Fail(error, "cannot draw the picture");
    paintOn(painter);
    if (!painter.end()) return Fail(error, "cannot draw the picture");
  } else if (format == "pdf") {
    // One page of exactly the picture's size, one pixel per 1/96 inch.
    QPdfWriter pdf(&buffer);
    pdf.setTitle(title);
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(w * 72.0 / 96.0, h * 72.0 / 96.0), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return Fail(error, "cannot draw the picture");
    paintOn(painter);
    if (!painter.end()) return Fail(error, "cannot draw the picture");
  } else {
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return Fail(error, "the picture is too large");
    {
      QPainter painter(&image);
      paintOn(painter);
    }
    if (!image.save(&buffer, format.constData())) return Fail(error, "cannot encode the picture");
  }
  if (bytes.isEmpty()) return Fail(error, "cannot draw the picture");
  TAtomicFile file;
  if (file.Open(QFile::encodeName(path).toStdString()) &&
      file.Write(bytes.constData(), static_cast<size_t>(bytes.size())) && file.Commit())
    return true;
  return Fail(error, file.Error());
}

bool SaveDiagramPicture(TVQRDiagram& diagram, const QString& path, int w, int h,
                        const TRect& drawRect, QColor background, const QString& title,
                        std::string* error) {
  return WritePictureFile(
      path, w, h, background, title,
      [&](QPainter& painter) {
        QPainterDC dc(painter);
        PaintDiagram(diagram, dc, drawRect);
      },
      error);
}
