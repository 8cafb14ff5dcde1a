// Validators of the private DEVMODE fields that the description does not
// cover, and the table that gives each private function id (35-598) its
// routine and default.
//
// A routine takes (function id, current value, the setting's record, the
// table default, mode, context). In check mode it tests the value and
// answers 1 when it passes; in store mode, and in check mode for a value
// that fails, it stores its replacement through the setting's record and
// answers 0. Two routines never store: ProckdmLocaleID always answers 1, and
// a row without a routine leaves its field as it is.
#pragma once

#include <array>

#include "platform/base/wintypes.h"

struct SFCB;
struct UCB;

inline constexpr int kPrivCheckMode = 2;
inline constexpr int kPrivStoreMode = 1;  // any mode but 2 stores

using PrivValidator = int (*)(WORD funcId, LONG_PTR value, SFCB* sfcb, LONG defaultValue, int mode,
                              UCB* ucb);

struct ValidatePrivRow {
  DWORD funcId;
  PrivValidator routine;  // null: the field stays unchanged
  LONG defaultValue;
};

inline constexpr WORD kPrivFirstFuncId = 35;
inline constexpr WORD kPrivLastFuncId = 598;
inline constexpr int kValidatePrivRowCount = kPrivLastFuncId - kPrivFirstFuncId + 1;
static_assert(kValidatePrivRowCount == 564);

// Row n holds function id 35 + n.
extern const std::array<ValidatePrivRow, kValidatePrivRowCount> ValidatePrivTable;

// --- Routines -------------------------------------------------------------

int ProckdmMachineID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmUIModeChange(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmPresetNo(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmDstResolutionW(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmDstResolutionH(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmOutPaperSize(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmOutputTrayID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmMediaType(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmScaleH(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmMarginOdd(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmHFFontPoint(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmWmID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmMPInputTray(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmBrightness(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmLanguageID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmDspLanguageID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmDspUnit(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmExtPrintArea(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmLocaleID(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmGammaX(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProckdmSeparationSheetCycle(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
// Settings whose valid values are their row of the accepted-value table.
int ProckdmListedValue(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
// Never valid: the table default (for kdmKESMVer the model's language
// version), and the same for the settings of ProcSetDefault.
int ProcSetDefaultkdm(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);
int ProcSetDefault(WORD, LONG_PTR, SFCB*, LONG, int, UCB*);

// --- Questions other parts ask of private settings -------------------------

// The pages class of an N-up type (1 for one page per side and the 2-up
// kinds, 2, 3, 4 for the 4, 9 and 16 classes, 9 for the poster kinds, 0
// otherwise) and in *kind the N-up kind it implies (2 for type 3, else 1).
int GetNUPPOSTKindFromNUPType(LONG nupType, LONG* kind);
// The watermark index (118) when the watermark is on (60), else -1.
LONG _IsValidatedmWM(const UCB* ucb);
// The user quality set of the user print macro (179): its option number
// minus 135, when user macros are on (176); else -1.
LONG _IsValidatedmPrintQuality2(const UCB* ucb);
