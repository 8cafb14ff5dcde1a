// Where an item's painter draws, and which item lies under a point.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// While an item paints itself (its WM_PAINT), painters draw into that
// paint's DC and release nothing; otherwise the window's own DC clipped to
// its client area, released with ReleaseKesmDC.
HDC GetKesmDC(UCB* ucb, HWND window);
void ReleaseKesmDC(UCB* ucb, HWND window, HDC dc);

// The last item of the tab (in table order) whose visible control window
// holds the screen point, left and top inclusive; null when none or no tab.
ICB* KesmFindItem(TCB* tab, int x, int y);

// The text's extent on the DC; for no text the average character width and
// the height of the DC's font.
BOOL KesmGetTextExtentPoint(HDC dc, LPCWSTR text, SIZE* size);
