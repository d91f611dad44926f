#include "gui/settings/qtcontrols.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QRadioButton>

#include "settings/pencode.h"

QColor ColorFromCode(int32_t code) {
  return QColor(code & 0xff, (code >> 8) & 0xff, (code >> 16) & 0xff);
}

int32_t CodeFromColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

TZTEditField::TZTEditField(FieldKind kind, QWidget* parent) : QLineEdit(parent), kind_(kind) {
  switch (kind) {
    case FieldKind::Text:
    case FieldKind::Number:
      break;
    case FieldKind::Color:
      setReadOnly(true);
      setCursor(Qt::PointingHandCursor);
      SetColorCode(0);
      break;
    case FieldKind::Pen: {
      setReadOnly(true);
      setCursor(Qt::PointingHandCursor);
      QFont f("Arial");
      f.setBold(true);
      setFont(f);
      break;
    }
    case FieldKind::Font:
    case FieldKind::GridStyle:
      setReadOnly(true);
      setCursor(Qt::PointingHandCursor);
      break;
    case FieldKind::Size:
      setReadOnly(true);
      break;
  }
  if (kind == FieldKind::Number || kind == FieldKind::Size || kind == FieldKind::GridStyle)
    setAlignment(Qt::AlignRight);
}

void TZTEditField::SetColorCode(int32_t color) {
  color_ = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ColorFromCode(color));
  setPalette(pal);
}

void TZTEditField::SetPenCode(int32_t code) {
  penCode_ = code;
  setText(QString::fromStdString(StylePicture(code % 1000)));
}

void TZTEditField::SetFaceAndStyle(const QString& face, int style) {
  QFont f = QWidget::font();
  f.setFamily(face.isEmpty() ? QFont().family() : face);
  f.setBold((style & 1) != 0);
  f.setItalic((style & 2) != 0);
  setFont(f);
}

int TZTEditField::FaceStyle() const { return (font().bold() ? 1 : 0) | (font().italic() ? 2 : 0); }

void TZTEditField::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

TQtControl::TQtControl(QWidget* widget) : widget_(widget) {}

QLineEdit* TQtControl::Edit() const { return qobject_cast<QLineEdit*>(widget_.data()); }
TZTEditField* TQtControl::Field() const { return qobject_cast<TZTEditField*>(widget_.data()); }
QAbstractButton* TQtControl::Button() const {
  if (qobject_cast<QCheckBox*>(widget_.data()) || qobject_cast<QRadioButton*>(widget_.data()))
    return qobject_cast<QAbstractButton*>(widget_.data());
  return nullptr;
}

QComboBox* TQtControl::Choice() const { return qobject_cast<QComboBox*>(widget_.data()); }

IZTControl::Kind TQtControl::GetKind() const {
  if (Edit() || Choice()) return Kind::Edit;
  if (qobject_cast<QCheckBox*>(widget_.data())) return Kind::CheckBox;
  if (qobject_cast<QRadioButton*>(widget_.data())) return Kind::RadioButton;
  return Kind::Other;
}

std::string TQtControl::GetText() const {
  // A choice's text is its item's data: the value stored, in any language.
  if (QComboBox* c = Choice()) return c->currentData().toString().toStdString();
  QLineEdit* e = Edit();
  return e ? e->text().toStdString() : std::string();
}

void TQtControl::SetText(const std::string& text) {
  if (QComboBox* c = Choice()) {
    // A value the choice does not know is kept as it is, an item of its own.
    const QString value = QString::fromStdString(text);
    int index = c->findData(value, Qt::UserRole, Qt::MatchFixedString);
    if (index < 0) {
      c->addItem(value, value);
      index = c->count() - 1;
    }
    c->setCurrentIndex(index);
    return;
  }
  if (QLineEdit* e = Edit()) e->setText(QString::fromStdString(text));
}

bool TQtControl::GetChecked() const {
  QAbstractButton* b = Button();
  return b && b->isChecked();
}

void TQtControl::SetChecked(bool checked) {
  QAbstractButton* b = Button();
  if (!b) return;
  // An exclusive radio button refuses to be unchecked; a stored "all off"
  // must still show as all off.
  const bool exclusive = b->autoExclusive();
  if (!checked && exclusive) b->setAutoExclusive(false);
  b->setChecked(checked);
  if (!checked && exclusive) b->setAutoExclusive(true);
}

int32_t TQtControl::GetColor() const {
  TZTEditField* f = Field();
  return f ? f->ColorCode() : 0;
}

void TQtControl::SetColor(int32_t color) {
  if (TZTEditField* f = Field()) f->SetColorCode(color);
}

int32_t TQtControl::GetPenCode() const {
  TZTEditField* f = Field();
  return f ? f->PenCode() : 0;
}

void TQtControl::SetPenCode(int32_t code) {
  if (TZTEditField* f = Field()) f->SetPenCode(code);
}

std::string TQtControl::GetFontFace() const {
  QLineEdit* e = Edit();
  return e ? e->text().trimmed().toStdString() : std::string();
}

int TQtControl::GetFontStyle() const {
  TZTEditField* f = Field();
  return f ? f->FaceStyle() : 0;
}

void TQtControl::SetFont(const std::string& face, int style) {
  TZTEditField* f = Field();
  if (!f) return;
  f->SetFaceAndStyle(QString::fromStdString(face), style);
  f->setText(QString::fromStdString(face));
}

void TQtControlProvider::Add(QWidget* under) {
  if (!under) return;
  auto add = [this](QWidget* w) {
    const QString name = w->objectName();
    // The first widget of a name wins, as a search from the root would find it.
    if (!name.isEmpty()) named_.emplace(name.toStdString(), w);
  };
  add(under);
  for (QWidget* w : under->findChildren<QWidget*>()) add(w);
}

IZTControl* TQtControlProvider::FindControl(const std::string& name) {
  auto it = controls_.find(name);
  if (it != controls_.end()) return it->second.get();
  const auto found = named_.find(name);
  if (found == named_.end() || !found->second) return nullptr;
  auto control = std::make_unique<TQtControl>(found->second);
  IZTControl* result = control.get();
  controls_.emplace(name, std::move(control));
  return result;
}
