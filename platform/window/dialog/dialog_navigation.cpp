// The keyboard of a dialog. Each key is offered first to the control that
// has the focus (WM_GETDLGCODE says which keys it keeps); the rest move the
// focus: Tab and Shift+Tab through the tab stops, arrows within a group
// (checking a radio button they land on), Enter presses the focused push
// button or the default one, Esc presses Cancel. A mnemonic (the letter
// after '&' in a control's text) works with Alt, and alone when the focus
// control takes no characters: a button's takes the focus and clicks it, a
// label's or group box's moves the focus to the next control that is not
// one.
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/text/wintext.h"

#include "platform/window/dialog/dialog_internal.h"
#include "platform/window/winuser_controls.h"

namespace plat::window {
namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }

bool Usable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

// The next usable window of `list` after (or before) index `from`, wrapping;
// `from` -1 starts at the beginning (or end).
HWND Step(const std::vector<HWND>& list, std::ptrdiff_t from, bool previous, bool (*take)(HWND)) {
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  for (std::ptrdiff_t k = 1; k <= n; ++k) {
    std::ptrdiff_t i = from < 0 ? (previous ? n - k : k - 1) : (previous ? from - k : from + k);
    i = ((i % n) + n) % n;
    if (take(list[static_cast<std::size_t>(i)])) return list[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

// The dialog's own child that is or holds the window (a combo box's edit
// stands for its combo).
HWND ItemHolding(HWND dialog, HWND hwnd) {
  while (hwnd != nullptr && GetParent(hwnd) != dialog) hwnd = GetParent(hwnd);
  return hwnd;
}

std::ptrdiff_t IndexOf(const std::vector<HWND>& list, HWND hwnd) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == hwnd) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

LRESULT CodeOf(HWND hwnd, const MSG* msg) {
  return SendMessageW(hwnd, WM_GETDLGCODE, msg != nullptr ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

void Press(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button != nullptr && !IsWindowEnabled(button)) return;
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void OnEnter(HWND dialog, HWND focus) {
  const LRESULT code = focus != nullptr ? CodeOf(focus, nullptr) : 0;
  if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0 && IsChild(dialog, focus)) {
    Press(dialog, GetDlgCtrlID(focus));
    return;
  }
  const LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  Press(dialog, HIWORD(static_cast<DWORD>(def)) == DC_HASDEFID ? LOWORD(static_cast<DWORD>(def)) : IDOK);
}

void OnArrow(HWND dialog, HWND focus, bool previous) {
  HWND next = GetNextDlgGroupItem(dialog, focus, previous);
  if (next == nullptr || next == focus) return;
  SetFocus(next);
  if ((CodeOf(next, nullptr) & DLGC_RADIOBUTTON) != 0) SendMessageW(next, BM_CLICK, 0, 0);
}

// True when the dialog itself handled the key.
bool OnKey(HWND dialog, MSG* msg) {
  HWND focus = GetFocus();
  const LRESULT code = CodeOf(msg->hwnd, msg);
  if ((code & DLGC_WANTALLKEYS) != 0) return false;
  switch (msg->wParam) {
    case VK_TAB:
      if ((code & DLGC_WANTTAB) != 0) return false;
      SendMessageW(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? 1 : 0, 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if ((code & DLGC_WANTARROWS) != 0) return false;
      OnArrow(dialog, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
      return true;
    case VK_RETURN:
      OnEnter(dialog, focus);
      return true;
    case VK_ESCAPE:
      Press(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

// The character a control's text marks as its mnemonic (the last one
// after a single '&'), folded to lower case; 0 for none.
WCHAR MnemonicOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return 0;
  std::vector<WCHAR> text(static_cast<std::size_t>(length) + 1);
  const int got = GetWindowTextW(hwnd, text.data(), length + 1);
  WCHAR found = 0;
  for (int i = 0; i + 1 < got; ++i) {
    if (text[static_cast<std::size_t>(i)] != u'&') continue;
    ++i;
    if (text[static_cast<std::size_t>(i)] != u'&') found = CharLowerW1(text[static_cast<std::size_t>(i)]);
  }
  return found;
}

bool IsStaticClass(HWND hwnd) {
  WCHAR name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return lstrcmpiW(name, reinterpret_cast<LPCWSTR>(u"Static")) == 0;
}

// Buttons, labels and group boxes answer to mnemonics; a label drawn
// without prefixes has none.
bool AnswersMnemonic(HWND hwnd, WCHAR ch) {
  if (!Usable(hwnd)) return false;
  const LRESULT code = CodeOf(hwnd, nullptr);
  if ((code & (DLGC_BUTTON | DLGC_STATIC)) == 0) return false;
  if ((code & DLGC_STATIC) != 0 && IsStaticClass(hwnd) && (StyleOf(hwnd) & SS_NOPREFIX) != 0) return false;
  return MnemonicOf(hwnd) == ch;
}

bool TakesFocusAfterLabel(HWND hwnd) { return Usable(hwnd) && (CodeOf(hwnd, nullptr) & DLGC_STATIC) == 0; }

// Looks for the control whose mnemonic the character is, from the one
// after the focus on (so that repeated presses go round the controls
// sharing a letter), and acts as its click would.
bool OnMnemonic(HWND dialog, WCHAR typed) {
  const WCHAR ch = CharLowerW1(typed);
  const std::vector<HWND> children = Children(dialog);
  const std::ptrdiff_t at = IndexOf(children, ItemHolding(dialog, GetFocus()));
  const auto n = static_cast<std::ptrdiff_t>(children.size());
  std::ptrdiff_t index = -1;
  for (std::ptrdiff_t k = 1; k <= n && index < 0; ++k) {
    const std::ptrdiff_t i = ((at < 0 ? k - 1 : at + k) % n + n) % n;
    if (AnswersMnemonic(children[static_cast<std::size_t>(i)], ch)) index = i;
  }
  if (index < 0) return false;
  HWND hit = children[static_cast<std::size_t>(index)];
  if ((CodeOf(hit, nullptr) & DLGC_STATIC) != 0) {
    HWND next = Step(children, index, false, TakesFocusAfterLabel);
    if (next != nullptr) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    return true;
  }
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hit), TRUE);
  if (IsWindow(hit)) SendMessageW(hit, BM_CLICK, 0, 0);
  return true;
}

bool IsNavigationChar(WPARAM c) { return c == u'\t' || c == u'\r' || c == 0x1B; }

bool TakesTab(HWND hwnd) { return Usable(hwnd) && (StyleOf(hwnd) & WS_TABSTOP) != 0; }
bool TakesArrow(HWND hwnd) { return Usable(hwnd); }

}  // namespace
}  // namespace plat::window

using namespace plat::window;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const std::vector<HWND> children = Children(dialog);
  if (children.empty()) return nullptr;
  HWND next = Step(children, IndexOf(children, ItemHolding(dialog, control)), previous != FALSE, TakesTab);
  return next != nullptr ? next : control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const std::vector<HWND> children = Children(dialog);
  std::ptrdiff_t at = IndexOf(children, ItemHolding(dialog, control));
  if (at < 0) return nullptr;
  // The group: back to the control with WS_GROUP, on up to the next one.
  std::ptrdiff_t begin = at;
  while (begin > 0 && (StyleOf(children[static_cast<std::size_t>(begin)]) & WS_GROUP) == 0) --begin;
  std::ptrdiff_t end = at + 1;
  while (end < static_cast<std::ptrdiff_t>(children.size()) &&
         (StyleOf(children[static_cast<std::size_t>(end)]) & WS_GROUP) == 0) {
    ++end;
  }
  const std::vector<HWND> group(children.begin() + begin, children.begin() + end);
  HWND next = Step(group, at - begin, previous != FALSE, TakesArrow);
  return next != nullptr ? next : control;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (msg == nullptr || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN && OnKey(dialog, msg)) return TRUE;
  const bool plainChar =
      msg->message == WM_CHAR && (CodeOf(msg->hwnd, msg) & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) == 0;
  if (plainChar && IsNavigationChar(msg->wParam)) return TRUE;  // the key already did its work
  if ((plainChar || msg->message == WM_SYSCHAR) && OnMnemonic(dialog, static_cast<WCHAR>(msg->wParam))) return TRUE;
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}
