// The item function table: one row per control kind with the kind's
// handlers (step a linked picture's choice, fill, show, command, other
// messages, and the window procedure that subclasses the control). The
// dialog engine reaches a control's code only through these rows and the
// dispatch of item_dispatch.h. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

using IftChangeData = int (*)(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
using IftInit = int (*)(UCB* ucb, TCB* tcb, ICB* icb);
using IftPaint = void (*)(UCB* ucb, TCB* tcb, ICB* icb);
using IftPCmd = int (*)(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
using IftPMsg = int (*)(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);

// A null slot: the kind does nothing for that operation (the dispatch
// answers 0).
struct IFT {
  WORD kind;
  WORD reserved;  // always 0
  IftChangeData ChangeData;
  IftInit Init;
  IftPaint Paint;
  IftPCmd PCmd;
  IftPMsg PMsg;
  WNDPROC WindowProc;
};

inline constexpr int kIftRows = 34;
extern const IFT fgIFT[kIftRows];

// The first row of the kind, or null.
const IFT* FindIFT(WORD kind);
