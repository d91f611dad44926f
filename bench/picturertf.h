#pragma once
// Rich-text backgrounds holding large PNG pictures, for measuring how fast
// and in how much memory they load: bench_background and the program
// picture_rtf, which writes the same files for timing `vqrtool print`.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cmath>
#include <string>

/// A side x side picture that is no solid colour but compresses well (a
/// 5000 x 5000 one to about 1 MB): red rises across, green down, both in
/// steps of 20 pixels, blue in four shades of rings around a centre that
/// seed moves, with a grid of dark lines every 250 pixels.
inline QImage LargePicture(int side, int seed) {
  QImage img(side, side, QImage::Format_RGB888);
  const double cx = side * (0.3 + 0.1 * seed), cy = side * 0.4;
  for (int y = 0; y < side; ++y) {
    uchar* line = img.scanLine(y);
    for (int x = 0; x < side; ++x, line += 3) {
      const bool grid = x % 250 < 3 || y % 250 < 3;
      const double r = std::hypot(x - cx, y - cy);
      line[0] = grid ? 20 : static_cast<uchar>(255 * (x / 20 * 20) / side);
      line[1] = grid ? 20 : static_cast<uchar>(255 * (y / 20 * 20) / side);
      line[2] = grid ? 20 : static_cast<uchar>(60 * (static_cast<int>(r / 40) % 4) + 40);
    }
  }
  return img;
}

/// An A4 background (2 cm margins) with count such pictures, one paragraph
/// each, drawn widthTwips x heightTwips (by default the whole text area).
inline std::string PictureRtf(int count, int side, int widthTwips = 9638, int heightTwips = 13606) {
  std::string rtf =
      "{\\rtf1\\ansi\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134\n"
      "\\pard Briefkopf %Date%\\par\n";
  for (int k = 0; k < count; ++k) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(LargePicture(side, k));
    rtf += "{\\pict\\pngblip\\picw" + std::to_string(side) + "\\pich" + std::to_string(side) +
           "\\picwgoal" + std::to_string(widthTwips) + "\\pichgoal" + std::to_string(heightTwips) +
           "\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) rtf += hex.mid(i, 128).toStdString() + "\n";
    rtf += "}\\par\n";
  }
  return rtf + "}\n";
}
