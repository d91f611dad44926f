#include "print/BackGnd.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cstdlib>

#include "data/MetaData.h"
#include "data/regularfile.h"
#include "print/Logo.h"

namespace {

// Layout units are twips; one point is 20 of them.
constexpr int kTwipsPerHalfPoint = 10;
constexpr int kTwipsPerPixel96 = 15;

QString Text(const std::u16string& s) {
  QString out;
  out.reserve(static_cast<qsizetype>(s.size()));
  for (char16_t c : s) {
    // Characters with a meaning of their own inside QTextDocument (block,
    // frame and object markers) and control characters are not text here.
    if ((c < 0x20 && c != u'\t') || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC)
      continue;
    out.append(QChar(c));
  }
  return out;
}

QColor ColorAt(const rtf::Document& d, int index) {
  if (index <= 0 || index >= static_cast<int>(d.colors.size())) return {};
  const rtf::Color& c = d.colors[static_cast<size_t>(index)];
  if (c.automatic) return {};
  return QColor(c.r, c.g, c.b);
}

QTextCharFormat CharFormat(const rtf::Document& d, const rtf::CharFormat& c) {
  QTextCharFormat f;
  const auto font = d.fonts.find(c.font >= 0 ? c.font : d.defaultFont);
  if (font != d.fonts.end() && !font->second.name.empty()) {
    // fontconfig maps the Windows faces (Arial, Times New Roman, Courier
    // New) onto their metric-compatible Liberation faces.
    f.setFontFamilies(QStringList{Text(font->second.name)});
    using F = rtf::Font::Family;
    switch (font->second.family) {
      case F::Roman:
        f.setFontStyleHint(QFont::Serif);
        break;
      case F::Swiss:
        f.setFontStyleHint(QFont::SansSerif);
        break;
      case F::Modern:
        f.setFontStyleHint(QFont::TypeWriter);
        break;
      default:
        break;
    }
  }
  f.setProperty(QTextFormat::FontPixelSize, c.halfPoints * kTwipsPerHalfPoint);
  f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(c.italic);
  f.setFontUnderline(c.underline);
  f.setFontStrikeOut(c.strike);
  const QColor fg = ColorAt(d, c.color);
  f.setForeground(fg.isValid() ? fg : QColor(Qt::black));
  const QColor bg = ColorAt(d, c.highlight);
  if (bg.isValid()) f.setBackground(bg);
  if (c.superSub != 0)
    f.setVerticalAlignment(c.superSub > 0 ? QTextCharFormat::AlignSuperScript
                                          : QTextCharFormat::AlignSubScript);
  return f;
}

QTextBlockFormat BlockFormat(const rtf::ParaFormat& p) {
  QTextBlockFormat f;
  switch (p.align) {
    case rtf::Align::Left:
      f.setAlignment(Qt::AlignLeft);
      break;
    case rtf::Align::Center:
      f.setAlignment(Qt::AlignHCenter);
      break;
    case rtf::Align::Right:
      f.setAlignment(Qt::AlignRight);
      break;
    case rtf::Align::Justify:
      f.setAlignment(Qt::AlignJustify);
      break;
  }
  f.setLeftMargin(p.leftIndent);
  f.setRightMargin(p.rightIndent);
  f.setTextIndent(p.firstIndent);
  f.setTopMargin(p.spaceBefore);
  f.setBottomMargin(p.spaceAfter);
  if (p.lineSpacing != 0) {
    if (p.lineMultiple)
      f.setLineHeight(std::abs(p.lineSpacing) * 100.0 / 240.0,
                      QTextBlockFormat::ProportionalHeight);
    else if (p.lineSpacing > 0)
      f.setLineHeight(p.lineSpacing, QTextBlockFormat::MinimumHeight);
    else
      f.setLineHeight(-p.lineSpacing, QTextBlockFormat::FixedHeight);
  }
  if (!p.tabs.empty()) {
    QList<QTextOption::Tab> tabs;
    for (int t : p.tabs) tabs.append(QTextOption::Tab(t, QTextOption::LeftTab));
    f.setTabPositions(tabs);
  }
  return f;
}

class Builder {
 public:
  Builder(QTextDocument& doc, const rtf::Document& model)
      : doc_(doc), model_(model), cursor_(&doc) {}

