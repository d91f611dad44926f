// Main window: File/Open and the ASCII export.
#include <QFileDialog>
#include <QFileInfo>
#include <QTabWidget>
#include <QThread>

#include "app/QXMain.h"
#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "data/MetaData.h"
#include "data/vqrlogfile.h"
#include "export/expfile.h"
#include "settings/iniclass.h"
#include "settings/pencode.h"
#include "settings/settings.h"
#include "ui/qtext.h"

namespace {

const QString kDataFilter = "VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)";
const QString kAsciiFilter = "VQR Ascii-Dateien (*.ASC *.asc);;Alle Dateien (*)";

}  // namespace

QString TQXMainForm::RunFileDialog(const TFileRequest& request) {
  if (ChooseFile) return ChooseFile(request);
  QFileDialog dialog(this, request.title, request.directory, request.filter);
  dialog.setObjectName(request.mode == TFileRequest::Mode::Open ? "OpenDialog" : "SaveDialog");
  if (request.mode == TFileRequest::Mode::Open) {
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

QString TQXMainForm::ChooseDataFile() {
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = kDataFilter;
  request.title = "VQR-Rohdaten öffnen";
  if (ini_ && settings_) {
    // The page's current choice counts, as for every other setting in use.
    settings_->RawFileRemember->Save(1, kSaveFromControl);
    settings_->RawFileStartDir->Save(1, kSaveFromControl);
    if (!settings_->RawFileRemember->GetBool(1)) {
      request.directory = Q(DirectoryPart(settings_->RawFileStartDir->GetString(1)));
    } else {
      const std::string last = settings_->RawFileLastFile->GetString(1);
      request.directory = Q(DirectoryPart(last));
      request.fileName = Q(NamePart(last));
    }
  }
  return RunFileDialog(request);
}

void TQXMainForm::FileOpen() {
  if (BusyCount > 0) {
    Beep();
    return;
  }
  ReadChosenFile(ChooseDataFile());
}

bool TQXMainForm::OpenDataFile(const QString& path) {
  if (BusyCount > 0) {
    Beep();
    return false;
  }
  return ReadChosenFile(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
}

bool TQXMainForm::EnsureDataObjects() {
  if (!store_) store_ = std::make_unique<TVQRDataObject>();
  if (!store_) {
    ShowStatus("Error creating logdata object!");
    return false;
  }
  store_->Clear();
  if (!metaData_) metaData_ = std::make_unique<TVQRMetaData>();
  if (!metaData_) {
    ShowStatus("Error creating metadata object!");
    return false;
  }
  metaData_->Clear();
  if (!logFile_) logFile_ = std::make_unique<TVQRLogFile>();
  if (!logFile_) {
    ShowStatus("Error creating data file object!");
    return false;
  }
  if (!dataObject_) {
    dataObject_ = std::make_unique<TVqrDataObjectNew>();
    if (!dataObject_) {
      ShowStatus("Error creating data process object!");
      return false;
    }
    diagram_ = std::make_unique<TVQRDiagram>(*dataObject_);
  }
  return true;
}

bool TQXMainForm::ReadChosenFile(const QString& path) {
  bool ok = false;
  if (!path.isEmpty()) {
    openDialogFile_ = path;
    ShowStatus("Daten lesen...");
    BeginBusy();
    if (windows_ && windows_->ChannelWindowVisible()) windows_->CloseChannelWindow();
    CurrentWindow = 0;
    if (ini_ && settings_ && settings_->RawFileRemember->GetBool(1))
      settings_->RawFileLastFile->SetString(1, path.toStdString());
    SetDataFileCaption(path);

    if (!EnsureDataObjects()) {
      EndBusy();
      return false;
    }
    dataObject_->SetStore(store_.get());
    dataObject_->SetLogFile(logFile_.get());
    dataObject_->SetMetaData(metaData_.get());
    dataObject_->SetGauge(gauge_.get());
    if (settings_) settings_->TakeAxisScaling(dataObject_->Scaling);

    logFile_->SetFileName(path.toStdString());
    if (!logFile_->Open()) {
      ShowStatus("Error opening data file!");
      EndBusy();
      return false;
    }
    if (gauge_) gauge_->Start(logFile_->GetSize(), "Lesen:");
    ok = dataObject_->ReadData();
    if (gauge_) gauge_->Complete();
    logFile_->Close();

    DataLoaded = true;
    QThread::msleep(static_cast<unsigned long>(SettleMs));
    if (gauge_) gauge_->Finish();
    EndBusy();
  }
  ShowStatus(ok ? "Ok" : "Error reading Data File!");
  if (DataLoaded && diagram_) {
    if (settings_) TakeDiagramSettings(*settings_, *diagram_);
    if (windows_) {
      windows_->RefreshOverview();
      windows_->ShowOverview();
    }
  }
  return ok;
}

void TQXMainForm::FileSaveAs() {
  if (!dataObject_) return;
  if (!DataLoaded || BusyCount > 0) {
    Beep();
    return;
  }
  ShowFilePage();
  if (settings_) settings_->TakeAsciiExport();

  TFileRequest request;
  request.mode = TFileRequest::Mode::Save;
  request.filter = kAsciiFilter;
  request.defaultSuffix = "ASC";
  const QString target = RunFileDialog(request);
  bool ok = false;
  if (!target.isEmpty()) {
    ShowStatus("Daten schreiben...");
    BeginBusy();
    SetDataFileCaption(openDialogFile_);
    if (!store_ || !logFile_) {
      EndBusy();
      return;
    }
    if (!asciiFile_) asciiFile_ = std::make_unique<TVQRAsciiFile>();
    if (!asciiFile_) {
      ShowStatus("Error creating export file object!");
      EndBusy();
      return;
    }
    asciiFile_->SetStatusHandler([this](const std::string& text) { ShowStatus(Q(text)); });
    dataObject_->SetExportFile(asciiFile_.get());
    const bool opened = asciiFile_->Open(target.toStdString());
    asciiFile_->SetSeparator(',');
    if (!opened) {
      ShowStatus("Error opening export file!");
      EndBusy();
      return;
    }
    dataObject_->SetGauge(gauge_.get());
    if (gauge_) gauge_->Start(dataObject_->GetSampleCount(), "Export:");
    if (settings_ && settings_->AsciiFileCalParams->GetBool(1))
      ok = dataObject_->ExportCalParams();
    else if (settings_ && settings_->AsciiFileRaw->GetBool(1))
      ok = dataObject_->ExportRaw();
    else
      ok = dataObject_->ExportCalibrated();
    if (gauge_) gauge_->Complete();
    // A write lost on closing (a full disk) is an export failure too.
    ok = asciiFile_->CloseExport() && ok;
    QThread::msleep(static_cast<unsigned long>(SettleMs));
    if (gauge_) gauge_->Finish();
    EndBusy();
  }
  ShowStatus(ok ? "Ok" : "Error writing export File!");
}
