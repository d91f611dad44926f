#include "print/BackGnd.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTextTableCell>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

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

// automatic: the colour of text in the automatic colour there.
QTextCharFormat CharFormat(const rtf::Document& d, const rtf::CharFormat& c,
                           const QColor& automatic = Qt::black) {
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
  f.setForeground(fg.isValid() ? fg : automatic);
  const QColor bg = ColorAt(d, c.highlight);
  if (bg.isValid()) f.setBackground(bg);
  if (c.superSub != 0)
    f.setVerticalAlignment(c.superSub > 0 ? QTextCharFormat::AlignSuperScript
                                          : QTextCharFormat::AlignSubScript);
  return f;
}

// Languages that write numbers with a decimal point (LANGID primary
// languages: Chinese, Hebrew, English, Japanese, Korean, Thai).
QChar DecimalSeparator(int language) {
  switch (language & 0x3FF) {
    case 0x04:
    case 0x0D:
    case 0x09:
    case 0x11:
    case 0x12:
    case 0x1E:
      return u'.';
    default:
      return u',';
  }
}

// Text aligned at a right, centre or decimal tab stop must fit before it:
// the stop moves 1 pt left, so that rounding in the glyph widths cannot push
// a field that ends at the right margin onto the next line, and a stop
// beyond the margin stands at it.
constexpr int kTabSlack = 20;

QTextBlockFormat BlockFormat(const rtf::ParaFormat& p, QChar decimal, int textWidth) {
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
    std::vector<rtf::Tab> sorted = p.tabs;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const rtf::Tab& a, const rtf::Tab& b) { return a.position < b.position; });
    for (const rtf::Tab& t : sorted) {
      const int aligned = std::max(0, std::min(t.position, textWidth) - kTabSlack);
      switch (t.kind) {
        case rtf::Tab::Kind::Left:
          tabs.append(QTextOption::Tab(t.position, QTextOption::LeftTab));
          break;
        case rtf::Tab::Kind::Center:
          tabs.append(QTextOption::Tab(aligned, QTextOption::CenterTab));
          break;
        case rtf::Tab::Kind::Right:
          tabs.append(QTextOption::Tab(aligned, QTextOption::RightTab));
          break;
        case rtf::Tab::Kind::Decimal:
          tabs.append(QTextOption::Tab(aligned, QTextOption::DelimiterTab, decimal));
          break;
      }
    }
    f.setTabPositions(tabs);
  }
  return f;
}

// Pictures are decoded at most at this resolution of their size on the page
// (and never larger than their own pixels); a picture larger than this on
// either side is decoded at this size and drawn stretched.
constexpr int kPictureDpi = 300;
constexpr int kMaxPictureSide = 6000;

QColor Mix(const QColor& back, const QColor& fore, int shading) {
  const double s = shading / 10000.0;
  return QColor::fromRgbF(static_cast<float>(back.redF() * (1 - s) + fore.redF() * s),
                          static_cast<float>(back.greenF() * (1 - s) + fore.greenF() * s),
                          static_cast<float>(back.blueF() * (1 - s) + fore.blueF() * s));
}

// The header of a picture and the size it is decoded at.
struct PictureReader {
  explicit PictureReader(const rtf::Picture& pic)
      : data(QByteArray::fromRawData(pic.data.data(), static_cast<qsizetype>(pic.data.size()))),
        buffer(&data),
        reader(&buffer, pic.kind == rtf::Picture::Kind::Png ? "png" : "jpeg") {
    buffer.open(QIODevice::ReadOnly);
    reader.setAutoDetectImageFormat(false);
    size = reader.size();  // from the header: nothing decoded yet
    if (size.isEmpty()) return;
    // Size on paper: the goal size in twips, else the pixels at 96 dpi.
    width =
        (pic.goalWidth > 0 ? pic.goalWidth : size.width() * kTwipsPerPixel96) * pic.scaleX / 100.0;
    height = (pic.goalHeight > 0 ? pic.goalHeight : size.height() * kTwipsPerPixel96) * pic.scaleY /
             100.0;
    auto pixels = [](double twips, int own) {
      const double px =
          std::min(twips * kPictureDpi / TVQRPaper::kLayoutDpi, 1.0 * kMaxPictureSide);
      return std::clamp(static_cast<int>(std::ceil(px)), 1, own);
    };
    decoded = QSize(pixels(width, size.width()), pixels(height, size.height()));
  }

