#include "print/Logo.h"

#include <jerror.h>
#include <png.h>
#include <stdio.h>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>
#include <setjmp.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "data/regularfile.h"

namespace {

// Image files larger than this are not read into memory at all: far more
// than any logo, and an uncompressed 24-bit bitmap of 4700 x 4700 pixels.
constexpr size_t kMaxFileBytes = 64 << 20;

bool PixelCountOk(qint64 w, qint64 h) { return w > 0 && h > 0 && w * h <= TVQRLogo::kMaxPixels; }

// ---- JPEG ----------------------------------------------------------------
// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back into DecodeJpegRaw. That function therefore holds no C++
// object with a destructor; the image lives in the caller.

struct JpegError {
  jpeg_error_mgr pub;
  jmp_buf jump;
  bool damaged;
};

void JpegErrorExit(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  // libjpeg only warns about missing or corrupt entropy data and fills the
  // rest with grey; a logo like that is damaged, not loaded.
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
      reinterpret_cast<JpegError*>(cinfo->err)->damaged = true;
      break;
    default:
      break;
  }
}

void JpegSilent(j_common_ptr) {}

bool DecodeJpegRaw(const unsigned char* data, unsigned long size, QImage* out) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.emit_message = JpegEmitMessage;
  err.pub.output_message = JpegSilent;
  err.damaged = false;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    *out = QImage();
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  if (!PixelCountOk(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int w = static_cast<int>(cinfo.output_width);
  const int h = static_cast<int>(cinfo.output_height);
  *out = QImage(w, h, QImage::Format_RGB888);
  if (out->isNull()) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  JSAMPARRAY cmykRow =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                        static_cast<JDIMENSION>(w) * 4, 1)
           : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    uchar* line = out->scanLine(static_cast<int>(cinfo.output_scanline));
    if (!cmyk) {
      JSAMPROW row = line;
      jpeg_read_scanlines(&cinfo, &row, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, cmykRow, 1);
    // Adobe writes CMYK JPEGs inverted: the samples are 255 - ink.
    const JSAMPLE* s = cmykRow[0];
    for (int x = 0; x < w; ++x, s += 4) {
      line[3 * x] = static_cast<uchar>(s[0] * s[3] / 255);
      line[3 * x + 1] = static_cast<uchar>(s[1] * s[3] / 255);
      line[3 * x + 2] = static_cast<uchar>(s[2] * s[3] / 255);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  if (err.damaged) {
    *out = QImage();
    return false;
  }
  return true;
}

// ---- PNG -----------------------------------------------------------------
// Same rule as above: libpng's errors jump back into DecodePngRaw.

struct PngSource {
  const unsigned char* data;
  size_t size;
  size_t pos;
};

void PngRead(png_structp png, png_bytep dst, png_size_t n) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (n > src->size - src->pos) png_error(png, "truncated");
  std::memcpy(dst, src->data + src->pos, n);
  src->pos += n;
}

void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

bool DecodePngRaw(const unsigned char* data, size_t size, QImage* out) {
  PngSource src{data, size, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    *out = QImage();
    return false;
  }
  png_set_user_limits(png, 1'000'000, 1'000'000);
  png_set_read_fn(png, &src, PngRead);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (!PixelCountOk(w, h)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  const int colorType = png_get_color_type(png, info);
  const bool gray = (colorType & PNG_COLOR_MASK_COLOR) == 0;
  const bool alpha =
      (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  // 8 bits per sample in the PNG's own layout: grey, RGB or RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  if (gray && alpha) png_set_gray_to_rgb(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const QImage::Format format = alpha  ? QImage::Format_RGBA8888
                                : gray ? QImage::Format_Grayscale8
                                       : QImage::Format_RGB888;
  *out = QImage(static_cast<int>(w), static_cast<int>(h), format);
  if (out->isNull() || png_get_rowbytes(png, info) > static_cast<png_size_t>(out->bytesPerLine())) {
    png_destroy_read_struct(&png, &info, nullptr);
    *out = QImage();
    return false;
  }
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < h; ++y)
      png_read_row(png, out->scanLine(static_cast<int>(y)), nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

// Averages the rows of a picture, top to bottom, into a smaller image (a box
// filter): every source pixel falls into exactly one target pixel, which
// becomes the mean of its source pixels. Colours are weighted by their alpha
// and the result is premultiplied, as Qt draws it.
class BoxScaler {
 public:
  // Sized for rows of srcW pixels of 8-bit RGB (or RGBA with alpha), the
  // target at most as large as the source; false when out of memory.
  bool Start(int srcW, int srcH, QSize target, bool alpha, QImage* out) {
    srcW_ = srcW, srcH_ = srcH, alpha_ = alpha;
    w_ = std::clamp(target.width(), 1, srcW), h_ = std::clamp(target.height(), 1, srcH);
    *out = QImage(w_, h_, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (out->isNull()) return false;
    out_ = out;
    try {
      line_.assign(static_cast<size_t>(srcW) * (alpha ? 4 : 3), 0);
      sum_.assign(static_cast<size_t>(w_) * 4, 0);
      colStart_.resize(static_cast<size_t>(w_) + 1);
    } catch (const std::bad_alloc&) {
      return false;
    }
    for (int x = 0; x <= w_; ++x) colStart_[static_cast<size_t>(x)] = Edge(x, srcW, w_);
    return true;
  }
  // The buffer the next source row goes into.
  uchar* Row() { return line_.data(); }
  // Adds the row in Row(); after the last source row of a target row, that
  // row is written.
  void AddRow() {
    alpha_ ? Accumulate<true>() : Accumulate<false>();
    ++y_;
    if (y_ < Edge(outRow_ + 1, srcH_, h_)) return;
    // A target pixel holds rows x narrow or rows x (narrow + 1) source
    // pixels; colours weighted by alpha (0..255) divide by 255 more, as
    // premultiplied ones.
    const double rows = y_ - Edge(outRow_, srcH_, h_);
    const int narrow = srcW_ / w_;
    const double inverse[2] = {1 / (rows * narrow), 1 / (rows * (narrow + 1))};
    const double weight = alpha_ ? 1 / 255.0 : 1;
    auto* line = reinterpret_cast<QRgb*>(out_->scanLine(outRow_));
    for (int x = 0; x < w_; ++x) {
      uint64_t* s = &sum_[static_cast<size_t>(x) * 4];
      const double n = inverse[colStart_[static_cast<size_t>(x) + 1] -
                               colStart_[static_cast<size_t>(x)] - narrow];
      const double c = n * weight;
      auto mean = [](uint64_t v, double by) { return static_cast<int>(double(v) * by + 0.5); };
      const int a = alpha_ ? mean(s[3], n) : 255;
      line[x] = qRgba(std::min(mean(s[0], c), a), std::min(mean(s[1], c), a),
                      std::min(mean(s[2], c), a), a);
      s[0] = s[1] = s[2] = s[3] = 0;
    }
    ++outRow_;
  }

 private:
  // The first source pixel of target pixel i: bins differ by at most one pixel.
  static int Edge(int i, int src, int dst) { return static_cast<int>(qint64(i) * src / dst); }

  template <bool kAlpha>
  void Accumulate() {
    constexpr int kChannels = kAlpha ? 4 : 3;
    const uchar* p = line_.data();
    for (int x = 0; x < w_; ++x) {
      uint64_t r = 0, g = 0, b = 0, a = 0;
      for (const uchar* end = line_.data() + colStart_[static_cast<size_t>(x) + 1] * kChannels;
           p < end; p += kChannels) {
        if constexpr (kAlpha) {
          r += p[0] * p[3], g += p[1] * p[3], b += p[2] * p[3], a += p[3];
        } else {
          r += p[0], g += p[1], b += p[2];
        }
      }
      uint64_t* s = &sum_[static_cast<size_t>(x) * 4];
      s[0] += r, s[1] += g, s[2] += b, s[3] += a;
    }
  }

  int srcW_ = 0, srcH_ = 0, w_ = 0, h_ = 0, y_ = 0, outRow_ = 0;
  bool alpha_ = false;
  QImage* out_ = nullptr;
  std::vector<uchar> line_;
  std::vector<uint64_t> sum_;
  std::vector<int> colStart_;
};

// A picture without interlacing, decoded row by row into the scaler (which
// lives in the caller: libpng's errors jump back here).
bool DecodePngScaledRaw(const unsigned char* data, size_t size, QSize target, BoxScaler* scaler,
                        QImage* out) {
  PngSource src{data, size, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    *out = QImage();
    return false;
  }
  png_set_user_limits(png, 1'000'000, 1'000'000);
#ifdef PNG_IGNORE_ADLER32
  // The CRC of every chunk guards the data already; zlib's own checksum
  // over it would cost a tenth of the decoding.
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  png_set_read_fn(png, &src, PngRead);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  const int colorType = png_get_color_type(png, info);
  const bool alpha =
      (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  // 8-bit RGB or RGBA whatever the PNG holds.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  if (!PixelCountOk(w, h) || png_get_interlace_type(png, info) != PNG_INTERLACE_NONE ||
      png_get_rowbytes(png, info) != png_size_t{w} * (alpha ? 4 : 3) ||
      !scaler->Start(static_cast<int>(w), static_cast<int>(h), target, alpha, out)) {
    png_destroy_read_struct(&png, &info, nullptr);
    *out = QImage();
    return false;
  }
  for (png_uint_32 y = 0; y < h; ++y) {
    png_read_row(png, scaler->Row(), nullptr);
    scaler->AddRow();
  }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool ReadWholeFile(const QString& name, QByteArray* data) {
  std::string bytes;
  if (!ReadRegularFile(QFile::encodeName(name).toStdString(), kMaxFileBytes, bytes)) return false;
  *data = QByteArray::fromStdString(bytes);
  return true;
}

uint32_t Be(const uchar* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

uint32_t Le(const uchar* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// Qt reads a truncated uncompressed bitmap without complaint and leaves the
// missing rows undefined; compare the file's length with what the header
// promises instead.
bool BmpComplete(const QByteArray& file) {
  const QByteArray head = file.left(34);
  if (head.size() < 26 || !head.startsWith("BM")) return false;
  const auto* h = reinterpret_cast<const uchar*>(head.constData());
  const qint64 offBits = Le(h + 10, 4);
  const uint32_t infoSize = Le(h + 14, 4);
  qint64 width = 0, height = 0, bits = 0, compression = 0;
  if (infoSize == 12) {  // OS/2 core header
    width = Le(h + 18, 2), height = Le(h + 20, 2), bits = Le(h + 24, 2);
  } else {
    if (head.size() < 34) return false;
    width = static_cast<int32_t>(Le(h + 18, 4));
    height = static_cast<int32_t>(Le(h + 22, 4));
    bits = Le(h + 28, 2);
    compression = Le(h + 30, 4);
  }
  if (!PixelCountOk(std::abs(width), std::abs(height))) return false;
  if (compression != 0 && compression != 3 && compression != 6) return true;  // RLE: Qt checks
  const qint64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
  return file.size() >= offBits + rowBytes * std::abs(height);
}

bool LoadBmp(const QString& name, QImage* out) {
  QByteArray data;
  if (!ReadWholeFile(name, &data) || !BmpComplete(data)) return false;
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "bmp");
  reader.setAutoDetectImageFormat(false);
  const QSize size = reader.size();  // from the header, nothing decoded yet
  if (!PixelCountOk(size.width(), size.height())) return false;
  reader.setAllocationLimit(static_cast<int>(TVQRLogo::kMaxPixels * 4 / (1024 * 1024) + 1));
  return reader.read(out) && !out->isNull();
}

}  // namespace

bool TVQRLogo::DecodePng(const QByteArray& data, QImage* out) {
  return DecodePngRaw(reinterpret_cast<const unsigned char*>(data.constData()),
                      static_cast<size_t>(data.size()), out);
}

bool TVQRLogo::DecodePngScaled(const QByteArray& data, QSize size, QImage* out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
  BoxScaler scaler;
  // The interlace method, byte 28 of the file: the passes of an interlaced
  // picture only complete its rows at the end, so it is decoded whole first,
  // up to 16 million pixels (64 MB).
  if (data.size() <= 28 || bytes[28] == 0)
    return DecodePngScaledRaw(bytes, static_cast<size_t>(data.size()), size, &scaler, out);
  constexpr qint64 kMaxInterlacedPixels = 16'000'000;
  QImage full;
  if (quint64(Be(bytes + 16)) * Be(bytes + 20) > quint64(kMaxInterlacedPixels) ||
      !DecodePng(data, &full)) {
    *out = QImage();
    return false;
  }
  const bool alpha = full.hasAlphaChannel();
  full.convertTo(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (full.isNull() || !scaler.Start(full.width(), full.height(), size, alpha, out)) {
    *out = QImage();
    return false;
  }
  const size_t rowBytes = static_cast<size_t>(full.width()) * (alpha ? 4 : 3);
  for (int y = 0; y < full.height(); ++y) {
    std::memcpy(scaler.Row(), full.constScanLine(y), rowBytes);
    scaler.AddRow();
  }
  return true;
}

bool TVQRLogo::DecodeJpeg(const QByteArray& data, QImage* out) {
  return DecodeJpegRaw(reinterpret_cast<const unsigned char*>(data.constData()),
                       static_cast<unsigned long>(data.size()), out);
}

QString TVQRLogo::FileExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) return {};
  for (qsizetype i = dot + 1; i < name.size(); ++i) {
    const QChar c = name[i];
    if (c == u'\\' || c == u'/' || c == u':') return {};
  }
  return name.mid(dot);
}

float TVQRLogo::PlacementFactor(double scale, int dpi) {
  return static_cast<float>(scale * dpi / 100.0);
}

void TVQRLogo::SetFile(const QString& name) {
  Image_ = QImage();
  Loaded_ = false;
  FileName_ = name;
  FileExt_ = FileExtension(name);
}

bool TVQRLogo::Load() {
  const QString ext = FileExt_.trimmed().toUpper();
  QImage image;
  bool ok = false;
  if (ext == ".BMP") {
    ok = LoadBmp(FileName_, &image);
  } else if (ext == ".JPG" || ext == ".JPEG" || ext == ".PNG") {
    QByteArray data;
    if (ReadWholeFile(FileName_, &data))
      ok = ext == ".PNG" ? DecodePng(data, &image) : DecodeJpeg(data, &image);
  }
  Image_ = ok ? std::move(image) : QImage();
  Loaded_ = ok;
  return ok;
}

void TVQRLogo::SetPlacement(int x, int y, float factorX, float factorY) {
  PosX_ = x;
  PosY_ = y;
  FactorX_ = factorX == 0.0f ? 1.0f : factorX;
  FactorY_ = factorY == 0.0f ? 1.0f : factorY;
}

QRect TVQRLogo::DrawRect() const {
  // std::rint rounds halves to even in the default rounding mode.
  auto scaled = [](int pixels, float factor) {
    const double v = std::rint(pixels * static_cast<double>(factor));
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
  };
  // Far off the page either way; kept so that the far corner is an int too.
  auto place = [](int pos) { return std::clamp(pos, -1'000'000'000, 1'000'000'000); };
  return QRect(place(PosX_), place(PosY_), scaled(Image_.width(), FactorX_),
               scaled(Image_.height(), FactorY_));
}

bool TVQRLogo::Draw(QPainter& canvas) const {
  if (!Loaded_ || Image_.isNull()) return false;
  canvas.save();
  canvas.setRenderHint(QPainter::SmoothPixmapTransform);
  canvas.drawImage(DrawRect(), Image_);
  canvas.restore();
  return true;
}

void TVQRLogo::Release() {
  Image_ = QImage();
  Loaded_ = false;
}
