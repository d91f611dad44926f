#include "print/Report.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/diagrampaint.h"
#include "chart/qt/qpainterdc.h"
#include "chart/recordingdc.h"
#include "chart/vqrdiagram.h"
#include "print/PrintDecor.h"
#include "session/Session.h"
#include "settings/settings.h"
#include "settings/settingvalue.h"

namespace {

QString Stamp(std::time_t t) {
  return t > 0 ? QDateTime::fromSecsSinceEpoch(t).toString("dd.MM.yyyy hh:mm") : QString("–");
}

// Numbers with "." whatever the locale, as on the diagram's scales.
QString Number(double v, int decimals) { return QString::number(v, 'f', decimals); }
QString Number(std::optional<double> v, int decimals) {
  return v ? Number(*v, decimals) : QString("–");
}
QString Hours(double seconds, TTimeBound bound) {
  return QString::fromStdString(HoursBoundText(seconds, bound));
}
QString SampleHours(double hours) { return Hours(std::round(hours * 3600.0), TTimeBound::At); }

QString CurveName(int ch) {
  return ch == kTempChannel ? QString("T") : TVQRReport::tr("Kanal %1").arg(ch);
}

constexpr double kLineSpacing = 1.5;

// Pixels on paper for tenths of a millimetre.
double OnPaper(double tenthsMm, int dpi) { return tenthsMm * dpi / 254.0; }

QFont TableFont(double height, bool bold = false) {
  QFont f("Arial");
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
  f.setBold(bold);
  return f;
}

// The page inside the borders as the diagram's page set-up takes them off
// (device pixels), before the diagram moves itself to keep its texts on the
// paper: the frame of the header, the overview and the tables.
QRect BorderFrame(const TVQRDiagram& d, const QRect& page) {
  const TRect f =
      PageBorderFrame(d, TRect{page.left(), page.top(), page.right() + 1, page.bottom() + 1});
  return QRect(QPoint(f.left, f.top), QPoint(f.right - 1, f.bottom - 1));
}

// The size of the diagram's texts on its printed page: the middle one of
// the heights of everything it wrote.
double DiagramTextHeight(const RecordingDC& dc, double otherwise) {
  std::vector<int32_t> heights;
  for (const RecordingDC::Call& c : dc.Calls())
    if (c.op == RecordingDC::Op::Text && !c.text.empty()) heights.push_back(c.font.Height);
  if (heights.empty()) return otherwise;
  std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
  return heights[heights.size() / 2];
}

// text in lines of at most width pixels at font on device, broken between
// words (within a word too long for a line); beyond most lines it is cut.
QStringList WrapText(const QString& text, const QFont& font, QPaintDevice& device, double width,
                     int most) {
  QTextLayout layout(text, font, &device);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  if (lines.size() > most) {
    const QFontMetricsF fm(font, &device);
    lines.resize(most);
    lines.back() = fm.elidedText(lines.back() + " …", Qt::ElideRight, width);
  }
  if (lines.isEmpty()) lines << QString();
  return lines;
}

// A dry run of a printed page that measures texts as the device does, so
// that the diagram places them as on paper.
class TDeviceRecorder : public RecordingDC {
 public:
  explicit TDeviceRecorder(QPaintDevice& device)
      : RecordingDC(device.logicalDpiX(), device.logicalDpiY()), device_(device) {}
  DcTextExtent MeasureText(const DcFont& font, std::string_view text) const override {
    const QFontMetrics fm(QPainterDC::ToQFont(font), &device_);
    return {
        fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))),
        fm.ascent(), fm.descent()};
  }

 private:
  QPaintDevice& device_;
};

// The highest point of everything drawn, or INT32_MAX for nothing.
int32_t Topmost(const TDeviceRecorder& dc) {
  int32_t top = INT32_MAX;
  for (const RecordingDC::Call& c : dc.Calls()) switch (c.op) {
      case RecordingDC::Op::Text:
        if (!c.text.empty())
          top = std::min(
              top,
              DcTextBox(c.rect.left, c.rect.top, dc.MeasureText(c.font, c.text), c.h, c.v).top);
        break;
      case RecordingDC::Op::LineTo:
      case RecordingDC::Op::Fill:
        top = std::min({top, c.rect.top, c.rect.bottom});
        break;
      case RecordingDC::Op::Polyline:
        for (const TPoint& pt : c.points) top = std::min(top, pt.y);
        break;
      default:
        break;
    }
  return top;
}