  QByteArray data;
  QBuffer buffer;
  QImageReader reader;
  QSize size, decoded;
  double width = 0, height = 0;  // twips
};

// A picture as drawn: decoded for the page, and its size on paper.
struct DecodedPicture {
  QImage image;                  // null when damaged
  double width = 0, height = 0;  // twips
};

DecodedPicture Decode(const rtf::Picture& model) {
  PictureReader pic(model);
  DecodedPicture out{{}, pic.width, pic.height};
  if (pic.size.isEmpty()) return out;  // damaged: left out like an unknown kind
  if (model.kind == rtf::Picture::Kind::Png) {
    // Straight into the size on the page, row by row.
    if (!TVQRLogo::DecodePngScaled(pic.data, pic.decoded, &out.image)) out.image = QImage();
    return out;
  }
  // libjpeg scales while it decodes.
  if (pic.decoded != pic.size) pic.reader.setScaledSize(pic.decoded);
  pic.reader.setAllocationLimit(
      static_cast<int>(qint64(pic.decoded.width()) * pic.decoded.height() * 8 / (1024 * 1024) + 1));
  if (!pic.reader.read(&out.image)) out.image = QImage();
  return out;
}

class Builder {
 public:
  Builder(QTextDocument& doc, const rtf::Document& model)
      : doc_(doc), model_(model), cursor_(&doc), decimal_(DecimalSeparator(model.language)) {}

  // False (and nothing built) when the pictures exceed the limits.
  bool Build() {
    if (!PicturesFit()) return false;
    DecodePictures();
    int after = 0;
    for (const rtf::Block& block : model_.blocks) {
      if (const auto* p = std::get_if<rtf::Paragraph>(&block)) {
        // Qt drops the top margin of the first block of the page and of a
        // block after a table: the space goes above it instead.
        QTextFrameFormat above = table_ ? table_->format() : doc_.rootFrame()->frameFormat();
        if (table_)
          above.setBottomMargin(p->format.spaceBefore);
        else if (&block == &model_.blocks.front())
          above.setTopMargin(above.topMargin() + p->format.spaceBefore);
        if (table_)
          table_->setFormat(above.toTableFormat());
        else
          doc_.rootFrame()->setFrameFormat(above);
        AddParagraph(cursor_, *p, fresh_, after);
        table_ = nullptr;
      } else {
        AddRow(std::get<rtf::Row>(block));
        after = 0;
      }
    }
    FitRowHeights();
    return true;
  }

 private:
  // Calls f with the index of every picture that is drawn.
  template <typename F>
  void ForEachPicture(F f) const {
    auto each = [&](const rtf::Paragraph& p) {
      for (const rtf::Run& run : p.runs)
        if (run.picture >= 0) f(static_cast<size_t>(run.picture));
    };
    for (const rtf::Block& block : model_.blocks) {
      if (const auto* p = std::get_if<rtf::Paragraph>(&block)) {
        each(*p);
        continue;
      }
      for (const rtf::Cell& c : std::get<rtf::Row>(block).cells)
        for (const rtf::Paragraph& p : c.paragraphs) each(p);
    }
  }

  // The pixels of all pictures that are drawn, as stored and as decoded.
  bool PicturesFit() const {
    qint64 source = 0, decoded = 0;
    ForEachPicture([&](size_t index) {
      const PictureReader pic(model_.pictures[index]);
      source += qint64(pic.size.width()) * pic.size.height();
      decoded += qint64(pic.decoded.width()) * pic.decoded.height();
    });
    return source <= TVQRPaper::kMaxSourcePixels && decoded <= TVQRPaper::kMaxDecodedPixels;
  }

