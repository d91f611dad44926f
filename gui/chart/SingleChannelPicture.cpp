// The channel window's pictures: the clipboard copy and "Als Bild speichern...".
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>

#include "chart/diagrampaint.h"
#include "chart/qt/picturefile.h"
#include "gui/chart/SingleChannel.h"
#include "gui/chart/diagramhost.h"
#include "gui/common/outputfolder.h"
#include "gui/common/writefailure.h"
#include "gui/common/ztprogress.h"

void TF_SChannel::CopyToClipboard() {
  if (!host_.Diagram()) return;
  QImage image(width(), SB_Single->y(), QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintClient(painter, image.width(), UsableHeight());
  }
  QApplication::clipboard()->setImage(image);
}

bool TF_SChannel::SaveImage(const QString& path, int* errorNumber) {
  // The client above the status bar as on the screen, painted into memory
  // first: a failed write keeps an older picture.
  TVQRDiagram* d = host_.Diagram();
  if (!d) return false;
  return SaveDiagramPicture(*d, path, width(), SB_Single->y(),
                            DiagramDrawRect(width(), UsableHeight()),
                            palette().color(QPalette::Window), windowTitle(), nullptr, errorNumber);
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
  QMessageBox box(QMessageBox::Critical, tr("Fehler"), WriteFailureText(path, code),
                  QMessageBox::Ok, this);
  box.setObjectName("WriteFailureBox");
  box.exec();
}