// A letterhead (background or logo) is set up: the report keeps clear of it
// as the diagram does.
bool HasLetterhead(const TVQRSession& session) {
  const TVQRShowSettings* s = session.Settings();
  if (!s) return false;
  for (const auto* setting : {&s->PrinterBackGround1, &s->PrinterBackGround2, &s->LogoFile})
    if (QString::fromStdString((*setting)->GetString(1)).trimmed().size() > 0) return true;
  return false;
}

// The markers A and B of a window as dashed lines over the plot, lettered
// above it.
void DrawMarks(const TVQRDiagram& diagram, IDeviceContext& dc, int a, int b) {
  const TCursorFrame frame = CaptureCursorFrame(diagram);
  const int n = static_cast<int>(frame.SampleX.size()) - 1;
  const int32_t dpi = dc.DpiY();
  DcFont font;
  font.Face = "Arial";
  font.Height = PageHeaderFontHeight(dpi);
  dc.SetFont(font);
  dc.SetTextColor(kDcBlack);
  for (const auto& [sample, letter] : {std::pair{a, "A"}, std::pair{b, "B"}}) {
    if (sample < 1 || sample > n) continue;
    const int32_t x = frame.SampleX[static_cast<size_t>(sample)];
    dc.SetPen(DcPen{kDcBlack, std::max(1, static_cast<int32_t>(OnPaper(3, dpi))), DcDash::Dash});
    if (dc.MoveTo(x, frame.PlotRect.top)) dc.LineTo(x, frame.PlotRect.bottom);
    dc.Text(x, frame.PlotRect.top, letter, DcHAlign::Center, DcVAlign::Bottom);
  }
}

}  // namespace

QString ReportWindowName(int mode) {
  if (mode == kReportOverview) return TVQRReport::tr("Übersicht");
  if (IsChannelMode(mode)) return TVQRReport::tr("Kanal %1").arg(mode);
  if (IsCombiMode(mode)) return TVQRReport::tr("Kombination %1").arg(mode - kCombi1Mode + 1);
  return TVQRReport::tr("Messwerte");
}

TPageHeader MakePageHeader(const TVQRSession& session, const QString& window, std::time_t printed,
                           int page, int pages) {
  const QString file =
      session.Name().empty() ? QString("–") : QString::fromStdString(session.Name());
  TPageHeader h;
  h.Left = TVQRReport::tr("%1 · Aufnahme %2 · %3 · Gedruckt %4")
               .arg(file, Stamp(session.Start()), window, Stamp(printed))
               .toStdString();
  h.NameBytes = static_cast<size_t>(file.toUtf8().size());
  if (pages > 0) h.Right = TVQRReport::tr("Seite %1 von %2").arg(page).arg(pages).toStdString();
  return h;
}

std::optional<TPageHeader> OnePageHeader(TVQRSession& session, std::time_t printed) {
  TVQRShowSettings* settings = session.Settings();
  const TZTiniSettingValue* on = settings ? settings->Find("Printer", "HeaderLine") : nullptr;
  if (!on || !on->GetBool(1)) return std::nullopt;
  return MakePageHeader(session, ReportWindowName(session.Diagram().WindowMode()), printed);
}

QString ReportTitle(const std::string& recordingName) {
  // Metadata are part of the file: the same in every language.
  return "Bericht " + QString::fromStdString(recordingName);
}

void MakeArchivePdf(QPdfWriter& pdf, const std::string& recordingName) {
  pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
  pdf.setTitle(ReportTitle(recordingName));
  pdf.setCreator("vqrshow4");
}

// --------------------------------------------------------------- the layout

struct TVQRReport::TTable {
  QString Caption;
  QStringList Header;
  std::vector<QStringList> Rows;
  std::vector<double> Widths;        // per column at the table font
  bool FreeLast = false;             // the last column takes the rest of the line, wrapped
  std::vector<QStringList> Wrapped;  // per row: the last column's lines, when FreeLast
};

struct TVQRReport::TLine {
  enum Kind { Title, Caption, Header, Row, Gap } What = Row;
  int Table = -1;
  int RowIndex = 0;
};

