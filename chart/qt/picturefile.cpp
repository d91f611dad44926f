#include "chart/qt/picturefile.h"

#include <cerrno>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtEndian>

#include <png.h>

#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "data/atomicfile.h"

namespace {
// Diagrams are mostly flat colour: each row taken against the row above it
// (filter "up") and a fast deflate level cost little in size against the
// adaptive filters and default level, at a third of the time.
constexpr int kPngLevel = 3;

void AppendPngBytes(png_structp png, png_bytep data, png_size_t size) {
  static_cast<QByteArray*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void FlushPngBytes(png_structp) {}

// An RGB32 image as an 8-bit RGB PNG appended to out; false when libpng fails.
bool EncodePng(const QImage& image, QByteArray* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, out, AppendPngBytes, FlushPngBytes);
  png_set_compression_level(png, kPngLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
               static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
    png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                 static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
  png_write_info(png, info);
  // RGB32 lies in memory as B, G, R, unused (little-endian words).
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < image.height(); ++y) png_write_row(png, image.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

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
                      const std::function<void(QPainter&)>& paint, std::string* error,
                      int* errorNumber) {
  if (errorNumber) *errorNumber = 0;
  if (path.isEmpty()) {
    if (errorNumber) *errorNumber = ENOENT;
    return Fail(error, "no file name");
  }
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
    // An opaque background is stored straight into the buffer, as the
    // painter would leave it; a translucent one is blended by the painter.
    const bool opaque = background.isValid() && background.alpha() == 255;
    if (opaque) image.fill(background);
    {
      QPainter painter(&image);
      if (opaque)
        paint(painter);
      else
        paintOn(painter);
    }
    const bool encoded = format == "png" && Q_BYTE_ORDER == Q_LITTLE_ENDIAN
                             ? EncodePng(image, &bytes)
                             : image.save(&buffer, format.constData());
    if (!encoded) return Fail(error, "cannot encode the picture");
  }
  if (bytes.isEmpty()) return Fail(error, "cannot draw the picture");
  TAtomicFile file;
  if (file.Open(QFile::encodeName(path).toStdString()) &&
      file.Write(bytes.constData(), static_cast<size_t>(bytes.size())) && file.Commit())
    return true;
  if (errorNumber) *errorNumber = file.ErrorNumber();
  return Fail(error, file.Error());
}

bool SaveDiagramPicture(TVQRDiagram& diagram, const QString& path, int w, int h,
                        const TRect& drawRect, QColor background, const QString& title,
                        std::string* error, int* errorNumber) {
  return WritePictureFile(
      path, w, h, background, title,
      [&](QPainter& painter) {
        QPainterDC dc(painter);
        PaintDiagram(diagram, dc, drawRect);
      },
      error, errorNumber);
}
