#include "gui/chart/RecordingPanel.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "chart/curvestats.h"
#include "gui/chart/NoteMenu.h"
#include "gui/common/appicons.h"
#include "session/Session.h"

namespace {

QString Number(double v, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(v, 'f', decimals);
}

QString Clock(int32_t seconds) { return QString::fromStdString(ElapsedClockText(seconds)); }

}  // namespace

TF_Recording::TF_Recording(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("F_Recording");
  setWindowTitle(tr("Aufzeichnung"));
  setWindowIcon(AppIcon());
  facts_ = new QLabel(this);
  facts_->setObjectName("Lb_RecordingFacts");
  facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  channels_ = new QTableWidget(0, 4, this);
  channels_->setObjectName("Tb_RecordingChannels");
  channels_->setHorizontalHeaderLabels(
      {tr("Kanal"), tr("Minimum"), tr("Maximum"), tr("Mittelwert")});
  channels_->verticalHeader()->hide();
  channels_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  channels_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(facts_);
  layout->addWidget(channels_, 1);
  notes_ = new QLabel(this);
  notes_->setObjectName("Lb_RecordingNotes");
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  notes_->setWordWrap(true);
  layout->addWidget(notes_);
  resize(460, 640);
}

void TF_Recording::ShowRecording(TVQRSession& session, const QString& path) {
  const TVqrDataObjectNew& data = session.Data();
  const int n = DrawnSampleCount(data);
  QStringList lines;
  lines << tr("Datei: %1").arg(QFileInfo(path).absoluteFilePath());
  const QFileInfo info(path);
  if (info.exists())
    lines
        << tr("Dateidatum: %1").arg(QLocale().toString(info.lastModified(), QLocale::ShortFormat));
  if (n > 0) {
    const TVQRSample& first = data.Recording().Store()->Samples[1];
    const TVQRSample& last = data.Recording().Store()->Samples[n];
    lines << tr("Beginn: Tag %1, %2:%3:%4 (Uhr des Geräts)")
                 .arg(first.Day)
                 .arg(first.Hour, 2, 10, QChar('0'))
                 .arg(first.Minute, 2, 10, QChar('0'))
                 .arg(first.Second, 2, 10, QChar('0'));
    const int32_t duration = last.Seconds - first.Seconds;
    lines << tr("Dauer: %1 (%2 h)").arg(Clock(duration), Number(duration / 3600.0, 2));
    lines << tr("Messwerte: %1").arg(n);
    if (n > 1) lines << tr("Intervall: %1 s (Mittel)").arg(Number(duration / (n - 1.0), 1));
  } else {
    lines << tr("Messwerte: %1").arg(0);
  }
  for (int k = 1; k <= 8; ++k) {
    const auto& e = session.Meta().Entry(k);
    if (e.Name.find_first_not_of(' ') == std::string::npos) continue;
    lines << QString("%1: %2").arg(QString::fromStdString(e.Name).trimmed(),
                                   QString::fromStdString(e.Value).trimmed());
  }
  if (session.LimitsOwn()) lines << tr("Grenzwerte: aus der Auswertung");
  facts_->setText(lines.join('\n'));

  channels_->setRowCount(0);
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const TCurveStats st = CalibratedRunStats(data, ch);
    const int row = channels_->rowCount();
    channels_->insertRow(row);
    const int d = ch == kTempChannel ? 1 : 4;
    const QStringList cells = {ch == kTempChannel ? tr("Temperatur") : tr("Kanal %1").arg(ch),
                               st.Count ? Number(st.Min, d) : QString(),
                               st.Count ? Number(st.Max, d) : QString(),
                               st.Count ? Number(st.Mean, d) : QString()};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      channels_->setItem(row, c, item);
    }
  }
  channels_->resizeColumnsToContents();
  const QStringList notes = NoteLines(session.Notes(), -INFINITY, INFINITY);
  notes_->setText(notes.isEmpty() ? tr("Keine Notizen") : tr("Notizen:") + "\n" + notes.join('\n'));
}

QString TF_Recording::NotesText() const { return notes_->text(); }

QString TF_Recording::FactsText() const { return facts_->text(); }

void TF_Recording::keyPressEvent(QKeyEvent* event) {
  // A window only to read: Esc closes it as it would a message.
  if (event->matches(QKeySequence::Cancel)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
