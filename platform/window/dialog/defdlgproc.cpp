// The dialog class's procedure. Each message goes first to the dialog
// procedure. What that procedure answers goes back as it stands for the
// messages whose answer is a value of their own (WM_CTLCOLOR*,
// WM_INITDIALOG, WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM,
// WM_QUERYDRAGICON); for every other message TRUE means "handled" and the
// answer is what the procedure left in DWLP_MSGRESULT. A message the
// procedure leaves (FALSE) takes the dialog's default handling, a table of
// rows, and then DefWindowProcW.
#include <algorithm>
#include <iterator>

#include "platform/window/dialog/dialog_internal.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

constexpr UINT kDirectAnswers[] = {
    WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX,  WM_CTLCOLORBTN, WM_CTLCOLORDLG,
    WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC, WM_INITDIALOG, WM_COMPAREITEM, WM_VKEYTOITEM,
    WM_CHARTOITEM,     WM_QUERYDRAGICON,
};

bool AnswersDirectly(UINT message) {
  return std::find(std::begin(kDirectAnswers), std::end(kDirectAnswers), message) != std::end(kDirectAnswers);
}

// The control that had the focus goes back to it, or the first tab stop.
void RestoreFocus(HWND dialog) {
  const auto info = FindDialogInfo(dialog);
  HWND target = info != nullptr ? info->savedFocus : nullptr;
  if (target == nullptr || !IsWindow(target) || !IsChild(dialog, target)) {
    target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  }
  if (target != nullptr) SetFocus(target);
}

LRESULT OnActivate(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto info = FindDialogInfo(dialog);
  HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (info != nullptr && focus != nullptr && IsChild(dialog, focus)) info->savedFocus = focus;
    return DefWindowProcW(dialog, message, wParam, lParam);
  }
  if (focus == nullptr || !IsChild(dialog, focus)) RestoreFocus(dialog);
  return 0;
}

LRESULT OnSetFocus(HWND dialog, UINT, WPARAM, LPARAM) {
  RestoreFocus(dialog);
  return 0;
}

LRESULT OnClose(HWND dialog, UINT, WPARAM, LPARAM) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  return 0;
}

// wParam a window (lParam nonzero), or the next or previous tab stop.
LRESULT OnNextControl(HWND dialog, UINT, WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
  if (target == nullptr || !IsChild(dialog, target)) return 0;
  SetFocus(target);
  if ((SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageW(target, EM_SETSEL, 0, -1);
  }
  return 0;
}

LRESULT OnGetDefaultId(HWND dialog, UINT, WPARAM, LPARAM) {
  const auto info = FindDialogInfo(dialog);
  return info != nullptr ? MAKELRESULT(static_cast<WORD>(info->defaultId), DC_HASDEFID) : 0;
}

LRESULT OnSetDefaultId(HWND dialog, UINT, WPARAM wParam, LPARAM) {
  const auto info = FindDialogInfo(dialog);
  if (info == nullptr) return FALSE;
  // The old default push button loses its look; the new one takes it.
  for (int id : {info->defaultId, static_cast<int>(wParam)}) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) continue;
    const LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) continue;
    SendMessageW(button, BM_SETSTYLE, id == static_cast<int>(wParam) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  info->defaultId = static_cast<int>(wParam);
  return TRUE;
}

LRESULT OnNcDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ForgetDialogInfo(dialog);
  return DefWindowProcW(dialog, message, wParam, lParam);
}

constexpr MessageRow kRows[] = {
    {WM_ACTIVATE, OnActivate},       {WM_SETFOCUS, OnSetFocus},         {WM_CLOSE, OnClose},
    {WM_NEXTDLGCTL, OnNextControl}, {DM_GETDEFID, OnGetDefaultId},     {DM_SETDEFID, OnSetDefaultId},
    {WM_NCDESTROY, OnNcDestroy},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace
}  // namespace plat::window

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace plat::window;
  const auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  if (proc != nullptr) {
    const INT_PTR answer = proc(dialog, message, wParam, lParam);
    if (AnswersDirectly(message)) {
      if (answer != 0 || message == WM_INITDIALOG) return answer;
    } else if (answer != 0) {
      return IsWindow(dialog) ? GetWindowLongPtrW(dialog, DWLP_MSGRESULT) : 0;
    }
    if (!IsWindow(dialog)) return 0;
  }
  return DispatchByTable(kTable, dialog, message, wParam, lParam);
}
