#pragma once
// "Bericht": what goes into a report (the overview, channel and combination
// windows, the table of "Messwerte", the notes).

#include <QDialog>
#include <vector>

#include "session/Report.h"

class QCheckBox;
class QListWidget;

class TF_Report : public QDialog {
  Q_OBJECT
 public:
  /// shown: the windows open now, listed first, checked and with their zoom
  /// and markers; then every other window; notes: offered when there are any.
  TF_Report(const std::vector<TReportWindow>& shown, std::vector<TReportNote> notes,
            QWidget* parent = nullptr);
  /// What the user chose, in the list's order.
  TReportContent Content() const;

 private:
  QListWidget* list_;
  QCheckBox* table_;
  QCheckBox* notes_;
  std::vector<TReportWindow> windows_;  // one per list row
  std::vector<TReportNote> noteList_;
};
