#include "jobsettings/validate/public_validation.h"

#include <cstring>

#include "features/custom_modules.h"
#include "jobsettings/devmode/paper_codes.h"
#include "jobsettings/devmode/public_defaults.h"
#include "jobsettings/paper/derived_settings.h"
#include "jobsettings/paper/paper_area.h"
#include "jobsettings/paper/resolution_list.h"
#include "jobsettings/rules/resolution_rules.h"
#include "jobsettings/validate/description_verdict.h"
#include "jobsettings/validate/field_judgement.h"
#include "jobsettings/validate/public_validators.h"
#include "jobsettings/validate/validate_flags.h"
#include "settings/bkpd/description_queries.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#if !KESM_KERNEL_MODE
#include "storage/stores/freesize_store.h"
#include "storage/stores/preset_store.h"
#endif

namespace {

constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncScale = 11;
constexpr WORD kFuncCopies = 12;
constexpr WORD kFuncDefaultSource = 13;
constexpr WORD kFuncPrintQuality = 14;
constexpr WORD kFuncDuplex = 16;
constexpr WORD kFuncColor = 15;
constexpr WORD kFuncTTOption = 18;
constexpr WORD kFuncOrientation = 7;
constexpr WORD kFuncICMMethod = 27;
constexpr WORD kFuncICMIntent = 28;
constexpr WORD kFuncMediaType = 29;
constexpr WORD kFuncDitherType = 30;
constexpr WORD kFuncDstResolutionW = 38;
constexpr WORD kFuncSelectSort = 61;
constexpr WORD kFuncDstResolutionBoth = 152;
constexpr WORD kFuncUseUserMacro = 176;
[[maybe_unused]] constexpr WORD kFuncUserPrintMacro = 179;
constexpr WORD kFuncPaperFreeSizeWidth = 340;
constexpr WORD kFuncPaperFreeSizeLength = 341;
constexpr WORD kFuncSrcFreeSizeWidth = 758;
constexpr WORD kFuncSrcFreeSizeLength = 759;
// The model's scale range; copies use the model data's.
constexpr LONG kModelScaleMin = 1;
constexpr LONG kModelScaleMax = 1000;
constexpr LONG kPlainResolution = 600;
constexpr DWORD kPaperDimensions = DM_PAPERLENGTH | DM_PAPERWIDTH;

LONG_PTR Stored(const UCB* ucb, WORD funcId) { return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr); }

