#pragma once
// Qt side of the settings binding: the edit field used on the settings pages
// and the adapters through which the settings table reads and fills widgets.

#include <QLineEdit>
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "gui/settings/control.h"

class QAbstractButton;
class QComboBox;

/// Windows colour value 0x00BBGGRR <-> QColor.
QColor ColorFromCode(int32_t code);
int32_t CodeFromColor(const QColor& color);

/// A single-line field of a settings page. Colour, pen, font, size and
/// grid-style fields are read-only and open their editor on a click.
class TZTEditField : public QLineEdit {
  Q_OBJECT
 public:
  enum class FieldKind { Text, Number, Color, Pen, Font, Size, GridStyle };

  explicit TZTEditField(FieldKind kind, QWidget* parent = nullptr);

  FieldKind Kind() const { return kind_; }

  int32_t ColorCode() const { return color_; }
  /// Shows the colour as the field's background.
  void SetColorCode(int32_t color);

  int32_t PenCode() const { return penCode_; }
  /// Stores the code and shows the picture of its style.
  void SetPenCode(int32_t code);

  /// Face shown in itself with bold (bit 0) and italic (bit 1).
  void SetFaceAndStyle(const QString& face, int style);
  int FaceStyle() const;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FieldKind kind_;
  int32_t color_ = 0;
  int32_t penCode_ = 0;
};

/// IZTControl over a TZTEditField, a plain QLineEdit, a check box, a
/// radio button or a choice (combo box) whose items carry the stored values. Holds a guarded
/// pointer: a destroyed widget reads as empty.
class TQtControl : public IZTControl {
 public:
  explicit TQtControl(QWidget* widget);

  Kind GetKind() const override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  bool GetChecked() const override;
  void SetChecked(bool checked) override;
  int32_t GetColor() const override;
  void SetColor(int32_t color) override;
  int32_t GetPenCode() const override;
  void SetPenCode(int32_t code) override;
  std::string GetFontFace() const override;
  int GetFontStyle() const override;
  void SetFont(const std::string& face, int style) override;

  QWidget* Widget() const { return widget_; }

 private:
  QLineEdit* Edit() const;
  TZTEditField* Field() const;
  QAbstractButton* Button() const;
  QComboBox* Choice() const;

  QPointer<QWidget> widget_;
};

/// Finds settings controls by objectName among the named widgets below a
/// root widget (the main window) and below each page added later.
class TQtControlProvider : public IZTControlProvider {
 public:
  explicit TQtControlProvider(QWidget* root) { Add(root); }
  /// Makes the named widgets below under (a page built late) findable.
  void Add(QWidget* under);
  IZTControl* FindControl(const std::string& name) override;

 private:
  std::map<std::string, QPointer<QWidget>> named_;
  std::map<std::string, std::unique_ptr<TQtControl>> controls_;
};
