#include "cursoroption.h"

#include <QPainter>

#include "chart/cursorpaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"

bool SaveDiagramPictureWithCursor(TVQRDiagram& diagram, const QString& path, int w, int h,
                                  const std::vector<double>& hours, std::string* error) {
  return WritePictureFile(
      path, w, h, Qt::white, "vqrshow4",
      [&](QPainter& painter) {
        QPainterDC dc(painter);
        PaintDiagramWithCursor(diagram, dc, {0, 0, w, h}, hours.at(0),
                               hours.size() > 1 ? &hours[1] : nullptr);
      },
      error);
}
