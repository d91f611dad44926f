// Main window: opening the diagram windows and the requests they send back.
#include <QTabWidget>

#include "app/QXMain.h"
#include "chart/vqrdiagram.h"
#include "gui/chart/RecordingPanel.h"
#include "gui/settings/settingsbinder.h"
#include "session/Session.h"
#include "settings/settings.h"

void TQXMainForm::OpenDiagramWindow(int mode) {
  if (!session_) return;
  if (!dataLoaded_ || !(IsChannelMode(mode) || IsCombiMode(mode))) {
    Beep();
    return;
  }
  currentWindow_ = mode;
  if (binder_) binder_->CommitFor(DiagramWindowCommand(mode));
  CurveCount = session_->PrepareWindow(mode);
  const char* page = mode == kCombi1Mode   ? "TS_Combi1"
                     : mode == kCombi2Mode ? "TS_Combi2"
                                           : "TS_Single";
  if (QWidget* p = pages_->findChild<QWidget*>(page)) pages_->setCurrentWidget(p);
  if (windows_) windows_->RefreshChannelWindow();
}

void TQXMainForm::RefreshDiagramWindow() {
  if (session_) OpenDiagramWindow(session_->Diagram().WindowMode());
}

void TQXMainForm::GenApplyClick() {
  if (windows_ && windows_->ChannelWindowVisible())
    RefreshDiagramWindow();
  else
    Beep();
}

void TQXMainForm::ShowOverviewAs(bool filled) {
  if (!session_) return;
  if (!dataLoaded_) {
    Beep();
    return;
  }
  // The overview reads the setting at every paint.
  if (settings_) settings_->OverviewWindowFillPixel->SetBool(1, filled);
  if (windows_) windows_->ShowOverview();
}

void TQXMainForm::ToggleCombiChannel(TZTiniSettingValue* visible, int channel) {
  if (!visible || channel < 1 || channel > kTempChannel) return;
  // The check box on the page is the current state; the store follows it.
  binder_->Commit(visible, channel);
  visible->SetBool(channel, !visible->GetBool(channel));
  binder_->Fill(visible, channel);
}

void TQXMainForm::HandleOverviewMessage(int target) {
  if (currentWindow_ == kCombi1Mode && target != kCombi2Mode) {
    if (settings_) ToggleCombiChannel(settings_->CombiWindow1VisibleCh, target);
    RefreshDiagramWindow();
  } else if (currentWindow_ == kCombi2Mode && target != kCombi1Mode) {
    if (settings_) ToggleCombiChannel(settings_->CombiWindow2VisibleCh, target);
    RefreshDiagramWindow();
  } else {
    OpenDiagramWindow(target);
  }
}

void TQXMainForm::PostWindowRequest(int target) {
  QMetaObject::invokeMethod(
      this, [this, target]() { HandleOverviewMessage(target); }, Qt::QueuedConnection);
}

void TQXMainForm::PostPrintRequest() {
  QMetaObject::invokeMethod(
      this, [this]() { PrintRequest(); }, Qt::QueuedConnection);
}

void TQXMainForm::ShowRecordingPanel() {
  if (!session_ || !dataLoaded_) {
    Beep();
    return;
  }
  if (!recording_) recording_ = new TF_Recording(this);
  recording_->ShowRecording(*session_, recordingPath_);
  recording_->show();
  recording_->raise();
}
