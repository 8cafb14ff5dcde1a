// The run-time correction of a context's own setting and item tables for
// the dialogs: request bits that writes post, item behaviour flags, the
// preset number's value list, settings shared by several controls and
// storage places shared by two settings. Runs once per context, when its
// items are first bound, before any item is bound to its setting.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"
#include "settings/tables/setting_table.h"

struct UCB;

// Item flag bits set here.
inline constexpr DWORD kIcbReinitOnRequest1 = 0x00010000;
inline constexpr DWORD kIcbReinitOnRequest2 = 0x00020000;
inline constexpr DWORD kIcbReinitOnRequest3 = 0x00100000;
inline constexpr DWORD kIcbReinitOnRequest4 = 0x01000000;
inline constexpr DWORD kIcbNoArrowStep = 0x00200000;
inline constexpr DWORD kIcbTextLimit260 = 0x00400000;
inline constexpr DWORD kIcbKeepBlanks = 0x00800000;
inline constexpr DWORD kIcbSavePresetButton = 0x02000000;
inline constexpr DWORD kIcbNeverRefill = 0x04000000;
inline constexpr DWORD kIcbPictureList = 0x08000000;
inline constexpr DWORD kIcbHiddenFunction = 0x20000000;

// The preset number's values as the dialogs see them: the stored index
// (-1 none, 0-15) shown as string ids 118-134. Ends with {0, 0}.
extern const CDT workCDT[18];

// Corrects the context's copies; the setting record of function id 946
// (callers do not use it). Pairs whose source or target the context lacks
// are left as they are.
SFCB* CorrectKpd(UCB* ucb);
