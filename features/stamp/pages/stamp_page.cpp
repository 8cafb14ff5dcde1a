// The stamp module's pages: the watermark list of the edit page (choose,
// switch on, edit, add, delete) and the three watermark dialogs, the
// margin and copy-guard dialogs, the add and delete buttons' limits, and
// the previews of a page picture.
#include <array>
#include <string>

#include "features/module_table/module_entries.h"
#include "features/stamp/stamp_module.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/stores/save_failure.h"
#include "storage/stores/watermark_store.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/kinds/picture_items.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kEditPage = 1003;
constexpr WORD kMarginPage = 1024;
constexpr WORD kCopyGuardPage = 4017;

constexpr WORD kOnOff = 2088;
constexpr WORD kList = 2089;
constexpr WORD kEditButton = 2090;
constexpr WORD kDeleteButton = 2406;
constexpr WORD kOverlayButton = 2407;
constexpr WORD kWatermarkFont = 2314;
constexpr WORD kWatermarkFontReset = 2330;

constexpr WORD kFuncWatermarkKind = 117;  // kdmWmKind
constexpr WORD kFuncWatermarkFont = 782;  // wdmWmFontName

constexpr LRESULT kFixedWatermarks = 5;
constexpr LRESULT kMaxWatermarks = 32;

constexpr UINT kMsgFixedWatermark = 10041;
constexpr UINT kMsgDeleteWatermark = 10063;
constexpr UINT kMsgDeleteWithOverlays = 10029;

// Requests to the dialog about to open: run an item's transaction (a new
// watermark), or take a title string; the low word names the item or the
// string.
constexpr DWORD kRequestCreate = 0x20000000;
constexpr DWORD kRequestTitle = 0x02000000;

constexpr WORD kStatusDisabledMask = 0x000C;
constexpr WORD kStatusDisabled = 0x0004;

// One row per watermark kind: its dialog, the item holding its name, the
// item whose transaction starts a new one, the dialog's title when editing
// and the button that adds one.
struct KindRow {
  LONG kind;
  WORD dialog;
  WORD nameItem;
  WORD createItem;
  WORD titleId;
  WORD addButton;
};
constexpr std::array<KindRow, 3> kKinds = {{
    {1, 1022, 2310, 2586, 2189, 2091},
    {2, 1023, 2339, 2603, 2190, 2092},
    {3, 1037, 2584, 2837, 2191, 2407},
}};
// The text items a new watermark starts without.
constexpr std::array<WORD, 6> kTextItems = {2310, 2339, 2584, 2312, 2341, 2586};

// The row whose field (kind, dialog or add button) is the value.
template <typename Field, typename Value>
const KindRow* KindBy(Field KindRow::*field, Value value) {
  for (const KindRow& row : kKinds) {
    if (row.*field == value) return &row;
  }
  return nullptr;
}
const KindRow* KindOf(LONG kind) { return KindBy(&KindRow::kind, kind); }
const KindRow* KindOfDialog(WORD dialog) { return KindBy(&KindRow::dialog, dialog); }
const KindRow* KindOfButton(WORD button) { return KindBy(&KindRow::addButton, button); }

LRESULT Send(const ICB* icb, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(icb->hWnd, message, wParam, lParam);
}

LONG_PTR ItemValue(const UCB* ucb, const ICB* icb) {
  return icb->pSFCB != nullptr ? GetDevmodeValueDirect(ucb, icb->pSFCB) : 0;
}
void SetItemValue(UCB* ucb, const ICB* icb, LONG_PTR value) {
  if (icb->pSFCB != nullptr) SetDevmodeValueDirect(ucb, icb->pSFCB, value);
}

bool FromItem(UINT message, WPARAM wParam, LPARAM lParam, const ICB* icb) {
  return message == WM_COMMAND && icb->hWnd != nullptr && IsSameHwnd(wParam, lParam, icb->hWnd);
}

// The name of the watermark now in the settings, from the name item of
// its kind.
std::u16string CurrentName(const UCB* ucb) {
  const KindRow* row = KindOf(static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, nullptr)));
  if (row == nullptr) return u"read error";
  std::array<WCHAR, kScratchChars> name{};
  if (GetDevmodeStringByItemID(ucb, row->nameItem, name.data()) == nullptr) return {};
  name.back() = 0;
  return name.data();
}

void Renumber(const ICB* list) {
  const LRESULT count = Send(list, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) Send(list, CB_SETITEMDATA, static_cast<WPARAM>(i), i);
}

