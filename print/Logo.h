#pragma once
// The logo of the printed page: one raster image (BMP, JPEG or PNG) stretched
// to a position and size on the print canvas. The picture is held only from
// Load until Release, i.e. for the duration of one print.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

class TVQRLogo {
 public:
  /// Images with more pixels than this are refused before anything is allocated.
  static constexpr qint64 kMaxPixels = 100'000'000;

  /// Prepares for a new image: forgets the old one, remembers name and extension.
  void SetFile(const QString& name);
  /// Reads and decodes the file by its extension; false for an unknown
  /// extension, a missing or unreadable file and damaged image data.
  bool Load();
  /// Device position of the top left corner and device pixels per image
  /// pixel; a factor of 0 means 1.0.
  void SetPlacement(int x, int y, float factorX, float factorY);
  /// Stretches the picture into DrawRect(); false (nothing drawn) when not loaded.
  bool Draw(QPainter& canvas) const;
  /// Frees the picture.
  void Release();

  /// The rectangle Draw fills: the picture's size times the factors, rounded
  /// half to even.
  QRect DrawRect() const;
  /// Stretch factor for the logo setting "Scale" on a device of dpi pixels per
  /// inch: at 1.0 one image pixel covers 1/100 inch.
  static float PlacementFactor(double scale, int dpi);
  /// The part of the name from the last "." on, unless a "\", "/" or ":"
  /// follows that dot; otherwise empty.
  static QString FileExtension(const QString& name);

  /// Decoders for image data in memory (also used for pictures inside rich
  /// text). False and a null image for damaged, truncated or oversized data.
  static bool DecodePng(const QByteArray& data, QImage* out);
  static bool DecodeJpeg(const QByteArray& data, QImage* out);
  /// Decodes a PNG straight into size (at most its own on either side):
  /// every pixel is the mean of the picture's pixels that fall into it, and
  /// the picture is never held at its own size unless it is interlaced
  /// (then at most 16 million pixels).
  static bool DecodePngScaled(const QByteArray& data, QSize size, QImage* out);

  const QImage& Image() const { return Image_; }
  bool Loaded() const { return Loaded_; }
  const QString& FileName() const { return FileName_; }
  const QString& FileExt() const { return FileExt_; }
  int PosX() const { return PosX_; }
  int PosY() const { return PosY_; }
  float FactorX() const { return FactorX_; }
  float FactorY() const { return FactorY_; }

 private:
  QImage Image_;
  int PosX_ = 0;
  int PosY_ = 0;
  float FactorX_ = 1.0f;
  float FactorY_ = 1.0f;
  bool Loaded_ = false;
  QString FileName_;
  QString FileExt_;
};
