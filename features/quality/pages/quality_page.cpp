// The print-quality page 1006: the switch between a stored quality set and
// the fixed levels, the owner-drawn list of stored sets with their
// pictures and names, and the button that edits the selected set.
#include "features/quality/pages/quality_pages.h"

#include <array>
#include <string>

#include "features/custom_modules.h"
#include "platform/gdi/wingdi.h"
#include "platform/text/wintext.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/bitmaps/paint_bitmap.h"
#include "ui/constraint_services.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kUseStoredSet = 2133;
constexpr WORD kStoredSets = 2134;
constexpr WORD kEditButton = 2136;
constexpr std::array<WORD, 4> kFixedLevels = {2122, 2126, 2127, 2128};
constexpr WORD kSetNameItem = 2281;   // on the quality dialog 1021
constexpr WORD kSetNameSetting = 764;  // what that item edits
constexpr WORD kQualityDialog = 1021;
constexpr UINT kPictureFirst = 6137;
constexpr UINT kDisabledPictureFirst = 6152;
constexpr int kPictureMargin = 10;
constexpr int kNameChars = 260;

LRESULT SelectedSet(const TCB* tcb) {
  HWND list = tcb->hWnd != nullptr ? GetDlgItem(tcb->hWnd, kStoredSets) : nullptr;
  return list != nullptr ? SendMessageW(list, LB_GETCURSEL, 0, 0) : LB_ERR;
}

void QualityChanged(UCB* ucb) { KesmCustomFunction(ucb, kCustomQualityChanged, nullptr); }

// The stored set's name, read with the settings put back afterwards.
std::u16string SetName(UCB* ucb, UINT keyId) {
  std::array<WCHAR, kNameChars> key{};
  LoadStringFromResDll(ucb, keyId, key.data(), kNameChars, FALSE);
  SFL* records = BackupSFCB(ucb);
  BackupPrivateDevmode(ucb);
  std::array<WCHAR, kNameChars> name{};
  if (key[0] != 0 && ReadQualityByKey(ucb, key.data())) {
    const TCB* dialog = GetTCBbyTabID(ucb, kQualityDialog);
    const ICB* item = dialog != nullptr ? GetICBbyItemID(ucb, dialog, kSetNameItem) : nullptr;
    const SFCB* sfcb = item != nullptr && item->pSFCB != nullptr ? item->pSFCB : GetSFCBbyFuncID(ucb, kSetNameSetting);
    std::array<WCHAR, kNameChars * 2> whole{};
    if (sfcb != nullptr) GetDevmodeStringBySFCB(ucb, sfcb, whole.data());
    lstrcpynW(name.data(), whole.data(), kNameChars);
  }
  RestorePrivateDevmode(ucb, TRUE);
  if (records != nullptr) RestoreSFCB(ucb, records);
  return name.data();
}

int DrawStoredSet(UCB* ucb, const ICB* icb, const DRAWITEMSTRUCT* draw) {
  if (draw == nullptr || draw->itemID == static_cast<UINT>(-1)) return 0;
  if ((draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)) == 0) return 0;
  HDC dc = draw->hDC;
  const bool disabled = (draw->itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(icb->hWnd);
  const bool selected = (draw->itemState & ODS_SELECTED) != 0;
  if ((draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const ROWCOLOURS colours = OwnerRowColours(disabled, selected);
    FillRect(dc, &draw->rcItem, GetSysColorBrush(colours.back));
    const RECT& row = draw->rcItem;
    const int side = row.bottom - row.top + kPictureMargin;
    const RECT picture{row.left, row.top, row.left + side, row.bottom};
    const UINT pictureId = (disabled ? kDisabledPictureFirst : kPictureFirst) + draw->itemID;
    PaintBitmapFromResDll2(ucb, dc, &picture, (picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2,
                           MAKEINTRESOURCEW(pictureId), kPaintCopy | kPaintCentreX | kPaintCentreY);
    const std::u16string name = SetName(ucb, static_cast<UINT>(draw->itemData));
    SetTextColor(dc, GetSysColor(colours.fore));
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const RECT clip{picture.right, row.top, row.right, row.bottom};
    const int y = row.top + (row.bottom - row.top - metrics.tmHeight) / 2;
    ExtTextOutW(dc, clip.left + 2, y, ETO_CLIPPED, &clip, name.c_str(), static_cast<UINT>(name.size()), nullptr);
  }
  if ((draw->itemAction & ODA_FOCUS) != 0 || (draw->itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &draw->rcItem);
  return 1;
}

// The check box acts only on a change of its state: a stored set comes in,
// or the chosen fixed level's actions run.
int OnUseStoredSet(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  const bool checked = SendMessageW(icb->hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const bool stored = GetDevmodeValueByICB(ucb, icb) != 0;
  if (checked == stored) return 0;
  if (checked) {
    ReadQualityByID(ucb, static_cast<int>(SelectedSet(tcb)));
  } else {
    for (WORD id : kFixedLevels) {
      ICB* level = GetICBbyItemID(ucb, tcb, id);
      if (level == nullptr || level->hWnd == nullptr) continue;
      if (SendMessageW(level->hWnd, BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
      DoTransact(ucb, tcb, level->pUiGroup, level->builtInId);
      break;
    }
  }
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  QualityChanged(ucb);
  return 1;
}

int OnStoredSetPicked(UCB* ucb, TCB* tcb, ICB* icb) {
  const LRESULT row = SendMessageW(icb->hWnd, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return 0;
  ReadQualityByID(ucb, static_cast<int>(row));
  SetDevmodeValueByICB(ucb, icb, SendMessageW(icb->hWnd, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
  DoTransact(ucb, tcb, icb->pUiGroup, icb->builtInId);
  QualityChanged(ucb);
  return 1;
}

// The selected set goes into the edit dialog; what OK leaves is written
// back to that set, which the list keeps selected. (The set the save
// dialog's list names is not asked: that dialog has no part in an edit,
// and its value would send the edit into another stored set.)
int OnEditSet(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  const LRESULT edited = SelectedSet(tcb);
  ReadQualityByID(ucb, static_cast<int>(edited));
  ucb->pWork->dialog.fOk = 0;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  ICB* list = GetICBbyItemID(ucb, tcb, kStoredSets);
  if (ucb->pWork->dialog.fOk != 1 || list == nullptr || list->hWnd == nullptr || edited == LB_ERR) return 1;
  KesmUiCoreBuiltInFunc(ucb, kBuiltInPaperAreas);
  SetDevmodeValueByICB(ucb, list, SendMessageW(list->hWnd, LB_GETITEMDATA, static_cast<WPARAM>(edited), 0));
  WriteQualityByID(ucb, static_cast<int>(edited));
  InvalidateRect(list->hWnd, nullptr, TRUE);
  return 1;
}

}  // namespace

INT_PTR UCF_Quality(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  if (message == WM_DRAWITEM && icb->itemId == kStoredSets) {
    return DrawStoredSet(ucb, icb, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  }
  if (message != WM_COMMAND || LOWORD(wParam) != icb->itemId) return 0;
  switch (icb->itemId) {
    case kUseStoredSet:
      return OnUseStoredSet(ucb, tcb, icb, wParam, lParam);
    case kStoredSets:
      return HIWORD(wParam) == LBN_SELCHANGE ? OnStoredSetPicked(ucb, tcb, icb) : 0;
    case kEditButton:
      return OnEditSet(ucb, tcb, icb, wParam, lParam);
    default:
      return 0;
  }
}