// Loads the stored watermark at index into the settings and makes it the
// list's value.
void Choose(UCB* ucb, const ICB* list, LRESULT index) {
  ReadWatermarkByID(ucb, static_cast<int>(index));
  SetItemValue(ucb, list, index);
}

void FillList(UCB* ucb, const ICB* list) {
  if (Send(list, CB_GETCOUNT) > 0) return;
  BackupPrivateDevmode(ucb);
  const int count = ReadWatermarkCount(ucb);
  for (int i = 0; i < count; ++i) {
    Choose(ucb, list, i);
    const std::u16string name = CurrentName(ucb);
    const LRESULT entry = Send(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (entry >= 0) Send(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), i);
  }
  RestorePrivateDevmode(ucb, TRUE);
  Send(list, CB_SETCURSEL, static_cast<WPARAM>(ItemValue(ucb, list)));
}

HWND PageOf(const TCB* tcb, const ICB* icb) { return tcb->hWnd != nullptr ? tcb->hWnd : GetParent(icb->hWnd); }

int Delete(UCB* ucb, TCB* tcb, const ICB* button, const ICB* list) {
  const LRESULT selected = Send(list, CB_GETCURSEL);
  const HWND page = PageOf(tcb, button);
  if (selected < 0) return 1;
  if (selected < kFixedWatermarks) {
    ShowAlertMessage(ucb, page, kMsgFixedWatermark, MB_ICONWARNING, MB_OK);
    return 1;
  }
  const ICB* overlays = GetICBbyItemID(ucb, tcb, kOverlayButton);
  const bool overlaysShown = overlays != nullptr && overlays->hWnd != nullptr && IsWindowVisible(overlays->hWnd);
  if (_ShowAlertMsgEx12(ucb, page, overlaysShown ? kMsgDeleteWithOverlays : kMsgDeleteWatermark) != IDOK) return 1;
  Send(list, CB_DELETESTRING, static_cast<WPARAM>(selected));
  if (!DeleteWatermarkByID(ucb, static_cast<int>(selected))) ReportFailedSave(ucb, nullptr);
  Renumber(list);
  LRESULT next = ItemValue(ucb, list);
  if (next < 0 || next >= Send(list, CB_GETCOUNT)) next = 0;
  Choose(ucb, list, next);
  Send(list, CB_SETCURSEL, static_cast<WPARAM>(next));
  PaintItem(ucb, tcb, const_cast<ICB*>(list));
  if (ICB* onOff = GetICBbyItemID(ucb, GetTCBbyTabID(ucb, kEditPage), kOnOff); onOff != nullptr) {
    SetItemValue(ucb, onOff, 0);
    PaintItem(ucb, tcb, onOff);
  }
  return 1;
}

bool OpenKind(UCB* ucb, const KindRow& row, DWORD request, HWND page) {
  KesmRequestForUiCore(ucb, request);
  return ShowDialogBox(ucb, kShowDialogModal, row.dialog, page) == IDOK;
}

// After an edit or add that ended with OK: the entry becomes the value and
// the selection, and the watermark is stored under its index (the user
// told when it cannot be).
void Keep(UCB* ucb, const ICB* list, LRESULT entry) {
  if (Send(list, CB_GETCOUNT) <= 0 || entry < 0) return;
  SetItemValue(ucb, list, entry);
  Send(list, CB_SETCURSEL, static_cast<WPARAM>(entry));
  if (!WriteWatermarkByID(ucb, static_cast<int>(entry))) ReportFailedSave(ucb, nullptr);
  Renumber(list);
}

void RepaintButtons(UCB* ucb, TCB* tcb) {
  for (const WORD id : {kEditButton, kKinds[0].addButton, kKinds[1].addButton, kOverlayButton}) {
    if (ICB* item = GetICBbyItemID(ucb, tcb, id); item != nullptr) PaintItem(ucb, tcb, item);
  }
}

int Edit(UCB* ucb, TCB* tcb, const ICB* button, const ICB* list) {
  if (Send(list, CB_GETCOUNT) <= 0) return 1;
  const KindRow* row = KindOf(static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, nullptr)));
  if (row != nullptr && OpenKind(ucb, *row, kRequestTitle | row->titleId, PageOf(tcb, button))) {
    const LRESULT selected = Send(list, CB_GETCURSEL);
    const std::u16string name = CurrentName(ucb);
    if (selected >= 0) {
      Send(list, CB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(name.c_str()));
      Send(list, CB_DELETESTRING, static_cast<WPARAM>(selected + 1));
    }
    Keep(ucb, list, selected);
  }
  RepaintButtons(ucb, tcb);
  return 1;
}

