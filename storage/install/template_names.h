// Names of set-file templates: template names written with directory
// placeholders resolved to full paths, the check that a path stays inside
// the driver's own folders, and the names of the driver-use, install-use
// and batch-use copies of a template.
//
// Placeholders: "%windir%", "%sysdir%", "..\" (one level up from the system
// directory per occurrence), ".\" (the folder the name belongs to). Under
// the rules of Windows 2000 and later (mode 1 there) a name resolves into
// the driver directory ("%sysdir%": the shared directory); before, and in
// mode 0, into the system (or Windows) directory.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr DWORD kTemplateModeInstall = 0;
inline constexpr DWORD kTemplateModePresetIcon = 1;

// MakeInstallUseFileName flags: the extension becomes "rsd" or "rsq".
inline constexpr DWORD kInstallUsePreset = 0x4;
inline constexpr DWORD kInstallUseQuality = 0x10;

#if !KESM_KERNEL_MODE
// Rewrites a template name in buffer (size characters) in place into a
// full path. FALSE, the buffer left as it was, when the name is 260
// characters or longer, the result is empty or does not fit.
BOOL ParseFileNameOfTemplate(LPWSTR buffer, DWORD size, DWORD mode, UCB* ucb);
BOOL ParseFileNameOfInstall(LPWSTR buffer, DWORD size, UCB* ucb);
// ParseFileNameOfTemplate in mode 1, then a name with a non-empty base and
// an extension of one to three characters.
BOOL IsAvailablePresetIconFileName(LPWSTR buffer, DWORD size, UCB* ucb);

// TRUE when an absolute path without "." or ".." parts lies inside the
// driver directory, the shared directory or the per-user directory, or
// names a file directly in the system directory. Template names come from
// files that others than the administrator may be able to write (the
// per-user settings INI names the default set file of a refresh): no file
// is copied, written or deleted at a path that fails this test.
BOOL IsPathInDriverFolders(LPCWSTR path, UCB* ucb);

// The driver-use copy: the shared or per-user directory, the file's name
// with the extension "rsr" (buffer of size characters).
BOOL MakeDriverUsePresetIconFileName(LPWSTR buffer, LPCWSTR file, DWORD size, UCB* ucb);
// The driver directory followed by the file's name part, its extension
// replaced by "rsd" (kInstallUsePreset) or "rsq" (kInstallUseQuality), else
// kept (buffer of MAX_PATH characters).
BOOL MakeInstallUseFileName(LPWSTR buffer, LPCWSTR file, LPVOID reserved, DWORD flags, UCB* ucb);
BOOL MakeInstallUseQualityFileName(LPWSTR buffer, LPCWSTR file, UCB* ucb);
// The path with the extension "rsd" (buffer of MAX_PATH characters).
BOOL MakeBatchUsePresetIconFileName(LPWSTR buffer, LPCWSTR file);
// Rewrites a default set-file name in buffer (MAX_PATH characters) in
// place: an absolute name stays, another gets the driver directory in
// front. FALSE when the result cannot be built or a relative name would
// leave the driver directory ("..").
BOOL GetDefaultRstFilePath(LPWSTR buffer, LPVOID reserved, UCB* ucb);
#endif
