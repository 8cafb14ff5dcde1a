// Validation of the private DEVMODE: private settings derived from the
// public fields, the work data, paper areas and run-time flags refreshed,
// then every private field walked, and the description's constraint
// actions applied again.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// After the public fields of merged were validated into current (the
// context's current DEVMODE): the duplex and media settings from the public
// fields both flag, work data, resolutions, source and destination areas,
// run-time flags, then the private walk in check mode. Nothing when either
// DEVMODE is null.
void SetValidatePrivateDM(DEVMODEW* current, const DEVMODEW* merged, UCB* ucb);
// The walk over function ids 35-598 of the context's current DEVMODE: a
// value the description covers is judged and corrected there; any other
// goes to its private validator in the given mode (2 check, 1 store).
void _SetValidatePrivateDM(DEVMODEW* dm, UCB* ucb, int mode);
void _SetValidatePrivateDM2(DEVMODEW* dm, UCB* ucb, int mode);

// For every setting record of the context with a UI group, in table order,
// the group's constraint actions run again.
void SetValidateExclusive(UCB* ucb);
void SetValidateExclusiveByFID(UCB* ucb, WORD funcId);
