// The static data of the device rules. Paper and tray lists are zero-ended
// lists of 16-bit codes; the other tables end with a row of zeros.
#pragma once

#include "platform/base/wintypes.h"

// --- Trays -----------------------------------------------------------------

// Tray codes as dmDefaultSource and the insert-tray settings hold them.
// Code 2 is the third tray and code 3 the second.
inline constexpr WORD kTrayCode1 = 1;
inline constexpr WORD kTrayCode3 = 2;
inline constexpr WORD kTrayCode2 = 3;
inline constexpr WORD kTrayCodeManual = 4;
inline constexpr WORD kTrayCodeAuto = 7;
inline constexpr WORD kTrayCodeLCT = 11;
inline constexpr WORD kTrayCode4 = 256;
inline constexpr WORD kTrayCode5 = 261;
inline constexpr WORD kTrayCode6 = 262;
inline constexpr WORD kTrayCode7 = 263;
inline constexpr WORD kTrayCodeInserter = 286;
// Trays without a code of their own: code 4 names the manual feeder, or
// the multi-purpose tray when there is no manual feeder.
inline constexpr WORD kTrayManualFeeder = 0xFFFE;
inline constexpr WORD kTrayMultiPurpose = 0xFFFF;

// Where one tray keeps its paper size, loading direction (0 portrait,
// 1 landscape) and lock: printer-wide settings by function id. A lock id
// of 0: the tray cannot be locked.
struct TrayRecordIds {
  WORD tray;
  WORD paper;
  WORD orient;
  WORD lock;
};
extern const TrayRecordIds kTrayRecordIds[];

// --- Finisher option bits -----------------------------------------------

enum class Fin : BYTE { QA, QC, QD, QE, QF, QG, QH, QJ, QK, QL };

// Punch hole groups a variant can make: two holes (types 1-3), three holes
// (17-19), four holes (33-35), four holes of the second pattern (49-51).
inline constexpr BYTE kHolesJP = 0x01;
inline constexpr BYTE kHolesNA = 0x02;
inline constexpr BYTE kHolesEU = 0x04;
inline constexpr BYTE kHolesNE = 0x08;

enum class FinBitKind : BYTE {
  kEnd,
  kPlain,    // the finisher itself
  kRegion,   // a punch variant: restricts the punch types
  kNoPunch,  // the variant without a punch unit
};

// One printer-wide option bit of a finisher family. Region rows of a
// family are in the order their punch restriction is looked for.
struct FinOptionBit {
  Fin fin;
  FinBitKind kind;
  WORD bit;            // function id of the option bit
  BYTE holes;          // groups of a region variant
  BYTE holesOnFolder;  // the same on machines 144 and 169
  BOOL secondModel;    // a variant of the second model of the family
};
extern const FinOptionBit kFinOptionBits[];

// --- Finisher sizes ---------------------------------------------------------

extern const WORD SupportPrintSizeFinQA[];  // also QC, QG, QH, QJ and QK
extern const WORD SupportPrintSizeFinQD[];
extern const WORD SupportPrintSizeFinQE[];
extern const WORD SupportPrintSizeFinQF[];
extern const WORD SupportPrintSizeFinQL[];
extern const WORD NotSupportPrintSizePunchFinQANAEU[];  // also QG, QH, QJ and QK
extern const WORD NotSupportPrintSizePunchFinQLNAEU[];
extern const WORD PrintSizePortraitOnly[];

// --- Folding ------------------------------------------------------------------

// A paper size and its fold class (1-3); a row with code 0 ends the table.
struct FoldPaperSize {
  WORD paper;
  BYTE foldClass;
  BYTE zero;
};
static_assert(sizeof(FoldPaperSize) == 4);
extern const FoldPaperSize SupportFoldPaperSize[];
extern const WORD FoldSupportTray_Mach1[];
extern const WORD FoldSupportTray_Mach2[];

// Whether a zero-ended list holds the code (0 itself is never held).
bool InCodeList(const WORD* list, WORD code);
