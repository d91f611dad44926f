#include "gui/print/ReportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "print/Report.h"

TF_Report::TF_Report(const std::vector<TReportWindow>& shown, std::vector<TReportNote> notes,
                     QWidget* parent)
    : QDialog(parent), noteList_(std::move(notes)) {
  setObjectName("F_Report");
  setWindowTitle(tr("Bericht"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Seiten des Berichts:"), this));
  list_ = new QListWidget(this);
  list_->setObjectName("LB_ReportWindows");
  const auto add = [this](const TReportWindow& w, bool checked) {
    QString text = ReportWindowName(w.Mode);
    // A further window with its number, as its caption has it.
    if (w.Mode != kReportOverview && w.Number > 1) text += QString(" (%1)").arg(w.Number);
    if (w.Zoomed) text += tr(", mit Zoom");
    if (w.MarkA > 0 && w.MarkB > 0) text += tr(", mit Marken");
    auto* item = new QListWidgetItem(text, list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    windows_.push_back(w);
  };
  // The windows open, as they are shown, then every other one unzoomed.
  for (const TReportWindow& w : shown) add(w, true);
  std::vector<int> modes{kReportOverview};
  for (int ch = 1; ch <= 16; ++ch) modes.push_back(ch);
  modes.push_back(kCombi1Mode);
  modes.push_back(kCombi2Mode);
  for (int mode : modes)
    if (std::none_of(shown.begin(), shown.end(),
                     [mode](const TReportWindow& w) { return w.Mode == mode; }))
      add(TReportWindow{.Mode = mode}, false);
  layout->addWidget(list_);
  table_ = new QCheckBox(tr("Tabelle der Messwerte und Grenzwerte"), this);
  table_->setObjectName("CB_ReportTable");
  table_->setChecked(true);
  layout->addWidget(table_);
  notes_ = new QCheckBox(tr("Notizen"), this);
  notes_->setObjectName("CB_ReportNotes");
  notes_->setChecked(!noteList_.empty());
  notes_->setEnabled(!noteList_.empty());
  layout->addWidget(notes_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("Bt_ReportOk");
  buttons->button(QDialogButtonBox::Ok)->setText(tr("Drucken..."));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // Every row shown, without empty space below the last one.
  list_->setMinimumHeight(list_->sizeHintForRow(0) * list_->count() + 2 * list_->frameWidth() + 2);
  resize(std::max(320, sizeHint().width()), sizeHint().height());
}

TReportContent TF_Report::Content() const {
  TReportContent c;
  for (int row = 0; row < list_->count(); ++row)
    if (list_->item(row)->checkState() == Qt::Checked)
      c.Windows.push_back(windows_[static_cast<size_t>(row)]);
  c.Table = table_->isChecked();
  if (notes_->isChecked()) c.Notes = noteList_;
  return c;
}
