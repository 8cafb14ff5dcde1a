// The font exchange page, on the printer's sheet and on the document's
// font dialog.
#include "features/fontxchg/pages/fontxchg_page.h"

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "features/fontxchg/pages/font_lines.h"
#include "features/module_table/module_entries.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_draw.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_arrays.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/refresh.h"

namespace {

constexpr WORD kDialogPrinterFonts = 1009;
constexpr WORD kDialogUserFonts = 4004;
constexpr WORD kItemPrinterFonts = 2384;
constexpr WORD kItemClear = 2386;
// The texts that show the chosen TrueType face, one on each dialog.
constexpr WORD kFaceTexts[] = {2383, 2291};

std::u16string LineOf(HWND list, LRESULT index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length < 0) return {};
  std::vector<WCHAR> text(static_cast<std::size_t>(length) + 1, 0);
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::vector<std::u16string> LinesOf(HWND list) {
  std::vector<std::u16string> lines;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) lines.push_back(LineOf(list, i));
  return lines;
}

std::u16string PrinterFont(UCB* ucb, int n) {
  WCHAR name[kFontNameBufferChars] = {};
  return GetPrinterFontName(ucb, n, name);
}

void PutName(WCHAR (&field)[kFontNameChars], std::u16string_view name) {
  std::fill(std::begin(field), std::end(field), u'\0');
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), kFontNameChars - 1), field);
}

HWND ItemWindow(UCB* ucb, TCB* tcb, WORD itemId) {
  const ICB* icb = GetICBbyItemID(ucb, tcb, itemId);
  return icb != nullptr ? icb->hWnd : nullptr;
}

void ShowFace(UCB* ucb, TCB* tcb, std::u16string_view line) {
  const std::u16string face = FontLineFace(line);
  for (WORD id : kFaceTexts) {
    if (HWND text = ItemWindow(ucb, tcb, id)) SetWindowTextW(text, face.c_str());
  }
}

void TellSheetChanged(TCB* tcb) {
  if (tcb->hWnd != nullptr) SendMessageW(GetParent(tcb->hWnd), PSM_CHANGED, reinterpret_cast<WPARAM>(tcb->hWnd), 0);
}

