// Main window: the further diagram windows beside the first, and their prints.
#include <QAction>
#include <QMenu>

#include "app/QXMain.h"
#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "gui/settings/settingsbinder.h"
#include "session/Session.h"
#include "settings/settings.h"

namespace {

int CurvesOf(const TVQRDiagram& diagram) {
  if (!IsCombiMode(diagram.WindowMode())) return 1;
  const TChannelPens& pens = diagram.ChannelPens();
  return static_cast<int>(
      std::count_if(pens.begin() + 1, pens.end(), [](const TPenRec& pen) { return pen.Visible; }));
}

}  // namespace

void TQXMainForm::BuildFurtherWindowMenu(QMenu* windowMenu) {
  if (!windowMenu) return;
  windowMenu->addSeparator();
  QMenu* menu = windowMenu->addMenu(tr("Neues Diagrammfenster"));
  menu->setObjectName("Mn_Wnd_New");
  auto add = [this, menu](const QString& name, const QString& caption, int mode) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, mode] { OpenFurtherDiagramWindow(mode); });
  };
  add("Mn_Wnd_New_Combi1", tr("Kombination 1"), kCombi1Mode);
  add("Mn_Wnd_New_Combi2", tr("Kombination 2"), kCombi2Mode);
  menu->addSeparator();
  for (int ch = 1; ch <= kMeasureChannels; ++ch)
    add(QString("Mn_Wnd_New_Ch%1").arg(ch), tr("Kanal %1").arg(ch), ch);
}

void TQXMainForm::OpenFurtherDiagramWindow(int mode) {
  if (!session_) return;
  if (!dataLoaded_ || !(IsChannelMode(mode) || IsCombiMode(mode)) || !windows_ ||
      !windows_->OpenFurtherWindow(mode))
    Beep();
}

int TQXMainForm::PrepareFurtherDiagram(TVQRDiagram& diagram, int mode) {
  if (binder_) binder_->CommitFor(DiagramWindowCommand(mode));
  // The recording's notes and the limits in force, as the first window draws them.
  if (session_) {
    diagram.SetNotes(&session_->Notes());
    diagram.SetLimits(session_->Limits());
  }
  if (settings_) return PrepareWindowMode(*settings_, diagram, mode);
  diagram.SetDefaults(true, true, false);
  diagram.SetWindowMode(mode);
  return CurvesOf(diagram);
}

void TQXMainForm::PrintFurtherDiagram(TVQRDiagram& diagram, TProcessGauge* gauge) {
  if (!session_) return;
  // The print of the first window with this diagram in its place: its
  // curves size the gauge.
  const int curves = CurveCount;
  CurveCount = CurvesOf(diagram);
  session_->SetPrintedDiagram(&diagram);
  PrintWithGauge(gauge);
  session_->SetPrintedDiagram(nullptr);
  CurveCount = curves;
}
