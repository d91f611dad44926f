// Feeds arbitrary bytes to the PNG decoder of background pictures: the first
// two bytes give the size to decode at, the rest is the PNG. A decoded
// picture has that size (at most the PNG's own) and valid premultiplied
// pixels; a refused one leaves a null image. The seeds are such inputs.
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "print/Logo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const QByteArray png(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
  const QSize want(data[0] % 64, data[1] % 64);
  QImage out;
  if (!TVQRLogo::DecodePngScaled(png, want, &out)) {
    if (!out.isNull()) std::abort();
    return 0;
  }
  if (out.isNull() || out.width() > std::max(want.width(), 1) ||
      out.height() > std::max(want.height(), 1))
    std::abort();
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      const QRgb p = out.pixel(x, y);
      if (qRed(p) > qAlpha(p) || qGreen(p) > qAlpha(p) || qBlue(p) > qAlpha(p)) std::abort();
    }
  return 0;
}
