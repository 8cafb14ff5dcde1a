// The bidirectional status query: the port-monitor library is loaded from
// the system folder for each query, asked for the device's trays, papers,
// options, memory and versions, and freed again; the answer becomes
// printer-wide settings (bidi_convert.h) and is saved. The query runs on
// the caller's thread. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Query flags.
inline constexpr DWORD kBidiQueryWindow = 0x1;       // a progress window was asked for
inline constexpr DWORD kBidiQueryVersionOnly = 0x2;
inline constexpr DWORD kBidiQueryApplication = 0x4;  // asked for by an application
inline constexpr DWORD kBidiQueryWin9x = 0x8;        // the Windows 9x library where that runs

// The gate: TRUE unless the settings INI's section of the driver name has
// the key with a value other than 1, or the INI path is not absolute.
BOOL __NO_REAL_BIDI_SUPPORT_TEST__(UCB* ucb, LPCWSTR key);
BOOL __NO_REAL_BIDI_SUPPORT_TEST_MAIN__(UCB* ucb);   // "bIsBIDISupportForKESM"
BOOL __NO_REAL_BIDI_SUPPORT_TEST_MODEL__(UCB* ucb);  // "bIsBIDISupportForKESMModel"

// The property sheets' entry: TRUE when bidi data is there or not needed.
BOOL GetBidiDataIfNeed(UCB* ucb, HWND window);
BOOL GetBidiDataImmediately(UCB* ucb, HWND window);  // flag 1
BOOL GetBidiDataImmediatelyWexa(UCB* ucb);           // flag 4, no window
// The full query with its bookkeeping: on success printer data "BidiFlag"
// and "BidiFunc" and the BiDirect flag; the answer moves to printer data,
// or to the fallback INI when printer data cannot be written. On failure
// BiDirect goes off and both version texts are cleared.
BOOL _GetBidiDataImmediately(UCB* ucb, HWND window, DWORD flags);
// The version-only query; writes no printer data.
BOOL GetBidiDataImmediately2(UCB* ucb, HWND window);
// BiDirect := the gate; TRUE.
BOOL GetBidiDataNormal(UCB* ucb);
// Feature-module event 17 with the window; its answer (FALSE when no
// module answers).
BOOL GetBidiDataStart(UCB* ucb, HWND window);
// Talks to the device: TRUE when it answered and the data were stored.
BOOL _GetBidiData(DWORD osKind, DWORD flags, UCB* ucb);
// TRUE when the library opens the printer.
BOOL IsBidiPortAvailable(UCB* ucb, DWORD flags);
// The last error of the library's failure; nothing is shown.
DWORD BidiErrorProc(const void* api);
#endif
