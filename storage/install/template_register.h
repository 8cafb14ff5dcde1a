// Templates turned into the user's presets and quality sets: entries of
// the per-user lists, and a user set file rebuilt from its template.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// SetPresetIconToIni flag: only an enabled template whose conditions hold.
inline constexpr DWORD kPresetIconChecked = 0x40;
// The "condition" and "disable" sections are copied whole up to this size.
inline constexpr DWORD kTemplateSectionChars = 30720;

#if !KESM_KERNEL_MODE
// Registers a preset template as a preset: the list entry points at
// setFile, with the name and comment given (the context's preset name and
// comment, settings 762 and 763, stand in where they are not given; a
// preset without a name is "NoName"). With kPresetIconChecked a template
// that is disabled or whose conditions fail is skipped. Returns 1.
BOOL SetPresetIconToIni(LPCWSTR file, LPCWSTR setFile, LPCWSTR name, LPCWSTR comment, DWORD flags, UCB* ucb);
// Registers a quality set under its name ("NoName" when none is given).
// Returns 1.
BOOL SetQualityToIni(LPCWSTR file, LPCWSTR setFile, LPCWSTR name, int index, UCB* ucb);
// Appends a quality set: with n = "QualityCount", "QualityList<n>" := path
// and "QualityList<n>Name" := name, "QualityCount" := n + 1.
BOOL AddQualityData(UCB* ucb, LPCWSTR path, LPCWSTR name);
// "QualityCount" := "0".
BOOL ResetQualityData(UCB* ucb);
// "QualityList<n>", followed by "Name" when part is 1, into a buffer of at
// least 64 characters; returns the buffer.
LPWSTR MakeQualityKeyEx(LPWSTR buffer, int n, int part);

// The value of a key into buffer (MAX_PATH characters); empty when missing.
// FALSE, the buffer emptied, when the value does not fit.
BOOL GetStringFromFile(LPCWSTR file, LPCWSTR section, LPCWSTR key, LPWSTR buffer);
// "qualityname" of the section into buffer (MAX_PATH characters); 0.
BOOL GetQualityNameFromFile(LPCWSTR file, LPCWSTR section, LPWSTR buffer);
// TRUE when the file's printer-name section has "RstVersion".
BOOL IsExistPrinterNameSection(LPCWSTR file, UCB* ucb);
// TRUE when the key's integer (0x7FFF when missing) is neither 0x7FFF nor 0.
BOOL IsCompleteFromFile(LPCWSTR file, LPCWSTR section, LPCWSTR key);

// Rebuilds a user set file from its template: the template's "condition"
// and "disable" sections replace the target's, its settings (the
// driver-name section, read with flags | 0x2000) are written as the
// target's printer-name section, and its "Readonly" mark follows. The
// context's settings are put back afterwards. FALSE, the target left as it
// was, when the template has no settings section or cannot be read, or one
// of its sections is longer than kTemplateSectionChars.
BOOL ReCreateRstFile(LPCWSTR target, LPCWSTR templateFile, DWORD flags, UCB* ucb);
#endif
