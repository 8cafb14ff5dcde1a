// Validation of the public DEVMODE fields: the fields the caller flagged in
// the merged copy's dmFields are examined one by one and written into the
// context's current DEVMODE; a value the description or the driver's
// tables refuse is replaced silently by a default. The print quality has a
// step of its own, tied to the device resolution settings, the stored
// quality sets and the model's down-resolution rule.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// The thirteen steps, in field order of the rules: default source,
// orientation, paper, scale, copies, media type, print quality, Y
// resolution, duplex, colour, TrueType option, collation, and the colour
// management and dither fields. Nothing when either DEVMODE is null.
void SetValidatePublicDM(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb);
// dmPaperLength and dmPaperWidth from the description's millimetre size of
// the current paper as it lies (turned for landscape), when it has one.
void RefillFromDescription(DEVMODEW* current, UCB* ucb);
// The same for a DEVMODE that names a paper of the description (not a free
// size) in dmPaperSize, as validation refills it; nothing otherwise.
void RefillDescribedPaper(DEVMODEW* current, UCB* ucb);
// The print quality of merged, validated into current. Returns current.
DEVMODEW* SetValidatePrintQuality(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb);
