#pragma once
// Where windows open and how they keep their place in the settings.

#include <QRect>
#include <QSize>

#include "data/vqrtypes.h"

class QWidget;
class TZTiniSettingValue;

/// The desktop work area (the screen without panels and docks) of w.
TRect WorkAreaOf(const QWidget* w);

/// Places w at initial, or where the position setting says when it holds a
/// stored size; the size never falls below minimum. The rectangle is the
/// frame position with the client size, the same as StoreWindowPlacement
/// keeps.
void RestoreWindowPlacement(QWidget& w, TZTiniSettingValue* position, const QRect& initial,
                            QSize minimum);

/// Keeps the restored (normal) rectangle of w in the position setting; only
/// values that differ from the stored ones are marked for writing.
void StoreWindowPlacement(const QWidget& w, TZTiniSettingValue* position);
