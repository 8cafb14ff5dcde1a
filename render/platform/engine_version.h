// The version of the graphics engine that enabled the driver. A kernel-mode
// driver has no GetVersionExW: the engine version DrvEnableDriver receives
// is its sign of the Windows version, and IsOsLaterWin2000
// (storage/system/system_info.h) answers from it in this build.
#pragma once

#include "platform/base/wintypes.h"

// The engine version of Windows 2000; NT 4.0's engines are below it.
inline constexpr ULONG kEngineVersionWin2000 = 0x00030000;

// Kept for the whole image: DrvEnableDriver records it. Before any enable
// the version is 0, an engine earlier than Windows 2000's.
void KMSetEngineVersion(ULONG engineVersion);
ULONG KMGetEngineVersion();
