// The refresh of a printer's administrator presets after its installed
// options changed: presets made from templates whose conditions no longer
// hold are dropped, and templates that now apply are added.
#pragma once

#include "platform/base/wintypes.h"

struct PRESETREFRESHLIST;
struct UCB;

// The question asked before presets are dropped, and the message of an
// option-dialog refresh.
inline constexpr UINT kAlertPresetsDropped = 10017;
inline constexpr UINT kMessagePresetRefresh = 7004;

#if !KESM_KERNEL_MODE
// Re-installs the printer's default presets: mode 0 asks the user first,
// mode 1 without questions, mode 2 only tells the user. Runs once per
// printer ("PresetRefresh" of the settings INI).
void PresetRefreshForOptionDialog(UCB* ucb, DWORD mode);
// Rebuilds the preset list from the default set file the settings INI
// names. The new list is complete before the stored one is replaced; with
// ask's low byte set the user confirms the presets that go. 0 when the
// default set file or one of its templates cannot be used, or the user
// cancels; the list is then left as it was.
BOOL BatchInstallForPresetRefresh(UCB* ucb, DWORD ask);
// FALSE when the preset file, read with this driver's settings, puts the
// preset item's constraint group into an alert.
BOOL IsValidUserPresetIcon(LPCWSTR setFile, UCB* ucb);
// TRUE, with *index, when an entry of the list has that set file.
BOOL IsExistCurrentPresetList(LPCWSTR path, const PRESETREFRESHLIST* list, int* index);
// "setname" and "setcomment" of the section into buffers of 513
// characters.
BOOL GetSetRSDFromFile(LPCWSTR file, LPCWSTR section, LPWSTR name, LPWSTR comment);
#endif