int Add(UCB* ucb, TCB* tcb, const ICB* button, const ICB* list, const KindRow& row) {
  if (OpenKind(ucb, row, kRequestCreate | row.createItem, PageOf(tcb, button))) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, row.kind);
    const std::u16string name = CurrentName(ucb);
    const LRESULT entry = Send(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Keep(ucb, list, entry);
  }
  RepaintButtons(ucb, tcb);
  return 1;
}

int OnOff(UCB* ucb, TCB* tcb, ICB* box, WPARAM wParam, LPARAM lParam) {
  const bool checked = Send(box, BM_GETCHECK) == BST_CHECKED;
  if (checked == (ItemValue(ucb, box) != 0)) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, box, wParam, lParam);
  const ICB* list = GetICBbyItemID(ucb, tcb, kList);
  if (Send(box, BM_GETCHECK) == BST_CHECKED && list != nullptr && list->hWnd != nullptr) {
    const LRESULT selected = Send(list, CB_GETCURSEL);
    if (selected >= 0) Choose(ucb, list, selected);
  }
  return 1;
}

// A watermark dialog opening: a new watermark starts from its kind's
// creation item with empty texts in the dialog's font; an edited one may
// bring its title.
void StartDialog(UCB* ucb, TCB* tcb) {
  const DWORD request = GetRequestCode(ucb);
  if ((request & kRequestCreate) != 0) {
    ResetRequestCode(ucb, kRequestCreate);
    if (ICB* item = GetICBbyItemID(ucb, tcb, LOWORD(request)); item != nullptr && item->pUiGroup != nullptr) {
      DoTransact(ucb, tcb, item->pUiGroup, item->builtInId);
    }
    for (const WORD id : kTextItems) SetDevmodeStringByItemID(ucb, id, u"");
    LOGFONTW font{};
    const auto dialogFont = reinterpret_cast<HGDIOBJ>(SendMessageW(tcb->hWnd, WM_GETFONT, 0, 0));
    if (dialogFont != nullptr && GetObjectW(dialogFont, sizeof font, &font) != 0) {
      font.lfFaceName[LF_FACESIZE - 1] = 0;
      SetDevmodeStringBySFCB(ucb, GetSFCBbyFuncID(ucb, kFuncWatermarkFont), font.lfFaceName);
    }
  }
  if ((request & kRequestTitle) != 0) {
    ResetRequestCode(ucb, kRequestTitle);
    std::array<WCHAR, kScratchChars> title{};
    if (LoadStringFromResDll(ucb, LOWORD(request), title.data(), static_cast<int>(title.size()), FALSE) > 0 &&
        title[0] != 0) {
      SetWindowTextW(tcb->hWnd, title.data());
    }
  }
}

// A font choice and its reset button.
struct FontChoice {
  WORD combo;
  WORD reset;
  WORD funcId;
};

int FontItems(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam, const FontChoice& choice) {
  if (icb->itemId == choice.combo) {
    if (message == WM_INITDIALOG) {
      Send(icb, CB_RESETCONTENT);
      FontCmb(ucb, tcb, icb, choice.funcId);
      PaintItem(ucb, tcb, icb);
      return 1;
    }
    if (FromItem(message, wParam, lParam, icb) && HIWORD(wParam) == CBN_SELCHANGE) {
      FontCmb_SelChg(ucb, tcb, icb, choice.funcId);
      return 1;
    }
    return 0;
  }
  if (icb->itemId == choice.reset && FromItem(message, wParam, lParam, icb)) {
    DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
    FontCmb_RESET(ucb, tcb, icb, choice.funcId, choice.combo);
    return 1;
  }
  return 0;
}

constexpr FontChoice kWatermarkFontChoice{kWatermarkFont, kWatermarkFontReset, kFuncWatermarkFont};
constexpr FontChoice kMarginFontChoice{2647, 2357, 115};        // kdmHFFontName
constexpr FontChoice kCopyGuardFontChoice{2948, 2973, 525};     // kdmCopyProtectFontName
constexpr std::array<WORD, 4> kMarginEdits = {2352, 2355, 2396, 2605};
constexpr WORD kEditKillFocus = 0x200;
constexpr WORD kEditChange = 0x300;

}  // namespace

