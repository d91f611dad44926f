#include "gui/chart/Measurements.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/vqrdiagram.h"
#include "gui/common/appicons.h"

namespace {

// The columns of one recording after "Kurve"; a compared recording adds
// its differences to the open one.
const char* const kColumns[] = {"Wert A",  "Wert B", "B - A",     "Δt [h]",
                                "Anzahl",  "Min",    "bei [h]",   "Max",
                                "bei [h]", "Mittel", "Std.-Abw.", "Steigung/h"};
const char* const kDiffColumns[] = {"Δ Wert A", "Δ Wert B", "Δ Mittel"};

QString Number(double v, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(v, 'f', decimals);
}

QString Number(std::optional<double> v, int decimals) {
  return v ? Number(*v, decimals) : QString();
}

/// The cells of one recording's statistics, one per kColumns entry.
QStringList StatCells(const TCurveStats& st, int d) {
  QStringList cells;
  if (st.Count > 0) {
    cells << Number(st.First, d) << Number(st.Last, d)
          << Number(static_cast<double>(st.Last) - st.First, d)
          << Number(st.LastAtHours - st.FirstAtHours, 3) << QString::number(st.Count)
          << Number(st.Min, d) << Number(st.MinAtHours, 3) << Number(st.Max, d)
          << Number(st.MaxAtHours, 3) << Number(st.Mean, d) << Number(st.StdDev, d + 1)
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
  setWindowTitle("Messwerte");
  setWindowIcon(AppIcon());
  caption_ = new QLabel(this);
  caption_->setObjectName("Lb_Messwerte");
  table_ = new QTableWidget(0, 1 + static_cast<int>(std::size(kColumns)), this);
  table_->setObjectName("Tb_Messwerte");
  QStringList header{"Kurve"};
  for (const char* c : kColumns) header << QString::fromUtf8(c);
  table_->setHorizontalHeaderLabels(header);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(table_);
  resize(900, 300);
}

void TF_Measurements::ShowRange(const TVQRDiagram& diagram, int a, int b) {
  const TVqrDataObjectNew& data = diagram.Data();
  const int count = DrawnSampleCount(data);
  double from = 0.0, to = 0.0;
  if (a >= 1 && b >= 1 && a <= count && b <= count) {
    if (a > b) std::swap(a, b);
    from = data.Store->Samples[a].Seconds;
    to = data.Store->Samples[b].Seconds;
    caption_->setText(QString("Marke A bei %1 h, Marke B bei %2 h")
                          .arg(Number(from / 3600.0, 3), Number(to / 3600.0, 3)));
  } else {
    TimeAxisRange(data, from, to);
    a = b = 0;
    caption_->setText(QString("Angezeigter Zeitbereich %1 h bis %2 h")
                          .arg(Number(from / 3600.0, 3), Number(to / 3600.0, 3)));
  }
  // In a comparison one column group per recording, named after its file,
  // each over the same time range on its own samples.
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  const size_t groups = diagram.Comparing() ? runs.size() : 1;
  QStringList header{"Kurve"};
  for (size_t k = 0; k < groups; ++k) {
    const QString suffix = groups > 1 ? "\n" + QString::fromStdString(runs[k].Name) : QString();
    for (const char* c : kColumns) header << QString::fromUtf8(c) + suffix;
    if (k > 0)
      for (const char* c : kDiffColumns) header << QString::fromUtf8(c) + suffix;
  }
  table_->setColumnCount(static_cast<int>(header.size()));
  table_->setHorizontalHeaderLabels(header);

  // A channel window draws its own channel alone; its pens say so only
  // once it has been drawn.
  const TChannelPens& pens = diagram.ChannelPens();
  const int mode = diagram.WindowMode();
  const bool single = mode >= 1 && mode <= kTempChannel;
  const int decimals = std::clamp(data.ValueAxis.Decimals + 3, 2, 7);
  table_->setRowCount(0);
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    if (single ? ch != mode : !pens[ch].Visible) continue;
    const TCurveStats st = a ? CurveStatsOfSamples(data, ch, a, b) : CurveStats(data, ch, from, to);
    const int d = ch == kTempChannel ? 2 : decimals;
    const int row = table_->rowCount();
    table_->insertRow(row);
    QStringList cells;
    cells << (ch == kTempChannel ? QString("T") : QString("Kanal %1").arg(ch));
    cells << StatCells(st, d);
    for (size_t k = 1; k < groups; ++k) {
      const TCurveStats other =
          CurveStats(*runs[k].Data, ch, RunSeconds(diagram, k, from), RunSeconds(diagram, k, to));
      cells << StatCells(other, d);
      const bool both = st.Count > 0 && other.Count > 0;
      auto diff = [&](double x, double y) { return both ? Number(x - y, d) : QString(); };
      cells << diff(other.First, st.First) << diff(other.Last, st.Last)
            << diff(other.Mean, st.Mean);
    }
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, c, item);
    }
  }
  table_->resizeColumnsToContents();
}

QString TF_Measurements::TableText() const {
  QString text;
  for (int c = 0; c < table_->columnCount(); ++c) {
    // A group's file, on the header's second line, in brackets after the name.
    QString name = table_->horizontalHeaderItem(c)->text();
    if (const qsizetype nl = name.indexOf('\n'); nl >= 0)
      name = name.left(nl) + " (" + name.mid(nl + 1) + ")";
    text += (c ? "\t" : "") + name;
  }
  text += "\n";
  for (int r = 0; r < table_->rowCount(); ++r) {
    for (int c = 0; c < table_->columnCount(); ++c) {
      const QTableWidgetItem* item = table_->item(r, c);
      text += (c ? "\t" : "") + (item ? item->text() : QString());
    }
    text += "\n";
  }
  return text;
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
