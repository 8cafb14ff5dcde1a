// The item window procedure every control of a page is subclassed with,
// the hint icon beside a disabled item, and the hover pop-up that explains
// an item or a list entry. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Private messages of the dialog engine.
inline constexpr UINT kMsgQueuedAlert = 0x8001;   // wParam control id, lParam the alert entry
inline constexpr UINT kMsgAutoRepeat = 0x8002;    // wParam non-zero starts, 0 stops
inline constexpr UINT kMsgAlertRefused = 0x8007;  // to the modules: put the focus back

LRESULT KesmItemDefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT BalloonHelpWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Prepares (icb given) or removes (null) the hover pop-up; x, y in page
// client coordinates; entry -1 means no list entry.
int ShowPopupMsgMain(UCB* ucb, ICB* icb, HWND page, int x, int y, int entry);
int ShowPopupMsg(UCB* ucb, ICB* icb, HWND page, int x, int y);
// The page's hover timer fired: show the prepared pop-up when the cursor is
// still over the hovered window.
void ShowPopupOnHoverTimer(UCB* ucb, HWND page);
void PaintBalloonHelp(UCB* ucb);
int GetLfHeight(HDC dc, int height);