struct TVQRReport::TPage {
  int Window = -1;  // index into the content's windows; -1 a table page
  int Below = 0;    // a window drawn this far lower on the paper, clear of the header
  std::vector<TLine> Lines;
};

TVQRReport::TVQRReport(TVQRSession& session, TReportContent content, std::time_t printed)
    : session_(session), content_(std::move(content)), printed_(printed) {}

TVQRReport::~TVQRReport() = default;

int TVQRReport::PageCount() const { return static_cast<int>(pages_.size()); }

QString TVQRReport::PageName(int k) const {
  if (k < 0 || k >= PageCount()) return QString();
  const int w = pages_[static_cast<size_t>(k)].Window;
  return ReportWindowName(w >= 0 ? content_.Windows[static_cast<size_t>(w)].Mode
                                 : kReportTablePage);
}

void TVQRReport::BuildTables() {
  tables_.clear();
  const QStringList columns{
      TVQRReport::tr("Kurve"),     TVQRReport::tr("Wert A"),  TVQRReport::tr("Wert B"),
      TVQRReport::tr("B - A"),     TVQRReport::tr("Δt [h]"),  TVQRReport::tr("Anzahl"),
      TVQRReport::tr("Min"),       TVQRReport::tr("bei [h]"), TVQRReport::tr("Max"),
      TVQRReport::tr("bei [h]"),   TVQRReport::tr("Mittel"),  TVQRReport::tr("Std.-Abw."),
      TVQRReport::tr("Steigung/h")};
  const QStringList limitColumns{
      TVQRReport::tr("Kurve"),          TVQRReport::tr("Untergrenze"),
      TVQRReport::tr("Obergrenze"),     TVQRReport::tr("außerhalb [h]"),
      TVQRReport::tr("außerhalb [%]"),  TVQRReport::tr("Ausflüge"),
      TVQRReport::tr("erster bei [h]"), TVQRReport::tr("größte Abweichung"),
      TVQRReport::tr("Ergebnis")};
  TReportWindowKeeper keep(session_);
  for (const TReportWindow& w : content_.Windows) {
    if (w.Mode == kReportOverview) continue;
    const TReportMeasured m = MeasureReportWindow(session_, w);
    const QString range =
        m.Marked
            ? TVQRReport::tr("Marke A bei %1 h, Marke B bei %2 h")
                  .arg(Hours(m.MarkA <= m.MarkB ? m.FromSeconds : m.ToSeconds, TTimeBound::At),
                       Hours(m.MarkA <= m.MarkB ? m.ToSeconds : m.FromSeconds, TTimeBound::At))
            : TVQRReport::tr("Angezeigter Zeitbereich %1 h bis %2 h")
                  .arg(Hours(m.FromSeconds, TTimeBound::From), Hours(m.ToSeconds, TTimeBound::To));
    const bool comparing = m.RunNames.size() > 1;
    auto runName = [&](int ch, size_t run) {
      return comparing ? CurveName(ch) + " – " + QString::fromStdString(m.RunNames[run])
                       : CurveName(ch);
    };
    TTable t;
    t.Caption = ReportWindowName(m.Mode) + " – " + range;
    t.Header = columns;
    for (const TMeasuredRow& row : m.Rows) {
      const int d = row.Channel == kTempChannel ? 2 : m.Decimals;
      for (size_t r = 0; r < row.Runs.size(); ++r) {
        const TCurveStats& st = row.Runs[r];
        QStringList cells{runName(row.Channel, r)};
        if (st.Count > 0)
          cells << Number(st.First, d) << Number(st.Last, d)
                << Number(static_cast<double>(st.Last) - st.First, d)
                << Number(st.LastAtHours - st.FirstAtHours, 4) << QString::number(st.Count)
                << Number(st.Min, d) << SampleHours(st.MinAtHours) << Number(st.Max, d)
                << SampleHours(st.MaxAtHours) << Number(st.Mean, d) << Number(st.StdDev, d + 1)
                << Number(st.SlopePerH, d + 1);
        else
          cells << ""
                << ""
                << ""
                << ""
                << "0";
        while (cells.size() < columns.size()) cells << "";
        t.Rows.push_back(cells);
      }
    }
    if (t.Rows.empty()) t.Rows.push_back({TVQRReport::tr("keine Kurve")});
    tables_.push_back(std::move(t));

    if (!m.Verdicts.empty()) {
      TTable v;
      v.Caption = TVQRReport::tr("Grenzwerte") + " – " + ReportWindowName(m.Mode) + " – " + range;
      v.Header = limitColumns;
      for (const TLimitVerdict& verdict : m.Verdicts) {
        const TLimitStats& s = verdict.Stats;
        const int d = verdict.Channel == kTempChannel ? 2 : m.Decimals;
        v.Rows.push_back({runName(verdict.Channel, static_cast<size_t>(verdict.Run)),
                          Number(s.Lower, d), Number(s.Upper, d), Number(s.OutsideHours, 4),
                          Number(s.OutsidePct, 2), QString::number(s.Excursions),
                          Number(s.FirstCrossingHours, 4), Number(s.LargestExcursion, d),
                          s.Held() ? TVQRReport::tr("eingehalten") : TVQRReport::tr("verletzt")});
      }
      tables_.push_back(std::move(v));
    }
  }
  if (!content_.Notes.empty()) {
    TTable n;
    n.Caption = TVQRReport::tr("Notizen");
    n.FreeLast = true;
    n.Header =
        QStringList{TVQRReport::tr("Zeit [h]"), TVQRReport::tr("Kurve"), TVQRReport::tr("Notiz")};
    for (const TReportNote& note : content_.Notes)
      n.Rows.push_back(
          {SampleHours(note.Hours),
           note.Channel >= 1 && note.Channel <= kTempChannel ? CurveName(note.Channel) : QString(),
           QString::fromStdString(note.Text)});
    tables_.push_back(std::move(n));
  }
}

