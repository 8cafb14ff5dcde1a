// Copying companion files from the driver directory. Two modes: copy once
// (mode 1: a target that exists is kept) and refresh (any other mode: the
// target is replaced unless it has the source's last-write time). A refresh
// copies to a temporary file beside the target and renames it over the
// target, so a failed copy leaves the old target in place.
//
// Results: 1 when the file was copied, or when source and target are one
// path, or (copy once) the target exists; 0 when a path cannot be built, the
// source is missing, the copy fails, or (refresh) the target is up to date.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
inline constexpr DWORD kCopyOnce = 1;
inline constexpr DWORD kCopyRefresh = 0;

// From the driver directory (sourceName, or name when none is given) to the
// system directory followed by name.
BOOL CopyFileToSystemDirFromDriverDir(LPCWSTR name, LPCWSTR sourceName, DWORD mode, UCB* ucb);
// The same to an absolute target path (whose name part stands for a missing
// sourceName); a relative path goes to CopyFileToSystemDirFromDriverDir.
BOOL CopyFileToOrderDirFromDriverDir(LPCWSTR path, LPCWSTR sourceName, DWORD mode, UCB* ucb);
// Between two absolute paths; 0 when either is relative.
BOOL CopyFileToOrderDirFromOrderDir(LPCWSTR target, LPCWSTR source, DWORD mode);
#endif