  // Decodes every picture that is drawn: PNGs on all cores, the others
  // here (Qt's image reader has one allocation limit for all threads).
  void DecodePictures() {
    pictures_.resize(model_.pictures.size());
    std::vector<size_t> wanted;
    std::vector<bool> seen(model_.pictures.size());
    ForEachPicture([&](size_t index) {
      if (seen[index]) return;
      seen[index] = true;
      if (model_.pictures[index].kind == rtf::Picture::Kind::Png)
        wanted.push_back(index);
      else
        pictures_[index] = Decode(model_.pictures[index]);
    });
    std::atomic<size_t> next{0};
    auto work = [&] {
      for (size_t k; (k = next++) < wanted.size();)
        pictures_[wanted[k]] = Decode(model_.pictures[wanted[k]]);
    };
    const size_t threads =
        std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), wanted.size());
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) {
      try {
        helpers.emplace_back(work);
      } catch (const std::system_error&) {
        break;  // the others take its share
      }
    }
    work();
    for (std::thread& t : helpers) t.join();
  }

  // fresh: the cursor stands in an empty block that takes this paragraph.
  // after: the space after the paragraph before, which adds to this one's
  // space before (Qt would take the larger of the two).
  void AddParagraph(QTextCursor& cur, const rtf::Paragraph& p, bool& fresh, int& after) {
    const QTextCharFormat mark = CharFormat(model_, p.mark, autoText_);
    QTextBlockFormat format =
        BlockFormat(p.format, decimal_, model_.paperWidth - model_.marginLeft - model_.marginRight);
    format.setTopMargin(after + p.format.spaceBefore);
    after = p.format.spaceAfter;
    if (fresh) {
      cur.setBlockFormat(format);
      cur.setBlockCharFormat(mark);
    } else {
      cur.insertBlock(format, mark);
    }
    fresh = false;
    for (const rtf::Run& run : p.runs) {
      if (run.picture >= 0)
        AddPicture(cur, run);
      else
        cur.insertText(Text(run.text), CharFormat(model_, run.format, autoText_));
    }
  }

  void AddPicture(QTextCursor& cur, const rtf::Run& run) {
    const DecodedPicture& pic = pictures_[static_cast<size_t>(run.picture)];
    if (pic.image.isNull()) return;  // damaged: left out like an unknown kind
    const QUrl name(QStringLiteral("rtfpic:%1").arg(run.picture));
    doc_.addResource(QTextDocument::ImageResource, name, pic.image);
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(pic.width);
    f.setHeight(pic.height);
    cur.insertImage(f);
  }

  QTextFrameFormat::BorderStyle Style(const rtf::Border& b) const {
    using S = rtf::Border::Style;
    switch (b.style) {
      case S::None:
        return QTextFrameFormat::BorderStyle_None;
      case S::Double:
        return QTextFrameFormat::BorderStyle_Double;
      case S::Dotted:
        return QTextFrameFormat::BorderStyle_Dotted;
      case S::Dashed:
        return QTextFrameFormat::BorderStyle_Dashed;
      case S::Single:
        break;
    }
    return QTextFrameFormat::BorderStyle_Solid;
  }

  // The cell's own border on that side, else the row's.
  void SetBorder(QTextTableCellFormat& f, rtf::Side side, const rtf::Border& own,
                 const rtf::Border& row) const {
    const rtf::Border& b = own.style != rtf::Border::Style::None ? own : row;
    if (b.style == rtf::Border::Style::None) return;
    // A hairline is as thin as the thinnest line Word offers; a double line
    // is two lines with their width between them.
    const double width = std::max(b.width, 5) * (b.style == rtf::Border::Style::Double ? 3 : 1);
    const QColor c = ColorAt(model_, b.color);
    const QBrush brush(c.isValid() ? c : QColor(Qt::black));
    switch (side) {
      case rtf::Top:
        f.setTopBorder(width), f.setTopBorderStyle(Style(b)), f.setTopBorderBrush(brush);
        break;
      case rtf::Left:
        f.setLeftBorder(width), f.setLeftBorderStyle(Style(b)), f.setLeftBorderBrush(brush);
        break;
      case rtf::Bottom:
        f.setBottomBorder(width), f.setBottomBorderStyle(Style(b)), f.setBottomBorderBrush(brush);
        break;
      default:
        f.setRightBorder(width), f.setRightBorderStyle(Style(b)), f.setRightBorderBrush(brush);
        break;
    }
  }

  QTextTableCellFormat CellFormat(const rtf::Row& row, size_t c, bool firstRow) const {
    const rtf::Cell& cell = row.cells[c];
    QTextTableCellFormat f;
    // \trgaph is the space left and right of the text; nothing above or below.
    f.setLeftPadding(row.gap);
    f.setRightPadding(row.gap);
    // Qt drops the top margin of a cell's first paragraph.
    f.setTopPadding(cell.paragraphs.empty() ? 0 : cell.paragraphs.front().format.spaceBefore);
    f.setBottomPadding(0);
    const bool last = c + 1 == row.cells.size();
    SetBorder(f, rtf::Top, cell.borders[rtf::Top], row.borders[firstRow ? rtf::Top : rtf::InsideH]);
    SetBorder(f, rtf::Bottom, cell.borders[rtf::Bottom], row.borders[rtf::Bottom]);
    SetBorder(f, rtf::Left, cell.borders[rtf::Left],
              row.borders[c == 0 ? rtf::Left : rtf::InsideV]);
    SetBorder(f, rtf::Right, cell.borders[rtf::Right],
              row.borders[last ? rtf::Right : rtf::InsideV]);
    const QColor fill = Fill(cell);
    if (fill.isValid()) f.setBackground(fill);
    return f;
  }

  // The cell's background with its shading; invalid when it has none.
  QColor Fill(const rtf::Cell& cell) const {
    const QColor back = ColorAt(model_, cell.background);
    if (!back.isValid() && cell.shading <= 0) return {};
    const QColor fore = ColorAt(model_, cell.foreground);
    return Mix(back.isValid() ? back : QColor(Qt::white), fore.isValid() ? fore : QColor(Qt::black),
               cell.shading);
  }

  void AddRow(const rtf::Row& row) {
    std::vector<int> widths;
    int edge = row.left;
    for (const rtf::Cell& c : row.cells) {
      widths.push_back(c.rightEdge - edge);
      edge = c.rightEdge;
    }
    const int cols = static_cast<int>(widths.size());
    bool firstRow = false;
    if (table_ && widths == widths_ && row.align == align_) {
      table_->appendRows(1);
    } else {
      QTextTableFormat f;
      QList<QTextLength> constraints;
      for (int w : widths) constraints.append(QTextLength(QTextLength::FixedLength, w));
      f.setColumnWidthConstraints(constraints);
      // Centred and right-aligned rows between the margins of the paper, as
      // the tab stops (Qt's own table alignment misses the right margin).
      const int room = model_.paperWidth - model_.marginLeft - model_.marginRight -
                       std::accumulate(widths.begin(), widths.end(), 0);
      f.setLeftMargin(row.align == rtf::Align::Center  ? std::max(0, room / 2)
                      : row.align == rtf::Align::Right ? std::max(0, room)
                                                       : row.left);
      f.setCellPadding(0);
      f.setCellSpacing(0);
      f.setBorder(0);
      f.setBorderStyle(QTextFrameFormat::BorderStyle_None);
      f.setBorderCollapse(true);
      if (!fresh_) cursor_.insertBlock();
      table_ = cursor_.insertTable(1, cols, f);
      widths_ = widths;
      align_ = row.align;
      firstRow = true;
    }
    const int r = table_->rows() - 1;
    if (row.height != 0) heights_.push_back({table_, r, std::abs(row.height)});
    for (int c = 0; c < cols; ++c) {
      QTextTableCell cell = table_->cellAt(r, c);
      QTextCursor cc = cell.firstCursorPosition();
      bool fresh = true;
      int after = 0;
      // Text in the automatic colour turns white on a dark cell, as in a
      // word processor, so that it stays readable.
      const QColor fill = Fill(row.cells[static_cast<size_t>(c)]);
      const bool dark = fill.isValid() &&
                        0.299 * fill.redF() + 0.587 * fill.greenF() + 0.114 * fill.blueF() < 0.4;
      autoText_ = dark ? Qt::white : Qt::black;
      for (const rtf::Paragraph& p : row.cells[static_cast<size_t>(c)].paragraphs)
        AddParagraph(cc, p, fresh, after);
      autoText_ = Qt::black;
      // After the text: the cell's format lives in its first block's
      // character format, which the first paragraph sets.
      cell.setFormat(CellFormat(row, static_cast<size_t>(c), firstRow));
    }
    // The block after the table takes what follows.
    cursor_.movePosition(QTextCursor::End);
    fresh_ = true;
  }

  // Rows with a height of their own grow to it: each cell's bottom padding
  // takes what its text leaves (a row of exact height that its text
  // exceeds grows with the text instead of cutting it off).
  void FitRowHeights() {
    if (heights_.empty()) return;
    const QSizeF before = doc_.pageSize();
    doc_.setPageSize(QSizeF(model_.paperWidth, model_.paperHeight));  // cells keep their widths
    const QAbstractTextDocumentLayout* layout = doc_.documentLayout();
    std::vector<std::pair<QTextTableCell, qreal>> pads;
    for (const RowHeight& h : heights_) {
      for (int c = 0; c < h.table->columns(); ++c) {
        const QTextTableCell cell = h.table->cellAt(h.row, c);
        const qreal top = layout->blockBoundingRect(cell.firstCursorPosition().block()).top();
        const qreal bottom = layout->blockBoundingRect(cell.lastCursorPosition().block()).bottom();
        const qreal used = bottom - top + cell.format().toTableCellFormat().topPadding();
        pads.emplace_back(cell, std::max<qreal>(0, h.twips - used));
      }
    }
    QTextCursor batch(&doc_);
    batch.beginEditBlock();  // one layout for all of them
    for (auto& [cell, pad] : pads) {
      QTextTableCellFormat f = cell.format().toTableCellFormat();
      f.setBottomPadding(pad);
      cell.setFormat(f);
    }
    batch.endEditBlock();
    doc_.setPageSize(before);
  }

  struct RowHeight {
    QTextTable* table;
    int row;
    int twips;
  };

  QTextDocument& doc_;
  const rtf::Document& model_;
  QTextCursor cursor_;
  const QChar decimal_;
  bool fresh_ = true;
  QColor autoText_ = Qt::black;  // of text in the automatic colour
  QTextTable* table_ = nullptr;
  std::vector<int> widths_;
  std::vector<DecodedPicture> pictures_;  // by index, those drawn
  rtf::Align align_ = rtf::Align::Left;
  std::vector<RowHeight> heights_;
};

}  // namespace

TVQRPaper::TVQRPaper() = default;
TVQRPaper::~TVQRPaper() = default;

bool TVQRPaper::BuildDocument(QTextDocument& doc, const rtf::Document& model) {
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
  return Builder(doc, model).Build();
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
      // Text that is no RTF (also none at all) is read as plain text.
      const std::string_view text(data);
      ok = BuildDocument(*RichEdit_, rtf::IsRtf(text) ? rtf::Read(text) : rtf::ReadPlainText(text));
      if (!ok) BuildDocument(*RichEdit_, rtf::Document{});
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
