// Upgrade of settings kept by an older driver version (a DEVMODE, a set
// file). Versions are three-digit numbers: the hundreds are the major
// version, the rest the minor version.
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
// The conversion program of the description (the actions of the group
// "KPD_ConvertDevmode") run on the context's settings once for each
// version after from up to to: setting 856 holds the version a step
// converts to, and a step that raises it to to or beyond ends the steps.
// 1 when run; 0 when the description has no such group or no actions for
// it (the settings stay as they are).
int _UpgradeDevmode(DWORD from, DWORD to, UCB* ucb);
// When IsUpgrade answers 1 for the DEVMODE, runs the steps from its version
// to the model's on the context's settings and stamps the model's version
// into the context's current DEVMODE. Returns the steps' result, or 0 when
// no upgrade applies.
int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb);
