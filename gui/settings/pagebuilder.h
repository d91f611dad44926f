#pragma once
// Small helpers shared by the settings page builders.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include "gui/settings/qtcontrols.h"

namespace pages {

using Kind = TZTEditField::FieldKind;

constexpr int kNumberWidth = 64;
constexpr int kColorWidth = 40;
constexpr int kPenWidth = 130;
constexpr int kFontWidth = 150;
constexpr int kSizeWidth = 40;

inline TZTEditField* Field(const QString& name, Kind kind, int width = 0) {
  auto* f = new TZTEditField(kind);
  f->setObjectName(name);
  if (width == 0) {
    switch (kind) {
      case Kind::Number:
        width = kNumberWidth;
        break;
      case Kind::Color:
        width = kColorWidth;
        break;
      case Kind::Pen:
        width = kPenWidth;
        break;
      case Kind::Font:
        width = kFontWidth;
        break;
      case Kind::Size:
      case Kind::GridStyle:
        width = kSizeWidth;
        break;
      case Kind::Text:
        break;
    }
  }
  if (width > 0) f->setFixedWidth(width);
  return f;
}

inline QLabel* Label(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* l = new QLabel(text);
  l->setAlignment(align);
  return l;
}

inline QLabel* Header(const QString& text) {
  auto* l = Label(text, Qt::AlignLeft | Qt::AlignBottom);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

inline QLabel* Note(const QString& text) {
  auto* l = Label(text);
  QFont f = l->font();
  f.setItalic(true);
  l->setFont(f);
  return l;
}

inline QGroupBox* Group(const QString& name, const QString& title) {
  auto* g = new QGroupBox(title);
  g->setObjectName(name);
  return g;
}

inline QPushButton* Button(const QString& name, const QString& text, int width = 0) {
  auto* b = new QPushButton(text);
  b->setObjectName(name);
  if (width > 0) b->setFixedWidth(width);
  return b;
}

inline QPushButton* PickerButton(const QString& name) {
  auto* b = Button(name, "...", 32);
  b->setAutoDefault(false);
  return b;
}

inline QCheckBox* Check(const QString& name, const QString& text) {
  auto* c = new QCheckBox(text);
  c->setObjectName(name);
  return c;
}

inline QRadioButton* Radio(const QString& name, const QString& text) {
  auto* r = new QRadioButton(text);
  r->setObjectName(name);
  return r;
}

/// A grid that keeps its columns at their natural width and leaves the
/// extra room to a last, empty column.
inline QGridLayout* TightGrid(QWidget* parent, int columns) {
  auto* g = new QGridLayout(parent);
  g->setHorizontalSpacing(8);
  g->setVerticalSpacing(4);
  g->setColumnStretch(columns, 1);
  return g;
}

}  // namespace pages
