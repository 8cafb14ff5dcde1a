// The function table the engine receives from DrvEnableDriver: each entry
// point with its engine function index. There is no entry for disabling the
// driver.
#pragma once

#include "platform/engine/winddi.h"

inline constexpr ULONG kDriverFunctionCount = 27;
extern const DRVFN gadrvfn[kDriverFunctionCount];

// Driver version reported to the engine, and the lowest engine version the
// driver runs on.
inline constexpr ULONG kDriverDdiVersion = 0x00020000;
inline constexpr ULONG kLowestEngineVersion = 0x00020000;

// Stores the version, the count and the table in the enable data, keeps
// the engine's version (render/platform/engine_version.h) and creates the
// engine semaphore. FALSE with engine error 119 for an engine
// below 0x20000, with error 87 for enable data shorter than the record.
BOOL kesmDrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* data);
// The library's one export; passes to kesmDrvEnableDriver.
extern "C" BOOL DrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* data);
