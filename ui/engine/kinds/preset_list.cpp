// The preset list: one entry per stored preset, each named by its key in
// the settings INI and drawn as the preset's name over a preview of its
// settings. A pick recalls the preset and judges it; drawing an entry
// recalls its preset only for the time of the drawing.
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "features/preset/preset_keyword.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dc.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/kept_changes.h"
#include "ui/engine/kinds/list_kinds.h"
#include "ui/engine/owner_draw_sizes.h"
#include "ui/engine/refresh.h"

namespace {

// A selected entry is drawn with the paper, media, output tray and colour
// the page shows now, whatever its preset holds.
constexpr WORD kKeptWhileSelected[] = {13, 29, 53, 15};
// Either hidden function makes a refused recall run the list's actions.
constexpr WORD kTransactAfterRefusal[] = {362, 363};

bool Bound(const UCB* ucb, const ICB* icb) { return ucb != nullptr && icb != nullptr && icb->pSFCB != nullptr; }

LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

// A multi-column list places its cells at the width the item table gives.
void SetCellWidth(const ICB* icb) {
  if ((GetWindowLongW(icb->hWnd, GWL_STYLE) & LBS_MULTICOLUMN) == 0) return;
  const ODFS* size = GetODFSbyItemID(icb->itemId);
  if (size != nullptr && size->width > 0) SendMessageW(icb->hWnd, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(size->width), 0);
}

// A refused recall falls back to the list's first preset.
void RecallFirstPreset(UCB* ucb, TCB* tcb, ICB* icb) {
  RestorePrivateDevmode(ucb, TRUE);
  MessageBeep(0xFFFFFFFF);
  const std::u16string first = lists::EntryText(icb, 0);
  if (!first.empty()) ReadPresetByKey(ucb, first.c_str());
  SetDevmodeValueByICB(ucb, icb, lists::OptionOfEntry(icb, 0));
  if (Stored(ucb, kTransactAfterRefusal[0]) != 0 || Stored(ucb, kTransactAfterRefusal[1]) != 0) {
    DoTransact(ucb, tcb, icb->pUiGroup, icb->builtInId);
  }
  PaintListBox(ucb, tcb, icb);
}

// The preset of the entry, recalled for its drawing. The settings kept
// while selected are put back over it unless only the selection changes.
void RecallForDrawing(UCB* ucb, ICB* icb, const DRAWITEMSTRUCT& item) {
  std::array<LONG_PTR, std::size(kKeptWhileSelected)> kept{};
  for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = Stored(ucb, kKeptWhileSelected[i]);
  const std::u16string key = lists::EntryText(icb, static_cast<LRESULT>(item.itemID));
  if (!key.empty()) ReadPresetByKey(ucb, key.c_str());
  if ((item.itemAction & ODA_SELECT) == 0 && (item.itemState & ODS_SELECTED) != 0) {
    for (std::size_t i = 0; i < kept.size(); ++i) SetDevmodeValueDirectByFuncID(ucb, kKeptWhileSelected[i], kept[i]);
  }
  // A dialog an action names is not opened while drawing: no page is given.
  DoTransact(ucb, nullptr, icb->pUiGroup, icb->builtInId);
}

COLORREF CellBackground(const ICB* icb, UINT state) {
  if (lists::ItemDisabled(icb)) return static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE));
  return (state & ODS_SELECTED) != 0 ? static_cast<COLORREF>(GetSysColor(COLOR_HIGHLIGHT)) : RGB(255, 255, 255);
}

COLORREF CellText(const ICB* icb, UINT state) {
  if (lists::ItemDisabled(icb)) return static_cast<COLORREF>(GetSysColor(COLOR_GRAYTEXT));
  return (state & ODS_SELECTED) != 0 ? static_cast<COLORREF>(GetSysColor(COLOR_HIGHLIGHTTEXT)) : RGB(0, 0, 0);
}

