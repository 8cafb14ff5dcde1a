// The kinds' handlers whose controls come with later work: each answers as
// an empty slot of the item function table does (0, nothing shown). A
// handler moves out of this file when its control's behaviour is built.
#include "platform/window/winuser_styles.h"
#include "ui/engine/item_handlers.h"

#define KESM_PENDING_CHANGE(name) \
  int name(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM) { return 0; }
#define KESM_PENDING_INIT(name) \
  int name(UCB*, TCB*, ICB*) { return 0; }
#define KESM_PENDING_PAINT(name) \
  void name(UCB*, TCB*, ICB*) {}
#define KESM_PENDING_PCMD(name) \
  int name(UCB*, TCB*, ICB*, WPARAM, LPARAM) { return 0; }
#define KESM_PENDING_PMSG(name) \
  int name(UCB*, TCB*, ICB*, UINT, WPARAM, LPARAM) { return 0; }

KESM_PENDING_INIT(InitEditText)
KESM_PENDING_INIT(InitEditNum)
KESM_PENDING_INIT(InitVScrollbar)
KESM_PENDING_INIT(InitHScrollbar)
KESM_PENDING_INIT(InitTrackbar)

KESM_PENDING_PAINT(PaintEditText)
KESM_PENDING_PAINT(PaintEditNum)
KESM_PENDING_PAINT(PaintVScrollbar)
KESM_PENDING_PAINT(PaintHScrollbar)
KESM_PENDING_PAINT(PaintHScrollbarInvalidate)
KESM_PENDING_PAINT(PaintTrackbar)

KESM_PENDING_PCMD(PCmdEditText)
KESM_PENDING_PCMD(PCmdEditNum)

KESM_PENDING_PMSG(PMsgEditNum)
KESM_PENDING_PMSG(PMsgVScrollbar)
KESM_PENDING_PMSG(PMsgHScrollbar)
KESM_PENDING_PMSG(PMsgTrackbar)

void PaintDecoratedHScrollbar(UCB*, TCB*, ICB*) {}
int CalcScrollButtonWidth() { return GetSystemMetrics(SM_CXHSCROLL); }
LONG KesmStr2Int(LPCWSTR, LONG) { return 0; }
