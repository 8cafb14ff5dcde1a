// The public DEVMODE fields against the description and the model data:
// the default of each field, and the sync that keeps a field only when the
// description offers it and accepts its value. One row per field (function
// ids 1-34) holds its keep rule and its default step.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Type 1 syncs the current DEVMODE's public part from the description
// (DMPrivate2DMPublic); type 2 first rebuilds every description default
// (DevCBSetPrivInit, then DevCBSetModify) and then syncs; any other type
// writes the plain model defaults into dm (_SetDefaultPublicDM).
void SetDefaultPublicDM(DEVMODEW* dm, int type, UCB* ucb);
// The default step of every field, in field order.
void _SetDefaultPublicDM(DEVMODEW* dm, UCB* ucb);
// The sync step of every field of the context's current DEVMODE, in field
// order. The first argument is not read.
void DMPrivate2DMPublic(const DEVMODEW* ignored, UCB* ucb);

// One field's default step (the model default and its dmFields bit) and
// its sync step. Ids outside 1-34 do nothing.
void SetDefaultPublicField(WORD funcId, DEVMODEW* dm, UCB* ucb);
void SyncPublicField(WORD funcId, DEVMODEW* dm, UCB* ucb);

// The model's default form name is stored as a wide field of 32 characters.
void CopyFormName(WCHAR (&to)[CCHFORMNAME], const WCHAR* from);