// The preset's name centred at the top of the cell in the page's font, its
// preview beneath; the preview paints on the cell's colour.
void DrawCell(UCB* ucb, TCB* tcb, ICB* icb, const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  const COLORREF back = CellBackground(icb, item.itemState);
  COLORREF& paintBackground = ucb->pWork->dialog.crButtonFace;
  const COLORREF savedBackground = paintBackground;
  paintBackground = back;
  const lists::DcColours saved = lists::PrepareEntry(dc, item.rcItem, back, CellText(icb, item.itemState));
  const HWND page = GetParent(icb->hWnd);
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(page, WM_GETFONT, 0, 0)));
  std::array<WCHAR, kPresetKeywordChars> name{};
  GetPresetKeyword(ucb, icb, static_cast<int>(item.itemID), kPresetKeywordName, name.data());
  SIZE extent{};
  KesmGetTextExtentPoint(dc, name[0] != 0 ? name.data() : nullptr, &extent);
  RECT text = item.rcItem;
  text.bottom = text.top + extent.cy;
  DrawTextW(dc, name.data(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  if (ICB* preview = GetICBbyItemID(ucb, tcb, icb->linkId); preview != nullptr && icb->linkId != 0) {
    RECT picture = item.rcItem;
    picture.top += extent.cy + 4;
    PaintBitmap2(ucb, tcb, preview, dc, &picture);
  }
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  lists::RestoreColours(dc, saved);
  paintBackground = savedBackground;
}

int DrawEntry(UCB* ucb, TCB* tcb, ICB* icb, WPARAM, LPARAM lParam) {
  const DRAWITEMSTRUCT* item = lists::DrawItemFor(icb, lParam);
  if (item == nullptr || !lists::DrawsEntry(*item) || item->itemID == static_cast<UINT>(-1)) return 0;
  if (!Bound(ucb, icb) || ucb->pWork == nullptr) return 0;
  {
    // The restore would clear every changed mark.
    const KeptChanges kept(ucb);
    BackupPrivateDevmode(ucb);
    RecallForDrawing(ucb, icb, *item);
    if (item->hDC != nullptr) DrawCell(ucb, tcb, icb, *item);
    RestorePrivateDevmode(ucb, TRUE);
  }
  if (item->hDC != nullptr) lists::DrawEntryFocus(*item);
  return 1;
}

constexpr lists::ItemMessageRow kRows[] = {
    {WM_CTLCOLORLISTBOX, lists::AnswerOwnerListColour},
    {WM_DRAWITEM, DrawEntry},
};

}  // namespace

int InitPresetListBox(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!Bound(ucb, icb) || icb->hWnd == nullptr) return 0;
  SetCellWidth(icb);
  lists::FillFromGroup(ucb, icb, ReadPresetCount(ucb));
  PaintListBox(ucb, tcb, icb);
  return 0;
}

int PCmdPresetListBox(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  if (!Bound(ucb, icb) || HIWORD(wParam) != LBN_SELCHANGE) return 0;
  const LRESULT entry = lists::SelectedEntry(icb);
  if (entry < 0) return 0;
  const std::u16string key = lists::EntryText(icb, entry);
  CheckPresetCache(ucb, key.c_str(), kPresetCacheFree);
  BackupPrivateDevmode(ucb);
  if (!key.empty()) ReadPresetByKey(ucb, key.c_str());
  if (CheckAlertMsg2(ucb, tcb, icb, 0, 0) != 0) {
    RecallFirstPreset(ucb, tcb, icb);
  } else {
    SetDevmodeValueByICB(ucb, icb, lists::OptionOfEntry(icb, entry));
    RestorePrivateDevmode(ucb, FALSE);
  }
  RefreshDialog(ucb, tcb, 1);
  return 1;
}

int PMsgPresetListBox(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  return lists::DispatchItemMessage(kRows, ucb, tcb, icb, message, wParam, lParam);
}
