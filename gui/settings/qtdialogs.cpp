#include "gui/settings/qtdialogs.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>
#include <cstdlib>

#include "gui/settings/pendialog.h"
#include "gui/settings/qtcontrols.h"

bool TQtColorDialog::Execute(int32_t& color) {
  QColorDialog dialog(ColorFromCode(color), parent_);
  dialog.setObjectName("ColorDialog1");
  dialog.setWindowTitle(TFontColorDialog::tr("Farbe"));
  if (dialog.exec() != QDialog::Accepted) return false;
  color = CodeFromColor(dialog.selectedColor());
  return true;
}

TQtPenDialog::TQtPenDialog(QWidget* parent) : dialog_(new TF_ZTIniPenDialog(parent)) {}

TQtPenDialog::~TQtPenDialog() {
  if (dialog_ && !dialog_->parent()) delete dialog_;
}

bool TQtPenDialog::Execute(int32_t& width, int32_t& style) {
  if (!dialog_) return false;
  dialog_->SelWidth = width;
  dialog_->SelStyle = style;
  if (dialog_->exec() != QDialog::Accepted) return false;
  width = dialog_->SelWidth;
  style = dialog_->SelStyle;
  return true;
}

TFontColorDialog::TFontColorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("FontDialog1");
  setWindowTitle(tr("Schriftart"));
  fonts_ = new QFontDialog(this);
  fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts_->setWindowFlags(Qt::Widget);
  fonts_->setSizeGripEnabled(false);
  // The embedded dialog takes Escape and Enter itself: they close this one.
  connect(fonts_, &QDialog::rejected, this, &QDialog::reject);
  connect(fonts_, &QDialog::accepted, this, &QDialog::accept);

  auto* colorLabel = new QLabel(tr("Farbe:"));
  colorButton_ = new QPushButton;
  colorButton_->setObjectName("Bt_FontColor");
  colorButton_->setFixedWidth(80);
  connect(colorButton_, &QPushButton::clicked, this, [this]() {
    const QColor c = QColorDialog::getColor(color_, this, tr("Farbe"));
    if (c.isValid()) SetColor(c);
  });
  auto* row = new QHBoxLayout;
  row->addWidget(colorLabel);
  row->addWidget(colorButton_);
  row->addStretch(1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* v = new QVBoxLayout(this);
  v->addWidget(fonts_, 1);
  v->addLayout(row);
  v->addWidget(buttons);
  fonts_->show();
  SetColor(Qt::black);
}

namespace {

// The style of family that carries bold and italic (or oblique) as asked:
// regular or bold weight rather than light or black, and of equal weights the
// plainest name ("Book" rather than "Condensed"). Empty when there is none.
QString StyleOf(const QString& family, bool bold, bool italic) {
  QString best;
  int bestDistance = INT_MAX;
  const int wanted = bold ? QFont::Bold : QFont::Normal;
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont f = QFontDatabase::font(family, style, 10);
    if ((f.style() != QFont::StyleNormal) != italic || (f.weight() >= QFont::DemiBold) != bold)
      continue;
    const int d = std::abs(f.weight() - wanted);
    if (d < bestDistance || (d == bestDistance && style.size() < best.size())) {
      best = style;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

void TFontColorDialog::SetFont(const QFont& font) {
  // The dialog finds the style by its name, and a weight's name such as
  // "Normal" is no style of most families: it would fall on any style, an
  // oblique one included. Name the family's own style.
  QFont f = font;
  if (f.styleName().isEmpty()) f.setStyleName(StyleOf(f.family(), f.bold(), f.italic()));
  fonts_->setCurrentFont(f);
}

QFont TFontColorDialog::SelectedFont() const { return fonts_->currentFont(); }

void TFontColorDialog::SetColor(const QColor& color) {
  color_ = color;
  ShowColor();
}

void TFontColorDialog::ShowColor() {
  QPixmap swatch(56, 14);
  swatch.fill(color_);
  colorButton_->setIcon(QIcon(swatch));
  colorButton_->setIconSize(swatch.size());
}
