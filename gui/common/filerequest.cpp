#include "gui/common/filerequest.h"

#include <QFileDialog>

QString RunFileDialog(QWidget* parent, const TFileRequest& request) {
  QFileDialog dialog(parent, request.title, request.directory, request.filter);
  const bool open = request.mode == TFileRequest::Mode::Open;
  dialog.setObjectName(open ? "OpenDialog" : "SaveDialog");
  if (open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
  }
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QStringList RunFilesDialog(QWidget* parent, const TFileRequest& request) {
  QFileDialog dialog(parent, request.title, request.directory, request.filter);
  dialog.setObjectName("OpenDialog");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}
