// Paper sizes and printable areas from the description's paper group (the
// PickPage group of setting 8), and the free sizes the DEVMODE may name
// instead of one of its papers.
#include <cstddef>
#include <utility>

#include "jobsettings/devmode/paper_codes.h"
#include "jobsettings/validate/public_validators.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/system/unaligned.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "storage/stores/freesize_store.h"

namespace {

constexpr WORD kFuncOrientation = 7;
constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncResolution = 38;
constexpr WORD kFuncOutPaperSize = 46;
constexpr WORD kFuncFreeSizeWidth = 753;  // 1200-dpi dots
constexpr WORD kFuncFreeSizeLength = 754;
constexpr WORD kFuncPrintFreeSizeWidth = 344;  // the unregistered output size, 1200-dpi dots
constexpr WORD kFuncPrintFreeSizeLength = 345;
constexpr LONG_PTR kLandscape = 2;  // DMORIENTATION_LANDSCAPE as stored

const UiGroup* PaperGroup(const UCB* ucb) {
  return ucb != nullptr ? BkpdSlotGroup(ucb->pBKPD, kFuncPaperSize) : nullptr;
}

// The paper group's option with that value as a page option, or null.
const UiPageOption* PaperOption(const UCB* ucb, WORD value) {
  PCBKPD b = ucb != nullptr ? ucb->pBKPD : nullptr;
  const UiGroup* g = PaperGroup(ucb);
  for (const UiOption* o = BkpdFirstOption(b, g); o != nullptr; o = BkpdNext(b, o)) {
    if (o->value == value) return BkpdPageOption(b, g, o);
  }
  return nullptr;
}

bool IsLandscape(const UCB* ucb) { return GetDevmodeValueDirectByFuncID(ucb, kFuncOrientation, nullptr) == kLandscape; }

// The size of the paper option of that value, exchanged in landscape.
int OptionSize(const UCB* ucb, WORD value, MMPAPERSIZE* size) {
  const UiPageOption* o = PaperOption(ucb, value);
  if (o == nullptr || size == nullptr) return 0;
  *size = {o->width, o->length};
  if (IsLandscape(ucb)) std::swap(size->width, size->length);
  return 1;
}

bool AreaConditionHolds(const UCB* ucb, const UiPageArea& a) {
  if (a.condGroupId == 0) return true;
  return GetDevmodeValueBySFCB(ucb, GetSFCBbyGroupID(ucb, a.condGroupId)) == a.condValue;
}

DWORD ToDisplayUnit(const UCB* ucb, LONG_PTR dots) {
  const DWORD unit = IsDispUnitMM(ucb) ? kUnitMmOf01 : kUnitInchOf001;
  return CmnFromDot(unit, static_cast<DWORD>(dots), kInternalDpi);
}

// The stored free size of a paper code, as settings 753 and 754 hold it
// once its slot is loaded. The rendering library keeps no free-size store:
// there the settings are taken as the context holds them.
void LoadFreeSizeSlot(UCB* ucb, WORD paperValue, MMPAPERSIZE* size) {
#if !KESM_KERNEL_MODE
  const int slot = GetFreeSizePaperNum(paperValue, ucb, nullptr);
  if (slot >= 0) {
    GetFreeSizeInfoNoRegist(ucb, paperValue, slot);
    ReadFreesizeByID(ucb, slot);
  }
#else
  (void)paperValue;
#endif
  size->width = ToDisplayUnit(ucb, GetDevmodeValueDirectByFuncID(ucb, kFuncFreeSizeWidth, nullptr));
  size->length = ToDisplayUnit(ucb, GetDevmodeValueDirectByFuncID(ucb, kFuncFreeSizeLength, nullptr));
}

}  // namespace

int _GetPaperArea(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue) {
  const UiPageOption* o = PaperOption(ucb, paperValue);
  if (o == nullptr) return 0;
  PCBKPD b = ucb->pBKPD;
  const LONG_PTR resolution = GetDevmodeValueByFuncID(ucb, kFuncResolution, nullptr);
  const LONG_PTR orientation = GetDevmodeValueByFuncID(ucb, kFuncOrientation, nullptr);
  const UiPageArea* other = nullptr;
  for (const UiPageArea* a = BkpdFirstPageArea(b, o); a != nullptr; a = BkpdNext(b, a)) {
    if (a->resolution != resolution || !AreaConditionHolds(ucb, *a)) continue;
    if (a->orientation == orientation) {
      if (area != nullptr) {
        *area = {static_cast<LONG>(a->left), static_cast<LONG>(a->top), static_cast<LONG>(a->left + a->width),
                 static_cast<LONG>(a->top + a->height)};
      }
      if (pair != nullptr) *pair = {static_cast<LONG>(a->first), static_cast<LONG>(a->second)};
      return 1;
    }
    if (other == nullptr) other = a;
  }
  // An area given only for the other orientation, turned.
  if (other == nullptr) return 0;
  if (area != nullptr) {
    *area = {static_cast<LONG>(other->top), static_cast<LONG>(other->left),
             static_cast<LONG>(other->top + other->height), static_cast<LONG>(other->left + other->width)};
  }
  if (pair != nullptr) *pair = {static_cast<LONG>(other->second), static_cast<LONG>(other->first)};
  return 1;
}

