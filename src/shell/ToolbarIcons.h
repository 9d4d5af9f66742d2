#pragma once

#include <QIcon>

// The main window's toolbar pictures.
enum class ToolbarIcon { New, Open, Save, Undo, ZoomIn, ZoomOut, FitToWindow, ActualSize };

// The desktop theme's icon for the command where the theme has one, otherwise one drawn here,
// sharp at the usual toolbar sizes and on high-density screens.
QIcon MakeToolbarIcon(ToolbarIcon which);

// The program's own picture of the command, whatever the theme.
QIcon DrawnToolbarIcon(ToolbarIcon which);
