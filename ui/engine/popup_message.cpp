// The hover pop-up: a small bordered window that explains the item (or the
// list entry) under the mouse. Hovering prepares it hidden and starts the
// page's hover timer; when the timer fires with the cursor still on the
// item it is shown and drawn pale yellow. Moving to another item or entry,
// or any command, takes it away.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "features/preset/preset_keyword.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/kept_changes.h"
#include "ui/engine/item_window.h"
#include "ui/engine/item_window_internal.h"
#include "ui/engine/owner_draw_sizes.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverDelay = 1000;
constexpr int kTextChars = 1025;
constexpr int kMarginX = 16;  // kept from the edges of the usable screen
constexpr int kMarginY = 12;
constexpr int kFrameX = 8;    // the window around the text
constexpr int kFrameY = 6;
constexpr int kTextInset = 2;
constexpr COLORREF kPaleYellow = 0xD8FFFF;

bool IsCombo(WORD kind) { return kind == kCtlComboBox || kind == kCtlOwnerComboBox; }
// The kinds whose pop-up counts the area of a dropped list: the combo boxes,
// and the text kind 45 (a static: its window's own area).
constexpr WORD kCtlText45 = 45;

// What the pop-up explains within its item: the list entry of a combo box
// (its current one for none), the height of the printer picture's area,
// else the anchor's x.
LONG PopupKey(const ICB* icb, int x, int y, int entry) {
  if (IsCombo(icb->kind)) return entry >= 0 ? entry : static_cast<LONG>(SendMessageW(icb->hWnd, CB_GETCURSEL, 0, 0));
  return icb->itemId == kPrinterPictureId ? y : x;
}

void RemovePopup(DIALOGSLOTS& slots, HWND page) {
  if (slots.idHoverTimer != 0) KillTimer(page, static_cast<UINT_PTR>(slots.idHoverTimer));
  slots.idHoverTimer = 0;
  if (slots.hBalloon != nullptr) {
    const bool shown = IsWindowVisible(slots.hBalloon) != FALSE;
    DestroyWindow(slots.hBalloon);
    slots.hBalloon = nullptr;
    if (shown) PostMessageW(page, WM_PAINT, 0, 0);
  }
  slots.wPopupOwnerId = 0;
  slots.lPopupKey = 0;
  slots.hHovered = nullptr;
}

std::u16string ResourceText(UCB* ucb, UINT id) {
  std::vector<WCHAR> text(kTextChars);
  LoadStringFromResDll(ucb, id, text.data(), kTextChars, TRUE);
  return std::u16string(text.data());
}

// A combo entry: the hint that the related-resource table gives its option,
// else the entry's own text.
std::u16string ComboEntryText(UCB* ucb, const ICB* icb, int entry) {
  const LRESULT data = SendMessageW(icb->hWnd, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0);
  if (data != CB_ERR) {
    const WORD hint = GetHintFromRRTable(icb, static_cast<WORD>(data));
    if (hint != 0) return ResourceText(ucb, hint);
  }
  const LRESULT length = SendMessageW(icb->hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length <= 0) return {};
  std::vector<WCHAR> text(static_cast<std::size_t>(length) + 1);
  SendMessageW(icb->hWnd, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text.data()));
  return std::u16string(text.data());
}

// A preset list: the summary of the preset in the cell under the anchor,
// which moves to the cell's middle. Empty when the anchor is on no entry.
std::u16string PresetEntryText(UCB* ucb, const ICB* icb, HWND page, int* x, int* y) {
  const ODFS* cell = GetODFSbyItemID(icb->itemId);
  if (cell == nullptr || cell->width <= 0 || cell->height <= 0) return {};
  // The cells lie in the list's client area.
  POINT origin{};
  MapWindowPoints(icb->hWnd, page, &origin, 1);
  if (*x < origin.x || *y < origin.y || *y - origin.y >= cell->height) return {};
  const int column = (*x - origin.x) / cell->width;
  const auto entry = static_cast<int>(SendMessageW(icb->hWnd, LB_GETTOPINDEX, 0, 0)) + column;
  if (entry >= static_cast<int>(SendMessageW(icb->hWnd, LB_GETCOUNT, 0, 0))) return {};
  *x = origin.x + column * cell->width + cell->width / 2;
  *y = origin.y + cell->height / 2;
  std::vector<WCHAR> summary(kPresetKeywordChars);
  {
    const KeptChanges kept(ucb);
    BackupPrivateDevmode(ucb);
    GetPresetKeyword(ucb, icb, entry, kPresetKeywordComment, summary.data());
    RestorePrivateDevmode(ucb, TRUE);
  }
  // The summary keeps its line breaks as backslash-n.
  std::u16string text;
  for (const char16_t* c = summary.data(); *c != u'\0'; ++c) {
    if (c[0] == u'\\' && c[1] == u'n') {
      text += u"\r\n";
      ++c;
    } else {
      text.push_back(*c);
    }
  }
  return text;
}