int GetPaperAreaForOutPaper(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue) {
  return _GetPaperArea(ucb, area, pair, paperValue);
}

int GetPaperAreaForSrcPaper(const UCB* ucb, RECT* area, POINT* pair, WORD paperValue) {
  return _GetPaperArea(ucb, area, pair, paperValue);
}

int _GetmmPaperArea(const UCB* ucb, MMPAPERSIZE* size, WORD funcId) {
  const UiGroup* g = PaperGroup(ucb);
  if (g == nullptr) return 0;
  const LONG_PTR value = funcId != 0 ? GetDevmodeValueByFuncID(ucb, funcId, nullptr)
                                     : GetDevmodeValueByGroupID(ucb, g->groupId, nullptr);
  return OptionSize(ucb, static_cast<WORD>(value), size);
}

int GetmmPaperArea(UCB* ucb, MMPAPERSIZE* size) {
  const UiGroup* g = PaperGroup(ucb);
  if (g == nullptr) return 0;
  const LONG_PTR stored = GetDevmodeValueDirect(ucb, GetSFCBbyGroupID(ucb, g->groupId));
  if (_IsValidatedmPaperSizeFree(static_cast<LONG>(stored))) {
    return GetmmPaperAreaFreeSize(ucb, size, static_cast<WORD>(stored), TRUE);
  }
  return _GetmmPaperArea(ucb, size, 0);
}

int GetmmPaperAreaDst(UCB* ucb, MMPAPERSIZE* size) {
  const LONG_PTR stored = GetDevmodeValueDirectByFuncID(ucb, kFuncOutPaperSize, nullptr);
  if (stored == kPaperSameAsSource) return GetmmPaperArea(ucb, size);
  if (_IsValidatedmPaperSizeFree(static_cast<LONG>(stored))) {
    return GetmmPaperAreaFreeSize(ucb, size, static_cast<WORD>(stored), FALSE);
  }
  // The output paper is looked up as the paper setting would show it: its
  // stored code becomes the option value through the paper setting's value
  // list, so the paper setting itself is never written.
  const LONG_PTR option =
      ConvertDevmodeValueToResID(ucb, GetSFCBbyFuncID(ucb, kFuncPaperSize), stored);
  return OptionSize(ucb, static_cast<WORD>(option), size);
}

int _GetmmPaperAreaFreeSize(UCB* ucb, MMPAPERSIZE* size, WORD paperValue) {
  if (ucb == nullptr || ucb->pDCB == nullptr || size == nullptr) return 1;
  const BYTE* dm = ucb->pDCB->devmode;
  const DWORD fields = LoadLE<DWORD>(dm, offsetof(DEVMODEW, dmFields));
  const SHORT paper = LoadLE<SHORT>(dm, offsetof(DEVMODEW, dmPaperSize));
  if ((fields & DM_PAPERSIZE) != 0 && paper != kPaperFreeSize) {
    LoadFreeSizeSlot(ucb, paperValue, size);
  } else {
    // The DEVMODE's own custom size, in the unit the DEVMODE gives it.
    size->width = static_cast<DWORD>(LoadLE<SHORT>(dm, offsetof(DEVMODEW, dmPaperWidth)));
    size->length = static_cast<DWORD>(LoadLE<SHORT>(dm, offsetof(DEVMODEW, dmPaperLength)));
  }
  if (IsLandscape(ucb)) std::swap(size->width, size->length);
  return 1;
}

int _GetmmPaperAreaFreeSizeDst(UCB* ucb, MMPAPERSIZE* size, WORD paperValue) {
  if (ucb == nullptr || size == nullptr) return 1;
  if (paperValue == kPaperFreeSizeDst) {
    size->width = ToDisplayUnit(ucb, GetDevmodeValueDirectByFuncID(ucb, kFuncPrintFreeSizeWidth, nullptr));
    size->length = ToDisplayUnit(ucb, GetDevmodeValueDirectByFuncID(ucb, kFuncPrintFreeSizeLength, nullptr));
  } else {
    LoadFreeSizeSlot(ucb, paperValue, size);
  }
  return 1;
}

int GetmmPaperAreaFreeSize(UCB* ucb, MMPAPERSIZE* size, WORD paperValue, BOOL source) {
  return source ? _GetmmPaperAreaFreeSize(ucb, size, paperValue) : _GetmmPaperAreaFreeSizeDst(ucb, size, paperValue);
}
