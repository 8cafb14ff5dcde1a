// The common property-sheet host as a printer driver meets it: the callback
// through which the host serves the driver's property sheets, and the codes
// the driver passes to it.
#pragma once

#include "platform/base/wintypes.h"

// The host's callback: (sheet handle, function code, two arguments of the
// function) -> the function's result.
using PFNCOMPROPSHEET = LONG_PTR(CALLBACK*)(HANDLE hComPropSheet, UINT Function, LPARAM lParam1,
                                            LPARAM lParam2);

// Function codes. CPSFUNC_SET_RESULT: lParam1 the page (0: the sheet of
// the handle), lParam2 the result.
inline constexpr UINT CPSFUNC_SET_RESULT = 9;

// Results a sheet reports.
inline constexpr LONG CPSUI_CANCEL = 0;
inline constexpr LONG CPSUI_OK = 1;
