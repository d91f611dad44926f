// Main window: File/Open and the ASCII export.
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QTabWidget>
#include <algorithm>

#include "app/QXMain.h"
#include "export/expfile.h"
#include "gui/chart/RecordingPanel.h"
#include "gui/common/outputfolder.h"
#include "gui/common/qtext.h"
#include "gui/common/writefailure.h"
#include "gui/settings/settingsbinder.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/pencode.h"
#include "settings/settings.h"

namespace {

QString DataFilter() {
  return TQXMainForm::tr("VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)");
}
QString AsciiFilter() {
  return TQXMainForm::tr("VQR Ascii-Dateien (*.ASC *.asc);;Alle Dateien (*)");
}

}  // namespace

QString TQXMainForm::RunFileDialog(const TFileRequest& request) {
  return ChooseFile ? ChooseFile(request) : ::RunFileDialog(this, request);
}

QString TQXMainForm::ChooseDataFile() {
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = DataFilter();
  request.title = tr("VQR-Rohdaten öffnen");
  if (ini_ && settings_) {
    // The page's current choice counts, as for every other setting in use.
    binder_->CommitFor(TSettingsCommand::FileChoice);
    if (!settings_->RawFileRemember->GetBool(1)) {
      request.directory = Q(DirectoryPart(settings_->RawFileStartDir->GetString(1)));
    } else {
      const std::string last = settings_->RawFileLastFile->GetString(1);
      request.directory = Q(DirectoryPart(last));
      request.fileName = Q(NamePart(last));
    }
    // With no folder set, an installed program shows its sample recordings.
    const QString samples = Q(ini_->DataDir) + "samples";
    if (request.directory.isEmpty() && !ini_->DataDir.empty() && QFileInfo(samples).isDir())
      request.directory = samples + "/";
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

TVqrDataObjectNew* TQXMainForm::DataObject() const {
  return session_ ? &session_->Data() : nullptr;
}

TVQRDiagram* TQXMainForm::Diagram() const { return session_ ? &session_->Diagram() : nullptr; }

std::string TQXMainForm::RecordingName() const {
  return session_ ? session_->Name() : std::string();
}

void TQXMainForm::EnsureSession() {
  // Created on the first File/Open and reused by every later one.
  if (!session_) session_ = std::make_unique<TVQRSession>(settings_.get(), gauge_.get());
}

bool TQXMainForm::ReadChosenFile(const QString& path) {
  bool ok = false;
  if (!path.isEmpty()) {
    openDialogFile_ = path;
    ShowStatus(tr("Daten lesen..."));
    BeginBusy();
    if (windows_ && windows_->ChannelWindowVisible()) windows_->CloseChannelWindow();
    if (windows_) windows_->CloseFurtherWindows();
    currentWindow_ = 0;
    if (ini_ && settings_ && settings_->RawFileRemember->GetBool(1))
      settings_->RawFileLastFile->SetString(1, path.toStdString());
    SetDataFileCaption(path);
    recordingPath_ = path;

    EnsureSession();
    session_->SetGauge(gauge_.get());
    if (binder_) binder_->CommitFor(TSettingsCommand::RecordingLoad);
    const TLoadStatus status = session_->Load(path.toStdString());
    if (status == TLoadStatus::OpenFailed) {
      ShowStatus("Error opening data file!");
      EndBusy();
      return false;
    }
    ok = status == TLoadStatus::Ok;

    dataLoaded_ = true;
    if (gauge_) gauge_->FinishAfter(SettleMs);
    EndBusy();
  }
  ShowStatus(ok ? "Ok" : "Error reading Data File!");
  if (dataLoaded_ && session_) {
    // A load takes the diagram settings itself; a cancelled dialog too.
    if (path.isEmpty()) {
      if (binder_) binder_->CommitFor(TSettingsCommand::RecordingLoad);
      session_->TakeDiagramSettings();
    }
    if (windows_) {
      windows_->RefreshOverview();
      windows_->ShowOverview();
    }
    if (recording_ && recording_->isVisible()) ShowRecordingPanel();
  }
  return ok;
}

void TQXMainForm::FileCompare() {
  if (!session_ || !dataLoaded_ || BusyCount > 0 ||
      session_->ComparedCount() >= TVQRSession::kMaxCompared) {
    Beep();
    return;
  }
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = DataFilter();
  request.title = tr("VQR-Rohdaten vergleichen");
  request.directory = QFileInfo(openDialogFile_).absolutePath() + "/";
  QStringList files = ChooseFiles ? ChooseFiles(request) : RunFilesDialog(this, request);
  if (files.isEmpty()) return;
  // Beyond the most a comparison holds, the rest is left out.
  const int room = TVQRSession::kMaxCompared - session_->ComparedCount();
  if (files.size() > room) {
    Beep();
    files = files.mid(0, room);
  }
  ShowStatus(tr("Daten lesen..."));
  BeginBusy();
  session_->SetGauge(gauge_.get());
  if (binder_) binder_->CommitFor(TSettingsCommand::CompareLoad);
  if (settings_) session_->SetTimeAlign(AlignFromSettings(*settings_));
  TLoadStatus worst = TLoadStatus::Ok;
  QStringList leftOut;
  for (const QString& file : files) {
    const TLoadStatus status =
        session_->AddCompared(QFileInfo(file).absoluteFilePath().toStdString());
    if (status == TLoadStatus::Ok) continue;
    worst = std::max(worst, status);
    leftOut << QFileInfo(file).fileName();
  }
  if (gauge_) gauge_->FinishAfter(SettleMs);
  EndBusy();
  // The status texts of File/Open, with the files that were left out.
  ShowStatus(leftOut.isEmpty() ? QString("Ok")
                               : QString(LoadStatusText(worst)) + " " + leftOut.join(", "));
  if (windows_ && windows_->ChannelWindowVisible()) RefreshDiagramWindow();
  if (windows_) windows_->RefreshFurtherWindows();
}

void TQXMainForm::FileCompareEnd() {
  if (!session_ || session_->ComparedCount() == 0 || BusyCount > 0) {
    Beep();
    return;
  }
  session_->EndComparison();
  if (windows_ && windows_->ChannelWindowVisible()) RefreshDiagramWindow();
  if (windows_) windows_->RefreshFurtherWindows();
}

void TQXMainForm::FileSaveAs() {
  if (!session_) return;
  if (!dataLoaded_ || BusyCount > 0) {
    Beep();
    return;
  }
  ShowFilePage();
  if (binder_) binder_->CommitFor(TSettingsCommand::AsciiExport);

  TFileRequest request;
  request.mode = TFileRequest::Mode::Save;
  request.filter = AsciiFilter();
  request.defaultSuffix = "ASC";
  // The recording's name, where the user may write.
  if (!openDialogFile_.isEmpty()) {
    request.directory = OutputFolderFor(openDialogFile_);
    request.fileName = QFileInfo(openDialogFile_).completeBaseName() + ".ASC";
  }
  const QString target = RunFileDialog(request);
  bool ok = false;
  if (!target.isEmpty()) {
    ShowStatus(tr("Daten schreiben..."));
    BeginBusy();
    SetDataFileCaption(openDialogFile_);
    if (!asciiFile_) asciiFile_ = std::make_unique<TVQRAsciiFile>();
    if (!asciiFile_) {
      ShowStatus("Error creating export file object!");
      EndBusy();
      return;
    }
    asciiFile_->SetStatusHandler([this](const std::string& text) { ShowStatus(Q(text)); });
    session_->SetGauge(gauge_.get());
    const TExportStatus status = session_->ExportAscii(target.toStdString(), *asciiFile_,
                                                       AsciiModeFromSettings(settings_.get()));
    if (status == TExportStatus::OpenFailed) {
      ShowStatus("Error opening export file!");
      EndBusy();
      ShowWriteFailure(target, asciiFile_->ErrorNumber());
      return;
    }
    ok = status == TExportStatus::Ok;
    if (gauge_) gauge_->FinishAfter(SettleMs);
    EndBusy();
  }
  ShowStatus(ok ? "Ok" : "Error writing export File!");
  if (!ok && !target.isEmpty()) ShowWriteFailure(target, asciiFile_->ErrorNumber());
}

void TQXMainForm::ShowWriteFailure(const QString& file, int code) {
  QMessageBox box(QMessageBox::Critical, tr("Fehler"), WriteFailureText(file, code),
                  QMessageBox::Ok, this);
  box.setObjectName("WriteFailureBox");
  box.exec();
}
