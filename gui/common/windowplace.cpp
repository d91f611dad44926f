#include "gui/common/windowplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "settings/settingvalue.h"

TRect WorkAreaOf(const QWidget* w) {
  const QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  const QRect a = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

void RestoreWindowPlacement(QWidget& w, TZTiniSettingValue* position, const QRect& initial,
                            QSize minimum) {
  TRect params{initial.left(), initial.top(), initial.left() + initial.width(),
               initial.top() + initial.height()};
  // A setting that never held a size (a new INI file) keeps the initial
  // bounds instead of shrinking the window into the corner.
  if (position && position->GetPosW() > 0 && position->GetPosH() > 0)
    position->ApplyPosition(true, params, nullptr, minimum.height(), minimum.width(),
                            WorkAreaOf(&w));
  w.move(params.left, params.top);
  w.resize(std::max(params.right - params.left, minimum.width()),
           std::max(params.bottom - params.top, minimum.height()));
}

void StoreWindowPlacement(const QWidget& w, TZTiniSettingValue* position) {
  if (!position) return;
  QPoint topLeft = w.pos();
  QSize size = w.size();
  if (w.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
    const QPoint frameOffset = w.geometry().topLeft() - w.pos();
    topLeft = w.normalGeometry().topLeft() - frameOffset;
    size = w.normalGeometry().size();
  }
  const TRect restored{topLeft.x(), topLeft.y(), topLeft.x() + size.width(),
                       topLeft.y() + size.height()};
  position->StorePosition(&restored, nullptr);
}
