// Batch install: the presets, quality sets, free sizes, watermarks, user
// code, user id and owner name that an administrator's default set file
// (.rsb) and driver-install INI give a new printer.
//
// The default set file's batch-install section (the driver name) lists
// preset templates ("NumDeficonfiles", "Deficonfiles<n>", 1-based) and
// quality sets ("NumDefqualityfiles", "Defqualityfiles<n>"). Each template
// keeps "setname" and "setcomment" (presets) or "qualityname" in its own
// driver-name section; the user's list points at the template's driver-use
// copy (.rsr) in the shared or per-user directory.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Flag word of the preset and quality installers.
inline constexpr DWORD kBatchEnter = 0x01;      // enter the files into the list
inline constexpr DWORD kBatchCopy = 0x02;       // copy them from the driver directory
inline constexpr DWORD kBatchRecreate = 0x10;   // re-create each driver-use file
inline constexpr DWORD kBatchDelete = 0x20;     // delete the driver-use file afterwards
inline constexpr DWORD kBatchChecked = 0x40;    // only enabled templates whose conditions hold
inline constexpr DWORD kBatchRefresh = 0x80;    // add only presets not yet listed
inline constexpr DWORD kBatchDrvInst = 0x100;   // a run from the driver-install INI
inline constexpr DWORD kBatchKeepFiles = 0x1000;  // leave existing driver-use files

// A list holds at most this many presets; a template is read up to these
// many characters of name and comment.
inline constexpr int kPresetListMax = 16;
inline constexpr int kPresetTextChars = 513;
// The lists of a default set file are read up to this many entries.
inline constexpr DWORD kTemplateListMax = 256;

// One preset of the list being refreshed.
struct PRESETREFRESH {
  WCHAR szIconFile[MAX_PATH];        // the template the preset was made from
  WCHAR szPath[MAX_PATH];            // the preset's set file
  WCHAR szName[kPresetTextChars];
  WCHAR szComment[kPresetTextChars];
  WORD wRemove;                      // 1: dropped by the refresh
};
struct PRESETREFRESHLIST {
  int count;
  PRESETREFRESH entries[kPresetListMax];
};

#if !KESM_KERNEL_MODE
// Printer information of the set file's batch-install section, then its
// presets and quality sets (flags | kBatchEnter); TRUE when both succeed.
BOOL BatchInstallProc(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb);
// The preset templates of the set file's section. A refresh run
// (kBatchRefresh) adds its new presets to list instead of the stored list;
// other runs leave list alone (it may be null). FALSE when a driver-install
// run could not copy or re-create a file.
BOOL BatchInstallForPreset(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb, PRESETREFRESHLIST* list);
BOOL BatchInstallForQuality(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb);

// "SetUserCode" of the driver-install INI section: digits only, at most 8,
// become the printer's user code (*taken 1); other text is refused (*taken
// 1, nothing changed); an empty value clears the user code (*taken 1);
// absent, or "*", leaves it (*taken 0). The key is removed in every case.
BOOL BatchInstallForUserCode(LPCWSTR ini, LPCWSTR section, LPDWORD taken, UCB* ucb);
// "SetUserID" (letters and digits, at most 8) and "SetOwnerID" (at most 16)
// into settings 202 and 204; a longer or other value is refused. Both keys
// are removed. TRUE when either had a value.
BOOL BatchInstallForOther(LPCWSTR ini, LPCWSTR section, UCB* ucb);
// The set file's settings and printer information (batch-install filter).
BOOL BatchInstallForUserSetting(LPCWSTR setFile, LPCWSTR section, UCB* ucb);
// The set file's free sizes and watermarks into the per-user stores.
BOOL BatchInstallForFreesize(LPCWSTR setFile, LPCWSTR section, UCB* ucb);
BOOL BatchInstallForWatermark(LPCWSTR setFile, LPCWSTR section, UCB* ucb);
#endif