int TVQRReport::Layout(const QRect& page, QPaintDevice& device) {
  page_ = page;
  dpi_ = std::max(1, device.logicalDpiY());
  pages_.clear();
  for (size_t w = 0; w < content_.Windows.size(); ++w)
    pages_.push_back(TPage{static_cast<int>(w), 0, {}});
  {
    TReportWindowKeeper keep(session_);
    session_.PreparePrint();
    RecordingDC dry(device.logicalDpiX(), device.logicalDpiY());
    TVQRDiagram& d = session_.Diagram();
    d.SetPrintMode(true, TRect{0, 0, 0, 0});
    d.BeginDraw(dry, TRect{page.left(), page.top(), page.right() + 1, page.bottom() + 1}, true);
    frame_ = BorderFrame(d, page);
    d.DrawAxes();
    diagramText_ = DiagramTextHeight(dry, OnPaper(30, dpi_));
    plotTop_ = std::min(d.PlotRect().top, d.PlotRect().bottom);
    d.EndDraw();
  }
  PlaceHeader(device);
  const QRect& frame = frame_;

  KeepClearOfHeader(device);
  if (!content_.Table) return PageCount();

  BuildTables();
  // The diagram's text size, smaller where the widest table would not fit.
  fontHeight_ = std::clamp(diagramText_, OnPaper(20, dpi_), OnPaper(50, dpi_));
  const double gap = 0.8;
  auto measure = [&](double height) {
    double widest = 0.0;
    for (TTable& t : tables_) {
      const QFontMetricsF plain(TableFont(height), &device), bold(TableFont(height, true), &device);
      t.Widths.assign(static_cast<size_t>(t.Header.size()), 0.0);
      for (qsizetype c = 0; c < t.Header.size(); ++c) {
        double w = bold.horizontalAdvance(t.Header[c]);
        // A free text takes what is left of the line (at least its head's width).
        const bool free = t.FreeLast && c + 1 == t.Header.size();
        for (const QStringList& row : t.Rows)
          if (c < row.size() && !free) w = std::max(w, plain.horizontalAdvance(row[c]));
        t.Widths[static_cast<size_t>(c)] = w + gap * height;
      }
      double sum = 0.0;
      for (double w : t.Widths) sum += w;
      widest = std::max(widest, sum);
    }
    return widest;
  };
  const double widest = measure(fontHeight_);
  if (widest > frame.width() && widest > 0.0) {
    fontHeight_ = std::max(OnPaper(15, dpi_), fontHeight_ * frame.width() / widest);
    // Glyph widths do not follow the size exactly: down in steps until it fits.
    while (measure(fontHeight_) > frame.width() && fontHeight_ > OnPaper(15, dpi_))
      fontHeight_ = std::max(OnPaper(15, dpi_), fontHeight_ * 0.97);
  }
  for (TTable& t : tables_)
    if (t.FreeLast && !t.Widths.empty()) {
      double used = 0.0;
      for (size_t c = 0; c + 1 < t.Widths.size(); ++c) used += t.Widths[c];
      t.Widths.back() = std::max(t.Widths.back(), frame.width() - used);
      t.Wrapped.clear();
      for (const QStringList& row : t.Rows)
        t.Wrapped.push_back(WrapText(row.size() == t.Header.size() ? row.back() : QString(),
                                     TableFont(fontHeight_), device,
                                     t.Widths.back() - 0.8 * fontHeight_, 8));
    }

  // Lines onto pages; a caption and the column heads stay with a row, and a
  // table that goes on over a page break repeats its column heads.
  const double bottom = frame.height();
  const double top = contentTop_;
  auto height = [&](TLine::Kind k, const TLine* line = nullptr) {
    if (k == TLine::Row && line) {
      const TTable& t = tables_[static_cast<size_t>(line->Table)];
      if (t.FreeLast)
        return fontHeight_ * kLineSpacing *
               static_cast<double>(t.Wrapped[static_cast<size_t>(line->RowIndex)].size());
    }
    switch (k) {
      case TLine::Title:
        return fontHeight_ * 1.6 * kLineSpacing;
      case TLine::Caption:
        return fontHeight_ * 1.2 * kLineSpacing;
      case TLine::Gap:
        return fontHeight_;
      default:
        return fontHeight_ * kLineSpacing;
    }
  };
  TPage current{-1, 0, {}};
  double y = top;
  auto add = [&](TLine line, double keepWith) {
    if (y + height(line.What, &line) + keepWith > bottom && !current.Lines.empty()) {
      pages_.push_back(std::move(current));
      current = TPage{-1, 0, {}};
      y = top;
      if (line.What == TLine::Row) {
        current.Lines.push_back(TLine{TLine::Header, line.Table, 0});
        y += height(TLine::Header);
      }
      if (line.What == TLine::Gap) return;
    }
    current.Lines.push_back(line);
    y += height(line.What, &line);
  };
  add(TLine{TLine::Title, -1, 0}, 0.0);
  for (size_t t = 0; t < tables_.size(); ++t) {
    const int ti = static_cast<int>(t);
    if (t > 0) add(TLine{TLine::Gap, ti, 0}, 0.0);
    add(TLine{TLine::Caption, ti, 0}, height(TLine::Header) + height(TLine::Row));
    add(TLine{TLine::Header, ti, 0}, height(TLine::Row));
    for (size_t r = 0; r < tables_[t].Rows.size(); ++r)
      add(TLine{TLine::Row, ti, static_cast<int>(r)}, 0.0);
  }
  pages_.push_back(std::move(current));
  return PageCount();
}

