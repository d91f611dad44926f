#pragma once
// A rich-text background of the printed page (a letterhead or a form): an RTF
// file laid over the whole printable area, with placeholders "%Name%" filled
// from the recording's run parameters. The document is held only from SetFile
// until Release, i.e. for the duration of one print.

#include <QRect>
#include <QString>
#include <memory>
#include <string>

#include "data/rtfreader.h"

class QPainter;
class QTextDocument;
class TVQRMetaData;

class TVQRPaper {
 public:
  /// RTF files larger than this are not read.
  static constexpr qint64 kMaxFileBytes = 20 << 20;
  /// The document is laid out in twips: 1440 layout units per inch.
  static constexpr int kLayoutDpi = 1440;
  /// Pictures of one background: the pixels of all of them as stored, and
  /// as decoded for the page. A background beyond either does not load.
  static constexpr qint64 kMaxSourcePixels = 100'000'000;
  static constexpr qint64 kMaxDecodedPixels = 40'000'000;

  TVQRPaper();
  ~TVQRPaper();
  TVQRPaper(const TVQRPaper&) = delete;
  TVQRPaper& operator=(const TVQRPaper&) = delete;

  /// Creates the (empty) document if needed, clears it and remembers the file.
  void SetFile(const QString& name);
  /// Reads the file when its extension is ".RTF": rich text, or plain text
  /// when it holds no RTF; false otherwise, for a missing or unreadable file
  /// and when its pictures exceed the limits above.
  bool Load();
  /// Replaces the first occurrence of "%name%" (any case) by value, keeping
  /// its character format; false when there is none. The file is untouched.
  bool ReplaceField(const QString& name, const QString& value);
  /// Walks the metadata entries (which also stamps date and time) and
  /// replaces each entry's placeholder.
  void FillFields(TVQRMetaData& meta);
  /// Draws the document's first page into rect (device pixels of the
  /// canvas's device) without painting a background; the document's own
  /// margins place the text. False when there is no document (after Release).
  bool DrawOnCanvas(QPainter& canvas, const QRect& rect);
  /// Frees the document.
  void Release();

  bool Loaded() const { return Loaded_; }
  const QString& FileName() const { return FileName_; }
  const QString& FileExt() const { return FileExt_; }
  QTextDocument* Document() const { return RichEdit_.get(); }

  /// Fills doc (cleared first) with the model read from an RTF file; false,
  /// and nothing filled in, when its pictures exceed the limits above.
  static bool BuildDocument(QTextDocument& doc, const rtf::Document& model);

 private:
  std::unique_ptr<QTextDocument> RichEdit_;
  bool Loaded_ = false;
  QString FileName_;
  QString FileExt_;
};
