// Main window: saved evaluations (.vqa) and the notes.
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/QXMain.h"
#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/RecordingPanel.h"
#include "gui/common/qtext.h"
#include "gui/common/writefailure.h"
#include "gui/settings/settingsbinder.h"
#include "session/evaluationsession.h"
#include "session/evaluationtext.h"
#include "settings/settings.h"

namespace {

QString EvaluationFilter() {
  return TQXMainForm::tr("VQR Auswertungen (*.vqa *.VQA);;Alle Dateien (*)");
}
QString DataFilter() {
  return TQXMainForm::tr("VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)");
}

}  // namespace

/// Why an evaluation file was refused, in one message.
QString EvaluationErrorText(const QString& file, const TEvalResult& r) {
  return Q(EvaluationErrorMessage(file.toStdString(), r));
}

TNotes* TQXMainForm::Notes() { return session_ && dataLoaded_ ? &session_->Notes() : nullptr; }

void TQXMainForm::NotesChanged() {
  if (windows_) windows_->RedrawDiagrams();
  if (recording_ && recording_->isVisible()) ShowRecordingPanel();
}

bool TQXMainForm::OpenFileArgument(const QString& path) {
  if (QFileInfo(path).suffix().compare("vqa", Qt::CaseInsensitive) == 0)
    return OpenEvaluationFile(QFileInfo(path).absoluteFilePath());
  return OpenDataFile(path);
}

void TQXMainForm::FileOpenEvaluation() {
  if (BusyCount > 0) {
    Beep();
    return;
  }
  TFileRequest request;
  request.mode = TFileRequest::Mode::Open;
  request.filter = EvaluationFilter();
  request.title = tr("Auswertung öffnen");
  if (!evaluationPath_.isEmpty())
    request.directory = QFileInfo(evaluationPath_).absolutePath();
  else if (!recordingPath_.isEmpty())
    request.directory = QFileInfo(recordingPath_).absolutePath();
  const QString path = RunFileDialog(request);
  if (!path.isEmpty()) OpenEvaluationFile(QFileInfo(path).absoluteFilePath());
}

void TQXMainForm::FileSaveEvaluation() {
  if (!session_ || !dataLoaded_ || recordingPath_.isEmpty() || BusyCount > 0) {
    Beep();
    return;
  }
  TFileRequest request;
  request.mode = TFileRequest::Mode::Save;
  request.filter = EvaluationFilter();
  request.defaultSuffix = "vqa";
  request.title = tr("Auswertung speichern");
  const QFileInfo proposed(evaluationPath_.isEmpty() ? recordingPath_ : evaluationPath_);
  request.directory = proposed.absolutePath();
  request.fileName = proposed.completeBaseName() + ".vqa";
  const QString path = RunFileDialog(request);
  if (!path.isEmpty()) SaveEvaluationFile(QFileInfo(path).absoluteFilePath());
}

bool TQXMainForm::EvaluationFailure(const char* status, const QString& text) {
  ShowStatus(status);
  if (ShowEvaluationError) {
    ShowEvaluationError(text);
  } else {
    QMessageBox box(QMessageBox::Critical, tr("Fehler"), text, QMessageBox::Ok, this);
    box.setObjectName("EvaluationFailureBox");
    box.exec();
  }
  return false;
}

bool TQXMainForm::SaveEvaluationFile(const QString& path) {
  if (!session_ || !dataLoaded_) return false;
  auto fail = [this](const QString& text) {
    return EvaluationFailure("Error writing evaluation file!", text);
  };
  TEvaluation eval;
  if (windows_) {
    eval.Windows = windows_->SavedViews();
    eval.CoupledTime = windows_->TimeAxesCoupled();
  }
  int code = 0;
  std::string failed;
  if (!CaptureEvaluation(*session_, recordingPath_.toStdString(), path.toStdString(), eval, &code,
                         &failed))
    return fail(Q(RecordingStateMessage(failed, TRecordingState::Unreadable, code)));
  if (!WriteEvaluationFile(path.toStdString(), eval, &code))
    return fail(WriteFailureText(path, code));
  evaluationPath_ = path;
  ShowStatus("Ok");
  return true;
}

