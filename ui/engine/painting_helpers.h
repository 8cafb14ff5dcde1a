// Small drawing and look-up services of owner-drawn controls and the
// feature modules: the tray-information items, the three-dimensional
// button face with its caption or arrow, a filled colour sample, the
// pictures and hints of owner-drawn list entries, the captions of
// owner-drawn buttons, and the guard that undoes a host application's
// subclassing of our controls. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_styles.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Tray-information items: modes 0 full, 1 without media, 2 tray name only.
// 1 when the message was handled (WM_PAINT, WM_ERASEBKGND), else 0.
int PaintTrayInfoMain(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex, int mode);
int PaintTrayInfo(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex);
int PaintTrayInfoOverwrite(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex);
int PaintTrayInfoTrayNameOnly(UCB* ucb, TCB* tcb, ICB* icb, UINT message, int trayIndex);
int PaintTrayInfoByIcb(UCB* ucb, TCB* tcb, ICB* icb, UINT message);

// The button face; the caption's width in pixels (0 without caption).
int Draw3DButton(UCB* ucb, HWND button, HDC dc, const RECT* rect, DWORD style, BOOL pressed, BOOL focus);
// Fills the rectangle and draws its 1-pixel border in the colour.
void DrawColorRect(HDC dc, const RECT* rect, COLORREF colour);

// The system colours of an owner-drawn list row: greyed while the list is
// disabled, highlighted when the row is the selected (or current) one,
// else the window's.
struct ROWCOLOURS {
  int back;
  int fore;
};
constexpr ROWCOLOURS OwnerRowColours(bool disabled, bool selected) {
  if (disabled) return {COLOR_BTNFACE, COLOR_GRAYTEXT};
  return selected ? ROWCOLOURS{COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT} : ROWCOLOURS{COLOR_WINDOW, COLOR_MENUTEXT};
}

// Pictures and hints of owner-drawn list entries; 0 when none.
WORD GetBmpFromRRTable(const ICB* icb, WORD optionValue);
WORD GetHintFromRRTable(const ICB* icb, WORD optionValue);

// The caption id of the owner-drawn button being drawn.
void SetOwnerCtrlStringResourceID(UCB* ucb, const ICB* icb);
void ClearOwnerCtrlStringResourceID(UCB* ucb);

void CheckCurrentWindowProc(UCB* ucb, HWND window);
