// The tray list of the installable-options page: one line per tray the
// description offers (its name, paper size, orientation picture and media
// type), the offered flag of every tray the description names, and the
// choices below the list that edit the selected tray's own settings.
#include <algorithm>
#include <iterator>

#include "features/option/pages/option_page.h"
#include "features/option/tray_strings.h"
#include "jobsettings/paper/derived_settings.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/refresh.h"

namespace {

using namespace option_page;

constexpr int kColumns = 4;
constexpr WORD kFirstHeader = 6001;
constexpr WORD kFirstTrayName = 2;  // what the list's value starts from
constexpr WORD kMachineFeed = 235;
constexpr WORD kUprightPicture = 6193;
constexpr WORD kTurnedPicture = 6194;

// A choice below the list and the per-tray setting it edits.
struct TrayChoice {
  WORD itemId;
  WORD firstSetting;
};
constexpr TrayChoice kChoices[] = {
    {kPaperChoice, kTrayPaper},
    {kMediaChoice, kTrayMedia},
    {kLockChoice, kTrayLock},
};

WORD PerTray(WORD firstSetting, DWORD tray) { return static_cast<WORD>(firstSetting + tray); }

LRESULT Send(const ICB* icb, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(icb->hWnd, message, wParam, lParam);
}

// The tray of the list's value; false for a name no tray has, whose
// settings nobody may edit.
bool SelectedTray(const UCB* ucb, const TCB* tcb, DWORD* tray) {
  const ICB* list = GetICBbyItemID(ucb, tcb, kTrayList);
  if (list == nullptr || list->pSFCB == nullptr) return false;
  return FindTrayIndex(static_cast<WORD>(GetDevmodeValueBySFCB(ucb, list->pSFCB)), tray) != FALSE;
}

void RepaintTrayList(const UCB* ucb, const TCB* tcb) {
  const ICB* list = GetICBbyItemID(ucb, tcb, kTrayList);
  if (list != nullptr && list->hWnd != nullptr) InvalidateRect(list->hWnd, nullptr, TRUE);
}

// The offered flag of a tray the description names; written only when it
// changes. A name no tray has is left out: it would stand for the first
// tray.
void NoteOffered(UCB* ucb, WORD nameId, bool shown) {
  DWORD tray = 0;
  if (!FindTrayIndex(nameId, &tray)) return;
  const WORD setting = PerTray(kTrayOffered, tray);
  const LONG_PTR want = shown ? 1 : 0;
  if (GetDevmodeValueDirectByFuncID(ucb, setting, nullptr) != want) SetDevmodeValueDirectByFuncID(ucb, setting, want);
}

void CheckOrientation(const TCB* tcb, LONG_PTR orientation) {
  CheckRadioButton(tcb->hWnd, kOrientationUpright, kOrientationTurned,
                   orientation != 0 ? kOrientationTurned : kOrientationUpright);
}

}  // namespace

void option_page::LoadChoices(UCB* ucb, const TCB* tcb) {
  DWORD tray = 0;
  if (!SelectedTray(ucb, tcb, &tray)) return;
  for (const TrayChoice& choice : kChoices) {
    const ICB* icb = GetICBbyItemID(ucb, tcb, choice.itemId);
    if (icb == nullptr || icb->pSFCB == nullptr) continue;
    SetDevmodeValueBySFCB(ucb, icb->pSFCB, GetDevmodeValueByFuncID(ucb, PerTray(choice.firstSetting, tray), nullptr));
  }
  CheckOrientation(tcb, GetDevmodeValueDirectByFuncID(ucb, PerTray(kTrayOrientation, tray), nullptr));
}