bool TQXMainForm::OpenEvaluationFile(const QString& path) {
  if (BusyCount > 0) {
    Beep();
    return false;
  }
  auto refuse = [this](const QString& text) {
    return EvaluationFailure("Error reading evaluation file!", text);
  };
  TEvaluation eval;
  const TEvalResult read = ReadEvaluationFile(path.toStdString(), eval);
  if (!read) return refuse(EvaluationErrorText(path, read));

  // Every recording is found and checked before anything changes.
  std::vector<std::string> paths;
  std::vector<const TEvalRecording*> recordings{&eval.Recording};
  for (const TEvalRecording& r : eval.Compared) recordings.push_back(&r);
  for (const TEvalRecording* r : recordings) {
    std::string file = ResolveRecordingPath(r->Path, path.toStdString());
    for (;;) {
      int code = 0;
      const TRecordingState state = CheckRecording(file, r->Sha256, &code);
      if (state == TRecordingState::Same) break;
      const QString name = Q(file);
      const QString text = Q(RecordingStateMessage(file, state, code));
      const bool changed = state == TRecordingState::Changed;
      int answer = 0;
      if (AskAboutRecording) {
        answer = AskAboutRecording(text, changed);
      } else {
        QMessageBox box(QMessageBox::Warning, tr("Fehler"), text, QMessageBox::Cancel, this);
        box.setObjectName("EvaluationRecordingBox");
        QPushButton* locate = box.addButton(tr("Suchen..."), QMessageBox::AcceptRole);
        QPushButton* anyway =
            changed ? box.addButton(tr("Trotzdem öffnen"), QMessageBox::DestructiveRole) : nullptr;
        box.exec();
        answer = box.clickedButton() == locate             ? 1
                 : anyway && box.clickedButton() == anyway ? 2
                                                           : 0;
      }
      if (answer == 2 && changed) break;
      if (answer != 1) {
        ShowStatus("Error reading evaluation file!");
        return false;
      }
      TFileRequest request;
      request.mode = TFileRequest::Mode::Open;
      request.filter = DataFilter();
      request.title = tr("Aufzeichnung suchen");
      request.directory = QFileInfo(path).absolutePath();
      request.fileName = QFileInfo(name).fileName();
      const QString located = RunFileDialog(request);
      if (located.isEmpty()) {
        ShowStatus("Error reading evaluation file!");
        return false;
      }
      file = QFileInfo(located).absoluteFilePath().toStdString();
    }
    paths.push_back(file);
  }

  // The open recording as File/Open reads it, then the rest on top.
  if (!ReadChosenFile(Q(paths[0])) || !session_) return false;
  BeginBusy();
  if (binder_) binder_->CommitFor(TSettingsCommand::CompareLoad);
  if (settings_) session_->SetTimeAlign(AlignFromSettings(*settings_));
  ApplyEvaluation(*session_, eval, {paths.begin() + 1, paths.end()});
  if (zeroAction_) zeroAction_->setChecked(eval.ZeroPoint);
  EndBusy();
  if (windows_) {
    windows_->RefreshOverview();
    // The windows as they were: the first in its mode, the rest beside it;
    // coupled only once each shows its own time axis.
    windows_->SetTimeAxesCoupled(false);
    windows_->CloseFurtherWindows();
    for (size_t i = 0; i < eval.Windows.size(); ++i) {
      const TEvalWindow& w = eval.Windows[i];
      if (i == 0) {
        OpenDiagramWindow(w.Mode);
        windows_->RestoreChannelView(w);
      } else if (!windows_->OpenFurtherView(w)) {
        break;
      }
    }
    windows_->SetTimeAxesCoupled(eval.CoupledTime);
  }
  evaluationPath_ = path;
  NotesChanged();
  ShowStatus("Ok");
  return true;
}
