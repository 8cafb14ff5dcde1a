#include "jobsettings/paper/paper_area.h"

#include <algorithm>
#include <utility>

#include "features/custom_modules.h"
#include "jobsettings/devmode/paper_codes.h"
#include "jobsettings/paper/resolution.h"
#include "jobsettings/validate/public_validators.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "storage/stores/freesize_store.h"
#if KESM_KERNEL_MODE
#include "jobsettings/devmode/runtime_flags.h"
#include "jobsettings/validate/validate_flags.h"
#endif

namespace {

constexpr WORD kFuncOrientation = 7;
constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncDstResolutionW = 38;
constexpr WORD kFuncDstResolutionH = 39;
constexpr WORD kFuncFreeSizeWidth = 753;     // UI scratch slot, 1200-dpi dots
constexpr WORD kFuncFreeSizeLength = 754;
constexpr WORD kFuncSrcFreeSizeWidth = 758;  // work slot, 1200-dpi dots
constexpr WORD kFuncSrcFreeSizeLength = 759;
constexpr WORD kFuncDstLengthMM = 596;
constexpr WORD kFuncDstWidthMM = 597;
constexpr LONG_PTR kLandscape = 2;

// The first of six consecutive settings: length, width, printable length,
// printable width, left offset, top offset.
constexpr WORD kSrcArea = 40;
constexpr WORD kDstArea = 47;

struct Geometry {
  DWORD length;
  DWORD width;
  DWORD printLength;
  DWORD printWidth;
  DWORD left;
  DWORD top;
};

void Store(UCB* ucb, WORD first, const Geometry& g) {
  const DWORD values[] = {g.length, g.width, g.printLength, g.printWidth, g.left, g.top};
  for (WORD i = 0; i < 6; ++i) SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(first + i), values[i]);
}

DWORD Less(DWORD size, LONG margin) {
  const DWORD m = margin > 0 ? static_cast<DWORD>(margin) : 0;
  return size > m ? size - m : 0;
}

DWORD Offset(LONG margin) { return margin > 0 ? static_cast<DWORD>(margin) : 0; }

DWORD Stored(const UCB* ucb, WORD funcId) {
  return static_cast<DWORD>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}

bool IsLandscape(const UCB* ucb) { return GetDevmodeValueDirectByFuncID(ucb, kFuncOrientation, nullptr) == kLandscape; }

// The description's area of a paper's string id; a zero rectangle when it
// has none.
struct Area {
  bool found = false;
  RECT rect{};
  POINT size{};
};

Area AreaOf(const UCB* ucb, LONG_PTR stringId) {
  Area a;
  a.found = GetPaperAreaForSrcPaper(ucb, &a.rect, &a.size, static_cast<WORD>(stringId)) != 0;
  if (!a.found) a.rect = {};
  return a;
}

LONG_PTR StringIdOf(const UCB* ucb, WORD settingId, LONG paper) {
  return ConvertDevmodeValueToResID(ucb, GetSFCBbyFuncID(ucb, settingId), paper);
}

// A description paper's area: the size pair is {width, length}.
Geometry FromDescription(const Area& a) {
  return {Offset(a.size.y), Offset(a.size.x), Offset(a.rect.bottom - a.rect.top), Offset(a.rect.right - a.rect.left),
          Offset(a.rect.left), Offset(a.rect.top)};
}

