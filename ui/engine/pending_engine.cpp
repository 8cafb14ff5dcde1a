// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"

// --- item window, hint icons and pop-ups -----------------------------------
LRESULT BalloonHelpWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
int ShowPopupMsgMain(UCB*, ICB*, HWND, int, int, int) { return 0; }
int ShowPopupMsg(UCB*, ICB*, HWND, int, int) { return 0; }
void ShowPopupOnHoverTimer(UCB*, HWND) {}
void PaintBalloonHelp(UCB*) {}
int GetLfHeight(HDC, int height) { return height; }

// --- refresh ---------------------------------------------------------------
void RefreshDialog(UCB*, TCB*, int) {}
int UpdateControlOnSomewhere(UCB*, const DialogControlPair*) { return 0; }
void UpdateTrayList(UCB*) {}
void UpdatePaperSizeList(UCB*) {}
void UpdateOutbinList(UCB*) {}
void UpdateListDependOnOrient(UCB*) {}
void UpdatePresetList(UCB*) {}
void UpdateStampList(UCB*) {}

// --- sub-dialogs -----------------------------------------------------------
int ShowDialogBox(UCB*, int, WORD, HWND) { return 0; }
