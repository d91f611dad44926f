#include "gui/chart/Measurements.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/measuredvalues.h"
#include "chart/vqrdiagram.h"
#include "data/tablefield.h"
#include "gui/chart/MeasurementsLimits.h"
#include "gui/chart/NoteMenu.h"
#include "gui/common/appicons.h"

namespace {

// The columns of one recording after "Kurve"; a compared recording adds
// its differences to the open one.
const char* const kColumns[] = {QT_TRANSLATE_NOOP("TF_Measurements", "Wert A"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Wert B"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "B - A"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Δt [h]"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Anzahl"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Min"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "bei [h]"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Max"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "bei [h]"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Mittel"),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Std.-Abw."),
                                QT_TRANSLATE_NOOP("TF_Measurements", "Steigung/h")};
const char* const kDiffColumns[] = {QT_TRANSLATE_NOOP("TF_Measurements", "Δ Wert A"),
                                    QT_TRANSLATE_NOOP("TF_Measurements", "Δ Wert B"),
                                    QT_TRANSLATE_NOOP("TF_Measurements", "Δ Mittel")};

QString Number(double v, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(v, 'f', decimals);
}

QString Number(std::optional<double> v, int decimals) {
  return v ? Number(*v, decimals) : QString();
}

/// A time in hours as vqrtool stats reads it back as that bound, with the
/// user's decimal point.
QString Hours(double seconds, TTimeBound bound = TTimeBound::From) {
  return QString::fromStdString(HoursBoundText(seconds, bound))
      .replace('.', QLocale().decimalPoint());
}

/// A sample's time given in hours (from whole seconds).
QString SampleHours(double hours) { return Hours(std::round(hours * 3600.0), TTimeBound::At); }

/// A file name within a text: escaped, so that it stays on one line.
QString Field(const std::string& bytes) { return QString::fromStdString(EscapedText(bytes)); }

/// The cells of one recording's statistics, one per kColumns entry.
QStringList StatCells(const TCurveStats& st, int d) {
  QStringList cells;
  if (st.Count > 0) {
    cells << Number(st.First, d) << Number(st.Last, d)
          << Number(static_cast<double>(st.Last) - st.First, d)
          << Number(st.LastAtHours - st.FirstAtHours, 4) << QString::number(st.Count)
          << Number(st.Min, d) << SampleHours(st.MinAtHours) << Number(st.Max, d)
          << SampleHours(st.MaxAtHours) << Number(st.Mean, d) << Number(st.StdDev, d + 1)
          << Number(st.SlopePerH, d + 1);
  } else {
    cells << QString() << QString() << QString() << QString() << "0";
  }
  while (cells.size() < static_cast<int>(std::size(kColumns))) cells << QString();
  return cells;
}

}  // namespace

TF_Measurements::TF_Measurements(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("F_Messwerte");
  setWindowTitle(tr("Messwerte"));
  setWindowIcon(AppIcon());
  caption_ = new QLabel(this);
  caption_->setObjectName("Lb_Messwerte");
  table_ = new QTableWidget(0, 1 + static_cast<int>(std::size(kColumns)), this);
  table_->setObjectName("Tb_Messwerte");
  QStringList header{tr("Kurve")};
  for (const char* c : kColumns) header << tr(c);
  table_->setHorizontalHeaderLabels(header);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(table_);
  notes_ = new QLabel(this);
  notes_->setObjectName("Lb_MesswerteNotes");
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  notes_->hide();
  layout->addWidget(notes_);
  resize(900, 300);
}

void TF_Measurements::ShowRange(const TVQRDiagram& diagram, int a, int b, const std::string& file) {
  const TVqrDataObjectNew& data = diagram.Data();
  const int count = DrawnSampleCount(data);
  file_ = QString::fromStdString(TableField(file, '\t'));
  const QString name = Field(file);
  setWindowTitle(name.isEmpty() ? tr("Messwerte") : tr("Messwerte \u2013 %1").arg(name));
  double from = 0.0, to = 0.0;
  if (a >= 1 && b >= 1 && a <= count && b <= count) {
    const bool swapped = a > b;
    if (swapped) std::swap(a, b);
    from = data.Recording().Store()->Samples[a].Seconds;
    to = data.Recording().Store()->Samples[b].Seconds;
    from_ = Hours(from, TTimeBound::From);
    to_ = Hours(to, TTimeBound::To);
    caption_->setText(
        tr("Marke A bei %1 h, Marke B bei %2 h").arg(swapped ? to_ : from_, swapped ? from_ : to_));
  } else {
    TimeAxisRange(diagram.Axes(), from, to);
    a = b = 0;
    from_ = Hours(from, TTimeBound::From);
    to_ = Hours(to, TTimeBound::To);
    caption_->setText(tr("Angezeigter Zeitbereich %1 h bis %2 h").arg(from_, to_));
  }
  // In a comparison one column group per recording, named after its file,
  // each over the same time range on its own samples.
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  const size_t groups = diagram.Comparing() ? runs.size() : 1;
  QStringList header{tr("Kurve")};
  for (size_t k = 0; k < groups; ++k) {
    const QString suffix = groups > 1 ? "\n" + Field(runs[k].Name) : QString();
    for (const char* c : kColumns) header << tr(c) + suffix;
    if (k > 0)
      for (const char* c : kDiffColumns) header << tr(c) + suffix;
  }
  // A channel window draws its own channel alone; its pens say so only
  // once it has been drawn.
  const TChannelPens& pens = diagram.ChannelPens();
  const int mode = diagram.WindowMode();
  const bool single = mode >= 1 && mode <= kTempChannel;
  std::vector<int> channels;
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (single ? ch == mode : pens[ch].Visible) channels.push_back(ch);
  // How the curves kept their limits, per recording, after the statistics.
  const bool limited = AnyLimitShown(diagram, channels);
  if (limited)
    for (size_t k = 0; k < groups; ++k)
      header << LimitColumnHeader(groups > 1 ? "\n" + Field(runs[k].Name) : QString());
  table_->setColumnCount(static_cast<int>(header.size()));
  table_->setHorizontalHeaderLabels(header);
  const int decimals = std::clamp(diagram.Axes().Value().Decimals + 3, 2, 7);
  table_->setRowCount(0);
  for (const TMeasuredRow& measured : MeasuredRows(diagram, channels, {a, b, from, to})) {
    const int ch = measured.Channel;
    const TCurveStats& st = measured.Runs[0];
    const int d = ch == kTempChannel ? 2 : decimals;
    const int row = table_->rowCount();
    table_->insertRow(row);
    QStringList cells;
    cells << (ch == kTempChannel ? QString("T") : tr("Kanal %1").arg(ch));
    cells << StatCells(st, d);
    for (size_t k = 1; k < measured.Runs.size(); ++k) {
      const TCurveStats& other = measured.Runs[k];
      cells << StatCells(other, d);
      const bool both = st.Count > 0 && other.Count > 0;
      auto diff = [&](double x, double y) { return both ? Number(x - y, d) : QString(); };
      cells << diff(other.First, st.First) << diff(other.Last, st.Last)
            << diff(other.Mean, st.Mean);
    }
    if (limited) cells << LimitCells(diagram, ch, {a, b, from, to}, groups, d);
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, c, item);
    }
  }
  table_->resizeColumnsToContents();
  const QStringList notes = diagram.Notes() ? NoteLines(*diagram.Notes(), from, to) : QStringList();
  notes_->setText(notes.isEmpty() ? QString() : tr("Notizen:") + "\n" + notes.join('\n'));
  notes_->setVisible(!notes.isEmpty());
  GrowToTable();
}

