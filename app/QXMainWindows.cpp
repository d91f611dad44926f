// Main window: opening the diagram windows and the requests they send back.
#include <QTabWidget>

#include "app/QXMain.h"
#include "data/vqrfileo.h"
#include "settings/settings.h"

void TQXMainForm::OpenDiagramWindow(int mode) {
  if (!dataObject_) return;
  if (!DataLoaded || mode < 1 || mode == kTempChannel || mode > 19) {
    Beep();
    return;
  }
  TVqrDataObjectNew& d = *dataObject_;
  d.SetDefaults(true, true, false);
  CurrentWindow = mode;
  CurveCount = 0;
  d.SetWindowMode(mode);
  const char* page = "TS_Single";
  if (mode == 18) {
    page = "TS_Combi1";
    if (settings_) CurveCount = settings_->TakeCombiPens1(d.ChannelPens);
  } else if (mode == 19) {
    page = "TS_Combi2";
    if (settings_) CurveCount = settings_->TakeCombiPens2(d.ChannelPens);
  } else {
    if (settings_) settings_->TakeSinglePens(d.ChannelPens);
    CurveCount = 1;
  }
  if (QWidget* p = pages_->findChild<QWidget*>(page)) pages_->setCurrentWidget(p);
  if (settings_) settings_->TakeDiagramLayout(*d.GetLayout());
  if (Hooks.RefreshChannelWindow) Hooks.RefreshChannelWindow();
}

void TQXMainForm::RefreshDiagramWindow() {
  if (dataObject_) OpenDiagramWindow(dataObject_->GetWindowMode());
}

void TQXMainForm::GenApplyClick() {
  if (Hooks.ChannelWindowVisible && Hooks.ChannelWindowVisible())
    RefreshDiagramWindow();
  else
    Beep();
}

void TQXMainForm::ShowOverviewAs(bool filled) {
  if (!dataObject_) return;
  if (!DataLoaded) {
    Beep();
    return;
  }
  // The overview reads the setting at every paint.
  if (settings_) settings_->OverviewWindowFillPixel->SetBool(1, filled);
  if (Hooks.ShowOverview) Hooks.ShowOverview();
}

void TQXMainForm::ToggleCombiChannel(TZTiniSettingValue* visible, int channel) {
  if (!visible || channel < 1 || channel > kTempChannel) return;
  // The check box on the page is the current state; the store follows it.
  visible->Save(channel, 1);
  visible->SetBool(channel, !visible->GetBool(channel));
  visible->Load(channel, 2);
}

void TQXMainForm::HandleOverviewMessage(int target) {
  if (CurrentWindow == 18 && target != 19) {
    if (settings_) ToggleCombiChannel(settings_->CombiWindow1VisibleCh, target);
    RefreshDiagramWindow();
  } else if (CurrentWindow == 19 && target != 18) {
    if (settings_) ToggleCombiChannel(settings_->CombiWindow2VisibleCh, target);
    RefreshDiagramWindow();
  } else {
    OpenDiagramWindow(target);
  }
}

void TQXMainForm::PrintRequest() {
  if (Hooks.PrintRequest)
    Hooks.PrintRequest();
  else
    Beep();
}
