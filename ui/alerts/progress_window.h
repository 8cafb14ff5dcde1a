// The small modeless window shown while a slow step (the device status
// query) runs: dialog 4006 of the resource DLL, the printer's name as its
// title and a message of the DLL in its item 5005.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr UINT kProgressDialogId = 4006;
inline constexpr int kProgressTextItem = 5005;

// Creates, shows and paints the window, owned by the active window; null
// when the resource DLL or its dialog is missing. The second argument is
// not used.
HWND StartWindow(UCB* ucb, HWND unused, UINT messageId);
// Destroys it (nothing for null).
void EndWindow(UCB* ucb, HWND window);
