#include "gui/chart/rangedialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

std::optional<double> ParseTypedNumber(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  double v = QLocale().toDouble(t, &ok);
  if (!ok) v = QLocale::c().toDouble(t, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

QString TypedNumberText(double v) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(v, 'g', 7);
}

// ------------------------------------------------------------------ Achsen

TF_AxesDialog::TF_AxesDialog(const TAxisRow (&rows)[3], const QString& timeUnit, QWidget* parent)
    : QDialog(parent) {
  setObjectName("Dlg_Axes");
  setWindowTitle(tr("Achsen"));
  auto* grid = new QGridLayout;
  const QString names[3] = {tr("Zeit (%1)").arg(timeUnit), tr("Messwert"), tr("Temperatur")};
  const char* const keys[3] = {"Time", "Value", "Temp"};
  grid->addWidget(new QLabel(tr("von / Minimum")), 0, 1);
  grid->addWidget(new QLabel(tr("bis / Maximum")), 0, 2);
  for (int i = 0; i < 3; ++i) {
    from_[i] = new QLineEdit(rows[i].From);
    to_[i] = new QLineEdit(rows[i].To);
    auto_[i] = new QCheckBox(tr("automatisch"));
    from_[i]->setObjectName(QStringLiteral("Ed_%1From").arg(keys[i]));
    to_[i]->setObjectName(QStringLiteral("Ed_%1To").arg(keys[i]));
    auto_[i]->setObjectName(QStringLiteral("CB_%1Auto").arg(keys[i]));
    auto_[i]->setChecked(rows[i].Automatic);
    from_[i]->setEnabled(!rows[i].Automatic);
    to_[i]->setEnabled(!rows[i].Automatic);
    connect(auto_[i], &QCheckBox::toggled, this, [this, i](bool on) {
      from_[i]->setEnabled(!on);
      to_[i]->setEnabled(!on);
    });
    grid->addWidget(new QLabel(names[i]), i + 1, 0);
    grid->addWidget(from_[i], i + 1, 1);
    grid->addWidget(to_[i], i + 1, 2);
    grid->addWidget(auto_[i], i + 1, 3);
  }
  error_ = new QLabel;
  error_->setObjectName("LB_AxesError");
  error_->setStyleSheet("color: #b00000");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(error_);
  layout->addWidget(buttons);
}

TAxisRow TF_AxesDialog::Row(int i) const {
  return {from_[i]->text().trimmed(), to_[i]->text().trimmed(), auto_[i]->isChecked()};
}

std::optional<std::pair<double, double>> TF_AxesDialog::Range(int i) const {
  if (auto_[i]->isChecked()) return std::nullopt;
  const auto a = ParseTypedNumber(from_[i]->text()), b = ParseTypedNumber(to_[i]->text());
  if (!a || !b) return std::nullopt;
  return std::pair{*a, *b};
}

void TF_AxesDialog::accept() {
  for (int i = 0; i < 3; ++i) {
    if (auto_[i]->isChecked()) continue;
    const auto a = ParseTypedNumber(from_[i]->text()), b = ParseTypedNumber(to_[i]->text());
    if (!a || !b || *a == *b) {
      error_->setText(!a || !b ? tr("Bitte zwei Zahlen eingeben.")
                               : tr("Anfang und Ende müssen verschieden sein."));
      (!a ? from_[i] : to_[i])->setFocus();
      return;
    }
  }
  QDialog::accept();
}

// --------------------------------------------------------------- Marke bei

TF_MarkAtDialog::TF_MarkAtDialog(const QString& timeUnit, bool canB,
                                 std::function<std::optional<QString>(double)> snap,
                                 QWidget* parent)
    : QDialog(parent), snap_(std::move(snap)) {
  setObjectName("Dlg_MarkAt");
  setWindowTitle(tr("Marke bei"));
  a_ = new QRadioButton(tr("Marke A"));
  b_ = new QRadioButton(tr("Marke B"));
  a_->setObjectName("RB_MarkA");
  b_->setObjectName("RB_MarkB");
  b_->setEnabled(canB);
  if (canB)
    b_->setChecked(true);
  else
    a_->setChecked(true);
  time_ = new QLineEdit;
  time_->setObjectName("Ed_MarkTime");
  snapped_ = new QLabel;
  snapped_->setObjectName("LB_MarkSnapped");
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Zeit (%1):").arg(timeUnit)));
  row->addWidget(time_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(time_, &QLineEdit::textChanged, this, [this, buttons] {
    Typed();
    buttons->button(QDialogButtonBox::Ok)->setEnabled(Time().has_value());
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(a_);
  layout->addWidget(b_);
  layout->addLayout(row);
  layout->addWidget(snapped_);
  layout->addWidget(buttons);
}

bool TF_MarkAtDialog::MarkB() const { return b_->isChecked(); }

std::optional<double> TF_MarkAtDialog::Time() const {
  const auto t = ParseTypedNumber(time_->text());
  if (!t || !snap_(*t)) return std::nullopt;
  return t;
}

void TF_MarkAtDialog::Typed() {
  const auto t = ParseTypedNumber(time_->text());
  const auto text = t ? snap_(*t) : std::nullopt;
  snapped_->setText(text ? tr("Nächster Messpunkt: %1").arg(*text) : QString());
}
