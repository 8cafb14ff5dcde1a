// The source resolution (dmPrintQuality and dmYResolution) and the
// destination resolution (kdmDstResolutionW and kdmDstResolutionH) of the
// context's current DEVMODE, kept consistent with each other.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

LONG GetSrcResolutionWOfDevmode(const UCB* ucb);
LONG GetDstResolutionWOfDevmode(const UCB* ucb);
LONG GetDstResolutionHOfDevmode(const UCB* ucb);
void SetSrcResolutionWOfDevmode(LONG value, UCB* ucb);
void SetSrcResolutionHOfDevmode(LONG value, UCB* ucb);
void SetDstResolutionWOfDevmode(LONG value, UCB* ucb);
void SetDstResolutionHOfDevmode(LONG value, UCB* ucb);

// dmYResolution and both destination resolutions := dmPrintQuality; then
// the model's resolution-dependent settings follow (SetResolutionDataOfUI).
void SetSrcAndDstResolutionFromDM(DEVMODEW* dm, UCB* ucb);
// kdmDstResolutionH, dmPrintQuality and dmYResolution := kdmDstResolutionW.
void SetSrcAndDstResolutionFromKDM(DEVMODEW* dm, UCB* ucb);
void SetResolutionDataOfUI(LONG resolution, UCB* ucb);

// A resolution lengths can be converted at: the value itself when it is
// above 0, else the model's default resolution. A DEVMODE may carry 0 or a
// negative quality constant where a resolution is expected.
DWORD UsableResolution(LONG resolution, const UCB* ucb);
