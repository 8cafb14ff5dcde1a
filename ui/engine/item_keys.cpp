// Keys on items: the space bar presses a repeat button, the arrow keys step
// a number edit within its group's range, and typed or pasted text is kept
// to what the setting can hold: digits for a number, letters and digits
// where the description asks for them, and no more bytes in the system's
// code page than the setting keeps.
#include <algorithm>
#include <string>
#include <vector>

#include "jobsettings/validate/description_verdict.h"
#include "platform/runtime/winmem.h"
#include "platform/text/codepage.h"
#include "platform/window/winuser_clipboard.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window_internal.h"

namespace {

constexpr DWORD kNoArrowStepping = 0x200000;
constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;

bool IsDigit(WPARAM c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(WPARAM c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// The arrow keys step a number edit: one unit, or one display unit for a
// length; never past the group's range, and at its end nothing happens.
bool StepNumber(const ItemMessage& m, LRESULT* result) {
  ICB* icb = m.icb;
  LONG min = 0;
  LONG max = 0;
  if (icb->pSFCB == nullptr || icb->pUiGroup == nullptr || !GetNumericRange(m.ucb, icb->pUiGroup, &min, &max)) {
    return false;
  }
  const LONG step = (icb->flags & kIcbSizeItem) != 0 ? ConvertSizeToDevmodeValue(m.ucb, 0, 1) : 1;
  const auto value = static_cast<LONG>(GetDevmodeValueByICB(m.ucb, icb));
  *result = 0;
  if (m.wParam == VK_UP ? value >= max : value <= min) return true;
  const LONG next = m.wParam == VK_UP ? std::min<LONG>(value + step, max) : std::max<LONG>(value - step, min);
  SetDevmodeValueBySFCB(m.ucb, icb->pSFCB, next);
  PostMessageW(m.hwnd, WM_PAINT, 0, 0);
  PostMessageW(m.page, WM_PAINT, 0, 0);
  return true;
}

std::u16string WindowText(HWND window) {
  std::vector<WCHAR> buffer(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
  const int got = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), static_cast<std::size_t>(got));
}

// The edit's text with its selection replaced by the new text.
std::u16string WithSelectionReplaced(HWND edit, std::u16string_view inserted) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::u16string text = WindowText(edit);
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
  return text.replace(start, end - start, inserted);
}

int AnsiBytes(const std::u16string& text) {
  if (text.empty()) return 0;
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()),
                             nullptr, 0, nullptr, nullptr);
}

// The bytes of text a text edit's setting keeps (its end takes one), or -1
// for an edit the filter leaves alone: no setting or no string group.
int TextByteLimit(const ItemMessage& m, const UiStringValue** strings) {
  const ICB* icb = m.icb;
  if (icb->kind != kCtlEditText || icb->pSFCB == nullptr || icb->pUiGroup == nullptr) return -1;
  *strings = BkpdStringValue(m.ucb->pBKPD, icb->pUiGroup);
  if (*strings == nullptr) return -1;
  return static_cast<int>(SettingSizeOf(icb->pSFCB->descriptor)) - 1;
}

bool RefuseTyped(const ItemMessage& m, WPARAM c) {
  if (m.icb->kind == kCtlEditNum) return !IsDigit(c) && c != u'.' && c != u'\b';
  const UiStringValue* strings = nullptr;
  const int limit = TextByteLimit(m, &strings);
  if (limit < 0) return false;
  if ((strings->stringType & kStrAscii) != 0 && !IsDigit(c) && !IsLetter(c) && c != u'\b') return true;
  if (c < u' ') return false;  // backspace and the control keys add no text
  return AnsiBytes(WithSelectionReplaced(m.hwnd, std::u16string(1, static_cast<char16_t>(c)))) > limit;
}

// The text a paste would put in: the clipboard's, up to its first line
// break in a single-line edit, as the edit takes it.
std::u16string ClipboardText(HWND edit) {
  std::u16string text;
  if (!OpenClipboard(edit)) return text;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* chars = data != nullptr ? static_cast<const char16_t*>(GlobalLock(static_cast<HGLOBAL>(data))) : nullptr;
  if (chars != nullptr) {
    const std::size_t units = GlobalSize(static_cast<HGLOBAL>(data)) / sizeof(char16_t);
    std::size_t n = 0;
    while (n < units && chars[n] != 0) ++n;
    text.assign(chars, n);
    GlobalUnlock(static_cast<HGLOBAL>(data));
  }
  CloseClipboard();
  if ((GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) == 0) text = text.substr(0, text.find_first_of(u"\r\n"));
  return text;
}

}  // namespace

bool OnItemKeyDown(const ItemMessage& m, LRESULT* result) {
  if (m.wParam == VK_SPACE && IsRepeatButton(m.icb)) {
    // A held key's repeats are no new press: the repeat already runs.
    if ((m.lParam & kKeyWasDown) != 0) return false;
    return OnItemPress(m, result);
  }
  if (m.icb->kind != kCtlEditNum || (m.icb->flags & kNoArrowStepping) != 0) return false;
  if (m.wParam != VK_UP && m.wParam != VK_DOWN) return false;
  return StepNumber(m, result);
}

bool OnItemChar(const ItemMessage& m, LRESULT* result) {
  if (m.icb->kind == kCtlMultiListBox) {
    DoDefaultProcessItemMessage(m.ucb, m.tcb, m.icb, m.message, m.wParam, m.lParam);
    return false;
  }
  if (!RefuseTyped(m, m.wParam)) return false;
  *result = 0;
  return true;
}

// A paste that would take the text past what the setting keeps is refused
// whole, as a typed character past it is.
bool OnItemPaste(const ItemMessage& m, LRESULT* result) {
  const UiStringValue* strings = nullptr;
  const int limit = TextByteLimit(m, &strings);
  if (limit < 0) return false;
  if (AnsiBytes(WithSelectionReplaced(m.hwnd, ClipboardText(m.hwnd))) <= limit) return false;
  *result = 0;
  return true;
}
