// Printer data as the rendering library may use it: read through the
// engine, never written.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Characters of a buffer for the recorded driver name: at most 64 bytes of
// name and a terminator.
inline constexpr DWORD kDriverNameChars = 33;

// The printer-data value "DriverName" (at most 64 bytes) into buffer, which
// holds kDriverNameChars characters, or with a null buffer into the work
// area's driver-name field. TRUE when a name was read.
BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB* ucb);
// Takes the arguments of the user-mode printer-data write and writes
// nothing: FALSE (0).
BOOL MyEngSetPrinterData(HANDLE printer, LPCWSTR valueName, DWORD type, const BYTE* data, DWORD bytes);
