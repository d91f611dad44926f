#pragma once
// "Aufzeichnung": what is known of the open recording: file, first time
// stamp, duration, sample count and interval, the run parameters, and per
// channel the calibrated minimum, maximum and mean over the whole run.

#include <QWidget>

class QKeyEvent;
class QLabel;
class QTableWidget;
class TVQRSession;

class TF_Recording : public QWidget {
  Q_OBJECT
 public:
  explicit TF_Recording(QWidget* parent = nullptr);

  /// Fills the panel from the session's recording read from path.
  void ShowRecording(TVQRSession& session, const QString& path);

  /// The text of the facts above the table, one "name: value" a line.
  QString FactsText() const;
  /// The notes of the evaluation, one a line in time order.
  QString NotesText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* facts_ = nullptr;
  QTableWidget* channels_ = nullptr;
  QLabel* notes_ = nullptr;
};