const DP& Model(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

bool HasGroup(WORD funcId, const UCB* ucb) { return BKPDGetUiGroupAddrByFuncID(funcId, ucb) != nullptr; }

// The description's default when it has a group for the field, else the
// model's.
void GroupOrModelDefault(WORD funcId, DEVMODEW* current, UCB* ucb) {
  if (HasGroup(funcId, ucb)) {
    DevCBSetDefault(ucb, GetSFCBbyFuncID(ucb, funcId));
  } else {
    SetDefaultPublicField(funcId, current, ucb);
  }
}

// The model default of a field whose bit the step leaves as it was.
void ModelDefaultKeepingBits(WORD funcId, DEVMODEW* current, UCB* ucb) {
  const DWORD fields = current->dmFields;
  SetDefaultPublicField(funcId, current, ucb);
  current->dmFields = fields;
}

// A numeric group's range for the field, else the model's.
void RangeOf(WORD funcId, const UCB* ucb, LONG* min, LONG* max) {
  if (BKPDGetGroupTypeByFuncID(funcId, ucb) == kUiNumeric &&
      GetNumericRange(ucb, BKPDGetUiGroupAddrByFuncID(funcId, ucb), min, max)) {
    return;
  }
  if (funcId == kFuncScale) {
    *min = kModelScaleMin;
    *max = kModelScaleMax;
  } else {
    *min = Model(ucb).pub.minCopies;
    *max = Model(ucb).pub.maxCopies;
  }
}

bool InRange(WORD funcId, LONG value, const UCB* ucb) {
  LONG min = 0;
  LONG max = 0;
  RangeOf(funcId, ucb, &min, &max);
  return value >= min && value <= max;
}

void SetBits(DEVMODEW* dm, DWORD set, DWORD clear) { dm->dmFields = (dm->dmFields & ~clear) | set; }

// A free size given by its length and width. Its paper code stays a free
// code; any other code becomes the user size, and the dimensions are held to
// the model's free-size range.
void TakeDimensions(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  current->dmPaperSize = _IsValidatedmPaperSizeFree(merged->dmPaperSize) ? merged->dmPaperSize
                                                                         : static_cast<SHORT>(kPaperFreeSize);
  current->dmPaperLength = ClampFreeSizeTenthsMm(merged->dmPaperLength, true, ucb);
  current->dmPaperWidth = ClampFreeSizeTenthsMm(merged->dmPaperWidth, false, ucb);
  SetBits(current, kPaperDimensions, DM_PAPERSIZE);
  CustomDevmodeRecord record{current};
  KesmCustomFunction(ucb, kCustomFreeSizeGiven, &record);
  SetDevmodeValueDirectByFuncID(ucb, kFuncPaperFreeSizeLength, FreeSizeDots(current->dmPaperLength, true, ucb));
  SetDevmodeValueDirectByFuncID(ucb, kFuncPaperFreeSizeWidth, FreeSizeDots(current->dmPaperWidth, false, ucb));
}

void TakePaperSize(DEVMODEW* current, SHORT paper, UCB* ucb) {
  if (IsValidatedmPaperSizeFree(paper, ucb)) {
#if !KESM_KERNEL_MODE
    ReadFreesizeInfoAll(ucb);
    const int slot = GetFreeSizePaperNum(static_cast<WORD>(paper), ucb, nullptr);
    if (slot >= 0) MoveSrcFreesizeInfoToWork(ucb, slot);
#endif
    current->dmPaperSize = paper;
    current->dmPaperLength =
        static_cast<SHORT>(CmnFromDot(kUnitMmOf01, static_cast<DWORD>(Stored(ucb, kFuncSrcFreeSizeLength)), kInternalDpi));
    current->dmPaperWidth =
        static_cast<SHORT>(CmnFromDot(kUnitMmOf01, static_cast<DWORD>(Stored(ucb, kFuncSrcFreeSizeWidth)), kInternalDpi));
    SetBits(current, kPaperDimensions, 0);
  } else if (IsValidatedmPaperSizeEx(paper, ucb)) {
    current->dmPaperSize = paper;
    SetBits(current, 0, kPaperDimensions);
    RefillFromDescription(current, ucb);
  } else {
    GroupOrModelDefault(kFuncPaperSize, current, ucb);
    SetBits(current, 0, kPaperDimensions);
  }
  SetBits(current, DM_PAPERSIZE, 0);
}

void TakeFormName(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  if (!IsValidatedmFormNameEx(0, ucb)) {
    LPCWSTR model = Model(ucb).pszFormName;
    CopyFormName(current->dmFormName, model != nullptr ? model : u"");
    SetBits(current, 0, DM_FORMNAME);
  } else if (merged->dmFormName[0] == 0) {
    CopyFormName(current->dmFormName, u"");
    SetBits(current, 0, DM_FORMNAME);
  } else if (current->dmFormName[0] == 0) {
    SetBits(current, 0, DM_FORMNAME);
  } else {
    CopyFormName(current->dmFormName, merged->dmFormName);
    SetBits(current, DM_FORMNAME, 0);
  }
}

void ValidatePaper(DEVMODEW* current, const DEVMODEW* merged, DWORD fields, UCB* ucb) {
  // The user size as a paper code means the length and width give the
  // paper.
  if ((fields & DM_PAPERSIZE) != 0 && merged->dmPaperSize == kPaperFreeSize) {
    fields = (fields & ~DM_PAPERSIZE) | kPaperDimensions;
  }
  if ((fields & kPaperDimensions) == kPaperDimensions && (fields & DM_PAPERSIZE) == 0 &&
      merged->dmPaperLength > 0 && merged->dmPaperWidth > 0) {
    TakeDimensions(current, merged, ucb);
  } else if ((fields & DM_PAPERSIZE) != 0) {
    TakePaperSize(current, merged->dmPaperSize, ucb);
  } else if ((fields & DM_ORIENTATION) != 0) {
    if ((current->dmFields & DM_PAPERSIZE) != 0 && !_IsValidatedmPaperSizeFree(current->dmPaperSize)) {
      RefillFromDescription(current, ucb);
    }
  } else if ((fields & DM_FORMNAME) != 0) {
    TakeFormName(current, merged, ucb);
  }
}

// A field taken when its validator passes, else defaulted. The bit is set
// when setBit is given (and, with bitOnlyWhenValid, only for a valid
// value).
struct CheckedField {
  WORD funcId;
  DWORD bit;
  BOOL (*valid)(LONG, UCB*);
  bool groupDefault;      // a refused value takes the group default when there is a group
  bool setBit;
  bool bitOnlyWhenValid;
};

LONG ReadField(const DEVMODEW* dm, WORD funcId) {
  switch (funcId) {
    case kFuncDefaultSource: return dm->dmDefaultSource;
    case kFuncOrientation: return dm->dmOrientation;
    case kFuncDuplex: return dm->dmDuplex;
    case kFuncColor: return dm->dmColor;
    case kFuncTTOption: return dm->dmTTOption;
    case kFuncICMMethod: return static_cast<LONG>(dm->dmICMMethod);
    case kFuncICMIntent: return static_cast<LONG>(dm->dmICMIntent);
    case kFuncMediaType: return static_cast<LONG>(dm->dmMediaType);
    case kFuncDitherType: return static_cast<LONG>(dm->dmDitherType);
    default: return 0;
  }
}

void WriteField(DEVMODEW* dm, WORD funcId, LONG value) {
  switch (funcId) {
    case kFuncDefaultSource: dm->dmDefaultSource = static_cast<SHORT>(value); break;
    case kFuncOrientation: dm->dmOrientation = static_cast<SHORT>(value); break;
    case kFuncDuplex: dm->dmDuplex = static_cast<SHORT>(value); break;
    case kFuncColor: dm->dmColor = static_cast<SHORT>(value); break;
    case kFuncTTOption: dm->dmTTOption = static_cast<SHORT>(value); break;
    case kFuncICMMethod: dm->dmICMMethod = static_cast<DWORD>(value); break;
    case kFuncICMIntent: dm->dmICMIntent = static_cast<DWORD>(value); break;
    case kFuncMediaType: dm->dmMediaType = static_cast<DWORD>(value); break;
    case kFuncDitherType: dm->dmDitherType = static_cast<DWORD>(value); break;
    default: break;
  }
}

void ValidateField(const CheckedField& f, DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  if ((merged->dmFields & f.bit) == 0) return;
  const LONG value = ReadField(merged, f.funcId);
  const bool valid = f.valid(value, ucb) != 0;
  if (valid) {
    WriteField(current, f.funcId, value);
  } else if (f.groupDefault) {
    GroupOrModelDefault(f.funcId, current, ucb);
  } else {
    ModelDefaultKeepingBits(f.funcId, current, ucb);
  }
  if (f.setBit && (valid || !f.bitOnlyWhenValid)) SetBits(current, f.bit, 0);
}

constexpr CheckedField kDefaultSource = {kFuncDefaultSource, DM_DEFAULTSOURCE, IsValidatedmDefaultSourceEx, true, true, false};
constexpr CheckedField kOrientation = {kFuncOrientation, DM_ORIENTATION, IsValidatedmOrientation, true, true, false};
constexpr CheckedField kMediaType = {kFuncMediaType, DM_MEDIATYPE, IsValidatedmMediaTypeEx, false, false, false};
constexpr CheckedField kFieldsAfterQuality[] = {
    {kFuncDuplex, DM_DUPLEX, IsValidatedmDuplexEx, false, true, false},
    {kFuncColor, DM_COLOR, IsValidatedmColorEx, false, true, false},
    {kFuncTTOption, DM_TTOPTION, IsValidatedmTTOptionEx, false, true, true},
};
constexpr CheckedField kColourManagement[] = {
    {kFuncICMMethod, DM_ICMMETHOD, IsValidatedmICMMethodEx, false, true, true},
    {kFuncICMIntent, DM_ICMINTENT, IsValidatedmICMIntentEx, false, true, true},
    {kFuncDitherType, DM_DITHERTYPE, IsValidatedmDitherTypeEx, false, true, true},
};

void ValidateCollate(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  current->dmCollate = 0;
  SetBits(current, 0, DM_COLLATE);
  if (!IsValidateCollate(ucb)) return;
  SetBits(current, DM_COLLATE, 0);
  const bool on = (merged->dmFields & DM_COLLATE) != 0 ? merged->dmCollate == 1
                                                        : Stored(ucb, kFuncSelectSort) != 0;
  current->dmCollate = on ? 1 : 0;
}

// --- Print quality ----------------------------------------------------------

// What the feature modules pick for a refused resolution; fallback when no
// module picks one.
LONG_PTR PickResolution(DEVMODEW* current, SFCB* record, LONG_PTR refused, LONG_PTR fallback, UCB* ucb) {
  CustomQualityPick pick{current, record, refused};
  KesmCustomFunction(ucb, kCustomPickQuality, &pick);
  return pick.value != refused ? pick.value : fallback;
}

// A setting's description default as a stored value, or 0 without a group.
LONG_PTR DescriptionDefault(WORD funcId, UCB* ucb) {
  if (!HasGroup(funcId, ucb)) return 0;
  return ConvertResIDToDevmodeValue(ucb, GetSFCBbyFuncID(ucb, funcId), BKPDGetGroupDefaultByFuncID(funcId, ucb));
}

LONG DpiOfEntry(LONG_PTR entry) {
  const ResolutionRow* row = GetResTablebyDMValue(static_cast<WORD>(entry));
  return row != nullptr ? row->xDpi : 0;
}

bool Accepts(WORD funcId, LONG_PTR value, UCB* ucb) {
  return BKPDIsValidateDevmode(GetSFCBbyFuncID(ucb, funcId), funcId, value, ucb) == kVerdictAccepted;
}

// The first resolution-table entry of the quality's horizontal dpi that
// the description accepts for kdmDstResolutionBoth; the quality itself
// when none.
LONG_PTR EntryForQuality(LONG quality, UCB* ucb) {
  const auto dpi = static_cast<WORD>(quality);
  if (Stored(ucb, kFuncUseUserMacro) == 1 && DpiOfEntry(Stored(ucb, kFuncDstResolutionBoth)) == quality) {
    return Stored(ucb, kFuncDstResolutionBoth);
  }
  for (WORD v = GetDMValuebyResTableForHorizon(dpi); v != 0; v = GetDMValuebyResTableForHorizonNext(dpi, v)) {
    if (Accepts(kFuncDstResolutionBoth, v, ucb)) return v;
  }
  return quality;
}

LONG QualityOfMerged(DEVMODEW* current, LONG merged, UCB* ucb) {
  const LONG plain = Model(ucb).pub.dmPrintQuality;
  if (IsValidatedmPrintQualityDefined(merged, ucb)) {
    return HasGroup(kFuncPrintQuality, ucb) ? static_cast<LONG>(DescriptionDefault(kFuncPrintQuality, ucb)) : plain;
  }
  if (IsValidatedmPrintQualityEx(merged, ucb)) return merged;
  SFCB* record = GetSFCBbyFuncID(ucb, kFuncDstResolutionW);
  if (record == nullptr) return plain;
  return static_cast<LONG>(PickResolution(current, record, merged, plain, ucb));
}

// The quality the device resolution settings accept.
LONG QualityForDevice(DEVMODEW* current, LONG quality, UCB* ucb) {
  const LONG plain = Model(ucb).pub.dmPrintQuality;
  const bool both = BKPDGetGroupTypeByFuncID(kFuncDstResolutionW, ucb) == kUiNumeric;
  const WORD setting = both ? kFuncDstResolutionBoth : kFuncDstResolutionW;
  const LONG_PTR candidate = both ? EntryForQuality(quality, ucb) : quality;
  if (Accepts(setting, candidate, ucb)) return quality;
  const LONG_PTR fallback = DescriptionDefault(setting, ucb);
  const LONG_PTR picked = PickResolution(current, GetSFCBbyFuncID(ucb, setting), candidate, fallback, ucb);
  const LONG chosen = both ? DpiOfEntry(picked) : static_cast<LONG>(picked);
  return chosen > 0 ? chosen : plain;
}

// The resolution of the user's stored quality set, when quality macros are
// on in the document sheet.
LONG QualityOfStoredSet(LONG quality, UCB* ucb) {
#if !KESM_KERNEL_MODE
  if (Stored(ucb, kFuncUseUserMacro) != 1 || !StepsOf(GetValidateFlags(ucb)).storedQualitySet) return quality;
  const LONG_PTR macro = Stored(ucb, kFuncUserPrintMacro);
  if (!((macro >= 32 && macro <= 39) || macro == 160)) return quality;
  BackupPrivateDevmode(ucb);
  const bool read = ReadQualityByID(ucb, static_cast<int>(macro - 32)) != 0;
  const auto resolution = static_cast<LONG>(Stored(ucb, kFuncDstResolutionW));
  RestorePrivateDevmode(ucb, TRUE);
  return read && resolution > 0 ? resolution : quality;
#else
  (void)ucb;
  return quality;
#endif
}

}  // namespace

