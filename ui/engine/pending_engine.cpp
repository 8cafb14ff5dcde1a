// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/change_road.h"
#include "ui/engine/item_window.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "settings/values/setting_value.h"

// --- item window, hint icons and pop-ups -----------------------------------
LRESULT BalloonHelpWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
int ShowPopupMsgMain(UCB*, ICB*, HWND, int, int, int) { return 0; }
int ShowPopupMsg(UCB*, ICB*, HWND, int, int) { return 0; }
void ShowPopupOnHoverTimer(UCB*, HWND) {}
void PaintBalloonHelp(UCB*) {}
int GetLfHeight(HDC, int height) { return height; }

// --- the change road -------------------------------------------------------
// Until the road is built a change is stored and kept, unjudged.
int CheckAlertMsg2(UCB* ucb, TCB*, ICB* icb, LONG_PTR newValue, int setFlag) {
  if (setFlag == 1 && ucb != nullptr && icb != nullptr) SetDevmodeValueByICB(ucb, icb, newValue);
  return 0;
}
int CheckAlertMsg(UCB* ucb, TCB* tcb, ICB* icb, LONG_PTR newValue) { return CheckAlertMsg2(ucb, tcb, icb, newValue, 1); }
int ShowAlertMsg(UCB*, const ExclusiveAlert*, HWND) { return 0; }
int DoAlert(UCB*, TCB*, const UiGroup*) { return 0; }
int DoTransact(UCB*, TCB*, const UiGroup*, WORD) { return 0; }
void ShowQueuedAlert(UCB*, TCB*, WPARAM, LPARAM) {}
int IsDevmodeChanged(const UCB*) { return 0; }
int ResetEntryChanged(UCB*) { return 0; }

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
