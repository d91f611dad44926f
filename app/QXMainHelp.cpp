// Main window: help and About.
#include <QTabWidget>

#include "app/About.h"
#include "app/HelpWindow.h"
#include "app/QXMain.h"
#include "gui/common/uilanguage.h"
#include "settings/iniclass.h"

THelpWindow* TQXMainForm::HelpWindow() {
  if (!helpWindow_) {
    const QString file = HelpFileFor(
        CurrentUiLanguage(), ini_ ? QString::fromStdString(ini_->GetHelpFileName()) : QString());
    auto* window = new THelpWindow(this);
    if (!window->SetHelpFile(file)) {
      delete window;
      return nullptr;
    }
    helpWindow_ = window;
  }
  return helpWindow_;
}

void TQXMainForm::HelpContents() {
  if (THelpWindow* w = HelpWindow()) {
    w->ShowContents();
    return;
  }
  ShowStatus("Help file not found!");
  Beep();
}

void TQXMainForm::HelpSearch() {
  if (THelpWindow* w = HelpWindow()) {
    w->ShowContext(HelpContextOfPage(pages_->currentIndex()));
    return;
  }
  ShowStatus("Help file not found!");
  Beep();
}

void TQXMainForm::HelpHowToUse() {
  if (THelpWindow* w = HelpWindow()) {
    w->ShowHelpOnHelp();
    return;
  }
  ShowStatus("Help file not found!");
  Beep();
}

void TQXMainForm::HelpAbout() {
  TFrm_About about(this);
  about.exec();
}
