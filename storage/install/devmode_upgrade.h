// Upgrade of a DEVMODE kept by an older driver version. Versions are
// three-digit numbers: the hundreds are the major version, the rest the
// minor version.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// 1: same major version, older minor version (convert step by step);
// 0: current or newer (nothing to convert); 2: another major version, or
// both at major 2 or below (start over).
int IsUpgradeVersionCheck(DWORD stored, DWORD current);
// IsUpgradeVersionCheck of the DEVMODE's private dwVersion against the
// model's; -1 without a DEVMODE. The DEVMODE must be a whole driver
// DEVMODE image.
int IsUpgrade(const DEVMODEW* dm);
// When IsUpgrade answers 1 for the context's current DEVMODE, brings its
// settings up to the current version and stamps that version into its
// private header. The conversion steps are actions of the description,
// which the constraint engine runs; it is not built yet, so for now the
// settings stay as they are (as with a description that has no conversion
// group) and only the version is stamped. Returns the step result: 0.
int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb);