  void Build() {
    for (const rtf::Block& block : model_.blocks) {
      if (const auto* p = std::get_if<rtf::Paragraph>(&block)) {
        AddParagraph(cursor_, *p, fresh_);
        table_ = nullptr;
      } else {
        AddRow(std::get<rtf::Row>(block));
      }
    }
  }

 private:
  // fresh: the cursor stands in an empty block that takes this paragraph.
  void AddParagraph(QTextCursor& cur, const rtf::Paragraph& p, bool& fresh) {
    const QTextCharFormat mark = CharFormat(model_, p.mark);
    if (fresh) {
      cur.setBlockFormat(BlockFormat(p.format));
      cur.setBlockCharFormat(mark);
    } else {
      cur.insertBlock(BlockFormat(p.format), mark);
    }
    fresh = false;
    for (const rtf::Run& run : p.runs) {
      if (run.picture >= 0)
        AddPicture(cur, run);
      else
        cur.insertText(Text(run.text), CharFormat(model_, run.format));
    }
  }

  void AddPicture(QTextCursor& cur, const rtf::Run& run) {
    const rtf::Picture& pic = model_.pictures[static_cast<size_t>(run.picture)];
    const QByteArray data(pic.data.data(), static_cast<qsizetype>(pic.data.size()));
    QImage image;
    const bool ok = pic.kind == rtf::Picture::Kind::Png ? TVQRLogo::DecodePng(data, &image)
                                                        : TVQRLogo::DecodeJpeg(data, &image);
    if (!ok) return;
    const QUrl name(QStringLiteral("rtfpic:%1").arg(run.picture));
    doc_.addResource(QTextDocument::ImageResource, name, image);
    // Size on paper: the goal size in twips, else the pixels at 96 dpi.
    const double w = pic.goalWidth > 0 ? pic.goalWidth : image.width() * kTwipsPerPixel96;
    const double h = pic.goalHeight > 0 ? pic.goalHeight : image.height() * kTwipsPerPixel96;
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(w * pic.scaleX / 100.0);
    f.setHeight(h * pic.scaleY / 100.0);
    cur.insertImage(f);
  }

  void AddRow(const rtf::Row& row) {
    std::vector<int> widths;
    int edge = row.left;
    for (const rtf::Cell& c : row.cells) {
      widths.push_back(c.rightEdge - edge);
      edge = c.rightEdge;
    }
    const int cols = static_cast<int>(widths.size());
    if (table_ && widths == widths_) {
      table_->appendRows(1);
    } else {
      QTextTableFormat f;
      QList<QTextLength> constraints;
      for (int w : widths) constraints.append(QTextLength(QTextLength::FixedLength, w));
      f.setColumnWidthConstraints(constraints);
      f.setLeftMargin(row.left + row.gap);
      f.setCellPadding(row.gap);
      f.setCellSpacing(0);
      f.setBorder(0);
      f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
      if (!fresh_) cursor_.insertBlock();
      table_ = cursor_.insertTable(1, cols, f);
      widths_ = widths;
    }
    const int r = table_->rows() - 1;
    for (int c = 0; c < cols; ++c) {
      QTextCursor cc = table_->cellAt(r, c).firstCursorPosition();
      bool fresh = true;
      for (const rtf::Paragraph& p : row.cells[static_cast<size_t>(c)].paragraphs)
        AddParagraph(cc, p, fresh);
    }
    // The block after the table takes what follows.
    cursor_.movePosition(QTextCursor::End);
    fresh_ = true;
  }

