#pragma once
#include <QDialog>

/// The About box: program name and version.
class TFrm_About : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_About(QWidget* parent = nullptr);
};
