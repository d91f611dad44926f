#pragma once
// The Qt events of a diagram window as its controller takes them: the keys
// and the wheel that zoom and pan, and the buttons that drag the picture.

#include <QPoint>
#include <Qt>
#include <optional>

#include "chart/diagramcontroller.h"

class QKeyEvent;
class QMouseEvent;

/// The controller's key for a key pressed in a diagram window, none for others.
std::optional<TDiagramKey> DiagramKeyFor(const QKeyEvent& event);
/// Ctrl+arrows pan, Alt+Left and Alt+Right step through the zoom history.
std::optional<TDiagramKey> NavigationKey(int key, Qt::KeyboardModifiers modifiers);
/// The axis a wheel turned with these keys held zooms.
TWheelAxis WheelAxisFor(Qt::KeyboardModifiers modifiers);
/// Whole notches of a wheel's turn, away from the user positive; a part of
/// one (a fine-grained wheel) counts as one.
int WheelNotches(QPoint angleDelta);
/// The middle button, or Shift with the left one, drags the picture.
bool StartsPan(const QMouseEvent& event);