QRect TVQRReport::LetterheadInk(QPaintDevice& device) {
  TVQRShowSettings* settings = session_.Settings();
  if (!settings || !HasLetterhead(session_)) return {};
  TVQRPrintDecor decor;
  if (!decor.Load(*settings,
                  [](TDecorItem, const std::string&, const std::string&) { return true; }))
    return {};
  // The page without the diagram at a sixth of the device's resolution:
  // backgrounds and logo take their size from it as on paper.
  constexpr int kShrink = 6;
  const int dpiX = std::max(1, device.logicalDpiX() / kShrink);
  const int dpiY = std::max(1, device.logicalDpiY() / kShrink);
  QImage image(std::max(1, page_.width() / kShrink), std::max(1, page_.height() / kShrink),
               QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
  {
    QPainter painter(&image);
    RecordingDC dry(dpiX, dpiY);
    decor.SetPainter(&painter);
    session_.PrintPage(dry, TRect{0, 0, image.width(), image.height()}, &decor, nullptr,
                       [](IDeviceContext&) {});
    decor.SetPainter(nullptr);
  }
  QRect ink;
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int from = 0;
    while (from < image.width() && row[from] == white) ++from;
    if (from == image.width()) continue;
    int to = image.width() - 1;
    while (row[to] == white) --to;
    ink |= QRect(from, y, to - from + 1, 1);
  }
  if (ink.isEmpty()) return {};
  return QRect(page_.left() + ink.left() * kShrink, page_.top() + ink.top() * kShrink,
               (ink.width() + 1) * kShrink, (ink.height() + 1) * kShrink);
}