namespace {

void AddColumns(UCB* ucb, const ICB* list) {
  LVCOLUMNW probe{};
  probe.mask = LVCF_WIDTH;
  if (Send(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&probe)) != FALSE) return;
  RECT client{};
  GetClientRect(list->hWnd, &client);
  for (int c = 0; c < kColumns; ++c) {
    std::u16string header = ResourceString(ucb, kFirstHeader + static_cast<UINT>(c));
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = (client.right - client.left) / kColumns;
    column.pszText = header.data();
    column.iSubItem = c;
    Send(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

// One line per tray option of the list's group whose hide judge does not
// hold; the first of them becomes the list's value and is selected.
void AddTrays(UCB* ucb, const ICB* list) {
  const UiGroup* group = list->pUiGroup;
  if (group == nullptr || ucb->pBKPD == nullptr) return;
  SetDevmodeValueBySFCB(ucb, list->pSFCB, kFirstTrayName);
  bool first = true;
  for (const UiOption* option = BkpdFirstOption(ucb->pBKPD, group); option != nullptr;
       option = GetNextUiOption(ucb, group, option)) {
    const ExclusiveItem* items = nullptr;
    const WORD id = GetOptionIdFromUiGroup(ucb, group, option, &items);
    if (id == 0) break;
    const bool hidden = items != nullptr && BKPDIsHideModeUI(group, id, ucb) != FALSE;
    NoteOffered(ucb, id, !hidden);
    if (hidden) continue;
    if (first) SetDevmodeValueBySFCB(ucb, list->pSFCB, id);
    std::u16string name = ResourceString(ucb, id);
    LVITEMW line{};
    line.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    line.iItem = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
    line.pszText = name.data();
    line.lParam = id;
    line.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    line.state = first ? line.stateMask : 0;
    Send(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&line));
    first = false;
  }
}

// --- Drawing ---------------------------------------------------------------

struct LineLook {
  HDC dc;
  COLORREF back;
  int textHeight;
};

void DrawCellText(const LineLook& look, const RECT& cell, const std::u16string& text) {
  const int y = cell.top + (cell.bottom - cell.top - look.textHeight) / 2;
  ExtTextOutW(look.dc, cell.left + 2, y, ETO_OPAQUE | ETO_CLIPPED, &cell, reinterpret_cast<LPCWSTR>(text.c_str()),
              static_cast<UINT>(text.size()), nullptr);
}

// The picture of the paper's way in the tray: turned when the tray's
// orientation and the machine's feed disagree.
WORD OrientationPicture(const UCB* ucb, DWORD tray) {
  const bool set = GetDevmodeValueDirectByFuncID(ucb, PerTray(kTrayOrientation, tray), nullptr) != 0;
  const bool feedOne = GetDevmodeValueDirectByFuncID(ucb, kMachineFeed, nullptr) == 1;
  return set == feedOne ? kTurnedPicture : kUprightPicture;
}

void DrawCell(UCB* ucb, const LineLook& look, const RECT& cell, int column, WORD nameId) {
  DWORD tray = 0;
  const bool known = FindTrayIndex(nameId, &tray) != FALSE;
  switch (column) {
    case 0:
      DrawCellText(look, cell, ResourceString(ucb, nameId));
      return;
    case 1:
    case 3: {
      const WORD setting = column == 1 ? kTrayPaper : kTrayMedia;
      const auto option = known ? GetDevmodeValueByFuncID(ucb, PerTray(setting, tray), nullptr) : 0;
      DrawCellText(look, cell, option > 0 ? ResourceString(ucb, static_cast<UINT>(option)) : std::u16string());
      return;
    }
    default: {
      HBRUSH fill = CreateSolidBrush(look.back);
      FillRect(look.dc, &cell, fill);
      DeleteObject(fill);
      if (!known) return;
      PaintBitmapFromResDll2(ucb, look.dc, &cell, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2,
                             MAKEINTRESOURCEW(OrientationPicture(ucb, tray)),
                             kPaintCopy | kPaintCentreX | kPaintCentreY);
      return;
    }
  }
}

}  // namespace

int option_page::InitTrayList(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb->hWnd == nullptr || icb->pSFCB == nullptr) return 1;
  if (Send(icb, LVM_GETITEMCOUNT) > 0) return 1;
  AddColumns(ucb, icb);
  AddTrays(ucb, icb);
  LoadChoices(ucb, tcb);
  return 1;
}

