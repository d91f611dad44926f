#pragma once
// The pen dialog: line width in millimetres (0.1 .. 30.0) and line style.

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QToolButton;

/// A pair of arrow buttons that steps an integer between limits.
class TZTUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TZTUpDown(QWidget* parent = nullptr);
  void SetRange(int minimum, int maximum);
  int Position() const { return position_; }
  void SetPosition(int position);

 signals:
  void PositionChanged(int position);

 private:
  void Step(int delta);

  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

class TF_ZTIniPenDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TF_ZTIniPenDialog(QWidget* parent = nullptr);

  /// Width in tenths of a millimetre (1..300) and style (0..4); set before
  /// showing, read after an accepted close.
  int SelWidth = 1;
  int SelStyle = 0;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void TakeValues();

  QLineEdit* width_;
  TZTUpDown* upDown_;
  QRadioButton* styles_[5];
};