void TVQRReport::PlaceHeader(QPaintDevice& device) {
  // The header at the top of the frame; where a letterhead lies there, above
  // the borders when it is clear of it there.
  const QRect ink = LetterheadInk(device);
  const int drawn = PageHeaderHeight(dpi_) - static_cast<int>(OnPaper(15, dpi_));
  const auto clear = [&](int top) {
    return ink.isEmpty() || !QRect(frame_.left(), top, frame_.width(), drawn).intersects(ink);
  };
  headerTop_ = !clear(frame_.top()) && clear(page_.top()) ? page_.top() : frame_.top();
  contentTop_ = std::max(0, headerTop_ + PageHeaderHeight(dpi_) - frame_.top());
  if (ink.isEmpty()) return;
  // Tables and thumbnails below the letterhead; where it covers most of the
  // page, from where the diagram's plot begins.
  const int below = ink.bottom() + 1 - frame_.top() + static_cast<int>(OnPaper(60, dpi_));
  const int plot = plotTop_ - frame_.top() - static_cast<int>(OnPaper(60, dpi_));
  contentTop_ = std::max(contentTop_, below <= frame_.height() * 3 / 5 ? below : plot);
}

void TVQRReport::KeepClearOfHeader(QPaintDevice& device) {
  // A window whose drawing reaches into the header's band (texts kept on
  // the paper, borders, a page set up high) is drawn on a page shortened at
  // the top by as much, and measured again as its scale changes.
  TReportWindowKeeper keep(session_);
  const int band = headerTop_ + PageHeaderHeight(dpi_) - static_cast<int>(OnPaper(10, dpi_));
  for (TPage& page : pages_) {
    if (page.Window < 0) continue;
    const TReportWindow& window = content_.Windows[static_cast<size_t>(page.Window)];
    if (window.Mode == kReportOverview) continue;
    PrepareReportWindow(session_, window);
    session_.PreparePrint();
    for (int tries = 0; tries < 4; ++tries) {
      TDeviceRecorder dry(device);
      TVQRDiagram& d = session_.Diagram();
      const TRect rect{page_.left(), page_.top() + page.Below, page_.right() + 1,
                       page_.bottom() + 1};
      session_.PrintPage(dry, rect, nullptr, nullptr, [&](IDeviceContext& dc) {
        d.DrawAxes();
        d.DrawCurves();
        if (window.MarkA > 0 || window.MarkB > 0) DrawMarks(d, dc, window.MarkA, window.MarkB);
      });
      const int32_t top = Topmost(dry);
      if (top == INT32_MAX || top >= band) break;
      page.Below = std::min(page_.height() / 2, page.Below + band - top + 1);
    }
  }
}

// ----------------------------------------------------------------- drawing

void TVQRReport::DrawOverview(QPainter& painter, const QRect& frame) {
  // The window's thumbnails at a screen's size of pixel, scaled onto the paper.
  const double s = std::max(1.0, dpi_ / 96.0);
  const int top = contentTop_;
  const int w = static_cast<int>(frame.width() / s);
  const int readout = 24;
  const int h = static_cast<int>((frame.height() - top) / s) - readout;
  if (w < 50 || h < 50) return;
  painter.save();
  painter.translate(frame.left(), frame.top() + top);
  painter.scale(s, s);
  {
    QPainterDC dc(painter);
    TOverviewCells cells;
    LayoutOverviewCells(w, h, cells);
    ComputeOverviewCells(session_.Diagram(), cells);
    PaintOverview(dc, cells, true);
  }
  painter.setPen(Qt::black);
  painter.setFont(TableFont(12));
  painter.drawText(QRectF(0, h, w, readout), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(OverviewReadout(session_.Diagram())));
  painter.restore();
}

