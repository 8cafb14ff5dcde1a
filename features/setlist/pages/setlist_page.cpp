// The settings summary's text, and the status dialog that shows it.
#include "features/setlist/pages/setlist_page.h"

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "features/module_table/module_entries.h"
#include "features/setlist/setlist_judge.h"
#include "platform/window/winuser_controls.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_dispatch.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kDialogStatus = 1020;
constexpr WORD kItemStatusList = 2248;
constexpr WORD kItemClose = 3585;

// Writes into a fixed buffer, never past its last character, which stays
// for the terminator.
class Writer {
 public:
  Writer(LPWSTR buffer, int capacity) : buffer_(buffer), capacity_(capacity) { buffer_[0] = 0; }
  int Left() const { return capacity_ - length_; }  // the terminator's place included
  LPWSTR End() const { return buffer_ + length_; }
  // Counts what a reader wrote at End() (at most Left() - 1 characters).
  void Wrote(int count) {
    length_ += std::clamp(count, 0, Left() - 1);
    buffer_[length_] = 0;
  }
  void Append(std::u16string_view text) {
    const int n = std::min(static_cast<int>(text.size()), Left() - 1);
    std::copy_n(text.begin(), n, End());
    Wrote(n);
  }
  int Length() const { return length_; }

 private:
  LPWSTR buffer_;
  int capacity_;
  int length_ = 0;
};

void AppendLine(UCB* ucb, const SUMMARYLINE& line, Writer& out) {
  out.Wrote(LoadStringFromResDll(ucb, line.labelId, out.End(), out.Left(), FALSE));
  const LONG_PTR gate = line.gateGroupId == 0 ? 1 : GetDevmodeValueByGroupID(ucb, line.gateGroupId, nullptr);
  WORD valueGroup = 0;
  if (gate == 1 && line.shownGroupId != 0) {
    valueGroup = line.shownGroupId;
  } else if (line.gateGroupId != 0) {
    valueGroup = line.gateGroupId;
  }
  // The value, like the label, gets only the room that is left.
  if (valueGroup != 0) out.Wrote(GetDevmodeTextByGroupID(ucb, valueGroup, out.End(), out.Left()));
}

// The text of an item without lines: its setting's text when the setting
// is kept in a block, else what the window shows.
std::u16string PlainText(UCB* ucb, const ICB& icb) {
  const SFCB* sfcb = icb.pSFCB;
  if (sfcb != nullptr && SettingBlockOf(sfcb->descriptor) != 0) {
    const std::size_t chars = std::max<std::size_t>(kSetListPlainChars, SettingSizeOf(sfcb->descriptor) + 1);
    std::vector<WCHAR> text(chars, 0);
    if (GetDevmodeStringBySFCB(ucb, sfcb, text.data()) != nullptr) return text.data();
  }
  std::vector<WCHAR> text(kSetListPlainChars, 0);
  GetWindowTextW(icb.hWnd, text.data(), kSetListPlainChars);
  return text.data();
}

// Backslash-n pairs become line breaks.
void BreakLines(std::u16string& text) {
  for (std::size_t at = text.find(u"\\n"); at != std::u16string::npos; at = text.find(u"\\n", at + 2)) {
    text.replace(at, 2, u"\r\n");
  }
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<WCHAR> text(static_cast<std::size_t>(std::max(length, 0)) + 1, 0);
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

void Paint(UCB* ucb, ICB& icb) {
  std::u16string text;
  const auto* list = static_cast<const CDSPL*>(KesmGetClassData(&icb, kClassList));
  if (list != nullptr && list->pLines != nullptr && list->lineCount > 0) {
    std::vector<WCHAR> buffer(kSetListChars, 0);
    const int length = BuildSetListText(ucb, *list, kSetListConditions, buffer.data(), kSetListChars);
    text.assign(buffer.data(), static_cast<std::size_t>(length));
  } else {
    text = PlainText(ucb, icb);
  }
  if ((GetWindowLongW(icb.hWnd, GWL_STYLE) & ES_MULTILINE) != 0) BreakLines(text);
  if (WindowText(icb.hWnd) != text) SetWindowTextW(icb.hWnd, text.c_str());
}

}  // namespace

int BuildSetListText(UCB* ucb, const CDSPL& list, const SETLISTCONDITIONS& conditions, LPWSTR buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  Writer out(buffer, capacity);
  SetListJudge judge(ucb, conditions);
  for (WORD i = 0; i < list.lineCount; ++i) {
    const SUMMARYLINE& line = list.pLines[i];
    if (!judge.Shown(line)) continue;
    AppendLine(ucb, line, out);
    if (i + 1 == list.lineCount) break;
    out.Append(u"\r\n");
    if (out.Left() < kSetListReserve) {
      out.Append(kSetListMore);
      break;
    }
  }
  return out.Length();
}

void PaintSetList(UCB* ucb, TCB*, ICB* icb) {
  if (ucb == nullptr || icb == nullptr || icb->hWnd == nullptr) return;
  try {
    Paint(ucb, *icb);
  } catch (const std::exception&) {
    // Without the memory the window keeps the text it has.
  }
}

INT_PTR UCF_SetList(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR, LPARAM) {
  if (message == WM_PAINT && icb != nullptr && icb->itemId == kItemStatusList) PaintSetList(ucb, tcb, icb);
  return 0;
}

INT_PTR SetlistProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (tcb == nullptr || tcb->tabId != kDialogStatus) return 0;
  // The dialog's only button closes it: the summary is read-only, so
  // closing accepts, as OK would.
  if (message == WM_COMMAND && icb != nullptr && icb->itemId == kItemClose && LOWORD(wParam) == kItemClose &&
      HIWORD(wParam) == BN_CLICKED && tcb->hWnd != nullptr) {
    PostMessageW(tcb->hWnd, WM_COMMAND, IDOK, 0);
    return 1;
  }
  return UCF_SetList(ucb, tcb, icb, message, wParam, lParam);
}
