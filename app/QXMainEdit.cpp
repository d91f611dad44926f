// Main window: settings table, window position and the Edit menu (zero
// point, smoothing).
#include <QAction>

#include "app/QXMain.h"
#include "data/vqrfileo.h"
#include "gui/common/windowplace.h"
#include "gui/settings/SettingsPages.h"
#include "gui/settings/qtcontrols.h"
#include "gui/settings/settingsbinder.h"
#include "session/Session.h"
#include "settings/iniclass.h"
#include "settings/settings.h"

void TQXMainForm::CreateSettings() {
  controls_ = std::make_unique<TQtControlProvider>(this);
  settings_ = std::make_unique<TVQRShowSettings>(ini_.get());
  binder_ = std::make_unique<TSettingsBinder>(*settings_, controls_.get());
  editors_ = std::make_unique<TSettingsEditors>(*this, *settings_, *binder_, *controls_, *this);
  if (ini_) {
    settings_->LoadAll();
    binder_->Fill();
  }
}

void TQXMainForm::SettingsPageBuilt(QWidget& page) {
  if (!binder_) return;
  controls_->Add(&page);
  editors_->ConnectPage(page);
  binder_->Attach(ini_ != nullptr);
}

void TQXMainForm::BuildAllSettingsPages() { ::BuildAllSettingsPages(pages_); }

void TQXMainForm::ApplyStartPosition() {
  resize(900, 640);
  if (!ini_) return;
  ini_->LoadMainWindowPos();
  TRect geometry{0, 0, width(), height()};
  ini_->ApplyMainWindowPos(geometry, WorkAreaOf(this));
  if (ini_->SavePos) move(geometry.left, geometry.top);
}

bool TQXMainForm::SaveMainWindowPosition() {
  if (!ini_ || settingsDiscarded_) return true;
  // The restored rectangle, also while maximised or minimised.
  const QPoint frameOffset = geometry().topLeft() - pos();
  const QPoint topLeft =
      (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
          ? normalGeometry().topLeft() - frameOffset
          : pos();
  const TRect restored{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()};
  return ini_->SaveMainWindowPos(&restored);
}

void TQXMainForm::ZeroToggled(bool checked) {
  if (session_) session_->SetZeroPoint(checked);
  if (windows_ && windows_->ChannelWindowVisible()) windows_->RefreshChannelWindow();
  if (windows_) windows_->RefreshFurtherWindows();
}

void TQXMainForm::Equalize(int distance) {
  if (binder_) binder_->CommitFor(TSettingsCommand::Equalize);
  if (distance < 0) distance = settings_ ? settings_->EqualizerDistance->GetInteger(1) : 1;
  if (!session_) return;
  if (!dataLoaded_ || BusyCount > 0) {
    Beep();
    return;
  }
  ShowFilePage();
  BeginBusy();
  session_->SetGauge(gauge_.get());
  session_->Smooth(distance);
  if (gauge_) gauge_->FinishAfter(SettleMs);
  EndBusy();
  if (windows_ && windows_->ChannelWindowVisible()) windows_->RefreshChannelWindow();
  if (windows_) windows_->RefreshFurtherWindows();
}
