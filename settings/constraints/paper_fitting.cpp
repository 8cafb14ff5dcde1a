#include "settings/constraints/paper_fitting.h"

#include <algorithm>

#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/devmode/document_devmode.h"
#include "jobsettings/paper/paper_area.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"

namespace {

constexpr WORD kFuncPaperSize = 8;             // dmPaperSize
constexpr WORD kFuncSrcPaperLength = 40;       // kdmSrcPaperLengthDot
constexpr WORD kFuncSrcPaperWidth = 41;        // kdmSrcPaperWidthDot
constexpr WORD kFuncOutPaperSize = 46;         // kdmOutPaperSize
constexpr WORD kFuncDstPaperLength = 47;       // kdmDstPaperLengthDot
constexpr WORD kFuncDstPaperWidth = 48;        // kdmDstPaperWidthDot
constexpr WORD kFuncSelectScale = 55;          // kdmFuncSelectScale
constexpr WORD kFuncSelectNup = 56;            // kdmFuncSelectNup
constexpr WORD kFuncSelectDuplex = 58;         // kdmFuncSelectDuplex
constexpr WORD kFuncScaleType = 87;            // kdmScaleType
constexpr WORD kFuncScaleH = 89;               // kdmScaleH
constexpr WORD kFuncScaleV = 90;               // kdmScaleV
constexpr WORD kFuncDuplexType = 94;           // kdmDuplexType
constexpr WORD kFuncLocaleID = 172;            // kdmLocaleID
constexpr WORD kFuncPrnMethod = 209;           // kdmPrnMethod
constexpr WORD kFuncDriverType = 242;          // kdmDriverType
constexpr WORD kFuncFrontFunc = 348;           // kdmFrontFunc
constexpr WORD kFuncHiddenFunc16 = 365;        // kdmHiddenFunc16
constexpr WORD kFuncExtOutput2A4Fit = 383;     // kdmExtOutput2A4Fit

constexpr DWORD kFrontFuncPaperFitting = 0x8;
constexpr LONG kPrnMethodMerge = 5;
constexpr LONG kPrnMethodOverlay = 7;
constexpr LONG kScaleTypeFit = 2;
constexpr LONG kFullScale = 100;
constexpr WORD kBuiltInPaperAreas = 1;

LONG Stored(const UCB* ucb, WORD funcId) {
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr));
}
LONG Shown(const UCB* ucb, WORD funcId) { return static_cast<LONG>(GetDevmodeValueByFuncID(ucb, funcId, nullptr)); }

bool IsDefaultPaperCode(LONG outPaper) { return outPaper == kOutPaperDefault || outPaper == kOutPaperDefault2; }
bool IsFittingCode(LONG outPaper) { return outPaper == kOutPaperAsSource || IsDefaultPaperCode(outPaper); }

// The smaller of the width and length ratios in percent; false when the
// source has no width or no length, so that nothing can be fitted.
bool FittingPercentage(const UCB* ucb, LONG* percent) {
  const LONG srcWidth = Shown(ucb, kFuncSrcPaperWidth);
  const LONG srcLength = Shown(ucb, kFuncSrcPaperLength);
  if (srcWidth == 0 || srcLength == 0) return false;
  *percent = std::min(longMulDiv(Shown(ucb, kFuncDstPaperWidth), kFullScale, srcWidth),
                      longMulDiv(Shown(ucb, kFuncDstPaperLength), kFullScale, srcLength));
  return true;
}

}  // namespace

BOOL GetDefPaperFitting(const UCB* ucb) {
  const bool letterMarket = Stored(ucb, kFuncDriverType) != 0 && Stored(ucb, kFuncLocaleID) != 0;
  const bool reversed = Stored(ucb, kFuncHiddenFunc16) == 1;
  return letterMarket != reversed ? TRUE : FALSE;
}

LONG GetDefaultFittingPaper(const UCB* ucb) { return GetDefPaperFitting(ucb) ? kPaperLetter : kPaperA4; }

BOOL IsPaperFittingAsked(const UCB* ucb) {
  const LONG method = Stored(ucb, kFuncPrnMethod);
  const bool ask = (static_cast<DWORD>(Stored(ucb, kFuncFrontFunc)) & kFrontFuncPaperFitting) != 0 &&
                   Stored(ucb, kFuncExtOutput2A4Fit) != 0 && IsFittingCode(Stored(ucb, kFuncOutPaperSize)) &&
                   method != kPrnMethodMerge && method != kPrnMethodOverlay &&
                   (Stored(ucb, kFuncSelectScale) == 0 || Stored(ucb, kFuncScaleType) == kScaleTypeFit) &&
                   Stored(ucb, kFuncPaperSize) != GetDefaultFittingPaper(ucb);
  return ask ? TRUE : FALSE;
}

BOOL GetPaperFittingWorkCondition(const UCB* ucb) {
  return IsPaperFittingAsked(ucb) && IsPaperFittingPaperSize(Stored(ucb, kFuncPaperSize)) ? TRUE : FALSE;
}

LONG GetPrintSize(const UCB* ucb) {
  const LONG outPaper = Stored(ucb, kFuncOutPaperSize);
  if (outPaper == kOutPaperAsSource) {
    return GetPaperFittingWorkCondition(ucb) ? GetDefaultFittingPaper(ucb) : Stored(ucb, kFuncPaperSize);
  }
  return IsDefaultPaperCode(outPaper) ? GetDefaultFittingPaper(ucb) : outPaper;
}

void KesmCoreBuiltInFunc(UCB* ucb, WORD id) {
  if (ucb == nullptr || id != kBuiltInPaperAreas) return;
  if (Stored(ucb, kFuncSelectNup) != 0) return;
  if (const LONG type = Stored(ucb, kFuncDuplexType); Stored(ucb, kFuncSelectDuplex) != 0 && (type < 1 || type > 3)) {
    return;
  }
  SetSrcPaperAreaUI(Stored(ucb, kFuncPaperSize), kFuncPaperSize, ucb, GetDocumentDevmode(ucb));
  const LONG outPaper = Stored(ucb, kFuncOutPaperSize);
  const bool onDefault = IsDefaultPaperCode(outPaper);
  SetDstPaperAreaUI(onDefault ? GetDefaultFittingPaper(ucb) : outPaper, kFuncOutPaperSize, ucb,
                    GetDocumentDevmode(ucb));

  const bool scaleOn = Stored(ucb, kFuncSelectScale) == 1;
  const bool fitScale = Stored(ucb, kFuncScaleType) == kScaleTypeFit;
  if (onDefault || (scaleOn && fitScale)) {
    LONG percent = 0;
    if (FittingPercentage(ucb, &percent)) {
      SetDevmodeValueByFuncID(ucb, kFuncScaleH, percent);
      SetDevmodeValueByFuncID(ucb, kFuncScaleV, percent);
    }
  } else if (outPaper == kOutPaperAsSource && (Stored(ucb, kFuncSelectScale) == 0 || fitScale)) {
    SetDevmodeValueDirectByFuncID(ucb, kFuncScaleH, kFullScale);
    SetDevmodeValueDirectByFuncID(ucb, kFuncScaleV, kFullScale);
  }
}
