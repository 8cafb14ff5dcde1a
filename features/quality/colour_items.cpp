// The colour items of the quality dialog 1021 and the colour-matching
// dialog 4010 work on one set of settings for all objects or on the set of
// the object kind being adjusted (text, line art, image): the built-ins
// bind each item to the setting of the mode and mark it to be shown anew.
#include "features/quality/quality_module.h"

#if !KESM_KERNEL_MODE

#include <array>

#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/constraint_services.h"

namespace {

constexpr WORD kFuncAdjustMode = 128;
constexpr WORD kFuncAdjustObject = 129;
constexpr WORD kFuncIcmType = 131;
constexpr WORD kFuncIntent = 132;
constexpr std::array<WORD, 3> kIntentByObject = {795, 796, 797};
constexpr WORD kChoiceModeItem = 2632;
constexpr WORD kIntentItem = 2574;
constexpr WORD kQualityDialog = 1021;

// One item of a dialog and its setting for all objects, then for text,
// line art and image. The colour-balance items of dialog 1038 are bound
// by their class data instead, which this table leaves out.
struct ItemRow {
  WORD page;
  WORD item;
  std::array<WORD, 4> settings;
};
constexpr ItemRow ITEM_TABLE[] = {
    {1021, 2258, {137, 804, 805, 806}}, {1021, 2256, {133, 798, 799, 800}}, {1021, 2260, {134, 801, 802, 803}},
    {1021, 2574, {132, 795, 796, 797}}, {1021, 2820, {163, 879, 895, 911}}, {1038, 2264, {138, 807, 808, 809}},
    {1038, 2263, {138, 807, 808, 809}}, {1038, 2267, {139, 810, 811, 812}}, {1038, 2266, {139, 810, 811, 812}},
    {1038, 2270, {140, 813, 814, 815}}, {1038, 2269, {140, 813, 814, 815}}, {1038, 2273, {141, 816, 817, 818}},
    {1038, 2272, {141, 816, 817, 818}}, {1038, 2275, {142, 819, 820, 821}}, {1038, 2274, {142, 819, 820, 821}},
    {1038, 2277, {143, 822, 823, 824}}, {1038, 2276, {143, 822, 823, 824}}, {4010, 2256, {133, 798, 799, 800}},
    {4010, 2574, {132, 795, 796, 797}},
};

LONG_PTR Value(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

void Bind(UCB* ucb, ICB* icb, WORD funcId) {
  SFCB* sfcb = GetSFCBbyFuncID(ucb, funcId);
  if (sfcb == nullptr) return;
  icb->pSFCB = sfcb;
  sfcb->flags = static_cast<WORD>((sfcb->flags & ~kSfcbChangedMask) | 1);
}

ICB* ItemOf(UCB* ucb, WORD page, WORD item) {
  const TCB* tcb = GetTCBbyTabID(ucb, page);
  return tcb != nullptr ? GetICBbyItemID(ucb, tcb, item) : nullptr;
}

// Column 0 all objects, 1-3 text, line art, image.
void BindColumn(UCB* ucb, std::size_t column) {
  for (const ItemRow& row : ITEM_TABLE) {
    if (row.settings[0] == 0) continue;
    if (ICB* icb = ItemOf(ucb, row.page, row.item)) Bind(ucb, icb, row.settings[column]);
  }
}

void ClearChoiceMode(UCB* ucb) {
  ICB* icb = ItemOf(ucb, kQualityDialog, kChoiceModeItem);
  if (icb == nullptr) return;
  if (icb->pSFCB != nullptr) SetDevmodeValueDirect(ucb, icb->pSFCB, -1);
  if (icb->hWnd != nullptr) SendMessageW(icb->hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void BindIntent(UCB* ucb) {
  ClearChoiceMode(ucb);
  if (Value(ucb, kFuncAdjustMode) == 0) return;
  const LONG_PTR type = Value(ucb, kFuncIcmType);
  const LONG_PTR object = Value(ucb, kFuncAdjustObject);
  WORD setting = 0;
  if (type == 0) setting = kFuncIntent;
  if ((type == 1 || type == 2) && object >= 0 && object <= 2) setting = kIntentByObject[static_cast<std::size_t>(object)];
  if (setting == 0) return;
  for (const ItemRow& row : ITEM_TABLE) {
    if (row.item != kIntentItem) continue;
    if (ICB* icb = ItemOf(ucb, row.page, row.item)) Bind(ucb, icb, setting);
  }
}

// Binding, then the choice mode cleared and the intent bound.
void BindThenFinish(UCB* ucb, WORD binding) {
  KesmUiCoreBuiltInFunc(ucb, binding);
  KesmUiCoreBuiltInFunc(ucb, 100);
  KesmUiCoreBuiltInFunc(ucb, 110);
}

}  // namespace

int QualityColourItemsBuiltIn(UCB* ucb, WORD id) {
  if (ucb == nullptr) return 0;
  switch (id) {
    case 100: ClearChoiceMode(ucb); return 1;
    case 101: case 102: case 103: BindColumn(ucb, id - 100u); return 1;
    case 107: BindColumn(ucb, 0); return 1;
    case 104: case 105: case 106: BindThenFinish(ucb, static_cast<WORD>(id - 3)); return 1;
    case 108: BindThenFinish(ucb, 107); return 1;
    case 109: {
      const LONG_PTR object = Value(ucb, kFuncAdjustObject);
      if (object >= 0 && object <= 2) KesmUiCoreBuiltInFunc(ucb, static_cast<WORD>(104 + object));
      KesmUiCoreBuiltInFunc(ucb, 110);
      return 1;
    }
    case 110: BindIntent(ucb); return 1;
    default: return 0;
  }
}

#endif
