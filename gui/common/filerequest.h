#pragma once
// What a file dialog is asked for; whoever answers returns the path or "".

#include <QString>
#include <QStringList>

struct TFileRequest {
  enum class Mode { Open, Save };
  Mode mode = Mode::Open;
  QString title;
  QString filter;     // Qt syntax: "Name (*.A *.a);;Alle Dateien (*)"
  QString directory;  // initial directory, may be empty
  QString fileName;   // initial file name, may be empty
  QString defaultSuffix;
};

class QWidget;

/// Asks with a QFileDialog (object name "OpenDialog" or "SaveDialog").
QString RunFileDialog(QWidget* parent, const TFileRequest& request);
/// Asks for one or more existing files ("OpenDialog"); empty when cancelled.
QStringList RunFilesDialog(QWidget* parent, const TFileRequest& request);