void RefillFromDescription(DEVMODEW* current, UCB* ucb) {
  MMPAPERSIZE mm{};
  if (current == nullptr || !_GetmmPaperArea(ucb, &mm, kFuncPaperSize)) return;
  current->dmPaperLength = static_cast<SHORT>(mm.length);
  current->dmPaperWidth = static_cast<SHORT>(mm.width);
}

void RefillDescribedPaper(DEVMODEW* current, UCB* ucb) {
  if (current == nullptr || (current->dmFields & DM_PAPERSIZE) == 0) return;
  if (IsValidatedmPaperSizeFree(current->dmPaperSize, ucb) || !IsValidatedmPaperSizeEx(current->dmPaperSize, ucb)) {
    return;
  }
  RefillFromDescription(current, ucb);
}

DEVMODEW* SetValidatePrintQuality(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  if (current == nullptr || merged == nullptr || ucb == nullptr) return current;
  if (ucb->pWork != nullptr) ucb->pWork->wQualityMacroMark = 0;
  LONG quality = QualityOfMerged(current, merged->dmPrintQuality, ucb);
  current->dmPrintQuality = static_cast<SHORT>(quality);
  quality = QualityForDevice(current, quality, ucb);
  current->dmPrintQuality = static_cast<SHORT>(quality);
  current->dmPrintQuality = static_cast<SHORT>(QualityOfStoredSet(current->dmPrintQuality, ucb));
  if (StepsOf(GetValidateFlags(ucb)).downResolution && !IsNotDownResolution(ucb, 0)) {
    current->dmPrintQuality = kPlainResolution;
  }
  if (current->dmPrintQuality <= 0) current->dmPrintQuality = Model(ucb).pub.dmPrintQuality;
  SetBits(current, DM_PRINTQUALITY, 0);
  return current;
}

