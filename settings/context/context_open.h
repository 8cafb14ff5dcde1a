// Opening and releasing printer contexts (UCB), and the two-slot cache of
// released contexts that lets rapid open-release sequences on one printer
// reuse a context.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Open flags: the low byte is the open kind.
inline constexpr DWORD kOpenKindMask = 0x00FF;
inline constexpr DWORD kOpenNoLock = 0x0100;          // the context skips the user-mode lock
inline constexpr DWORD kOpenNoAdminCheck = 0x0200;    // the context skips the administrator test
inline constexpr DWORD kOpenReadProperties = 0x0400;  // read printer properties for kinds 1-3 too
// Kinds 0-3 open the description and build a DCB; higher kinds have neither.
inline constexpr DWORD kOpenKindLastWithDcb = 3;

// Mode word bits the open itself interprets.
inline constexpr DWORD kModeTsModify = 0x00040000;   // settings INI in the system directory
inline constexpr DWORD kModeRendering = 0x00010000;  // as passed by the rendering library...
inline constexpr DWORD kModeRenderingStored = 0x20000000;  // ...and as stored and compared

// Released contexts idle for longer than this are freed at the next open.
inline constexpr DWORD kParkedIdleMilliseconds = 500;

// Opens a context for the printer: from the cache when a released context
// for the same printer handle, mode word and printer name is parked there
// and the open flags are 0, else a new one. Null when the printer's name is
// longer than 256 characters or the context cannot be built. The reserved
// argument is not read.
UCB* GetUcbx(HANDLE printer, HANDLE data, DWORD reserved, DWORD flags, DWORD mode);
UCB* GetUcb(HANDLE printer, HANDLE data, DWORD reserved, DWORD mode);  // flags 0
UCB* GetUcb2(HANDLE printer, HANDLE data, DWORD reserved, DWORD flags, DWORD mode);

// Releases a context: parks it in the cache or frees it. A zero word lets
// it be parked in an empty slot; a context that a plain open could not reuse
// is freed at once. Releasing a parked context again leaves it parked.
void FreeUcbx(UCB* ucb, DWORD word);
void FreeUcb(UCB* ucb);  // word 0
void FreeUcb2(UCB* ucb, DWORD word);

// Frees the parked contexts idle for more than 500 ms, or all of them.
void FreeStoredUcb(BOOL all);
// The cache's take step: after a sweep, the parked context that serves the
// open, taken out of its slot; null for a miss.
UCB* CheckGetUcb(HANDLE printer, DWORD flags, DWORD mode);
// The cache's park step: the context that must be freed now (the given
// one, or the one it evicted from slot 1), or null.
UCB* CheckFreeUcb(UCB* ucb, DWORD word);

// Contexts of this process that exist (open or parked), and those parked
// in the cache: the open ones are the difference. What every entry point
// must leave as it found them.
DWORD CountLiveUcb();
DWORD CountParkedUcb();

// A new copy of the printer's name (free with FreeMemPtr), or null.
LPWSTR GetPrinterNameDirect(HANDLE printer);
// Milliseconds since start; always 0 in the rendering library.
DWORD KesmGetTickCount();
