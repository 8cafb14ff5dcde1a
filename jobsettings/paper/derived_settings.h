// Settings derived from others after validation and for defaults: the
// private geometry re-derived from the private settings, the public duplex
// and media type from their private settings, the tray kept with a free
// size, and the work data the quality, watermark and chapter features keep.
// Every function acts on the context's current DEVMODE, which is the one
// passed.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Modes of the private walk and of the re-derivation.
inline constexpr int kDeriveStore = 1;  // defaults are being built
inline constexpr int kDeriveCheck = 2;  // after validation
inline constexpr int kDeriveSheetResult = 3;  // a sheet's settings are handed out
inline constexpr int kDeriveSheetApply = 4;   // a document sheet's page is applied

// Resolutions from kdmDstResolutionW, the source and destination areas,
// the recomputed run-time flags PresentUIMode, BidiSupport and
// ServerClientMode, for modes 1, 3 and 4 the model's "other" text, and
// wdmUIStart := 0.
void _SetValidatePrivateDMEx(DEVMODEW* dm, UCB* ucb, int mode);
// The same, then dmDuplex and dmMediaType from their private settings.
void SetValidatePrivateDMEx(DEVMODEW* dm, UCB* ucb, int mode);
// dmDuplex from kdmFuncSelectDuplex and kdmDuplexType in the orientation.
void SetSrcDuplex(DEVMODEW* dm, UCB* ucb);
// dmMediaType := kdmMediaType.
void SetSrcMediaType(DEVMODEW* dm, UCB* ucb);
// For a free-size code (384-393, 448, 256): flag 0 returns the tray kept
// with its slot, flag 1 stores it in dmDefaultSource and returns 1. Other
// codes return 0.
LONG SetDefaultSourceByFreeSize(UCB* ucb, LONG paper, int flag);

// PresentUIMode, BidiSupport and ServerClientMode from the settings, the
// printer and the driver.
void RefreshEnvironmentFlags(UCB* ucb);

// With user quality macros on and a stored quality set chosen (user print
// macro 32-39 or 160), reads that set's file into the context.
void GetWorkQualityData(UCB* ucb);
// Asks the feature modules to refresh the chapter work data.
void GetWorkChapterData(UCB* ucb);
// Has the feature modules validate the chapter settings (the trays and
// print choices of every chapter block). The modules give no answer back:
// TRUE.
BOOL ValidateChapterInfo(UCB* ucb);
// Whether collation can be chosen under the constraints.
BOOL IsValidateCollate(UCB* ucb);
