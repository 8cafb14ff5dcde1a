// The files an install puts into place: the driver INI, the files it lists
// ("NumInstallfiles", "Installfiles<n>"), the default set file with its
// presets and quality sets, the companion libraries; and the merge of the
// driver INI into the shared settings INI.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The highest "Installfiles<n>" read.
inline constexpr DWORD kInstallFilesMax = 0xFFFE;

#if !KESM_KERNEL_MODE
// Splits pack files, copies the driver INI and its install files, runs the
// batch preset and quality install of the default set file it names (flags
// passed on with the copy bit added) and copies the companion libraries to
// the system directory. Returns 1.
BOOL CopyFilesForInstall(UCB* ucb, DWORD flags);
// The files "Installfiles1" ... of the INI's section, each name expanded
// (directory placeholders) and copied from the driver directory to the
// place it names. The number of files copied.
DWORD CopyOtherFilesForInstall(LPCWSTR ini, LPCWSTR section, UCB* ucb);
// The driver INI into the shared settings INI: the set-file version only
// (onlyVersion) or the whole install merge, then "PrinterInformation" and
// the driver's free-size settings. Without a context one is opened (open
// kind, no lock, no administrator test) for the call. FALSE when no
// context can be had.
BOOL CopyInstIni2IniForInstall(HANDLE printer, DWORD kind, BOOL onlyVersion, UCB* ucb);
// "RstVersion" of the driver-name section of the file: *absent 0 and TRUE
// when its major version differs from this driver's; *absent 1 and TRUE
// when it has none.
BOOL IsNeedCopyInstIni2IniForInstall(LPCWSTR path, LPDWORD absent, UCB* ucb);
#endif
