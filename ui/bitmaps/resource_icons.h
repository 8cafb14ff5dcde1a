// Icons of the resource DLL drawn into a control or onto a drawing surface.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Draws the resource DLL's icon at the top left of the window; FALSE when
// the window, the library or the icon is missing.
BOOL LoadIconFromResDll(UCB* ucb, HWND window, UINT id);
// Draws the resource DLL's icon with its top left at (x, y) on the DC;
// FALSE when the library or the icon is missing or drawing fails.
BOOL PaintIconFromResDll2(UCB* ucb, HDC dc, int x, int y, UINT id);
