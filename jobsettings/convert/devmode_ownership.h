// Whether a DEVMODE's private part belongs to this driver and model. Each
// test reads the header words and two private settings at their fixed
// offsets of the 220-byte layout, so the DEVMODE must be a whole driver
// DEVMODE image (sizeofKesmDM bytes): the context's own or a merged copy of
// it, never a caller's buffer as it came. The model values are those of the
// static model data. 1 or 0; 0 for a null DEVMODE. The second argument is
// not read.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

// dwPrivData, dwSize 1016, dwVersion, machine id and driver type are ours.
BOOL IsMyValidDevmode(const DEVMODEW* dm, DWORD ignored);
// The same without the dwVersion test.
BOOL IsMyValidDevmodeExceptDwVersion(const DEVMODEW* dm, DWORD ignored);
// Only dwPrivData, machine id and driver type: a private part this driver
// can upgrade.
BOOL IsMyValidDevmodeForUpgrade(const DEVMODEW* dm, DWORD ignored);
