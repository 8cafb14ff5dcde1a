// Text edits: the setting's string in an edit, stored as it is typed
// without the constraint step. A multi-line edit shows line breaks that the
// setting keeps as the two characters backslash and n. What is stored is
// what the setting can hold: ANSI settings pass through the system code
// page and are cut at the last whole character that fits, so a double-byte
// character is never cut in half.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/numbers/number_items.h"

namespace {

// The work buffers hold 1025 characters with the terminator.
constexpr std::size_t kTextChars = 1024;
constexpr int kCappedLimit = 260;
constexpr DWORD kIcbCapLimit = 0x00400000;
constexpr DWORD kIcbKeepBlanks = 0x00800000;
constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kStoredBreak = u"\\n";

bool IsWide(const SFCB* sfcb) {
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  return kind == kKindWide || kind == kKindWide8;
}
// An edit whose setting keeps no text (a number the tables tie to it)
// works as an edit of its own: it shows what is typed and stores nothing.
bool HoldsText(const SFCB* sfcb) {
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  return kind == kKindAnsi7 || kind == kKindAnsi || IsWide(sfcb);
}
bool InStorage(const SFCB* sfcb) { return SettingBlockOf(sfcb->descriptor) != kBlockNone && HoldsText(sfcb); }
int ByteSize(const SFCB* sfcb) { return static_cast<int>(SettingSizeOf(sfcb->descriptor)); }
bool IsMultiline(HWND edit) { return (static_cast<DWORD>(GetWindowLongW(edit, GWL_STYLE)) & ES_MULTILINE) != 0; }

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The control's text in the form the setting keeps.
std::u16string StoredForm(HWND edit) {
  std::u16string text = numbers::WindowText(edit).substr(0, kTextChars);
  return IsMultiline(edit) ? Replaced(std::move(text), kLineBreak, kStoredBreak) : text;
}

std::u16string ShownForm(HWND edit, std::u16string text) {
  text = IsMultiline(edit) ? Replaced(std::move(text), kStoredBreak, kLineBreak) : std::move(text);
  return text.substr(0, kTextChars);
}

std::u16string SettingText(const UCB* ucb, const SFCB* sfcb) {
  if (!HoldsText(sfcb)) return {};
  std::vector<WCHAR> text(static_cast<std::size_t>(ByteSize(sfcb)) + 1, u'\0');
  if (GetDevmodeStringBySFCB(ucb, sfcb, text.data()) == nullptr) return {};
  return std::u16string(text.data());
}

// The text cut to what the setting holds: size - 1 bytes of the code page
// for an ANSI setting, ending at a whole character; half the size - 1
// characters for a wide one.
std::u16string Keepable(const SFCB* sfcb, const std::u16string& text) {
  const int size = ByteSize(sfcb);
  if (size <= 0) return {};
  if (IsWide(sfcb)) return text.substr(0, static_cast<std::size_t>(size / 2 > 0 ? size / 2 - 1 : 0));
  std::vector<char> bytes(static_cast<std::size_t>(size), '\0');
  CopyUnicode2Str(bytes.data(), text.c_str(), size);
  std::vector<WCHAR> back(static_cast<std::size_t>(size), u'\0');
  CopyStr2Unicode(back.data(), bytes.data(), size);
  return std::u16string(back.data());
}

// True when the text was stored.
bool StoreWhenChanged(UCB* ucb, SFCB* sfcb, const std::u16string& text) {
  if (text == SettingText(ucb, sfcb)) return false;
  SetDevmodeStringBySFCB(ucb, sfcb, text.c_str());
  return true;
}

std::u16string Trimmed(const std::u16string& text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Leaving the edit: blanks at either end go, unless the item keeps them.
void OnLeave(UCB* ucb, ICB* icb) {
  const std::u16string taken = StoredForm(icb->hWnd).substr(0, static_cast<std::size_t>(ByteSize(icb->pSFCB)));
  if ((icb->flags & kIcbKeepBlanks) != 0) return;
  const std::u16string trimmed = Trimmed(taken);
  if (trimmed.size() == taken.size()) return;
  SetDevmodeStringBySFCB(ucb, icb->pSFCB, trimmed.c_str());
  SetWindowTextW(icb->hWnd, ShownForm(icb->hWnd, trimmed).c_str());
}

}  // namespace

int InitEditText(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  if (!HoldsText(icb->pSFCB)) return 1;
  int limit = ByteSize(icb->pSFCB) - 1;
  if (IsWide(icb->pSFCB)) limit = ByteSize(icb->pSFCB) / 2 - 1;
  if (const UiStringValue* data = numbers::GetStringData(ucb, icb)) {
    limit = data->maxLength;
    if ((icb->flags & kIcbCapLimit) != 0) limit = std::min(limit, kCappedLimit);
  }
  SendMessageW(icb->hWnd, EM_LIMITTEXT, static_cast<WPARAM>(std::max(limit, 0)), 0);
  return 1;
}

void PaintEditText(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb) || KesmGetClassData(icb, kClassList) != nullptr) return;
  const std::u16string current = numbers::WindowText(icb->hWnd);
  const std::u16string text =
      ShownForm(icb->hWnd, InStorage(icb->pSFCB) ? SettingText(ucb, icb->pSFCB) : current);
  if (text == current) return;
  // A character the code page cannot hold comes back replaced where it
  // stood: the caret stays where the person types, or the next character
  // would land at the front.
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(icb->hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SetWindowTextW(icb->hWnd, text.c_str());
  const auto length = static_cast<DWORD>(text.size());
  SendMessageW(icb->hWnd, EM_SETSEL, std::min(start, length), static_cast<LPARAM>(std::min(end, length)));
}

int PCmdEditText(UCB* ucb, TCB*, ICB* icb, WPARAM wParam, LPARAM) {
  if (!numbers::IsBound(ucb, icb) || !InStorage(icb->pSFCB)) return 0;
  switch (HIWORD(wParam)) {
    case EN_CHANGE:
    case EN_UPDATE:
      // The edit tells its own repaints too; only a stored text asks the
      // page for a repaint.
      return StoreWhenChanged(ucb, icb->pSFCB, Keepable(icb->pSFCB, StoredForm(icb->hWnd))) ? 1 : 0;
    case EN_KILLFOCUS:
      OnLeave(ucb, icb);
      return 0;
    default:
      return 0;
  }
}