QString TF_Measurements::NotesText() const { return notes_->text(); }

QString TF_Measurements::TableText() const {
  QString text = tr("Datei\tvon [h]\tbis [h]");
  for (int c = 0; c < table_->columnCount(); ++c) {
    // A group's file, on the header's second line, in brackets after the name.
    QString name = table_->horizontalHeaderItem(c)->text();
    if (const qsizetype nl = name.indexOf('\n'); nl >= 0)
      name = name.left(nl) + " (" + name.mid(nl + 1) + ")";
    text += "\t" + name;
  }
  text += "\n";
  for (int r = 0; r < table_->rowCount(); ++r) {
    text += file_ + "\t" + from_ + "\t" + to_;
    for (int c = 0; c < table_->columnCount(); ++c) {
      const QTableWidgetItem* item = table_->item(r, c);
      text += "\t" + (item ? item->text() : QString());
    }
    text += "\n";
  }
  return text;
}

QSize TF_Measurements::TableSize(QSize room) const {
  const QMargins m = layout()->contentsMargins();
  const int border = 2 * table_->frameWidth();
  // The table's own size; scroll bars only where it does not fit.
  const int columns = table_->horizontalHeader()->length() + border;
  const int rows =
      table_->horizontalHeader()->sizeHint().height() + table_->verticalHeader()->length() + border;
  int chrome = caption_->sizeHint().height() + layout()->spacing() + m.top() + m.bottom();
  if (!notes_->text().isEmpty()) chrome += notes_->sizeHint().height() + layout()->spacing();
  const bool scrollX = columns + m.left() + m.right() > room.width();
  const bool scrollY = rows + chrome > room.height();
  const QSize want(
      std::max(columns + (scrollY ? table_->verticalScrollBar()->sizeHint().width() : 0),
               caption_->sizeHint().width()) +
          m.left() + m.right(),
      rows + (scrollX ? table_->horizontalScrollBar()->sizeHint().height() : 0) + chrome);
  return want.expandedTo(minimumSizeHint()).boundedTo(room);
}

void TF_Measurements::PlaceBeside(const QWidget& beside) {
  const QScreen* screen = beside.screen() ? beside.screen() : this->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // Before its first showing this window knows no frame: the diagram's tells.
  const QRect outer = beside.frameGeometry(), inner = beside.geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const QSize size = TableSize(area.size().shrunkBy(frame));
  const int w = size.width() + frame.left() + frame.right();
  const int h = size.height() + frame.top() + frame.bottom();
  int y = outer.bottom() + 1;
  if (y + h > area.bottom() + 1) y = outer.top() - h;
  y = std::clamp(y, area.top(), area.bottom() + 1 - h);
  const int x = std::clamp(outer.left(), area.left(), area.right() + 1 - w);
  resize(size);
  move(x, y);  // a window's position is its frame's
}

void TF_Measurements::GrowToTable() {
  const QScreen* screen = this->screen();
  if (!isVisible() || !screen) return;
  const QRect area = screen->availableGeometry();
  const QRect outer = frameGeometry(), inner = geometry();
  const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom());
  const QSize room = area.size().shrunkBy(frame);
  const QSize size = this->size().expandedTo(TableSize(room)).boundedTo(room);
  if (size == this->size()) return;
  const int w = size.width() + frame.left() + frame.right();
  const int h = size.height() + frame.top() + frame.bottom();
  resize(size);
  move(std::clamp(outer.left(), area.left(), area.right() + 1 - w),
       std::clamp(outer.top(), area.top(), area.bottom() + 1 - h));
}

void TF_Measurements::CopyToClipboard() { QApplication::clipboard()->setText(TableText()); }

void TF_Measurements::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  if (event->matches(QKeySequence::Cancel)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TF_Measurements::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      if (event->type() == QEvent::KeyPress) CopyToClipboard();
      event->accept();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
