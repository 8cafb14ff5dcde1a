// Reaching a dialog's controls by id, and dialog units.
#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/base/winerror.h"
#include "platform/window/dialog/dialog_internal.h"

namespace plat::window {

namespace {

struct Dialogs {
  std::mutex lock;
  std::map<HWND, std::shared_ptr<DialogInfo>> byWindow;
};

Dialogs& TheDialogs() {
  static Dialogs* dialogs = new Dialogs;  // lives until process exit
  return *dialogs;
}

}  // namespace

std::shared_ptr<DialogInfo> FindDialogInfo(HWND dialog) {
  std::lock_guard guard(TheDialogs().lock);
  auto it = TheDialogs().byWindow.find(dialog);
  return it == TheDialogs().byWindow.end() ? nullptr : it->second;
}

std::shared_ptr<DialogInfo> AddDialogInfo(HWND dialog) {
  auto info = std::make_shared<DialogInfo>();
  std::lock_guard guard(TheDialogs().lock);
  TheDialogs().byWindow[dialog] = info;
  return info;
}

void ForgetDialogInfo(HWND dialog) {
  std::lock_guard guard(TheDialogs().lock);
  TheDialogs().byWindow.erase(dialog);
}

void BaseUnitsForFont(WORD pointSize, bool setFont, int* x, int* y) {
  if (!setFont || pointSize == 0) {
    *x = LOWORD(static_cast<DWORD>(GetDialogBaseUnits()));
    *y = HIWORD(static_cast<DWORD>(GetDialogBaseUnits()));
    return;
  }
  // The metrics of the dialog fonts at 96 pixels per inch: an 8-point face
  // has characters 13 pixels high and 6 wide on average; other sizes scale.
  *y = (pointSize * 13 + 4) / 8;
  *x = std::max(1, (pointSize * 6 + 4) / 8);
}

}  // namespace plat::window

using plat::window::DialogInfo;
using plat::window::FindDialogInfo;

LONG GetDialogBaseUnits() { return static_cast<LONG>(MAKELONG(8, 16)); }

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  const std::shared_ptr<DialogInfo> info = FindDialogInfo(dialog);
  if (info == nullptr || rect == nullptr) {
    if (rect == nullptr) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  using plat::window::DialogUnitsToPixels;
  rect->left = DialogUnitsToPixels(rect->left, info->baseX, 4);
  rect->right = DialogUnitsToPixels(rect->right, info->baseX, 4);
  rect->top = DialogUnitsToPixels(rect->top, info->baseY, 8);
  rect->bottom = DialogUnitsToPixels(rect->bottom, info->baseY, 8);
  return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item != nullptr ? SendMessageW(item, message, wParam, lParam) : 0;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int maxCount) {
  if (text != nullptr && maxCount > 0) text[0] = 0;
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return 0;
  return static_cast<UINT>(GetWindowTextW(item, text, maxCount));
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item != nullptr && SetWindowTextW(item, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  WCHAR buffer[64] = {};
  if (GetDlgItem(dialog, id) == nullptr) return 0;
  GetDlgItemTextW(dialog, id, buffer, 64);
  std::u16string_view text(reinterpret_cast<const char16_t*>(buffer));
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  const bool negative = isSigned && !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return 0;
  unsigned long long value = 0;
  const unsigned long long limit = isSigned ? (negative ? 0x80000000ull : 0x7FFFFFFFull) : 0xFFFFFFFFull;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + static_cast<unsigned>(c - u'0');
    if (value > limit) return 0;
  }
  if (translated != nullptr) *translated = TRUE;
  return negative ? static_cast<UINT>(0u - static_cast<UINT>(value)) : static_cast<UINT>(value);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  std::u16string text(digits.begin(), digits.end());
  return SetDlgItemTextW(dialog, id, reinterpret_cast<LPCWSTR>(text.c_str()));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return FALSE;
  SendMessageW(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  if (GetDlgItem(dialog, checkId) == nullptr) return FALSE;
  for (int id = firstId; id <= lastId; ++id) {
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