  QTextDocument& doc_;
  const rtf::Document& model_;
  QTextCursor cursor_;
  bool fresh_ = true;
  QTextTable* table_ = nullptr;
  std::vector<int> widths_;
};

}  // namespace

TVQRPaper::TVQRPaper() = default;
TVQRPaper::~TVQRPaper() = default;

void TVQRPaper::BuildDocument(QTextDocument& doc, const rtf::Document& model) {
  doc.clear();
  doc.setUndoRedoEnabled(false);
  QFont base;
  base.setPixelSize(24 * kTwipsPerHalfPoint);
  doc.setDefaultFont(base);
  QTextOption option = doc.defaultTextOption();
  option.setTabStopDistance(model.defaultTab);
  doc.setDefaultTextOption(option);
  doc.setDocumentMargin(0);
  QTextFrameFormat root = doc.rootFrame()->frameFormat();
  root.setLeftMargin(model.marginLeft);
  root.setRightMargin(model.marginRight);
  root.setTopMargin(model.marginTop);
  root.setBottomMargin(model.marginBottom);
  doc.rootFrame()->setFrameFormat(root);
  Builder(doc, model).Build();
}

void TVQRPaper::SetFile(const QString& name) {
  if (!RichEdit_) RichEdit_ = std::make_unique<QTextDocument>();
  BuildDocument(*RichEdit_, rtf::Document{});
  Loaded_ = false;
  FileName_ = name;
  FileExt_ = TVQRLogo::FileExtension(name);
}

bool TVQRPaper::Load() {
  bool ok = false;
  if (RichEdit_ && FileExt_.trimmed().toUpper() == QLatin1String(".RTF")) {
    std::string data;
    if (ReadRegularFile(QFile::encodeName(FileName_).toStdString(),
                        static_cast<size_t>(kMaxFileBytes), data)) {
      const rtf::Document model = rtf::Read(data);
      if (model.isRtf) {
        BuildDocument(*RichEdit_, model);
        ok = true;
      }
    }
  }
  Loaded_ = ok;
  return ok;
}

bool TVQRPaper::ReplaceField(const QString& name, const QString& value) {
  if (!RichEdit_) return false;
  QTextCursor found = RichEdit_->find(QLatin1Char('%') + name + QLatin1Char('%'), 0);
  if (found.isNull()) return false;
  // The format of the placeholder's first character, not of what precedes it.
  QTextCursor first(RichEdit_.get());
  first.setPosition(found.selectionStart() + 1);
  found.insertText(value, first.charFormat());
  return true;
}

void TVQRPaper::FillFields(TVQRMetaData& meta) {
  meta.ForEachEntry([this](const std::string& name, const std::string& value) {
    ReplaceField(QString::fromStdString(name), QString::fromStdString(value));
  });
}

bool TVQRPaper::DrawOnCanvas(QPainter& canvas, const QRect& rect) {
  if (!RichEdit_) return false;
  const QPaintDevice* device = canvas.device();
  const int dpiX = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96;
  const int dpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
  // The rectangle in twips, truncated like the device would.
  const qint64 left = qint64(rect.left()) * kLayoutDpi / dpiX;
  const qint64 top = qint64(rect.top()) * kLayoutDpi / dpiY;
  const qint64 right = (qint64(rect.left()) + rect.width()) * kLayoutDpi / dpiX;
  const qint64 bottom = (qint64(rect.top()) + rect.height()) * kLayoutDpi / dpiY;
  if (right <= left || bottom <= top) return true;
  const QSizeF page(right - left, bottom - top);
  RichEdit_->setPageSize(page);
  canvas.save();
  canvas.scale(double(dpiX) / kLayoutDpi, double(dpiY) / kLayoutDpi);
  canvas.translate(left, top);
  // Only the first page: later pages start below its bottom edge.
  RichEdit_->drawContents(&canvas, QRectF(QPointF(0, 0), page));
  canvas.restore();
  return true;
}

void TVQRPaper::Release() {
  RichEdit_.reset();
  Loaded_ = false;
}
