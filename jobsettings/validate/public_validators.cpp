#include "jobsettings/validate/public_validators.h"

#include "jobsettings/devmode/paper_codes.h"

#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/field_judgement.h"
#include "settings/values/setting_value.h"
#include "storage/stores/freesize_store.h"

namespace {

// Function ids of the public fields.
constexpr WORD kFuncOrientation = 7;
constexpr WORD kFuncPaperSize = 8;
constexpr WORD kFuncDefaultSource = 13;
constexpr WORD kFuncPrintQuality = 14;
constexpr WORD kFuncColor = 15;
constexpr WORD kFuncDuplex = 16;
constexpr WORD kFuncTTOption = 18;
constexpr WORD kFuncICMMethod = 27;
constexpr WORD kFuncICMIntent = 28;
constexpr WORD kFuncMediaType = 29;
constexpr WORD kFuncDitherType = 30;
constexpr WORD kFuncOutPaperSize = 46;

constexpr LONG kSpecialOutputSize = 1024;

bool Within(LONG value, LONG low, LONG high) { return value >= low && value <= high; }

// The driver's check of a field: a range of system values, or the field's
// row of the accepted-value table.
BOOL InRangeOrListed(WORD funcId, LONG value, LONG low, LONG high) {
  return Within(value, low, high) || IsValidDMValue(funcId, value) ? TRUE : FALSE;
}

// The description's verdict; without one for the field (no label, no
// group), the driver's own check.
BOOL ByVerdict(int verdict, LONG value, BOOL (*plain)(LONG)) {
  switch (verdict) {
    case 1: return TRUE;
    case 2:
    case 3: return plain(value);
    default: return FALSE;
  }
}

BOOL DescriptionOr(WORD funcId, LONG value, UCB* ucb, BOOL (*plain)(LONG)) {
  return ByVerdict(IsValidateEachDMEx(funcId, value, ucb), value, plain);
}

int SlotOfSetting(const UCB* ucb, WORD funcId) {
  const auto paper = static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
  return IsValidatedmPaperSizeFree(paper, ucb) ? RegisteredFreeSizeSlotOf(ucb, paper) : -1;
}

}  // namespace

BOOL _IsValidatedmDefaultSource(LONG value) { return InRangeOrListed(kFuncDefaultSource, value, 1, 15); }
BOOL _IsValidatedmOrientation(LONG value) { return Within(value, 1, 2) ? TRUE : FALSE; }
BOOL _IsValidatedmPrintQuality(LONG value) { return IsValidDMValue(kFuncPrintQuality, value); }
BOOL _IsValidatedmDuplex(LONG value) { return Within(value, 1, 3) ? TRUE : FALSE; }
BOOL _IsValidatedmColor(LONG value) { return _IsValidatedmOrientation(value); }
BOOL _IsValidatedmTTOption(LONG value) { return Within(value, 1, 4) ? TRUE : FALSE; }
BOOL _IsValidatedmICMMethod(LONG value) { return InRangeOrListed(kFuncICMMethod, value, 1, 4); }
BOOL _IsValidatedmICMIntent(LONG value) { return InRangeOrListed(kFuncICMIntent, value, 1, 2); }
BOOL _IsValidatedmMediaType(LONG value) { return InRangeOrListed(kFuncMediaType, value, 1, 3); }
BOOL _IsValidatedmDitherType(LONG value) { return InRangeOrListed(kFuncDitherType, value, 1, 5); }

BOOL IsValidatedmDefaultSourceEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncDefaultSource, value, ucb, _IsValidatedmDefaultSource);
}

BOOL IsValidatedmOrientation(LONG value, UCB* ucb) {
  return ByVerdict(IsValidateEachDM(kFuncOrientation, value, ucb), value, _IsValidatedmOrientation);
}

BOOL IsValidatedmPaperSizeEx(LONG value, UCB* ucb) {
  return IsValidateEachDMEx(kFuncPaperSize, value, ucb) == 1 ? TRUE : FALSE;
}

BOOL IsValidatedmFormNameEx(LONG /*value*/, UCB* /*ucb*/) { return TRUE; }

BOOL IsValidatedmPrintQualityEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncPrintQuality, value, ucb, _IsValidatedmPrintQuality);
}

BOOL IsValidatedmPrintQualityDefined(LONG value, UCB* /*ucb*/) { return Within(value, -4, -1) ? TRUE : FALSE; }

BOOL IsValidatedmDuplexEx(LONG value, UCB* ucb) { return DescriptionOr(kFuncDuplex, value, ucb, _IsValidatedmDuplex); }
BOOL IsValidatedmColorEx(LONG value, UCB* ucb) { return DescriptionOr(kFuncColor, value, ucb, _IsValidatedmColor); }

BOOL IsValidatedmTTOptionEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncTTOption, value, ucb, _IsValidatedmTTOption);
}

BOOL IsValidatedmICMMethodEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncICMMethod, value, ucb, _IsValidatedmICMMethod);
}

BOOL IsValidatedmICMIntentEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncICMIntent, value, ucb, _IsValidatedmICMIntent);
}

BOOL IsValidatedmMediaTypeEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncMediaType, value, ucb, _IsValidatedmMediaType);
}

BOOL IsValidatedmDitherTypeEx(LONG value, UCB* ucb) {
  return DescriptionOr(kFuncDitherType, value, ucb, _IsValidatedmDitherType);
}

BOOL __IsValidatedmPaperSize(LONG value) { return InRangeOrListed(kFuncPaperSize, value, 1, 118); }
BOOL ___IsValidatedmPaperSize(LONG value) { return value == kSpecialOutputSize ? TRUE : FALSE; }

BOOL _IsValidatedmPaperSizeFree(LONG value) {
  return Within(value, kPaperFreeRegisteredFirst, kPaperFreeRegisteredLast) || value == kPaperFreeSizeDst ||
                 value == kPaperFreeSize
             ? TRUE
             : FALSE;
}

BOOL IsValidatedmPaperSizeFree(LONG value, const UCB* ucb) {
  return value != 0 && RegisteredFreeSizeSlotOf(ucb, value) >= 0 ? TRUE : FALSE;
}

int _IsValidatedmPaperSizeFree2(const UCB* ucb) { return SlotOfSetting(ucb, kFuncPaperSize); }
int _IsValidatekdmOutPaperSizeFree(const UCB* ucb) { return SlotOfSetting(ucb, kFuncOutPaperSize); }

int RegisteredFreeSizeSlotOf(const UCB* ucb, LONG paper) {
  // The ten stored sizes. The user size (256) and the print size (448)
  // have no entry in the store's table: their geometry is the DEVMODE's.
  const int count = GetFreeSizeRegistNumEx(ucb);
  for (int slot = 0; slot < count; ++slot) {
    const WORD id = GetFreeSizePaperID2(slot, count, ucb);
    if (id != 0 && id == paper) return slot;
  }
  return -1;
}
