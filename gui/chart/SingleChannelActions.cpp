// The channel window's commands beyond drawing and forwarding: a picture of
// the diagram saved under a name the user chooses, and a saved view put back.
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "gui/chart/SingleChannel.h"
#include "gui/chart/diagramhost.h"
#include "gui/common/outputfolder.h"
#include "gui/common/writefailure.h"

void TF_SChannel::RestoreView(bool zoom, const AxisRange& time, const AxisRange& value, int markA,
                              int markB) {
  // The markers belong to the axes now drawn: these are taken first.
  WatchAxesFit();
  Apply(controller_.RestoreView(zoom, time, value, markA, markB));
}

void TF_SChannel::SaveImageAs() {
  // Named after the window, beside the recording where the user may write.
  const QString proposed = ProposedOutputPath(host_.RecordingPath(), windowTitle() + ".png");
  QString path;
  if (ChooseImageFile) {
    path = ChooseImageFile(proposed);
  } else {
    QString selected;
    path = QFileDialog::getSaveFileName(this, tr("Als Bild speichern"), proposed,
                                        tr("PNG-Bild (*.png);;SVG-Grafik (*.svg)"), &selected);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
      path += selected.contains("*.svg") ? ".svg" : ".png";
  }
  if (path.isEmpty()) return;
  int code = 0;
  if (SaveImage(path, &code)) return;
  host_.ShowStatus("Error writing image file!");
  QMessageBox box(QMessageBox::Critical, tr("Fehler"), WriteFailureText(path, code), QMessageBox::Ok,
                  this);
  box.setObjectName("WriteFailureBox");
  box.exec();
}
