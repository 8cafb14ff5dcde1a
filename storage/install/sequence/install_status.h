// The install status of a printer's settings INI: when the shared copy was
// installed and when a user's private copy was made from it, so that
// every entry point can tell whether the user's copy is current. Keys of
// the printer-name section:
//   "DrvInstTime"      time of the install step,
//   "DrvFirstInstTime" time of the printer's first install (shared only),
//   "DrvInstType"      the install type (decimal),
//   "DrvInstVersion"   the driver version string ("4.88").
// Times are written as UTC, "%04d%02d%02d%02d%02d%02d", and compared as
// file times, so that a change of daylight-saving time never makes an
// older install look newer. A time that is missing or not such a time
// counts as earlier than any other.
#pragma once

#include <string_view>

#include "platform/base/wintypes.h"

// SetTSInstallStatus targets.
inline constexpr DWORD kStatusTargetShared = 0;
inline constexpr DWORD kStatusTargetUser = 1;
inline constexpr DWORD kStatusTargetFirstInstall = 2;  // the shared INI, first-install time too

// GetTSInstallStatus answers.
inline constexpr DWORD kUserCopyCurrent = 0;
inline constexpr DWORD kUserCopyMissing = 1;      // full per-user set-up
inline constexpr DWORD kUserCopyOlderVersion = 2;  // update by set-file version
inline constexpr DWORD kUserCopyStale = 3;        // rebuild
inline constexpr DWORD kUserCopyUntimed = 4;      // rebuild

inline constexpr const WCHAR* kKeyInstTime = u"DrvInstTime";
inline constexpr const WCHAR* kKeyFirstInstTime = u"DrvFirstInstTime";
inline constexpr const WCHAR* kKeyInstType = u"DrvInstType";
inline constexpr const WCHAR* kKeyInstVersion = u"DrvInstVersion";

#if !KESM_KERNEL_MODE
// Writes the status into the target INI under the cross-process lock. 1 at
// once when settings INI files are not kept per user; 0 when a path or the
// printer name cannot be had or a write fails.
BOOL SetTSInstallStatus(HANDLE printer, DWORD type, DWORD target);
// The status of the user's copy into *status. 0 only when the paths or
// the printer name cannot be had.
BOOL GetTSInstallStatus(HANDLE printer, LPDWORD status);

// -1, 0 or 1 as install time a is earlier, the same or later than b.
int CompareInstallTimes(std::u16string_view a, std::u16string_view b);
// TRUE when version a ("major.minor", two decimal numbers) is older than
// b: the major numbers decide, the minor ones only between equal majors.
// A version that is not of that form is older than any that is.
BOOL IsOlderDriverVersion(std::u16string_view a, std::u16string_view b);
#endif
