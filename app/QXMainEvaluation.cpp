// Main window: saved evaluations (.vqa) and the notes.
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <cerrno>
#include <cstring>

#include "app/QXMain.h"
#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/RecordingPanel.h"
#include "gui/common/qtext.h"
#include "gui/common/writefailure.h"
#include "gui/settings/settingsbinder.h"
#include "session/evaluationsession.h"
#include "settings/settings.h"

namespace {

QString EvaluationFilter() {
  return TQXMainForm::tr("VQR Auswertungen (*.vqa *.VQA);;Alle Dateien (*)");
}
QString DataFilter() {
  return TQXMainForm::tr("VQR Messwert-Dateien (*.DAT *.dat);;Alle Dateien (*)");
}

QString ReadReason(int code) {
  switch (code) {
    case ENOENT:
      return TQXMainForm::tr("Die Datei gibt es nicht.");
    case EACCES:
    case EPERM:
      return TQXMainForm::tr("Der Zugriff wurde verweigert.");
    default:
      return QString::fromLocal8Bit(std::strerror(code));
  }
}

}  // namespace

/// Why an evaluation file was refused, in one message.
QString EvaluationErrorText(const QString& file, const TEvalResult& r) {
  switch (r.Error) {
    case TEvalError::None:
      break;
    case TEvalError::OpenFailed:
      return TQXMainForm::tr("Die Auswertung %1 kann nicht geöffnet werden. %2")
          .arg(file, ReadReason(r.Errno));
    case TEvalError::NotRegular:
      return TQXMainForm::tr(
                 "%1 ist keine gewöhnliche Datei, sondern ein Ordner, eine Pipe oder ein Gerät.")
          .arg(file);
    case TEvalError::TooLarge:
      return TQXMainForm::tr("%1 ist zu groß für eine Auswertung (höchstens %2 kB).")
          .arg(file)
          .arg(kMaxEvaluationBytes / 1024);
    case TEvalError::Damaged:
      return TQXMainForm::tr("Die Auswertung %1 ist beschädigt oder unvollständig.").arg(file);
    case TEvalError::NotEvaluation:
      return TQXMainForm::tr("%1 ist keine Auswertung von vqrshow4.").arg(file);
    case TEvalError::NewerVersion:
      return TQXMainForm::tr(
                 "Die Auswertung %1 stammt von einer neueren Programmversion (Format %2; dieses "
                 "Programm liest Format %3).")
          .arg(file)
          .arg(r.Version)
          .arg(kEvaluationVersion);
    case TEvalError::WrongType:
      return TQXMainForm::tr(
                 "Die Auswertung %1 ist beschädigt: das Feld \u201e%2\u201c fehlt oder hat den "
                 "falschen Typ.")
          .arg(file, Q(r.Field));
    case TEvalError::BadValue:
      return TQXMainForm::tr(
                 "Die Auswertung %1 ist beschädigt: das Feld \u201e%2\u201c hat einen ungültigen "
                 "Wert.")
          .arg(file, Q(r.Field));
  }
  return {};
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

bool TQXMainForm::SaveEvaluationFile(const QString& path) {
  if (!session_ || !dataLoaded_) return false;
  auto fail = [this](const QString& text) {
    ShowStatus("Error writing evaluation file!");
    if (ShowEvaluationError) {
      ShowEvaluationError(text);
    } else {
      QMessageBox box(QMessageBox::Critical, tr("Fehler"), text, QMessageBox::Ok, this);
      box.setObjectName("EvaluationFailureBox");
      box.exec();
    }
    return false;
  };
  TEvaluation eval;
  if (windows_ && windows_->ChannelWindowVisible() && windows_->ChannelController()) {
    const TDiagramController& c = *windows_->ChannelController();
    TEvalWindow w;
    w.Mode = session_->Diagram().WindowMode();
    w.Axes = session_->Data().Axes().All();
    w.Zoomed = c.Zoomed();
    w.MarkA = c.MarkA();
    w.MarkB = c.MarkB();
    eval.Windows.push_back(w);
  }
  int code = 0;
  std::string failed;
  if (!CaptureEvaluation(*session_, recordingPath_.toStdString(), path.toStdString(), eval, &code,
                         &failed))
    return fail(TQXMainForm::tr("Die Aufzeichnung %1 kann nicht gelesen werden. %2")
                    .arg(Q(failed), ReadReason(code)));
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
    ShowStatus("Error reading evaluation file!");
    if (ShowEvaluationError) {
      ShowEvaluationError(text);
    } else {
      QMessageBox box(QMessageBox::Critical, tr("Fehler"), text, QMessageBox::Ok, this);
      box.setObjectName("EvaluationFailureBox");
      box.exec();
    }
    return false;
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
      QString text;
      switch (state) {
        case TRecordingState::Missing:
          text = TQXMainForm::tr(
                     "Die Aufzeichnung %1 der Auswertung wurde nicht gefunden; sie wurde "
                     "verschoben oder gelöscht.")
                     .arg(name);
          break;
        case TRecordingState::NotRegular:
          text =
              TQXMainForm::tr(
                  "%1 ist keine gewöhnliche Datei, sondern ein Ordner, eine Pipe oder ein Gerät.")
                  .arg(name);
          break;
        case TRecordingState::Unreadable:
          text = TQXMainForm::tr("Die Aufzeichnung %1 kann nicht gelesen werden. %2")
                     .arg(name, ReadReason(code));
          break;
        case TRecordingState::Changed:
        case TRecordingState::Same:
          text = TQXMainForm::tr(
                     "Die Aufzeichnung %1 wurde geändert, seit die Auswertung gespeichert wurde.")
                     .arg(name);
          break;
      }
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
  if (windows_) windows_->RefreshOverview();
  for (const TEvalWindow& w : eval.Windows) {
    OpenDiagramWindow(w.Mode);
    if (windows_)
      windows_->RestoreChannelView(w.Zoomed, w.Axes.Time, w.Axes.Value, w.MarkA, w.MarkB);
    break;  // one diagram window
  }
  evaluationPath_ = path;
  NotesChanged();
  ShowStatus("Ok");
  return true;
}
