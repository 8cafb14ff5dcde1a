// The special value lists of the job settings: numbered lists of values
// (duplex types, function ids) that validation, storage, batch install,
// set-file reading and bidi transfers test values against.
#pragma once

#include "platform/base/wintypes.h"

// One list: {0xFFFF, count, values}. A record with count 0 and no values
// ends the table.
struct DMSPECIAL {
  DWORD marker;  // always 0xFFFF
  DWORD count;
  const INT* values;
};

// List numbers.
enum DMSpecialList : int {
  kDMSpecialDuplexTop = 0,           // duplex types bound at the top
  kDMSpecialDuplexSide = 1,          // duplex types bound at a side
  kDMSpecialNoDefault = 2,           // settings that take no description default
                                     // and are never written to printer data singly
  kDMSpecialNotBatchInstall = 3,     // left out of a batch install
  kDMSpecialNotReadSetFile = 4,      // left out of a plain set-file read
  kDMSpecialNotBidi = 5,             // left out of bidi transfers
  kDMSpecialSourceOption = 6,        // input option settings
  kDMSpecialOutputOption = 7,        // output option settings
  kDMSpecialTrayField = 8,           // tray field and orientation settings
  kDMSpecialBookletSideFold = 9,
  kDMSpecialBookletSideFlat = 10,
  kDMSpecialBookletTopFold = 11,
  kDMSpecialBookletTopFlat = 12,
};
inline constexpr int kDMSpecialCount = 14;  // 13 lists and the end record

// The table; count (when given) receives 14.
const DMSPECIAL* GetDMSpecialTable(LPDWORD count);
// List n for n 0-12, else null.
const DMSPECIAL* GetDMSpecialTableByIndex(int index);
// TRUE when list n holds the value; FALSE for a list number out of range.
BOOL IsValidDMSpecialValue(int index, INT value);