INT_PTR UCF_Stamp(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (ucb == nullptr || tcb == nullptr) return 0;
  if (icb == nullptr) {
    if (message != WM_INITDIALOG) return 0;
    const KindRow* row = KindOfDialog(tcb->tabId);
    if (row == nullptr) return 0;
    StartDialog(ucb, tcb);
    SetDevmodeValueDirectByFuncID(ucb, kFuncWatermarkKind, row->kind);
    return 0;
  }
  if (icb->hWnd == nullptr) return 0;
  if (icb->itemId == kWatermarkFont || icb->itemId == kWatermarkFontReset) {
    return FontItems(ucb, tcb, icb, message, wParam, lParam, kWatermarkFontChoice);
  }
  const ICB* list = GetICBbyItemID(ucb, tcb, kList);
  if (icb->itemId == kList) {
    if (message == WM_INITDIALOG) {
      FillList(ucb, icb);
      return 1;
    }
    if (FromItem(message, wParam, lParam, icb) && HIWORD(wParam) == CBN_SELCHANGE) {
      const LRESULT selected = Send(icb, CB_GETCURSEL);
      if (selected >= 0) Choose(ucb, icb, selected);
      return 1;
    }
    return 0;
  }
  if (!FromItem(message, wParam, lParam, icb)) return 0;
  if (icb->itemId == kOnOff) return OnOff(ucb, tcb, icb, wParam, lParam);
  if (list == nullptr || list->hWnd == nullptr) {
    const bool ours = icb->itemId == kDeleteButton || icb->itemId == kEditButton || KindOfButton(icb->itemId) != nullptr;
    return ours ? 1 : 0;
  }
  if (icb->itemId == kDeleteButton) return Delete(ucb, tcb, icb, list);
  if (icb->itemId == kEditButton) return Edit(ucb, tcb, icb, list);
  if (const KindRow* row = KindOfButton(icb->itemId); row != nullptr) return Add(ucb, tcb, icb, list, *row);
  return 0;
}

INT_PTR MarginEvent(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  for (const WORD id : kMarginEdits) {
    if (icb->itemId != id) continue;
    if (message != WM_COMMAND || (HIWORD(wParam) != kEditKillFocus && HIWORD(wParam) != kEditChange)) return 0;
    // Handled, the engine repaints the page after it (a refresh of its own
    // here would rewrite the edit under the person typing).
    DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
    return 1;
  }
  return FontItems(ucb, tcb, icb, message, wParam, lParam, kMarginFontChoice);
}

INT_PTR CopyProtectEvent(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  return FontItems(ucb, tcb, icb, message, wParam, lParam, kCopyGuardFontChoice);
}

INT_PTR StampProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (ucb == nullptr || tcb == nullptr) return 0;
  if (tcb->tabId == kEditPage || KindOfDialog(tcb->tabId) != nullptr) {
    return UCF_Stamp(ucb, tcb, icb, message, wParam, lParam);
  }
  if (tcb->tabId != kMarginPage && tcb->tabId != kCopyGuardPage) return 0;
  if (icb == nullptr || icb->hWnd == nullptr) return 0;
  if (message == WM_COMMAND && !IsSameHwnd(wParam, lParam, icb->hWnd)) return 0;
  const INT_PTR answer = tcb->tabId == kMarginPage ? MarginEvent(ucb, tcb, icb, message, wParam, lParam)
                                                   : CopyProtectEvent(ucb, tcb, icb, message, wParam, lParam);
  return answer == 1 ? 1 : 0;
}

int StampFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (ucb == nullptr || parameter == nullptr) return 0;
  if (code == kCustomPreviewPaint) {
    const auto& p = *static_cast<const CustomPreviewPaint*>(parameter);
    MakeWaterMarkBitmap(ucb, p.icb, p.width, p.height, 0, p.rect);
    MakeCopyProtectBitmap(ucb, p.icb, p.width, p.height, 0, p.rect);
    return 1;
  }
  if (code != kCustomDisableState) return 0;
  auto* query = static_cast<ICBDISABLEQUERY*>(parameter);
  if (query->icb == nullptr) return 0;
  const WORD id = query->icb->itemId;
  if (id != kDeleteButton && KindOfButton(id) == nullptr) return 0;
  const ICB* list = query->tcb != nullptr ? GetICBbyItemID(ucb, query->tcb, kList) : nullptr;
  if (list == nullptr || list->hWnd == nullptr) return 1;
  const bool disabled = id == kDeleteButton ? Send(list, CB_GETCURSEL) < kFixedWatermarks
                                            : Send(list, CB_GETCOUNT) >= kMaxWatermarks;
  if (disabled) {
    query->icb->status = static_cast<WORD>((query->icb->status & ~kStatusDisabledMask) | kStatusDisabled);
    query->handled = 1;
  }
  return 1;
}