const DP& ModelData(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

DWORD ClampDots(DWORD dots, bool length, const UCB* ucb) {
  const DP& dp = ModelData(ucb);
  return length ? std::clamp(dots, dp.dwFreeSizeLengthMin, dp.dwFreeSizeLengthMax)
                : std::clamp(dots, dp.dwFreeSizeWidthMin, dp.dwFreeSizeWidthMax);
}

DWORD ToTenthsMm(DWORD dots) { return CmnFromDot(kUnitMmOf01, dots, kInternalDpi); }

// A registered free size: its slot is moved into the source (work) or the
// destination (UI scratch) free-size settings, and its 1200-dpi length and
// width are read from there, held to the model's range and, for the UI
// forms, exchanged in landscape.
struct SlotSize {
  DWORD length;
  DWORD width;
};

SlotSize LoadFreeSizeSlot(UCB* ucb, LONG paper, bool source, bool ui) {
#if !KESM_KERNEL_MODE
  const int slot = GetFreeSizePaperNum(static_cast<WORD>(paper), ucb, nullptr);
  ReadFreesizeInfoAll(ucb);
  if (slot < 0) {
    // not a registered free size: the settings stay as they are
  } else if (source) {
    MoveSrcFreesizeInfoToWork(ucb, slot);
  } else {
    MoveFreesizeInfoToUiTemp(ucb, slot);
  }
#else
  ReadRegisteredFreeSize(ucb, paper, source);
#endif
  SlotSize size{ClampDots(Stored(ucb, source ? kFuncSrcFreeSizeLength : kFuncFreeSizeLength), true, ucb),
                ClampDots(Stored(ucb, source ? kFuncSrcFreeSizeWidth : kFuncFreeSizeWidth), false, ucb)};
  if (ui && IsLandscape(ucb)) std::swap(size.length, size.width);
  return size;
}

void SourceArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm, bool ui) {
  const Area area = AreaOf(ucb, StringIdOf(ucb, settingId, paper));
  if (IsValidatedmPaperSizeFree(paper, ucb)) {
    const auto [length, width] = LoadFreeSizeSlot(ucb, paper, true, ui);
    const DWORD r = UsableResolution(static_cast<LONG>(Stored(ucb, kFuncDstResolutionW)), ucb);
    const DWORD lengthDots = CmnDot2Dot(length, kInternalDpi, r);
    const DWORD widthDots = CmnDot2Dot(width, kInternalDpi, r);
    Store(ucb, kSrcArea,
          {lengthDots, widthDots, Less(lengthDots, area.rect.top), Less(widthDots, area.rect.left),
           Offset(area.rect.left), Offset(area.rect.top)});
    CustomPaperAreaRecord record{dm, 0};
    KesmCustomFunction(ucb, kCustomFreeSizeArea, &record);
    if (record.handled != 1) {
      dm->dmPaperLength = static_cast<SHORT>(ToTenthsMm(length));
      dm->dmPaperWidth = static_cast<SHORT>(ToTenthsMm(width));
    }
    dm->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    return;
  }
  if (!IsValidatedmPaperSizeEx(paper, ucb) || !area.found) return;
  Store(ucb, kSrcArea, FromDescription(area));
  MMPAPERSIZE mm{};
  if (_GetmmPaperArea(ucb, &mm, settingId)) {
    dm->dmPaperLength = static_cast<SHORT>(mm.length);
    dm->dmPaperWidth = static_cast<SHORT>(mm.width);
  }
  dm->dmFields = (dm->dmFields & ~(DM_PAPERLENGTH | DM_PAPERWIDTH)) | DM_PAPERSIZE;
}

void DestinationArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm, bool ui) {
  MMPAPERSIZE mm{};
  if (GetmmPaperAreaDst(ucb, &mm)) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncDstLengthMM, mm.length);
    SetDevmodeValueDirectByFuncID(ucb, kFuncDstWidthMM, mm.width);
  }
  if (paper == kPaperSameAsSource) {
    paper = dm->dmPaperSize;
    if (IsValidatedmPaperSizeFree(paper, ucb)) {
      for (WORD i = 0; i < 6; ++i) {
        SetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(kDstArea + i), Stored(ucb, static_cast<WORD>(kSrcArea + i)));
      }
      return;
    }
  }
  const bool listed = CheckDevmodeValueByCDT(ucb, GetSFCBbyFuncID(ucb, settingId), paper) != 0;
  const Area area = AreaOf(ucb, StringIdOf(ucb, listed ? settingId : kFuncPaperSize, paper));
  if (IsValidatedmPaperSizeFree(paper, ucb)) {
    const auto [length, width] = LoadFreeSizeSlot(ucb, paper, false, ui);
    const DWORD rw = UsableResolution(static_cast<LONG>(Stored(ucb, kFuncDstResolutionW)), ucb);
    const DWORD rh = UsableResolution(static_cast<LONG>(Stored(ucb, kFuncDstResolutionH)), ucb);
    // The printable area is centred: each margin comes off twice.
    const DWORD lengthDots = CmnDot2Dot(length, kInternalDpi, rh);
    const DWORD widthDots = CmnDot2Dot(width, kInternalDpi, rw);
    const LONG top = std::max<LONG>(area.rect.top, 0);
    const LONG left = std::max<LONG>(area.rect.left, 0);
    Store(ucb, kDstArea,
          {lengthDots, widthDots, Less(Less(lengthDots, top), top), Less(Less(widthDots, left), left), Offset(left),
           Offset(top)});
    return;
  }
  if (!IsValidatedmPaperSizeEx(paper, ucb) || !area.found) return;
  Store(ucb, kDstArea, FromDescription(area));
}

}  // namespace

#if KESM_KERNEL_MODE
void ReadRegisteredFreeSize(UCB* ucb, LONG paper, bool source) {
  const int slot = GetFreeSizePaperNum(static_cast<WORD>(paper), ucb, nullptr);
  const bool keep = GetKDMTSE(ucb) != 0 && (GetValidateFlags(ucb) & kValidatePdevEnable) != 0;
  if (slot >= 0 && !keep) ReadFreesizeEntryKM(ucb, slot, source);
}
#endif

void SetSrcPaperArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm) {
  if (ucb != nullptr && dm != nullptr) SourceArea(paper, settingId, ucb, dm, false);
}

void SetSrcPaperAreaUI(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm) {
  if (ucb != nullptr && dm != nullptr) SourceArea(paper, settingId, ucb, dm, true);
}

void SetDstPaperArea(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm) {
  if (ucb != nullptr && dm != nullptr) DestinationArea(paper, settingId, ucb, dm, false);
}

void SetDstPaperAreaUI(LONG paper, WORD settingId, UCB* ucb, DEVMODEW* dm) {
  if (ucb != nullptr && dm != nullptr) DestinationArea(paper, settingId, ucb, dm, true);
}

void SetSrcPaperAreaOfFreeSize(DEVMODEW* dm, UCB* ucb) {
  if (ucb == nullptr || dm == nullptr) return;
  const DWORD r = UsableResolution(dm->dmPrintQuality, ucb);
  const Area area = AreaOf(ucb, StringIdOf(ucb, kFuncPaperSize, kPaperFreeSize));
  const DWORD length = CmnDot2Dot(FreeSizeDots(dm->dmPaperLength, true, ucb), kInternalDpi, r);
  const DWORD width = CmnDot2Dot(FreeSizeDots(dm->dmPaperWidth, false, ucb), kInternalDpi, r);
  Store(ucb, kSrcArea,
        {length, width, Less(length, area.rect.top), Less(width, area.rect.left), Offset(area.rect.left),
         Offset(area.rect.top)});
}

DWORD FreeSizeDots(SHORT tenths, bool length, const UCB* ucb) {
  const DWORD given = tenths > 0 ? CmnToDot(kUnitMmOf01, static_cast<DWORD>(tenths), kInternalDpi) : 0;
  return ClampDots(given, length, ucb);
}

SHORT ClampFreeSizeTenthsMm(SHORT tenths, bool length, const UCB* ucb) {
  const DWORD given = tenths > 0 ? CmnToDot(kUnitMmOf01, static_cast<DWORD>(tenths), kInternalDpi) : 0;
  const DWORD held = ClampDots(given, length, ucb);
  return held == given ? tenths : static_cast<SHORT>(ToTenthsMm(held));
}
