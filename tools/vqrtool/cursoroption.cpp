#include "cursoroption.h"

#include <QPainter>

#include "chart/cursorpaint.h"
#include "chart/qt/picturefile.h"
#include "chart/qt/qpainterdc.h"
#include "data/numtext.h"

bool ParseCursorHours(const std::string& text, std::vector<double>& hours) {
  hours.clear();
  size_t start = 0;
  while (hours.size() < 2) {
    const size_t comma = text.find(',', start);
    double h = 0.0;
    if (!WholeFloatFromText(text.substr(start, comma - start), h)) return false;
    hours.push_back(h);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
  return false;
}

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
