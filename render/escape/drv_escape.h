// The escapes of a printer DC. DrvEscape itself is declared with the other
// entry points (render/pdev/entry_points.h).
#pragma once

#include "platform/base/wintypes.h"

struct PDEV;
struct JobStream;

// 1 when the PDEV serves the code: PASSTHROUGH only in raw mode.
ULONG isSupported(const PDEV* pdev, ULONG code);
// Sends the page's display list so far, then the bytes as they are,
// without a block header; FALSE when either write fails.
BOOL dl_pass(JobStream* stream, const void* data, ULONG bytes);

// What escape 20 answers, and the build identifier of escape 140, each
// with its terminating zero.
inline constexpr char kTechnologyName[] = "KESM";
inline constexpr char kBuildIdentifier[] = "RNDKIT.LIB MASTER 1.20i";
// Bytes of escape 42's answer: four floats.
inline constexpr ULONG kPageGeometryBytes = 4 * sizeof(float);
// Characters of escape 121's path, its terminating zero included.
inline constexpr ULONG kIniPathChars = MAX_PATH;