void SetValidatePublicDM(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb) {
  if (current == nullptr || merged == nullptr || ucb == nullptr) return;
  const DWORD fields = merged->dmFields;
  ValidateField(kDefaultSource, current, merged, ucb);
  ValidateField(kOrientation, current, merged, ucb);
  ValidatePaper(current, merged, fields, ucb);
  if ((fields & DM_SCALE) != 0) {
    if (InRange(kFuncScale, merged->dmScale, ucb)) {
      current->dmScale = merged->dmScale;
    } else {
      SetDefaultPublicField(kFuncScale, current, ucb);
    }
  }
  SetBits(current, 0, DM_SCALE);
  if ((fields & DM_COPIES) != 0) {
    if (InRange(kFuncCopies, merged->dmCopies, ucb)) {
      current->dmCopies = merged->dmCopies;
    } else {
      SetDefaultPublicField(kFuncCopies, current, ucb);
    }
    SetBits(current, DM_COPIES, 0);
  }
  ValidateField(kMediaType, current, merged, ucb);
  if ((fields & DM_PRINTQUALITY) != 0) SetValidatePrintQuality(current, merged, ucb);
  current->dmYResolution = current->dmPrintQuality;
  SetBits(current, DM_YRESOLUTION, 0);
  for (const CheckedField& f : kFieldsAfterQuality) ValidateField(f, current, merged, ucb);
  ValidateCollate(current, merged, ucb);
  for (const CheckedField& f : kColourManagement) ValidateField(f, current, merged, ucb);
}
