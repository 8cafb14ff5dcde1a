// Upgrade of a DEVMODE kept by an older driver version. Versions are
// three-digit numbers: the hundreds are the major version, the rest the
// minor version. The conversion itself is a program of the printer
// description: the action list of its group "KPD_ConvertDevmode", run once
// per version step with setting 856 (wdmConvertVersion) holding the
// version that step converts to. An action may raise setting 856 to end
// the steps early.
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
// When IsUpgrade answers 1, runs the steps from the DEVMODE's version to
// the model's on the context's settings and stamps the model's version
// into the context's document DEVMODE. A DEVMODE of a newer version, or of
// another major version, is left as it is. Returns the step result, 0 when
// no upgrade applies.
int UpgradeDevmode(const DEVMODEW* dm, UCB* ucb);
// The step loop: setting 856 := v and the conversion program run for v =
// from + 1 up to to, until setting 856 reaches to. 1 when run; 0 when the
// description has no conversion program or from and to are not one major
// version with from the older.
int _UpgradeDevmode(DWORD from, DWORD to, UCB* ucb);
