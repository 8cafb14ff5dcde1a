#include "jobsettings/validate/priv_validators.h"

#include "jobsettings/validate/dm_value_tables.h"
#include "jobsettings/validate/nup_classes.h"
#include "jobsettings/validate/public_validators.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/values/units.h"

namespace {

constexpr WORD kFuncPrintQuality = 14;
constexpr WORD kFuncDstResolutionW = 38;
constexpr WORD kFuncSelectWaterMark = 60;
constexpr WORD kFuncWmID = 118;
constexpr WORD kFuncUseUserMacro = 176;
constexpr WORD kFuncUserPrintMacro = 179;
constexpr WORD kFuncKESMVer = 233;

// The language version is the first of the model's two version words.
constexpr int kLanguageVersionWord = 0;
// Margins are at most 50.0 mm, in dots at the destination resolution.
constexpr DWORD kMarginLimitMmOf01 = 500;
// Watermark indexes: the stored watermarks 0-31 and the unsaved one.
constexpr LONG kLastStoredWatermark = 31;
constexpr LONG kUnsavedWatermark = 256;
// Option numbers of the user print macros follow the preset slots.
constexpr LONG kFirstUserQualityOption = 135;

const DP& Model(const UCB* ucb) { return ucb != nullptr && ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

bool Within(LONG_PTR value, LONG_PTR low, LONG_PTR high) { return value >= low && value <= high; }

// The family's one rule: in check mode a passing value stays (1); in any
// other case the replacement is stored (0).
int Judge(bool passes, int mode, UCB* ucb, SFCB* sfcb, LONG_PTR replacement) {
  if (mode == kPrivCheckMode && passes) return 1;
  SetDevmodeValueDirect(ucb, sfcb, replacement);
  return 0;
}

int JudgeListed(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG_PTR replacement, int mode, UCB* ucb) {
  return Judge(IsValidDMValue(funcId, static_cast<LONG>(value)) != FALSE, mode, ucb, sfcb, replacement);
}

// The destination resolution follows a valid print quality, else the
// model's default.
LONG_PTR ResolutionReplacement(UCB* ucb, WORD modelWord) {
  const LONG_PTR quality = GetDevmodeValueDirectByFuncID(ucb, kFuncPrintQuality, nullptr);
  if (IsValidatedmPrintQualityEx(static_cast<LONG>(quality), ucb)) return quality;
  return Model(ucb).awResolution[modelWord];
}

}  // namespace

int ProckdmMachineID(WORD, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  const BYTE model = Model(ucb).bMachineID;
  return Judge(static_cast<BYTE>(value) == model, mode, ucb, sfcb, model);
}

int ProckdmUIModeChange(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, defaultValue, mode, ucb);
}

// The preset number is read as its unsigned byte: slots 0-127 and 255 (no
// preset) are valid, 128-254 are not.
int ProckdmPresetNo(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  const auto preset = static_cast<BYTE>(value);
  return Judge(preset < 128 || preset == 255, mode, ucb, sfcb, defaultValue);
}

int ProckdmDstResolutionW(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, ResolutionReplacement(ucb, 0), mode, ucb);
}

int ProckdmDstResolutionH(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, ResolutionReplacement(ucb, 1), mode, ucb);
}

int ProckdmOutPaperSize(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  const auto paper = static_cast<LONG>(value);
  return Judge(__IsValidatedmPaperSize(paper) || ___IsValidatedmPaperSize(paper), mode, ucb, sfcb,
               defaultValue);
}

int ProckdmOutputTrayID(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, defaultValue, mode, ucb);
}

int ProckdmMediaType(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, defaultValue, mode, ucb);
}

int ProckdmScaleH(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(Within(value, 20, 400), mode, ucb, sfcb, defaultValue);
}

// A margin is neither negative nor wider than 50 mm at the destination
// resolution.
int ProckdmMarginOdd(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  const LONG_PTR dpi = GetDevmodeValueDirectByFuncID(ucb, kFuncDstResolutionW, nullptr);
  const LONG_PTR limit = dpi > 0 ? CmnToDot(kUnitMmOf01, kMarginLimitMmOf01, static_cast<DWORD>(dpi)) : 0;
  return Judge(Within(value, 0, limit), mode, ucb, sfcb, defaultValue);
}

int ProckdmHFFontPoint(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(Within(value, 6, 100), mode, ucb, sfcb, defaultValue);
}

int ProckdmWmID(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  const bool index = Within(value, 0, kLastStoredWatermark) || value == kUnsavedWatermark;
  return Judge(index, mode, ucb, sfcb, defaultValue);
}

int ProckdmMPInputTray(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(_IsValidatedmDefaultSource(static_cast<LONG>(value)) != FALSE, mode, ucb, sfcb, defaultValue);
}

int ProckdmBrightness(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(Within(value, -50, 50), mode, ucb, sfcb, defaultValue);
}

int ProckdmLanguageID(WORD, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return Judge(IsValidateLanguageID(static_cast<int>(value)) != FALSE, mode, ucb, sfcb,
               Model(ucb).bDefaultLanguage);
}

int ProckdmDspLanguageID(WORD, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return Judge(IsValidateLanguageID(static_cast<int>(value)) != FALSE, mode, ucb, sfcb,
               Model(ucb).bDefaultDspLanguage);
}

int ProckdmDspUnit(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, Model(ucb).bDefaultDspUnit, mode, ucb);
}

int ProckdmExtPrintArea(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, Model(ucb).bDefaultExtPrintArea, mode, ucb);
}

int ProckdmLocaleID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*) { return 1; }

int ProckdmGammaX(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(Within(value, 1, 9), mode, ucb, sfcb, defaultValue);
}

int ProckdmSeparationSheetCycle(WORD, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return Judge(Within(value, 1, 99), mode, ucb, sfcb, defaultValue);
}

int ProckdmListedValue(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode, UCB* ucb) {
  return JudgeListed(funcId, value, sfcb, defaultValue, mode, ucb);
}

int ProcSetDefaultkdm(WORD funcId, LONG_PTR, SFCB* sfcb, LONG defaultValue, int, UCB* ucb) {
  const LONG_PTR value = funcId == kFuncKESMVer ? Model(ucb).awWords2[kLanguageVersionWord] : defaultValue;
  SetDevmodeValueDirect(ucb, sfcb, value);
  return 0;
}

int ProcSetDefault(WORD, LONG_PTR, SFCB* sfcb, LONG defaultValue, int, UCB* ucb) {
  SetDevmodeValueDirect(ucb, sfcb, defaultValue);
  return 0;
}

int GetNUPPOSTKindFromNUPType(LONG nupType, LONG* kind) {
  int pages = 0;
  LONG implied = 1;
  for (const NupClass& c : kNupClasses) {
    if (c.type == nupType) {
      pages = c.pages;
      implied = c.kind;
      break;
    }
  }
  if (kind != nullptr) *kind = implied;
  return pages;
}

LONG _IsValidatedmWM(const UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncSelectWaterMark, nullptr) == 0) return -1;
  return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, kFuncWmID, nullptr));
}

LONG _IsValidatedmPrintQuality2(const UCB* ucb) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncUseUserMacro, nullptr) != 1) return -1;
  return static_cast<LONG>(GetDevmodeValueByFuncID(ucb, kFuncUserPrintMacro, nullptr)) - kFirstUserQualityOption;
}
