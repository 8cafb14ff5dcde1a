// The print-quality module's procedure: the focus after a refused alert,
// the double-height rows of the stored-set list, the print-quality page,
// the quality dialog's colour items, the colour-matching dialog's profile
// combo and the two profile dialogs.
#include <algorithm>
#include <string>
#include <vector>

#include "features/custom_modules.h"
#include "features/module_table/module_entries.h"
#include "features/quality/cmm_profiles.h"
#include "features/quality/pages/quality_pages.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_messages.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/constraint_services.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/owner_draw_sizes.h"
#include "ui/engine/painting_helpers.h"
#include "ui/resource_dll.h"

namespace {

constexpr WORD kQualityPage = 1006;
constexpr WORD kQualityDialog = 1021;
constexpr WORD kSaveQualityDialog = 1033;
constexpr WORD kColourMatchingDialog = 4010;
constexpr WORD kAddProfileDialog = 4011;
constexpr WORD kChangeProfileDialog = 4012;
constexpr WORD kPictureFileDialog = 4003;
constexpr WORD kStoredSets = 2134;
constexpr WORD kProfileCombo = 2256;
constexpr WORD kBrowseButton = 2826;
constexpr WORD kAddButton = 3947;
constexpr WORD kChangeButton = 3948;
constexpr WORD kDeleteButton = 3949;
constexpr WORD kBuiltInDeleteProfile = 112;
constexpr WORD kProfileNameItem = 2823;
constexpr WORD kProfileFileItem = 2825;
constexpr WORD kFuncAdjustMode = 128;
constexpr WORD kFuncAdjustObject = 129;
constexpr WORD kFuncProfilePath = 828;
constexpr DWORD kRequestNewProfile = 0x10000000;
constexpr DWORD kPictureFileKind = 0x0400;

struct FocusAfterRefusal {
  WORD dialog;
  WORD item;
};
constexpr FocusAfterRefusal kFocusAfterRefusal[] = {{kQualityDialog, 2281}, {kSaveQualityDialog, 2455}};

LONG_PTR Value(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

INT_PTR FocusAfterAlert(const TCB* tcb) {
  if (tcb == nullptr || tcb->hWnd == nullptr) return 0;
  for (const FocusAfterRefusal& row : kFocusAfterRefusal) {
    if (row.dialog != tcb->tabId) continue;
    if (HWND item = GetDlgItem(tcb->hWnd, row.item)) SetFocus(item);
    return 1;
  }
  return 0;
}

INT_PTR MeasureStoredSets(UINT_PTR controlId, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (controlId != kStoredSets || measure == nullptr) return 0;
  // Twice the list's fixed row height: room for the set's picture.
  const ODFS* fixed = GetODFSbyItemID(kStoredSets);
  if (fixed != nullptr && fixed->width > 0) measure->itemWidth = static_cast<UINT>(fixed->width);
  const UINT height = fixed != nullptr && fixed->height > 0 ? static_cast<UINT>(fixed->height) : measure->itemHeight;
  measure->itemHeight = 2 * height;
  return 1;
}

// The colour items start bound to the mode shown: all objects, or the
// object kind being adjusted.
void StartQualityDialog(UCB* ucb) {
  const LONG_PTR mode = Value(ucb, kFuncAdjustMode);
  if (mode == 0) {
    KesmUiCoreBuiltInFunc(ucb, 108);
    return;
  }
  const LONG_PTR object = Value(ucb, kFuncAdjustObject);
  if (mode == 1 && object >= 0 && object <= 2) KesmUiCoreBuiltInFunc(ucb, static_cast<WORD>(104 + object));
}

bool IsProfileOption(UCB* ucb, WORD id) {
  return id >= kCmmProfileOptionFirst && id < kCmmProfileOptionFirst + ReadCmmProfileMaxCount(ucb);
}

LRESULT AddEntry(const ICB* icb, const std::u16string& text, LONG_PTR data) {
  const LRESULT entry = SendMessageW(icb->hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (entry >= 0) SendMessageW(icb->hWnd, CB_SETITEMDATA, static_cast<WPARAM>(entry), data);
  return entry;
}

// The combo offers the description's choices that are shown and the
// registered profiles by name. A description names a profile among its
// choices only where it lists the profile's option; every other registered
// profile follows them, standing for its colour-matching value (200 + its
// index), so that a profile added in its dialog can be chosen.
int FillProfileCombo(UCB* ucb, TCB* tcb, ICB* icb) {
  SendMessageW(icb->hWnd, CB_RESETCONTENT, 0, 0);
  const UiGroup* group = icb->pUiGroup;
  const int count = ReadCmmProfileCount(ucb);
  std::vector<bool> listed(static_cast<std::size_t>(std::max(count, 0)), false);
  for (const UiOption* option = group != nullptr && ucb->pBKPD != nullptr ? BkpdFirstOption(ucb->pBKPD, group) : nullptr;
       option != nullptr; option = GetNextUiOption(ucb, group, option)) {
    const ExclusiveItem* items = nullptr;
    const WORD id = GetOptionIdFromUiGroup(ucb, group, option, &items);
    if (id == 0) break;
    const bool profile = IsProfileOption(ucb, id);
    if (!profile && items != nullptr && BKPDIsHideModeUI(group, id, ucb)) continue;
    std::u16string text(kCmmProfileChars, u'\0');
    if (profile) {
      if (id - kCmmProfileOptionFirst >= count) break;
      ReadCmmProfileName(ucb, id - kCmmProfileOptionFirst, text.data());
      listed[static_cast<std::size_t>(id - kCmmProfileOptionFirst)] = true;
    } else {
      LoadStringFromResDll(ucb, id, text.data(), kCmmProfileChars, FALSE);
    }
    AddEntry(icb, text.c_str(), id);
  }
  const int offered = std::min(count, kCmmProfileOptionLast - kCmmProfileOptionFirst + 1);
  for (int index = 0; index < offered; ++index) {
    if (listed[static_cast<std::size_t>(index)]) continue;
    std::u16string name(kCmmProfileChars, u'\0');
    ReadCmmProfileName(ucb, index, name.data());
    AddEntry(icb, name.c_str(), kCmmProfileValueBase + index);
  }
  KesmCustomFunction(ucb, kCustomQualityChanged, nullptr);
  if (icb->pSFCB != nullptr) icb->pSFCB->flags = static_cast<WORD>((icb->pSFCB->flags & ~kSfcbChangedMask) | 1);
  PaintItem(ucb, tcb, icb);
  return 1;
}

// The colour-matching dialog's items start bound as the quality dialog's
// do, whichever page opened it; its delete button deletes the profile the
// combo holds.
// The list follows what is registered: after a profile is added, changed
// or deleted, the combo is filled again.
void RefillProfileCombo(UCB* ucb, TCB* tcb) {
  ICB* combo = GetICBbyItemID(ucb, tcb, kProfileCombo);
  if (combo != nullptr && combo->hWnd != nullptr) FillProfileCombo(ucb, tcb, combo);
}

bool Clicked(const ICB* icb, WORD itemId, UINT message, UINT_PTR wParam) {
  return icb != nullptr && icb->itemId == itemId && message == WM_COMMAND && LOWORD(wParam) == itemId &&
         HIWORD(wParam) == BN_CLICKED;
}

INT_PTR ColourMatchingDialog(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (icb == nullptr && message == WM_INITDIALOG) StartQualityDialog(ucb);
  if (Clicked(icb, kDeleteButton, message, wParam)) {
    KesmUiCoreBuiltInFunc(ucb, kBuiltInDeleteProfile);
    RefillProfileCombo(ucb, tcb);
    return 1;
  }
  if (Clicked(icb, kAddButton, message, wParam) || Clicked(icb, kChangeButton, message, wParam)) {
    DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
    RefillProfileCombo(ucb, tcb);
    return 1;
  }
  if (icb == nullptr || icb->itemId != kProfileCombo || icb->hWnd == nullptr) return 0;
  if (message == WM_INITDIALOG) return FillProfileCombo(ucb, tcb, icb);
  if (message != WM_COMMAND || LOWORD(wParam) != kProfileCombo) return 0;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  ReadCmmProfileByID(ucb, GetSelectedCmmIndex(ucb));
  return 1;
}

// The file item shows the profile path setting; a new profile starts with
// empty texts.
INT_PTR StartProfileDialog(UCB* ucb, TCB* tcb) {
  if (ICB* file = GetICBbyItemID(ucb, tcb, kProfileFileItem); file != nullptr && file->pSFCB == nullptr) {
    file->pSFCB = GetSFCBbyFuncID(ucb, kFuncProfilePath);
  }
  if ((GetRequestCode(ucb) & kRequestNewProfile) == 0) return 0;
  ReadCmmProfileByID(ucb, -1);
  ResetRequestCode(ucb, kRequestNewProfile);
  return 0;
}

// The browse button opens the picture-file dialog as the profile dialog.
INT_PTR Browse(UCB* ucb, TCB* tcb, ICB* icb, UINT_PTR wParam, LPARAM lParam) {
  TCB* files = GetTCBbyTabID(ucb, kPictureFileDialog);
  if (files == nullptr) return 0;
  files->kind = kTabProfileRefer | kPictureFileKind;
  DoDefaultProcessItemCommand(ucb, tcb, icb, wParam, lParam);
  files->kind = kPictureFileKind;
  return 1;
}

// No setting holds the profile name: the name item edits the module's own
// copy of it.
INT_PTR ProfileName(UCB* ucb, ICB* icb, UINT message, UINT_PTR wParam) {
  LPWSTR name = GetCmmNameBuffer(ucb);
  if (name == nullptr || icb->pSFCB != nullptr || icb->hWnd == nullptr) return 0;
  if (message == WM_INITDIALOG) {
    SendMessageW(icb->hWnd, EM_LIMITTEXT, kCmmProfileChars - 1, 0);
    SetWindowTextW(icb->hWnd, name);
    return 1;
  }
  if (message != WM_COMMAND || LOWORD(wParam) != kProfileNameItem || HIWORD(wParam) != EN_CHANGE) return 0;
  GetWindowTextW(icb->hWnd, name, kCmmProfileChars);
  return 1;
}

INT_PTR ProfileDialog(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam) {
  if (icb == nullptr) return message == WM_INITDIALOG ? StartProfileDialog(ucb, tcb) : 0;
  if (icb->itemId == kProfileNameItem) return ProfileName(ucb, icb, message, wParam);
  if (message == WM_COMMAND && icb->itemId == kBrowseButton && LOWORD(wParam) == kBrowseButton &&
      HIWORD(wParam) == BN_CLICKED) {
    return Browse(ucb, tcb, icb, wParam, lParam);
  }
  return 0;
}

}  // namespace

INT_PTR QualityProcedure(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam, void*) {
  if (message == WM_MEASUREITEM) return MeasureStoredSets(wParam, lParam);
  if (ucb == nullptr || ucb->pWork == nullptr || tcb == nullptr) return 0;
  if (message == kMsgAlertRefused) return FocusAfterAlert(tcb);
  switch (tcb->tabId) {
    case kQualityPage:
      return UCF_Quality(ucb, tcb, icb, message, wParam, lParam);
    case kQualityDialog:
      if (icb == nullptr && message == WM_INITDIALOG) StartQualityDialog(ucb);
      return 0;
    case kColourMatchingDialog:
      return ColourMatchingDialog(ucb, tcb, icb, message, wParam, lParam);
    case kAddProfileDialog:
    case kChangeProfileDialog:
      return ProfileDialog(ucb, tcb, icb, message, wParam, lParam);
    default:
      return 0;
  }
}