// The text's size on the DC, line by line: lines end at a line feed, or
// (for a preset summary) at a carriage return whose line feed is dropped.
SIZE Measure(HDC dc, const std::u16string& text) {
  SIZE total{};
  std::size_t from = 0;
  for (;;) {
    const std::size_t end = text.find_first_of(u"\r\n", from);
    const std::u16string line = text.substr(from, end == std::u16string::npos ? end : end - from);
    SIZE size{};
    KesmGetTextExtentPoint(dc, line.empty() ? nullptr : line.c_str(), &size);
    if (line.empty()) size.cx = 0;
    total.cx = std::max(total.cx, size.cx);
    total.cy += size.cy;
    if (end == std::u16string::npos) break;
    from = end + (text.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
  return total;
}

// The screen less the taskbar, on whichever side of the screen it stands.
RECT UsableScreen() {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  const int cy = GetSystemMetrics(SM_CYSCREEN);
  RECT usable{0, 0, cx, cy};
  RECT bar{};
  HWND taskbar = FindWindowW(u"Shell_TrayWnd", nullptr);
  if (taskbar == nullptr || !GetWindowRect(taskbar, &bar)) return usable;
  if (bar.left > cx / 2) usable.right = bar.left;
  if (bar.right < cx / 2) usable.left = bar.right;
  if (bar.top > cy / 2) usable.bottom = bar.top;
  if (bar.bottom < cy / 2) usable.top = bar.bottom;
  return usable;
}

// The pop-up's place: at the anchor, moved left and up as far as needed to
// keep the margins from the usable screen's right and bottom edges, but
// never past its left and top margins.
POINT Placed(POINT at, SIZE window) {
  const RECT usable = UsableScreen();
  if (at.x + window.cx + kMarginX > usable.right) {
    at.x = std::max<LONG>(usable.right - window.cx - kMarginX, usable.left + kMarginX);
  }
  if (at.y + window.cy + kMarginY > usable.bottom) {
    at.y = std::max<LONG>(usable.bottom - window.cy - kMarginY, usable.top + kMarginY);
  }
  return at;
}

std::u16string PopupText(UCB* ucb, const ICB* icb, HWND page, int* x, int* y, int entry) {
  if (IsCombo(icb->kind) && entry >= 0) return ComboEntryText(ucb, icb, entry);
  if (icb->kind == kCtlPresetListBox) return PresetEntryText(ucb, icb, page, x, y);
  return icb->popupId != 0 ? ResourceText(ucb, icb->popupId) : std::u16string();
}

}  // namespace

int ShowPopupMsgMain(UCB* ucb, ICB* icb, HWND page, int x, int y, int entry) {
  if (ucb == nullptr || ucb->pWork == nullptr || page == nullptr) return 0;
  DIALOGSLOTS& slots = DialogSlots(ucb);
  const LONG key = icb != nullptr ? PopupKey(icb, x, y, entry) : 0;
  if (icb != nullptr && slots.hBalloon != nullptr && slots.wPopupOwnerId == icb->itemId && slots.lPopupKey == key) {
    return 0;
  }
  // A hide waits while a prepared pop-up's delay runs (its page may be gone
  // since, and with it the pop-up it owned).
  if (icb == nullptr && slots.idHoverTimer != 0 && IsWindow(slots.hBalloon)) return 0;
  RemovePopup(slots, page);
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  const std::u16string text = PopupText(ucb, icb, page, &x, &y, entry);
  if (text.empty()) return 0;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(page, WM_GETFONT, 0, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return 0;
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  const SIZE textSize = Measure(dc, text);
  if (old != nullptr) SelectObject(dc, old);
  DeleteDC(dc);
  const SIZE window{textSize.cx + kFrameX, textSize.cy + kFrameY};
  POINT at{x, y};
  ClientToScreen(page, &at);
  at = Placed(at, window);
  HWND balloon = CreateWindowExW(0, u"STATIC", text.c_str(), WS_POPUP | WS_BORDER, at.x, at.y, window.cx, window.cy,
                                 page, nullptr, GetResDll(ucb), nullptr);
  if (balloon == nullptr) return 0;
  SendMessageW(balloon, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  slots.hBalloon = balloon;
  slots.wPopupOwnerId = icb->itemId;
  slots.lPopupKey = key;
  slots.hHovered = icb->hWnd;
  if (SetTimer(page, kHoverTimer, kHoverDelay, nullptr) != 0) slots.idHoverTimer = static_cast<INT>(kHoverTimer);
  return 0;
}

int ShowPopupMsg(UCB* ucb, ICB* icb, HWND page, int x, int y) { return ShowPopupMsgMain(ucb, icb, page, x, y, -1); }

void ShowPopupOnHoverTimer(UCB* ucb, HWND page) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  DIALOGSLOTS& slots = DialogSlots(ucb);
  if (slots.idHoverTimer != 0) KillTimer(page, static_cast<UINT_PTR>(slots.idHoverTimer));
  slots.idHoverTimer = 0;
  HWND hovered = slots.hHovered;
  if (slots.hBalloon == nullptr || hovered == nullptr || !IsWindow(hovered)) return;
  // A combo box counts with its list dropped.
  RECT area{};
  const ICB* icb = GetICBbyHwnd(ucb, nullptr, hovered);
  const bool combo = icb != nullptr && (IsCombo(icb->kind) || icb->kind == kCtlText45);
  if (!combo || SendMessageW(hovered, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&area)) == 0) {
    GetWindowRect(hovered, &area);
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  if (!PtInRect(&area, cursor)) return;
  // Only while the person works in the same window as the hovered item.
  HWND focusParent = GetParent(GetFocus());
  HWND parent = GetParent(hovered);
  if (focusParent == nullptr || (parent != focusParent && GetParent(parent) != focusParent)) return;
  ShowWindow(slots.hBalloon, SW_SHOWNOACTIVATE);
  PaintBalloonHelp(ucb);
}

void PaintBalloonHelp(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return;
  HWND balloon = DialogSlots(ucb).hBalloon;
  if (balloon == nullptr) return;
  HDC dc = GetDC(balloon);
  if (dc == nullptr) return;
  // A font of its own at the height the pop-up's font asks for.
  HFONT own = reinterpret_cast<HFONT>(SendMessageW(balloon, WM_GETFONT, 0, 0));
  LOGFONTW face{};
  HFONT made = nullptr;
  if (own != nullptr && GetObjectW(own, sizeof(face), &face) != 0) {
    face.lfHeight = GetLfHeight(dc, face.lfHeight);
    made = CreateFontIndirectW(&face);
  }
  HGDIOBJ old = made != nullptr ? SelectObject(dc, made) : nullptr;
  RECT r{};
  GetClientRect(balloon, &r);
  HBRUSH fill = CreateSolidBrush(kPaleYellow);
  FillRect(dc, &r, fill);
  DeleteObject(fill);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  InflateRect(&r, -kTextInset, -kTextInset);
  std::vector<WCHAR> text(kTextChars);
  GetWindowTextW(balloon, text.data(), kTextChars);
  DrawTextW(dc, text.data(), -1, &r, DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX);
  if (old != nullptr) SelectObject(dc, old);
  if (made != nullptr) DeleteObject(made);
  ReleaseDC(balloon, dc);
  ValidateRect(balloon, nullptr);
}

// The pop-up's font is the page's, at the height it has.
int GetLfHeight(HDC, int height) { return height; }
