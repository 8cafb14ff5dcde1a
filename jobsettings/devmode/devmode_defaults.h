// The DCB of a printer context and its DEVMODE filled with the driver's
// defaults. Defaults come from two places: the compiled description's UI
// group defaults for every setting that has a group, and the model data for
// the public fields and the header. A DEVMODE the printer keeps stored is
// outside input: it is taken over only when it is this driver's, with the
// run-time flags of the context kept and its fields held to the same
// checks as the built defaults.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct DCB;
struct UCB;

// Open kinds that change how a DCB is built.
inline constexpr int kDcbRederive = 1;      // a stored default gets its private geometry re-derived
inline constexpr int kDcbIgnoreStored = 3;  // a stored default is not taken as the base

// A new DCB for the context, filled with the printer's stored default (when
// it has a valid one and type is not 3) or with built defaults overlaid by a
// valid stored DEVMODE of the same sizes and driver version. Null for a null
// context or when memory is short. The context's current DCB is the new one
// while it is built and is put back afterwards.
DCB* DevCBCreate(UCB* ucb, int type);

// Fills the context's current DCB with defaults.
void InitDefaultDevmode(UCB* ucb);
// The run-time flag bytes at their start values for this call's
// environment. User mode only.
void InitDefaultDevmodeExt(UCB* ucb);
// Description defaults for every setting (the private header first), the
// driver's language and the model's default font.
void DevCBSetPrivInit(UCB* ucb);
// Description defaults of the work block; then DevCBSetPrivInitEtcWork.
void DevCBSetPrivInitWork(UCB* ucb);
// The work block's driver version text.
void DevCBSetPrivInitEtcWork(UCB* ucb);
// Takes the printer's stored DEVMODE over the current one when it belongs
// to this driver and has the current sizes and driver version.
void DevCBSetModify(UCB* ucb);
void DevCBSetModifyNT(UCB* ucb);
// The private walk in store mode, the private geometry, then the header.
void SetDefaultPrivateDM(DEVMODEW* dm, UCB* ucb);
// The header strings and the two application blocks.
void SetDefaultPrivateHeaderDM(UCB* ucb);
