// User codes: the accounting code a printer asks for before it prints a
// job. Per printer the driver keeps whether user codes are in use
// (kdmLogCodeUse), the code (kdmLogCode, with a copy in kdmDllLogCode) and
// whether it is fixed (the UserCodeFIX run-time flag). A print server's
// administrator imposes them through printer data ("ServerUse",
// "UserCodeUse", "UserCode"); otherwise they come from the install INI
// "kesmins.ini" in the shared directory.
#pragma once

#include <cstddef>

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr const WCHAR* kUserCodeIniName = u"kesmins.ini";
inline constexpr const WCHAR* kUserCodeMruSection = u"TALVO UserCode";
// Keys of a printer's section of the install INI, and of the section of
// the code used last.
inline constexpr const WCHAR* kUserCodeKeyInUse = u"UserCode";
inline constexpr const WCHAR* kUserCodeKeyText = u"UserCodeString";
inline constexpr const WCHAR* kUserCodeKeyFixed = u"UserCodeFIX";
inline constexpr const WCHAR* kUserCodeKeyMru = u"MRUUserCode";
// The longest user code the settings hold, in characters. A longer code is
// refused, never cut: a cut code would charge the jobs to another account.
inline constexpr std::size_t kUserCodeLongest = 8;

// Reads the user-code settings into the context: from printer data when
// the printer's "ServerUse" is set (a code longer than kUserCodeLongest is
// not taken; user codes stay in use as imposed), else from the install INI. FALSE on a
// client driver (nothing read) and when the INI cannot be had.
BOOL GetUserCodeFromDriverDependOnMachine(UCB* ucb);
// Reads them from the printer's section of the install INI. A printer
// without a "UserCode" entry takes the code used last on any printer
// ("MRUUserCode") and gets "UserCode" = 0 and that code written into its
// section; a missing INI is created with empty entries. A code longer than
// kUserCodeLongest is not taken: the code is empty and not in use. The INI is read
// and written under the cross-process lock. FALSE when the INI's path or
// the printer's name cannot be had.
//
// The rendering library neither tests for nor creates the INI, and its
// writes only replace values that are already there.
BOOL GetUserCodeFromINI(UCB* ucb);

// The user code of the printer sheet's user-code edit (kdmUserCode), kept
// where the two readers above find it. Configuration library only.
//
// Puts the code the driver would take into kdmUserCode, writing nothing:
// kdmLogCode while a server imposes the codes (its "ServerUse" set, on a
// printer that is not a client), else what the install INI gives. FALSE
// when the INI's path or the printer's name cannot be had.
BOOL LoadUserCodeForSheet(UCB* ucb);
// After the sheet's OK: while kdmServerLogCode says the server imposes the
// codes, kdmLogCode := kdmUserCode (written with the printer data);
// otherwise the printer's section of the install INI gets "UserCode" (in
// use as kdmLogCodeUse says) and "UserCodeString" when the code differs
// from what the INI gives or the in-use box was changed. A code the INI
// marks fixed ("UserCodeFIX") is left as it is. FALSE when the INI cannot
// be had or written.
BOOL KeepUserCodeFromSheet(UCB* ucb);

// Work that only systems up to Windows 2000 SP3 need, where the user code
// came from the provider library: on the systems this driver serves they
// do nothing (the first two answer TRUE).
BOOL UserCodeForInstallDependOnMachine(UCB* ucb);
BOOL GetUserCodeDependOnMachine(UCB* ucb);
void UserCodeDLLDependOnMachine(UCB* ucb);
void SetUserCodeDLLNTDependOnMachine(UCB* ucb);
