#include "gui/chart/diagraminput.h"

#include <QKeyEvent>
#include <QMouseEvent>

std::optional<TDiagramKey> DiagramKeyFor(const QKeyEvent& event) {
  const QString text = event.text().toLower();
  if (event.key() == Qt::Key_Escape) return TDiagramKey::Escape;
  if (text == "m") return TDiagramKey::Mark;
  if (text == "z") return TDiagramKey::Zoom;
  if (const auto nav = NavigationKey(event.key(), event.modifiers())) return nav;
  if ((event.key() == Qt::Key_Left || event.key() == Qt::Key_Right) &&
      (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0)
    return event.key() == Qt::Key_Left ? TDiagramKey::Left : TDiagramKey::Right;
  return std::nullopt;
}

std::optional<TDiagramKey> NavigationKey(int key, Qt::KeyboardModifiers modifiers) {
  modifiers &= ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier) {
    if (key == Qt::Key_Left) return TDiagramKey::PanLeft;
    if (key == Qt::Key_Right) return TDiagramKey::PanRight;
    if (key == Qt::Key_Up) return TDiagramKey::PanUp;
    if (key == Qt::Key_Down) return TDiagramKey::PanDown;
  }
  if (modifiers == Qt::AltModifier && (key == Qt::Key_Left || key == Qt::Key_Right))
    return key == Qt::Key_Left ? TDiagramKey::Back : TDiagramKey::Forward;
  return std::nullopt;
}

TWheelAxis WheelAxisFor(Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::ControlModifier)) return TWheelAxis::Value;
  if (modifiers.testFlag(Qt::ShiftModifier)) return TWheelAxis::Temp;
  return TWheelAxis::Time;
}

int WheelNotches(QPoint angleDelta) {
  // Some systems turn a wheel with a key held into a horizontal one.
  const int delta = angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
  if (delta == 0) return 0;
  return delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
}

bool StartsPan(const QMouseEvent& event) {
  return event.button() == Qt::MiddleButton ||
         (event.button() == Qt::LeftButton && event.modifiers().testFlag(Qt::ShiftModifier));
}
