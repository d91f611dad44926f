#include "gui/common/appicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

static void InitResources() { Q_INIT_RESOURCE(vqrshow4); }

QIcon AppIcon() {
  // One icon for every window, so that its pictures are drawn from the SVG
  // once and not again for each window. Never destroyed: windows may hold it
  // to the end.
  static const QIcon* const icon = (InitResources(), new QIcon(":/vqrshow4/vqrshow4.svg"));
  return *icon;
}

namespace {

void Page(QPainter& p, const QColor& fold) {
  QPainterPath path;
  path.moveTo(4, 2);
  path.lineTo(13, 2);
  path.lineTo(17, 6);
  path.lineTo(17, 19);
  path.lineTo(4, 19);
  path.closeSubpath();
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.setBrush(fold);
  p.drawPolygon(QPolygon({QPoint(13, 2), QPoint(13, 6), QPoint(17, 6)}));
}

void Badge(QPainter& p, const QColor& color, const QString& text) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawRect(2, 11, 15, 8);
  QFont f("Arial");
  f.setPixelSize(7);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(2, 11, 15, 8), Qt::AlignCenter, text);
}

}  // namespace

QIcon ToolIcon(TToolIcon kind) {
  QPixmap pm(20, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case TToolIcon::Open:
      p.setPen(QPen(QColor(140, 100, 20), 1));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(2, 6, 15, 11);
      p.drawRect(2, 4, 6, 2);
      p.setBrush(QColor(250, 220, 130));
      p.drawPolygon(QPolygon({QPoint(5, 9), QPoint(19, 9), QPoint(17, 17), QPoint(2, 17)}));
      break;
    case TToolIcon::Save:
      p.setPen(QPen(QColor(40, 40, 90), 1));
      p.setBrush(QColor(70, 90, 160));
      p.drawRect(3, 3, 14, 14);
      p.setBrush(Qt::white);
      p.drawRect(6, 3, 8, 5);
      p.drawRect(5, 11, 10, 6);
      break;
    case TToolIcon::Ascii:
      Page(p, QColor(200, 200, 200));
      Badge(p, QColor(60, 60, 60), "ASC");
      break;
    case TToolIcon::Excel:
      Page(p, QColor(200, 200, 200));
      Badge(p, QColor(30, 120, 60), "XLS");
      break;
    case TToolIcon::Print:
      p.setPen(QPen(QColor(60, 60, 60), 1));
      p.setBrush(Qt::white);
      p.drawRect(6, 2, 8, 6);
      p.setBrush(QColor(150, 150, 150));
      p.drawRoundedRect(2, 7, 16, 8, 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(5, 12, 10, 6);
      p.setPen(QColor(120, 120, 120));
      p.drawLine(7, 14, 13, 14);
      p.drawLine(7, 16, 12, 16);
      break;
    case TToolIcon::Help:
    case TToolIcon::Info: {
      p.setPen(Qt::NoPen);
      p.setBrush(kind == TToolIcon::Help ? QColor(40, 100, 190) : QColor(30, 140, 160));
      p.drawEllipse(2, 2, 16, 16);
      QFont f("Arial");
      f.setPixelSize(13);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRect(2, 2, 16, 16), Qt::AlignCenter, kind == TToolIcon::Help ? "?" : "i");
      break;
    }
  }
  return QIcon(pm);
}
