// The driver's own tables of accepted values: for settings whose values are
// device numbers without text (paper and tray codes, resolutions, media), a
// list per function id (fgDM); small lists by index used by the duplex rules
// and by the filters of other parts of the driver (fgDMSpecial); and the
// custom paper size ranges by tray and orientation.
#pragma once

#include "platform/base/wintypes.h"

// One row of fgDM. The table ends with a row whose function id is 0.
struct DMValueRecord {
  DWORD funcId;
  DWORD count;
  const LONG* values;
};

// One list of fgDMSpecial: mark 0xFFFF, count and the values. The last
// record (count 0, no list) ends the table.
struct DMSpecialRecord {
  DWORD mark;
  DWORD count;
  const LONG* values;
};

inline constexpr DWORD kDMSpecialMark = 0xFFFF;
inline constexpr int kDMSpecialCount = 14;  // records, the end record included

// Indexes of the fgDMSpecial lists.
enum DMSpecialList : int {
  kDuplexTop = 0,             // duplex types bound at the top
  kDuplexRightLeft = 1,       // duplex types bound at a side
  kInvalidKDMValue = 2,       // settings that take no description default
  kInvalidBatchInstall = 3,   // settings the batch install leaves alone
  kInvalidReadSetFile = 4,    // settings a plain set-file read leaves alone
  kInvalidBidiSetFile = 5,    // settings a bidi set file leaves alone
  kValidSourceOption = 6,     // input option settings
  kValidOutputOption = 7,     // output option settings
  kValidTrayField = 8,        // tray field and orientation settings
  kDuplexBookletCSide = 9,
  kDuplexBookletFSide = 10,
  kDuplexBookletCTop = 11,
  kDuplexBookletFTop = 12,
};

// One row of the custom paper size range table, 40 bytes. Lengths and
// widths are 1200-dpi dots, maximum first; the millimetre pair is used when
// sizes are shown in millimetres, the inch pair when they are shown in
// inches. The table ends with a row whose tray is 0.
struct FreeSizeRange {
  WORD kind;           // 3 in every row
  SHORT tray;          // a dmDefaultSource value
  SHORT orientation;   // 1 or 2, as the free-size orientation settings store it
  WORD zero;
  LONG lengthMaxMM;
  LONG lengthMinMM;
  LONG widthMaxMM;
  LONG widthMinMM;
  LONG lengthMaxInch;
  LONG lengthMinInch;
  LONG widthMaxInch;
  LONG widthMinInch;
};
static_assert(sizeof(FreeSizeRange) == 40);

extern const DMValueRecord fgDM[];
extern const DMSpecialRecord fgDMSpecial[kDMSpecialCount];
extern const FreeSizeRange FreeSizeRangeTable[];

// --- Lookups --------------------------------------------------------------

const DMValueRecord* GetDMValueTable();
// The first row with that function id (ids compared as 16-bit signed
// numbers), or null.
const DMValueRecord* GetDMValueTableByFuncID(DWORD funcId);
// 1 when the row of the id exists and lists the value, else 0.
BOOL IsValidDMValue(DWORD funcId, LONG value);

const DMSpecialRecord* GetDMSpecialTable(int* count);
// Record n for n from 0 to 12, else null.
const DMSpecialRecord* GetDMSpecialTableByIndex(int n);
// Membership in list n; 0 for an index without a list.
BOOL IsValidDMSpecialValue(int n, LONG value);

// The paper sizes of the paper-fitting rules, ended by 0; empty in this
// model, so the test is always 0.
const LONG* GetPaperFittingPaperSize();
BOOL IsPaperFittingPaperSize(LONG value);

const FreeSizeRange* GetPtrFreeSizeRangeTable();

// 0 for the dialogs that never change the DEVMODE (1020, 1025), else 1.
BOOL IsDevmodeChangedOnDialog(WORD dialogId);
// The application request block and the job-code steps are built in
// wherever the job-code library binding is: 1 in the user-mode build, 0
// (no library) in the kernel-mode build.
BOOL IsSupportJobCodeDLL();
BOOL IsSupportWEXA_API();
