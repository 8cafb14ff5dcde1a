// What the device status query shows: a progress window while it talks to
// the device, and the alert of a failed query. The configuration library
// registers the hook table when it loads (the device code sits below the
// dialog engine); without one nothing is shown. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
inline constexpr UINT kBidiProgressMessage = 7001;
inline constexpr UINT kBidiFailMessage = 7002;

struct BidiUiHooks {
  // A progress window with the message; null when none could be shown.
  HWND (*startWindow)(UCB* ucb, HWND owner, UINT messageId);
  void (*endWindow)(UCB* ucb, HWND window);
  // A warning with OK; the pressed button.
  int (*alert)(UCB* ucb, HWND owner, UINT messageId);
};

// Registers the table (null unregisters); the table must outlive its use.
void RegisterBidiUiHooks(const BidiUiHooks* hooks);

// The progress window with message 7001, and its end.
HWND BidiStartWindow(UCB* ucb, HWND owner);
void BidiEndWindow(UCB* ucb, HWND window);
// The alert of a failed query, message 7002; 0 when nothing was shown.
int AlertBidiFail(UCB* ucb, HWND owner);
#endif
