#include "gui/settings/pendialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/pencode.h"

TZTUpDown::TZTUpDown(QWidget* parent) : QWidget(parent) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFixedSize(18, 12);
    b->setFocusPolicy(Qt::NoFocus);
    v->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this]() { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this]() { Step(-1); });
}

void TZTUpDown::SetRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, min_, max_);
}

void TZTUpDown::SetPosition(int position) { position_ = std::clamp(position, min_, max_); }

void TZTUpDown::Step(int delta) {
  const int next = std::clamp(position_ + delta, min_, max_);
  if (next == position_) return;
  position_ = next;
  emit PositionChanged(position_);
}

TF_ZTIniPenDialog::TF_ZTIniPenDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("F_ZTIniPenDialog");
  setWindowTitle(tr("Stift auswählen"));

  auto* label1 = new QLabel(tr("Strichstärke"));
  label1->setObjectName("Label1");
  QFont bold = label1->font();
  bold.setBold(true);
  label1->setFont(bold);
  label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  width_ = new QLineEdit;
  width_->setObjectName("Ed_PD_Width");
  width_->setFixedWidth(60);
  width_->setAlignment(Qt::AlignRight);
  upDown_ = new TZTUpDown;
  upDown_->setObjectName("UD_PD_Width");
  upDown_->SetRange(1, 300);
  upDown_->SetPosition(1);
  auto* label2 = new QLabel(tr("mm"));
  label2->setObjectName("Label2");

  auto* widthRow = new QHBoxLayout;
  widthRow->addWidget(label1, 1);
  widthRow->addWidget(width_);
  widthRow->addSpacing(-4);
  widthRow->addWidget(upDown_);
  widthRow->addWidget(label2);
  widthRow->addStretch(1);

  auto* group = new QGroupBox(tr("Stift-Stil"));
  group->setObjectName("RadioGroup1");
  auto* gv = new QVBoxLayout(group);
  static const char* const names[5] = {"RB_Solid", "RB_Dash", "RB_Dot", "RB_DashDot",
                                       "RB_DashDotDot"};
  const QString captions[5] = {tr(" durchgehend"), tr(" gestrichelt"), tr(" gepunktet"),
                               tr(" Strich-Punkt"), tr(" Strich-Punkt-Punkt")};
  for (int i = 0; i < 5; ++i) {
    styles_[i] = new QRadioButton(captions[i]);
    styles_[i]->setObjectName(names[i]);
    gv->addWidget(styles_[i]);
  }

  auto* ok = new QPushButton(tr("Ok"));
  ok->setObjectName("Bt_PD_Ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Abbrechen"));
  cancel->setObjectName("Bt_PD_Cancel");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* v = new QVBoxLayout(this);
  v->addLayout(widthRow);
  v->addWidget(group);
  v->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(260, 0)));

  connect(upDown_, &TZTUpDown::PositionChanged, this, [this](int position) {
    width_->setText(QString::fromStdString(PenWidthText(position)));
  });
}

void TF_ZTIniPenDialog::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TF_ZTIniPenDialog::FormShow() {
  SelWidth = std::clamp(SelWidth, 1, 300);
  upDown_->SetPosition(SelWidth);
  width_->setText(QString::fromStdString(PenWidthText(SelWidth)));
  if (SelStyle < 0 || SelStyle > 4) SelStyle = 0;
  styles_[SelStyle]->setChecked(true);
  width_->setFocus();
  width_->selectAll();
}

void TF_ZTIniPenDialog::done(int result) {
  if (result == QDialog::Accepted) TakeValues();
  QDialog::done(result);
}

void TF_ZTIniPenDialog::TakeValues() {
  const std::string text = width_->text().trimmed().left(30).toStdString();
  SelWidth = std::clamp(PenWidthFromText(text), 1, 300);
  SelStyle = 0;
  for (int i = 0; i < 5; ++i)
    if (styles_[i]->isChecked()) SelStyle = i;
}