void TVQRReport::DrawTablePage(const TPage& page, QPainter& painter, const QRect& frame) {
  painter.save();
  painter.setPen(Qt::black);
  double y = frame.top() + contentTop_;
  const double h = fontHeight_;
  for (const TLine& line : page.Lines) {
    switch (line.What) {
      case TLine::Title: {
        painter.setFont(TableFont(h * 1.6, true));
        const double lh = h * 1.6 * kLineSpacing;
        painter.drawText(QRectF(frame.left(), y, frame.width(), lh),
                         Qt::AlignLeft | Qt::AlignVCenter, ReportWindowName(kReportTablePage));
        y += lh;
        break;
      }
      case TLine::Caption: {
        painter.setFont(TableFont(h * 1.2, true));
        const double lh = h * 1.2 * kLineSpacing;
        painter.drawText(QRectF(frame.left(), y, frame.width(), lh),
                         Qt::AlignLeft | Qt::AlignBottom, tables_[line.Table].Caption);
        y += lh;
        break;
      }
      case TLine::Gap:
        y += h;
        break;
      case TLine::Header:
      case TLine::Row: {
        const TTable& t = tables_[static_cast<size_t>(line.Table)];
        const bool head = line.What == TLine::Header;
        const QStringList& cells = head ? t.Header : t.Rows[static_cast<size_t>(line.RowIndex)];
        painter.setFont(TableFont(h, head));
        const double lh = h * kLineSpacing;
        const QStringList* wrapped =
            t.FreeLast && !head ? &t.Wrapped[static_cast<size_t>(line.RowIndex)] : nullptr;
        double x = frame.left();
        for (qsizetype c = 0; c < cells.size() && c < static_cast<qsizetype>(t.Widths.size());
             ++c) {
          const double w = t.Widths[static_cast<size_t>(c)];
          const double pad = h * 0.4;
          // The first column (the curve) and the last of the notes to the left.
          const bool left = c == 0 || (t.Header.size() == 3 && c == 2);
          const bool free = wrapped && c + 1 == t.Header.size();
          const QStringList lines = free ? *wrapped : QStringList{cells[c]};
          for (qsizetype k = 0; k < lines.size(); ++k)
            painter.drawText(QRectF(x + pad, y + k * lh, w - 2 * pad, lh),
                             (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, lines[k]);
          x += w;
        }
        y += lh * (wrapped ? static_cast<double>(wrapped->size()) : 1.0);
        if (head) {
          QPen pen(Qt::black);
          pen.setWidthF(std::max(1.0, OnPaper(2, dpi_)));
          painter.setPen(pen);
          painter.drawLine(QPointF(frame.left(), y), QPointF(x, y));
        }
        break;
      }
    }
  }
  painter.restore();
}

bool TVQRReport::Print(QPainter& painter, QPagedPaintDevice& device,
                       const std::function<bool(TVQRPrintDecor&)>& loadDecor,
                       TVQRPrintDecor& decor) {
  TReportWindowKeeper keep(session_);
  const int count = PageCount();
  for (int k = 0; k < count; ++k) {
    const TPage& page = pages_[static_cast<size_t>(k)];
    const TReportWindow* window =
        page.Window >= 0 ? &content_.Windows[static_cast<size_t>(page.Window)] : nullptr;
    if (window) PrepareReportWindow(session_, *window);
    session_.PreparePrint();
    if (loadDecor && !loadDecor(decor)) return false;
    const bool begun = k == 0 ? (painter.isActive() || painter.begin(&device)) : device.newPage();
    if (!begun) return false;
    const TPageHeader header = MakePageHeader(session_, PageName(k), printed_, k + 1, count);
    TVQRDiagram& diagram = session_.Diagram();
    std::function<void(IDeviceContext&)> body;
    if (!window) {
      body = [&](IDeviceContext&) { DrawTablePage(page, painter, frame_); };
    } else if (window->Mode == kReportOverview) {
      body = [&](IDeviceContext&) { DrawOverview(painter, frame_); };
    } else if (window->MarkA > 0 || window->MarkB > 0) {
      body = [&](IDeviceContext& dc) {
        diagram.DrawAxes();
        diagram.DrawCurves();
        DrawMarks(diagram, dc, window->MarkA, window->MarkB);
      };
    }
    {
      const TRect rect{page_.left(), page_.top() + page.Below, page_.right() + 1,
                       page_.bottom() + 1};
      QPainterDC dc(painter);
      decor.SetPainter(&painter);
      session_.PrintPage(dc, rect, &decor, nullptr, body);
      DrawPageHeader(dc, TRect{frame_.left(), headerTop_, frame_.right() + 1, frame_.bottom() + 1},
                     header);
      decor.SetPainter(nullptr);
    }
    if (!painter.isActive()) return false;
  }
  return true;
}