void option_page::RebuildTrayList(UCB* ucb, TCB* tcb) {
  ICB* list = GetICBbyItemID(ucb, tcb, kTrayList);
  if (list == nullptr || list->hWnd == nullptr) return;
  Send(list, LVM_DELETEALLITEMS);
  InitTrayList(ucb, tcb, list);
}

int option_page::OnTraySelected(UCB* ucb, TCB* tcb, const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0 || (change.uNewState & LVIS_SELECTED) == 0 ||
      (change.uOldState & LVIS_SELECTED) != 0) {
    return 0;
  }
  const ICB* list = GetICBbyItemID(ucb, tcb, kTrayList);
  if (list == nullptr || list->pSFCB == nullptr) return 0;
  ValidateChapterInfo(ucb);
  const auto nameId = static_cast<LONG_PTR>(LOWORD(static_cast<DWORD_PTR>(change.lParam)));
  if (nameId != GetDevmodeValueBySFCB(ucb, list->pSFCB)) {
    SetDevmodeValueBySFCB(ucb, list->pSFCB, nameId);
    LoadChoices(ucb, tcb);
  }
  return 1;
}

int option_page::DrawTrayLine(UCB* ucb, const TCB*, const ICB* icb, const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return 0;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const ROWCOLOURS colours = OwnerRowColours(Disabled(icb), selected);
  TEXTMETRICW metrics{};
  GetTextMetricsW(item.hDC, &metrics);
  const LineLook look{item.hDC, GetSysColor(colours.back), static_cast<int>(metrics.tmHeight)};
  const COLORREF back = SetBkColor(item.hDC, look.back);
  const COLORREF fore = SetTextColor(item.hDC, GetSysColor(colours.fore));
  const WORD nameId = LOWORD(static_cast<DWORD>(item.itemData));
  RECT cell = item.rcItem;
  cell.right = cell.left;
  for (int c = 0; c < kColumns; ++c) {
    cell.left = cell.right;
    cell.right = cell.left + static_cast<int>(Send(icb, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c)));
    DrawCell(ucb, look, cell, c, nameId);
  }
  SetTextColor(item.hDC, fore);
  SetBkColor(item.hDC, back);
  return 1;
}

int option_page::OnTrayChoice(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != CBN_SELCHANGE) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  DWORD tray = 0;
  const auto choice = std::find_if(std::begin(kChoices), std::end(kChoices),
                                   [icb](const TrayChoice& c) { return c.itemId == icb->itemId; });
  if (choice == std::end(kChoices) || icb->pSFCB == nullptr || !SelectedTray(ucb, tcb, &tray)) return 1;
  SetDevmodeValueByFuncID(ucb, PerTray(choice->firstSetting, tray), GetDevmodeValueBySFCB(ucb, icb->pSFCB));
  RepaintTrayList(ucb, tcb);
  return 1;
}

int option_page::OnOrientationClick(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  DWORD tray = 0;
  if (!SelectedTray(ucb, tcb, &tray)) return 1;
  const LONG_PTR orientation = icb->itemId == kOrientationUpright ? 0 : 1;
  SetDevmodeValueDirectByFuncID(ucb, PerTray(kTrayOrientation, tray), orientation);
  CheckOrientation(tcb, orientation);
  RepaintTrayList(ucb, tcb);
  MarkChanged(tcb);
  RefreshDialog(ucb, tcb, 0);
  return 1;
}

void option_page::OnOrientationPaint(UCB* ucb, TCB* tcb) {
  DWORD tray = 0;
  if (!SelectedTray(ucb, tcb, &tray)) return;
  const bool upright = IsDlgButtonChecked(tcb->hWnd, kOrientationUpright) == BST_CHECKED;
  const bool turned = IsDlgButtonChecked(tcb->hWnd, kOrientationTurned) == BST_CHECKED;
  if (upright == turned) return;
  const WORD setting = PerTray(kTrayOrientation, tray);
  const LONG_PTR shown = turned ? 1 : 0;
  if (GetDevmodeValueDirectByFuncID(ucb, setting, nullptr) == shown) return;
  SetDevmodeValueDirectByFuncID(ucb, setting, shown);
  RepaintTrayList(ucb, tcb);
}
