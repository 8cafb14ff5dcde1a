// Validators of the public DEVMODE fields and the paper-size tests. Each
// validator takes (value, context) and answers 1 (valid) or 0. The forms
// ending in Ex ask the description first (IsValidateEachDMEx): 1 is valid;
// 2 or 3 (the field has no label or no description group) falls back to the
// driver's own check; anything else is invalid.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// --- The driver's own checks ---------------------------------------------

BOOL _IsValidatedmDefaultSource(LONG value);  // 1-15, or a device tray
BOOL _IsValidatedmOrientation(LONG value);    // 1 or 2
BOOL _IsValidatedmPrintQuality(LONG value);   // a listed resolution
BOOL _IsValidatedmDuplex(LONG value);         // 1-3
BOOL _IsValidatedmColor(LONG value);          // 1 or 2
BOOL _IsValidatedmTTOption(LONG value);       // 1-4
BOOL _IsValidatedmICMMethod(LONG value);      // 1-4, or listed
BOOL _IsValidatedmICMIntent(LONG value);      // 1, 2, or listed
BOOL _IsValidatedmMediaType(LONG value);      // 1-3, or a device medium
BOOL _IsValidatedmDitherType(LONG value);     // 1-5, or listed

// --- Validators -----------------------------------------------------------

BOOL IsValidatedmDefaultSourceEx(LONG value, UCB* ucb);
// Asks the correcting form of the description's verdict (IsValidateEachDM).
BOOL IsValidatedmOrientation(LONG value, UCB* ucb);
// Valid only when the description accepts it; no fallback.
BOOL IsValidatedmPaperSizeEx(LONG value, UCB* ucb);
BOOL IsValidatedmFormNameEx(LONG value, UCB* ucb);  // always 1
BOOL IsValidatedmPrintQualityEx(LONG value, UCB* ucb);
// The system's quality constants DMRES_DRAFT to DMRES_HIGH (-1 to -4).
BOOL IsValidatedmPrintQualityDefined(LONG value, UCB* ucb);
BOOL IsValidatedmDuplexEx(LONG value, UCB* ucb);
BOOL IsValidatedmColorEx(LONG value, UCB* ucb);
BOOL IsValidatedmTTOptionEx(LONG value, UCB* ucb);
BOOL IsValidatedmICMMethodEx(LONG value, UCB* ucb);
BOOL IsValidatedmICMIntentEx(LONG value, UCB* ucb);
BOOL IsValidatedmMediaTypeEx(LONG value, UCB* ucb);
BOOL IsValidatedmDitherTypeEx(LONG value, UCB* ucb);

// --- Paper sizes ----------------------------------------------------------

// 1-118, or a device paper size.
BOOL __IsValidatedmPaperSize(LONG value);
// Only 1024, the special output size.
BOOL ___IsValidatedmPaperSize(LONG value);
// A custom size code: 384-393, 448 or 256.
BOOL _IsValidatedmPaperSizeFree(LONG value);
// Non-zero and the paper id of a registered custom size.
BOOL IsValidatedmPaperSizeFree(LONG value, const UCB* ucb);
// The custom-size slot of dmPaperSize (8) or kdmOutPaperSize (46) when it
// holds a registered custom size, else -1.
int _IsValidatedmPaperSizeFree2(const UCB* ucb);
int _IsValidatekdmOutPaperSizeFree(const UCB* ucb);

// The slot of the free-size store whose paper id is the value (one of the
// ten stored sizes), or -1. The rendering library has no store and answers
// -1.
int RegisteredFreeSizeSlotOf(const UCB* ucb, LONG paper);