void FillTrueTypeList(UCB* ucb, TCB* tcb, ICB* icb) {
  HWND list = icb->hWnd;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  FONTENUMRECORD record{ucb, icb, {}};
  HWND desktop = GetDesktopWindow();
  if (HDC dc = GetDC(desktop)) {
    EnumFontFamiliesW(dc, nullptr, EnumFontFamProc, reinterpret_cast<LPARAM>(&record));
    ReleaseDC(desktop, dc);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  ShowFace(ucb, tcb, LineOf(list, 0));
  if (HWND fonts = ItemWindow(ucb, tcb, kItemPrinterFonts)) {
    SendMessageW(fonts, LB_SETTOPINDEX, 0, 0);
    SendMessageW(fonts, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    InvalidateRect(fonts, nullptr, TRUE);
  }
  InvalidateRect(list, nullptr, TRUE);
}

void FillPrinterFontList(UCB* ucb, ICB* icb) {
  HWND list = icb->hWnd;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const int count = GetPrinterFontCount(ucb);
  for (int n = 0; n < count; ++n) {
    const std::u16string name = PrinterFont(ucb, n);
    if (!name.empty() && name.front() == u'@') continue;
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// A TrueType font chosen: its face shown, and its printer font chosen in
// the other list when that list holds it.
void TrueTypeChosen(UCB* ucb, TCB* tcb, ICB* icb) {
  const LRESULT chosen = SendMessageW(icb->hWnd, LB_GETCURSEL, 0, 0);
  if (chosen == LB_ERR) return;
  const std::u16string line = LineOf(icb->hWnd, chosen);
  ShowFace(ucb, tcb, line);
  HWND fonts = ItemWindow(ucb, tcb, kItemPrinterFonts);
  if (fonts == nullptr) return;
  const std::u16string printer = FontLinePrinter(line);
  const std::vector<std::u16string> names = LinesOf(fonts);
  const auto match = std::find(names.begin(), names.end(), printer);
  if (match == names.end()) return;
  const auto index = static_cast<WPARAM>(match - names.begin());
  SendMessageW(fonts, LB_SETCURSEL, index, 0);
  if (!IsWindowEnabled(fonts)) SendMessageW(fonts, LB_SETTOPINDEX, index, 0);
}

// A printer font chosen for the TrueType font chosen: its line is
// replaced and the table rebuilt.
void PrinterFontChosen(UCB* ucb, TCB* tcb, ICB* icb) {
  HWND list = ItemWindow(ucb, tcb, kItemTrueTypeList);
  if (list == nullptr) return;
  const LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
  const LRESULT font = SendMessageW(icb->hWnd, LB_GETCURSEL, 0, 0);
  if (chosen == LB_ERR || font == LB_ERR) return;
  const std::u16string old = LineOf(list, chosen);
  std::u16string line = old.substr(0, kFontLinePrinterAt);
  line.resize(kFontLinePrinterAt, u' ');
  line += LineOf(icb->hWnd, font).substr(0, kFontNameBufferChars - 1);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(chosen + 1), 0);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  RemakeFontExchangeTable(ucb, list);
  TellSheetChanged(tcb);
}

void ClearTable(UCB* ucb, TCB* tcb) {
  SetFontExchangeTable(ucb, 0, nullptr);
  if (ICB* list = GetICBbyItemID(ucb, tcb, kItemTrueTypeList); list != nullptr && list->hWnd != nullptr) {
    FillTrueTypeList(ucb, tcb, list);
  }
  TellSheetChanged(tcb);
  RefreshDialog(ucb, tcb, 1);
}

// Draws one part of a line: opaque, clipped to its box, centred in height.
void DrawPart(HDC dc, const RECT& box, std::u16string_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  const int y = box.top + (box.bottom - box.top - size.cy) / 2;
  ExtTextOutW(dc, box.left, y, ETO_OPAQUE | ETO_CLIPPED, &box, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void DrawEntry(const DRAWITEMSTRUCT& item, bool exchangeLine) {
  HDC dc = item.hDC;
  const ROWCOLOURS colours =
      OwnerRowColours((item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_SELECTED) != 0);
  const COLORREF oldBack = SetBkColor(dc, GetSysColor(colours.back));
  const COLORREF oldFore = SetTextColor(dc, GetSysColor(colours.fore));
  const RECT& r = item.rcItem;
  const std::u16string text = item.itemID == static_cast<UINT>(-1) ? std::u16string() : LineOf(item.hwndItem, item.itemID);
  const std::u16string_view view(text);
  if (!exchangeLine) {
    DrawPart(dc, r, view.substr(0, std::min<std::size_t>(view.size(), kFontLineFaceChars)));
  } else {
    const int middle = (r.left + r.right) / 2;
    DrawPart(dc, {r.left, r.top, middle, r.bottom}, view.substr(0, std::min<std::size_t>(view.size(), kFontLineFaceChars)));
    DrawPart(dc, {middle, r.top, r.right, r.bottom}, FontLinePrinter(view));
    MoveToEx(dc, middle - 1, r.top, nullptr);
    LineTo(dc, middle - 1, r.bottom);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.right, r.bottom - 1);
  }
  SetTextColor(dc, oldFore);
  SetBkColor(dc, oldBack);
}

INT_PTR DrawItem(ICB* icb, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item == nullptr || item->CtlID != icb->itemId) return 0;
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) DrawEntry(*item, icb->itemId == kItemTrueTypeList);
  if ((item->itemAction & ODA_FOCUS) != 0 || (item->itemState & ODS_FOCUS) != 0) DrawFocusRect(item->hDC, &item->rcItem);
  return 1;
}

INT_PTR Command(UCB* ucb, TCB* tcb, ICB* icb, UINT_PTR wParam) {
  if (LOWORD(wParam) != icb->itemId) return 0;
  const WORD code = HIWORD(wParam);
  if (icb->itemId == kItemTrueTypeList && code == LBN_SELCHANGE) {
    TrueTypeChosen(ucb, tcb, icb);
    return 1;
  }
  if (icb->itemId == kItemPrinterFonts && code == LBN_SELCHANGE) {
    PrinterFontChosen(ucb, tcb, icb);
    return 1;
  }
  if (icb->itemId == kItemClear && code == BN_CLICKED) {
    ClearTable(ucb, tcb);
    return 1;
  }
  return 0;
}

BOOL RemakeTable(UCB* ucb, HWND trueTypeList) {
  const std::u16string none = PrinterFont(ucb, 0);
  std::vector<std::u16string> pairs;
  for (const std::u16string& line : LinesOf(trueTypeList)) {
    if (FontLinePrinter(line) != none) pairs.push_back(line);
  }
  if (pairs.empty()) return SetFontExchangeTable(ucb, 0, nullptr);
  auto* records = static_cast<KESMFONTPAIR*>(GetMemPtr(sizeof(KESMFONTPAIR) * pairs.size()));
  if (records == nullptr) return SetFontExchangeTable(ucb, 0, nullptr);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    PutName(records[i].trueType, FontLineFace(pairs[i]));
    PutName(records[i].device, FontLinePrinter(pairs[i]));
  }
  return SetFontExchangeTable(ucb, static_cast<int>(pairs.size()), records);
}

}  // namespace

BOOL RemakeFontExchangeTable(UCB* ucb, HWND trueTypeList) {
  try {
    return RemakeTable(ucb, trueTypeList);
  } catch (const std::exception&) {
    return SetFontExchangeTable(ucb, 0, nullptr);  // without the memory, an empty table
  }
}

INT_PTR UCF_FontExchange(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      if (icb->itemId == kItemTrueTypeList) {
        FillTrueTypeList(ucb, tcb, icb);
        return 1;
      }
      if (icb->itemId == kItemPrinterFonts) {
        FillPrinterFontList(ucb, icb);
        return 1;
      }
      return 0;
    case WM_COMMAND:
      return Command(ucb, tcb, icb, wParam);
    case WM_DRAWITEM:
      if (icb->itemId != kItemTrueTypeList && icb->itemId != kItemPrinterFonts) return 0;
      return DrawItem(icb, lParam);
    default:
      return 0;
  }
}

INT_PTR FontxchgProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (tcb == nullptr || (tcb->tabId != kDialogPrinterFonts && tcb->tabId != kDialogUserFonts)) return 0;
  try {
    return UCF_FontExchange(ucb, tcb, icb, message, wParam, lParam);
  } catch (const std::exception&) {
    return 0;  // the page stays as it was
  }
}
