// The install INI "kesmins.ini" of the shared directory: per printer
// section the display language, default paper and unit and the user code
// that a set-up program chose, or the defaults the user's locale gives.
// "KesmInstDone" says whether values wait there ("0"), were taken over
// ("1") or there are none (anything else).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// WriteKesmInstFile types.
inline constexpr DWORD kKesmInstWriteReset = 0;   // user code cleared, then the context's
inline constexpr DWORD kKesmInstWriteCode = 1;    // the context's code, also as the last used one
inline constexpr DWORD kKesmInstWriteNoCode = 2;  // user codes off, nothing else

#if !KESM_KERNEL_MODE
// Takes the install INI's values (or the locale's defaults) into the
// context's display language (169, 170), locale (172), unit (171) and paper
// (8), and the user code into 10002, 10003 and the UserCodeFIX flag. The
// printer section is name, or the context's printer name when null.
BOOL KesmInstProcForInstall(LPCWSTR name, UCB* ucb);
// TRUE when the section had values waiting ("KesmInstDone" 0 and
// "DispLang" present): they are read into the install record and the
// section is marked taken. A "UserCodeString" longer than the field is
// refused: the user code is then not taken (the other values are).
BOOL ReadKesmInstFile(LPCWSTR name, UCB* ucb);
// The install record from the user's locale and the description.
BOOL GetKesmInstDefault(LPCWSTR name, UCB* ucb);
// After a rename: the section is written from the context's settings and
// read back.
BOOL RefreshKesmInstFile(LPCWSTR name, UCB* ucb);
BOOL WriteKesmInstFile(LPCWSTR name, DWORD type, UCB* ucb);

// The first digit of the user's country code when it is 1, 2 or 5, else 0.
WORD GetLocalePrimaryID(UCB* ucb);
// The locale rule into the install record (locale id, paper, unit); the
// locale id also into setting 172.
BOOL SetLocalePrimaryID(UCB* ucb);
#endif
