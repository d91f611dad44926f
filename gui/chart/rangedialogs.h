#pragma once
// The dialogs "Achsen" (typed ranges of the three axes) and "Marke bei"
// (a marker at a typed time). Numbers are read and shown in the locale.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

/// One axis row of "Achsen": two numbers, or "automatisch".
struct TAxisRow {
  QString From, To;
  bool Automatic = true;
};

class TF_AxesDialog : public QDialog {
  Q_OBJECT
 public:
  /// rows: time, value, temperature; timeUnit: the time axis's unit text.
  TF_AxesDialog(const TAxisRow (&rows)[3], const QString& timeUnit, QWidget* parent = nullptr);
  /// The typed rows, as typed.
  TAxisRow Row(int i) const;
  /// The range of row i in the row's units; none for "automatisch".
  std::optional<std::pair<double, double>> Range(int i) const;

  void accept() override;

 private:
  QLineEdit* from_[3] = {};
  QLineEdit* to_[3] = {};
  QCheckBox* auto_[3] = {};
  QLabel* error_ = nullptr;
};

class TF_MarkAtDialog : public QDialog {
  Q_OBJECT
 public:
  /// snap: the time (axis unit) of the sample nearest a typed time and its
  /// text to show, none when there is none; canB: marker A is set.
  TF_MarkAtDialog(const QString& timeUnit, bool canB,
                  std::function<std::optional<QString>(double)> snap, QWidget* parent = nullptr);
  bool MarkB() const;
  /// The typed time in the axis unit; none when it is no number.
  std::optional<double> Time() const;

 private:
  void Typed();
  std::function<std::optional<QString>(double)> snap_;
  QRadioButton* a_ = nullptr;
  QRadioButton* b_ = nullptr;
  QLineEdit* time_ = nullptr;
  QLabel* snapped_ = nullptr;
};

/// A number typed in the locale (decimal comma under German), or in the
/// C notation; none for anything else.
std::optional<double> ParseTypedNumber(const QString& text);
/// A number as the dialogs show it: the locale's notation, up to 7 digits.
QString TypedNumberText(double v);
