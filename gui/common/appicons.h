#pragma once
#include <QIcon>

/// The program's icon (also the picture beside the main window's title).
QIcon AppIcon();

enum class TToolIcon { Open, Save, Ascii, Print, Help, Info, Excel };
/// Small tool bar pictures, drawn so that no icon theme is needed.
QIcon ToolIcon(TToolIcon kind);
