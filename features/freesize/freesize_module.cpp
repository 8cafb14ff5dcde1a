// Built-in functions 200-205 and function codes 38-46 of the free paper
// size module.
#include "features/freesize/freesize_module.h"

#include <algorithm>
#include <array>
#include <climits>

#include "features/custom_modules.h"
#include "features/freesize/freesize_ids.h"
#include "features/freesize/freesize_range.h"
#include "features/module_table/module_entries.h"
#include "jobsettings/paper/derived_settings.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "storage/stores/freesize_store.h"

namespace {

constexpr DWORD kFirstCode = kCustomEditNumPaint;
constexpr DWORD kLastCode = kCustomSpinRange;

LONG_PTR Value(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

// The mirror a control of the input dialog stands for, or 0.
WORD MirrorOf(const ICB* icb, const std::array<WORD, 3>& lengths, const std::array<WORD, 3>& widths) {
  if (icb == nullptr) return 0;
  if (std::find(lengths.begin(), lengths.end(), icb->itemId) != lengths.end()) return kFuncPaperInchLength;
  if (std::find(widths.begin(), widths.end(), icb->itemId) != widths.end()) return kFuncPaperInchWidth;
  return 0;
}

void EditNum(UCB* ucb, DWORD code, CustomEditNum* record) {
  if (record == nullptr || !IsFreeSizeInchMode(ucb)) return;
  const bool spin = code == kCustomSpinValue;
  const WORD mirror = MirrorOf(record->icb, spin ? kFreeSizeLengthSpins : kFreeSizeLengthEdits, spin ? kFreeSizeWidthSpins : kFreeSizeWidthEdits);
  if (mirror == 0) return;
  switch (code) {
    case kCustomEditNumPaint:
    case kCustomEditNumShow:
      record->value = static_cast<LONG>(Value(ucb, mirror));
      break;
    case kCustomEditNumDots:
      SetDevmodeValueDirectByFuncID(ucb, mirror, ConvertDevmodeValueToSize(ucb, 0, record->value));
      break;
    default:  // a typed or spun value
      SetDevmodeValueDirectByFuncID(ucb, mirror, record->value);
      break;
  }
}

void FreeSizeGiven(UCB* ucb, const CustomDevmodeRecord* record) {
  if (record == nullptr || record->devmode == nullptr || !IsFreeSizeInchMode(ucb)) return;
  SetDevmodeValueDirectByFuncID(ucb, kFuncPaperInchLength, ConvertMMtoINCH(record->devmode->dmPaperLength));
  SetDevmodeValueDirectByFuncID(ucb, kFuncPaperInchWidth, ConvertMMtoINCH(record->devmode->dmPaperWidth));
}

// A mirror (an unsigned count of hundredths of an inch, as stored) in the
// DEVMODE's tenths of a millimetre. A value the DEVMODE field cannot hold
// becomes the largest it holds instead of wrapping round to a small or
// negative size.
SHORT MirrorTenths(UCB* ucb, WORD mirror) {
  const auto inch = static_cast<DWORD>(Value(ucb, mirror));
  const LONG tenths = ConvertINCHtoMM(static_cast<LONG>(std::min(inch, static_cast<DWORD>(ConvertMMtoINCH(SHRT_MAX)))));
  return static_cast<SHORT>(std::clamp<LONG>(tenths, 0, SHRT_MAX));
}

void FreeSizeArea(UCB* ucb, CustomPaperAreaRecord* record) {
  if (record == nullptr || record->devmode == nullptr || !IsFreeSizeInchMode(ucb)) return;
  record->devmode->dmPaperLength = MirrorTenths(ucb, kFuncPaperInchLength);
  record->devmode->dmPaperWidth = MirrorTenths(ucb, kFuncPaperInchWidth);
  record->handled = 1;
}

void SpinRange(UCB* ucb, CustomSpinRange* record) {
  if (record == nullptr) return;
  LONG max = 0;
  LONG min = 0;
  if (!GetFreeSizeRangebyIcb(ucb, record->icb, &max, &min)) return;
  record->max = max;
  record->min = min;
  record->found = 1;
}

// The candidate mirror held to the edit's display range, on the side where
// the dots lie within the group's dot range.
LONG HeldToRange(UCB* ucb, const ICB* edit, LONG dots, LONG candidate) {
  LONG displayMin = 0;
  LONG displayMax = 0;
  if (!GetDispMinMax(ucb, edit, &displayMin, &displayMax)) return candidate;
  const UiGroup* group = GetUiGroupFromGroupID(ucb, edit->groupId);
  const UiNumericValue* numeric =
      group != nullptr ? BkpdNumericValue(reinterpret_cast<PCBKPD>(ucb->pBKPD), group) : nullptr;
  if (numeric == nullptr) return candidate;
  if (dots <= static_cast<LONG>(numeric->fourth) && candidate > displayMax) candidate = displayMax;
  if (dots >= static_cast<LONG>(numeric->third) && candidate < displayMin) candidate = displayMin;
  return candidate;
}

#if !KESM_KERNEL_MODE
constexpr WORD kBuiltInFirst = 200;
constexpr WORD kBuiltInLast = 205;

struct Binding {
  WORD item;
  WORD funcId;
};
constexpr std::array<Binding, 16> kPaperBinding = {{{2682, 341}, {2683, 341}, {2684, 341}, {2685, 341},
                                                    {2686, 341}, {2687, 341}, {2689, 340}, {2690, 340},
                                                    {2691, 340}, {2692, 340}, {2693, 340}, {2694, 340},
                                                    {2697, 342}, {2701, 343}, {2702, 343}, {0, 0}}};
constexpr std::array<Binding, 16> kPrintBinding = {{{2682, 345}, {2683, 345}, {2684, 345}, {2685, 345},
                                                    {2686, 345}, {2687, 345}, {2689, 344}, {2690, 344},
                                                    {2691, 344}, {2692, 344}, {2693, 344}, {2694, 344},
                                                    {2697, 346}, {2701, 347}, {2702, 347}, {0, 0}}};
// A length setting and its width setting.
constexpr std::array<Binding, 3> kSizePairs = {{{kFuncFreeSizeLength, kFuncFreeSizeWidth},
                                                {kFuncPaperFreeSizeLength, kFuncPaperFreeSizeWidth},
                                                {kFuncPrintFreeSizeLength, kFuncPrintFreeSizeWidth}}};

void Bind(UCB* ucb, const std::array<Binding, 16>& binding) {
  const TCB* tcb = GetTCBbyTabID(ucb, kDialogFreeSizeInput);
  if (tcb == nullptr) return;
  for (const Binding& row : binding) {
    if (row.item == 0) break;
    if (ICB* icb = GetICBbyItemID(ucb, tcb, row.item); icb != nullptr) icb->pSFCB = GetSFCBbyFuncID(ucb, row.funcId);
  }
}

// Swaps length and width when the length is the smaller; true when swapped.
bool LengthNotBelowWidth(UCB* ucb, WORD length, WORD width) {
  const auto l = static_cast<DWORD>(Value(ucb, length));
  const auto w = static_cast<DWORD>(Value(ucb, width));
  if (l >= w) return false;
  SetDevmodeValueDirectByFuncID(ucb, length, static_cast<LONG_PTR>(w));
  SetDevmodeValueDirectByFuncID(ucb, width, static_cast<LONG_PTR>(l));
  return true;
}

void StoreCurrentEntry(UCB* ucb) {
  if (ucb->pWork != nullptr) MoveFreesizeInfoFromUiTemp(ucb, ucb->pWork->iFreeSizeCurrent);
}

void LengthFirst(UCB* ucb) {
  bool entrySwapped = false;
  for (const Binding& pair : kSizePairs) {
    const bool swapped = LengthNotBelowWidth(ucb, pair.item, pair.funcId);
    if (&pair == &kSizePairs[0]) entrySwapped = swapped;
  }
  if (entrySwapped) StoreCurrentEntry(ucb);
  if (IsFreeSizeInchMode(ucb)) LengthNotBelowWidth(ucb, kFuncPaperInchLength, kFuncPaperInchWidth);
}
#endif

}  // namespace

BOOL IsFreeSizeInchMode(const UCB* ucb) {
  return Value(ucb, kFuncDspUnit) != 0 && Value(ucb, kFuncPaperSize) == kPaperFreeSize &&
         Value(ucb, kFuncInputFreeSizeType) == 1;
}

void UpdatePaperINCHSize(UCB* ucb) {
  if (ucb == nullptr) return;
  const auto lengthDots = static_cast<LONG>(Value(ucb, kFuncPaperFreeSizeLength));
  const auto widthDots = static_cast<LONG>(Value(ucb, kFuncPaperFreeSizeWidth));
  LONG length = ConvertDevmodeValueToSize(ucb, 0, lengthDots);
  LONG width = ConvertDevmodeValueToSize(ucb, 0, widthDots);
  const TCB* tcb = GetTCBbyTabID(ucb, kDialogFreeSizeInput);
  const ICB* lengthEdit = GetIcbOfFreeSizeInputEdit(ucb, tcb, 1);
  const ICB* widthEdit = GetIcbOfFreeSizeInputEdit(ucb, tcb, 0);
  if (lengthEdit == nullptr || widthEdit == nullptr) return;
  length = HeldToRange(ucb, lengthEdit, lengthDots, length);
  width = HeldToRange(ucb, widthEdit, widthDots, width);
  if (Value(ucb, kFuncPaperInchLength) != length) SetDevmodeValueDirectByFuncID(ucb, kFuncPaperInchLength, length);
  if (Value(ucb, kFuncPaperInchWidth) != width) SetDevmodeValueDirectByFuncID(ucb, kFuncPaperInchWidth, width);
}

int FreesizeBuiltInFunc(UCB* ucb, WORD id, void*) {
#if !KESM_KERNEL_MODE
  if (ucb == nullptr || id < kBuiltInFirst || id > kBuiltInLast) return 0;
  switch (id) {
    case 200: Bind(ucb, kPaperBinding); break;
    case 201: Bind(ucb, kPrintBinding); break;
    case 202: LengthFirst(ucb); break;
    case 203: SetDefaultSourceByFreeSize(ucb, static_cast<LONG>(Value(ucb, kFuncPaperSize)), 1); break;
    case 204: SetDefaultSourceByFreeSize(ucb, static_cast<LONG>(Value(ucb, kFuncOutPaperSize)), 1); break;
    default: StoreCurrentEntry(ucb); break;
  }
  return 1;
#else
  // The rendering library has no free-size dialogs.
  (void)ucb;
  (void)id;
  return 0;
#endif
}

int FreesizeFunction(UCB* ucb, DWORD code, void* parameter, void*) {
  if (ucb == nullptr || code < kFirstCode || code > kLastCode) return 0;
  switch (code) {
    case kCustomAlertAccepted:
      if (IsFreeSizeInchMode(ucb)) UpdatePaperINCHSize(ucb);
      break;
    case kCustomFreeSizeGiven:
      FreeSizeGiven(ucb, static_cast<const CustomDevmodeRecord*>(parameter));
      break;
    case kCustomFreeSizeArea:
      FreeSizeArea(ucb, static_cast<CustomPaperAreaRecord*>(parameter));
      break;
    case kCustomSpinRange:
      SpinRange(ucb, static_cast<CustomSpinRange*>(parameter));
      break;
    default:
      EditNum(ucb, code, static_cast<CustomEditNum*>(parameter));
      break;
  }
  return 1;
}
