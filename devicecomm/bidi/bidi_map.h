// Device codes onto settings: the static tables that turn the trays, paper,
// media and options a device reports into printer-wide settings (function
// ids) or setting values, their getters and the lookups the status query
// and the default-tray choice use. Built into both libraries.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// One record of a table: the function id or value, and the device code.
// A table ends with a record whose first field is 0.
struct BIDIINFO {
  WORD wFirst;
  WORD wZero;
  DWORD dwCode;
};
static_assert(sizeof(BIDIINFO) == 8);

// The value the paper and media tables give for codes without a paper or
// media value; the lookups turn them into 0.
inline constexpr WORD kBidiNoValue = 2048;
inline constexpr WORD kBidiNoPaper = 2049;

// Tray tables in pairs: the primary table (name ending in 2) is used unless
// its first record is all zero, then the base table.
const BIDIINFO* GetBidiTrayInfoBit();
const BIDIINFO* GetBidiOrientInfoBit();
const BIDIINFO* GetBidiTrayInfo();
const BIDIINFO* GetBidiTrayInfoMedia();
const BIDIINFO* GetBidiTrayTrayLockInfoBit();
const BIDIINFO* GetBidiTrayDefTrayInfo();
const BIDIINFO* GetBidiTrayInfoBit2();
const BIDIINFO* GetBidiOrientInfoBit2();
const BIDIINFO* GetBidiTrayInfo2();
const BIDIINFO* GetBidiTrayInfoMedia2();
const BIDIINFO* GetBidiTrayTrayLockInfoBit2();
const BIDIINFO* GetBidiTrayDefTrayInfo2();
const BIDIINFO* GetBidiPaperInfoPortrait();
const BIDIINFO* GetBidiPaperInfoLandscape();
const BIDIINFO* GetBidiMediaInfo();
const BIDIINFO* GetBidiOptionInfo(UCB* ucb);  // the context is not used

// The first field of the first record with that code; 0 at the end.
WORD GetFidFromBidiData(DWORD code, const BIDIINFO* table);
// Through the pair in force.
WORD GetFidFromBidiDataTrayAvailable(DWORD code);
WORD GetFidFromBidiDataOrientAvailable(DWORD code);
WORD GetFidFromBidiDataTray(DWORD code);
WORD GetFidFromBidiDataTrayMedia(DWORD code);
WORD GetFidFromBidiDataTrayTrayLock(DWORD code);
WORD GetFidFromBidiDataTrayDefTray(DWORD code);
// The portrait table first (landscape 0), else the landscape table
// (landscape 1); the no-value codes give 0.
WORD GetFidFromBidiDataPaper(DWORD code, DWORD* landscape);
WORD GetFidFromBidiDataMedia(DWORD code);
// Bits of a tray's state word.
WORD GetFidFromBidiDataTrayLock(DWORD bits);            // bit 0
WORD GetFidFromBidiDataCoverDefTray(DWORD bits);        // bit 2
WORD GetFidFromBidiDataMPDefTray(DWORD bits);           // bit 3
WORD GetFidFromBidiDataReverseCoverDefTray(DWORD bits); // bit 9
// Asked of the feature modules (event 8): index 0 the chapter default tray,
// 1-3 chapter separators 1-3; the low 16 bits of the answer, 0 when no
// module answers.
WORD GetFidFromBidiDataChapterDefTray(DWORD bits, UCB* ucb);
WORD GetFidFromBidiDataChapterDefTray1(DWORD bits, UCB* ucb);
WORD GetFidFromBidiDataChapterDefTray2(DWORD bits, UCB* ucb);
WORD GetFidFromBidiDataChapterDefTray3(DWORD bits, UCB* ucb);
WORD GetFidFromBidiDataOptionDevice(DWORD code, UCB* ucb);
// TRUE for the option codes of punch units.
BOOL IsOptDevPunch(DWORD code);
