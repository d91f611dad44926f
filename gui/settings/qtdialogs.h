#pragma once
// The dialogs behind the settings editors: colour, pen and font (with colour).

#include <QDialog>
#include <QPointer>

#include "gui/settings/control.h"
#include "gui/settings/pendialog.h"

class QFontDialog;
class QPushButton;

/// Colour choice with Qt's colour dialog.
class TQtColorDialog : public IZTColorDialog {
 public:
  explicit TQtColorDialog(QWidget* parent) : parent_(parent) {}
  bool Execute(int32_t& color) override;

 private:
  QPointer<QWidget> parent_;
};

/// The pen dialog behind the pen editor; created once, kept for later edits.
class TQtPenDialog : public IZTPenDialog {
 public:
  explicit TQtPenDialog(QWidget* parent);
  ~TQtPenDialog() override;
  bool Execute(int32_t& width, int32_t& style) override;

 private:
  QPointer<TF_ZTIniPenDialog> dialog_;
};

/// Font face, style and size with the text colour, which Qt's own font
/// dialog does not offer.
class TFontColorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFontColorDialog(QWidget* parent = nullptr);
  void SetFont(const QFont& font);
  QFont SelectedFont() const;
  void SetColor(const QColor& color);
  QColor SelectedColor() const { return color_; }

 private:
  void ShowColor();

  QFontDialog* fonts_;
  QPushButton* colorButton_;
  QColor color_;
};
