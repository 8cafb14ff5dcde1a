// What the stores share: their INI values and the set-file sections that
// an entry key names. Internal to storage/ (the stores and the install
// code).
#pragma once

#include <string>

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
namespace storage {

// Keys of the stores are short: "PresetList15Comment", "FreeSize9us".
inline constexpr int kStoreKeyChars = 64;

// The context's per-user settings INI, or null.
LPCWSTR SettingsIniOf(UCB* ucb);
// The driver INI of the context's printer, or null.
LPCWSTR DriverIniOf(UCB* ucb);
// A value of at most chars - 1 characters; empty when missing.
std::u16string ReadStoreText(LPCWSTR section, LPCWSTR key, LPCWSTR path, DWORD chars);
// A count: decimal text within 0..max (a negative count reads as 0, a
// larger one as max); 0 when missing or not a number.
int ReadStoreCount(LPCWSTR section, LPCWSTR key, LPCWSTR path, int max);
BOOL WriteStoreText(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR path);
// Writes the number as decimal text ("0" for 0).
BOOL WriteStoreNumber(LPCWSTR section, LPCWSTR key, int value, LPCWSTR path);
// The key followed by a suffix ("Name", "Comment").
std::u16string KeyWith(LPCWSTR key, LPCWSTR suffix);

// Reads or writes the set-file section named key of the file (the entry
// key stands in the place of the printer name for the span of the call).
BOOL ReadKeyedSetFile(UCB* ucb, LPCWSTR path, LPCWSTR key, DWORD flags);
BOOL WriteKeyedSetFile(UCB* ucb, LPCWSTR path, LPCWSTR key, DWORD flags);

// TRUE when the section's "RstVersion" is a version later than this
// driver's: an upgrade leaves such an entry as it is rather than rewrite
// it as if it were its own.
bool IsFromNewerDriver(UCB* ucb, LPCWSTR path, LPCWSTR section);

// A text setting as wide text, and stored from wide text.
std::u16string SettingText(UCB* ucb, WORD funcId);
BOOL SetSettingText(UCB* ucb, WORD funcId, LPCWSTR text);

}  // namespace storage
#endif
