// The driver's DEVMODE: the system's public part followed by the private part
// (header, private settings, reserved area, run-time flags). The record
// travels between processes, the kernel and printer data, so every offset is
// part of the format. The structs below document that format and pin it with
// static_asserts; code reads and writes the fields through the byte-safe
// helpers at the offsets, never through a pointer to a packed member.
#pragma once

#include <cstddef>

#include "platform/spooler/devmode.h"
#include "platform/base/wintypes.h"

// Sizes on Windows NT. The block offsets stored in the header are these.
inline constexpr int kSizeofDM = 220;        // public part, dmSize
inline constexpr int kSizeofPrivDM = 1016;   // private part, dmDriverExtra
inline constexpr int kSizeofKesmDM = 1236;   // whole DEVMODE
inline constexpr int kSizeofPrnDM = 1020;    // printer-wide block of the DCB
inline constexpr int kSizeofWorkDM = 3116;   // work block of the DCB
inline constexpr int kSizeofDCB = kSizeofKesmDM + kSizeofPrnDM + kSizeofWorkDM;
static_assert(kSizeofDCB == 5372);
static_assert(kSizeofDM + kSizeofPrivDM == kSizeofKesmDM);

// Block offsets inside a DCB: DEVMODE, printer-wide part, work part.
inline constexpr WORD kDcbBlock1Offset = 0;
inline constexpr WORD kDcbBlock2Offset = kSizeofKesmDM;
inline constexpr WORD kDcbBlock3Offset = kSizeofKesmDM + kSizeofPrnDM;
static_assert(kDcbBlock3Offset == 2256);

// Header values of the model's private part.
inline constexpr char kPrivSignature[4] = {'K', 'E', 'S', 'M'};  // no terminator
inline constexpr DWORD kPrivDataValue = 0x76697270;              // the bytes "priv"
inline constexpr DWORD kPrivVersion = 310;
inline constexpr char kTcomMark[8] = "TCOMMON";
inline constexpr BYTE kTcomVersion = 5;

#pragma pack(push, 1)

// Private document header, DEVMODE offsets 220-367.
struct PrivateDocHeader {
  CHAR signature[4];        // "KESM"
  DWORD reserved;           // a setting of its own lives here (KPD_kdmPlexor)
  CHAR kdmIniFileName[16];  // per-user settings INI name, ANSI
  CHAR kdmiCDCVerStr[16];
  CHAR kdmiKPJLVerStr[16];
  CHAR kdmTcomMark[8];      // "TCOMMON" with terminator; empty in kernel mode
  BYTE kdmTcomVersion;      // 5; 0 in kernel mode
  BYTE kdmTcomMember[32];   // application request block
  BYTE kdmTcomCaps[32];     // capability block for applications
  DWORD dwPrivData;         // model signature
  DWORD dwSize;             // size of the private part
  DWORD dwVersion;          // private-layout version
  WORD blockOffset[3];      // DCB offsets of blocks 1, 2, 3
  BYTE reserved2;
};
static_assert(sizeof(PrivateDocHeader) == 148);

// Run-time flags, DEVMODE offsets 1219-1235: the environment of the current
// call, never a user choice.
struct KDMRunTimeFlags {
  BYTE CallSrc;           // 0 application, 1 property sheet
  BYTE OSKind;            // 1 NT 4, 2 Windows 2000 or later
  BYTE BatchInst;
  BYTE PrintLog;
  BYTE BiDirect;
  BYTE NoPermission;
  BYTE PresentUIMode;
  BYTE BidiSupport;
  BYTE ServerClientMode;
  BYTE UserCodeFIX;
  BYTE UserCodeGet;
  BYTE PXInstalled;
  BYTE PropertyType;      // 0 document, 1 printer properties
  BYTE UserCodeDLL;
  BYTE TSE;
  BYTE Admin;
  BYTE BidiFunc;          // bit set of default trays learnt from the device
};
static_assert(sizeof(KDMRunTimeFlags) == 17);

// Private part, DEVMODE offsets 220-1235. The number beside a field is the
// function id of its setting. Flag words hold single-bit settings: id
// first + n is bit n of the little-endian value at the offset. Reserved
// bytes are zero in a default DEVMODE.
struct PrivDM {
  PrivateDocHeader header;
  BYTE kdmMachineID;                      // 35
  BYTE kdmUIModeChange;                   // 36
  signed char kdmPresetNo;                // 37
  BYTE reserved371[1];
  SHORT kdmDstResolutionW;                // 38
  SHORT kdmDstResolutionH;                // 39
  DWORD kdmSrcPaperLengthDot;             // 40
  DWORD kdmSrcPaperWidthDot;              // 41
  DWORD kdmSrcPaperPrnLengthDot;          // 42
  DWORD kdmSrcPaperPrnWidthDot;           // 43
  DWORD kdmSrcXOffset;                    // 44
  DWORD kdmSrcYOffset;                    // 45
  SHORT kdmOutPaperSize;                  // 46
  BYTE reserved402[2];
  DWORD kdmDstPaperLengthDot;             // 47
  DWORD kdmDstPaperWidthDot;              // 48
  DWORD kdmDstPaperPrnLengthDot;          // 49
  DWORD kdmDstPaperPrnWidthDot;           // 50
  DWORD kdmDstXOffset;                    // 51
  DWORD kdmDstYOffset;                    // 52
  WORD kdmOutputTrayID;                   // 53
  BYTE reserved430[2];
  DWORD kdmMediaType;                     // 54
  DWORD kdmFuncSelect;                    // 55-86
  BYTE kdmScaleType;                      // 87
  BYTE kdmScaleFlags;                     // 88
  WORD kdmScaleH;                         // 89
  WORD kdmScaleV;                         // 90
  BYTE kdmNUPPOSTKind;                    // 91
  BYTE reserved447[1];
  WORD kdmNUPType;                        // 92
  BYTE kdmNUPLine;                        // 93
  BYTE kdmDuplexType;                     // 94
  BYTE kdmShiftDir;                       // 95
  BYTE reserved453[1];
  SHORT kdmShiftMarginX;                  // 96
  SHORT kdmShiftMarginY;                  // 97
  SHORT kdmMarginOdd;                     // 98
  SHORT kdmMarginEven;                    // 99
  BYTE kdmHFFuncSelect;                   // 100-107
  BYTE kdmHFDatePosi;                     // 108
  BYTE kdmHFDateForm;                     // 109
  BYTE kdmHFPagePosi;                     // 110
  BYTE kdmHFPageForm;                     // 111
  BYTE kdmHFStrPosi;                      // 112
  BYTE kdmHFStrForm;                      // 113
  CHAR kdmHFString[33];                   // 114
  CHAR kdmHFFontName[32];                 // 115
  WORD kdmHFFontPoint;                    // 116
  BYTE kdmWmKind;                         // 117
  BYTE reserved537[1];
  WORD kdmWmID;                           // 118
  BYTE kdmSortType;                       // 119
  BYTE kdmPunchType;                      // 120
  WORD kdmStapleType;                     // 121
  BYTE kdmMarkPaperType;                  // 122
  BYTE reserved545[1];
  SHORT kdmMPInputTray;                   // 123
  BYTE kdmCoverType;                      // 124
  BYTE reserved549[1];
  SHORT kdmCoverInputTray;                // 125
  BYTE kdmBackCoverType;                  // 126
  BYTE reserved553[1];
  SHORT kdmBackCoverInputTray;            // 127
  BYTE kdmAdjustMode;                     // 128
  BYTE kdmAdjustObject;                   // 129
  BYTE kdmColorMatching;                  // 130
  BYTE kdmICMType;                        // 131
  BYTE kdmICMIntent;                      // 132
  BYTE kdmColorMatchingMode;              // 133
  BYTE kdmColorMode;                      // 134
  BYTE kdmCharBlackFlags;                 // 135
  BYTE kdmAutoCorrectPhoto;               // 136
  BYTE reserved565[1];
  WORD kdmDitherType;                     // 137
  signed char kdmBrightness;              // 138
  signed char kdmContrast;                // 139
  signed char kdmSaturation;              // 140
  signed char kdmColorBalanceR;           // 141
  signed char kdmColorBalanceG;           // 142
  signed char kdmColorBalanceB;           // 143
  BYTE kdmPlaneUseCMYK;                   // 144-151
  BYTE kdmDstResolutionBoth;              // 152
  WORD kdmQualityFunc;                    // 153-168
  BYTE kdmLanguageID;                     // 169
  BYTE kdmDspLanguageID;                  // 170
  BYTE kdmDspUnit;                        // 171
  BYTE kdmLocaleID;                       // 172
  BYTE kdmExtPrintArea;                   // 173
  BYTE kdmImagePrint;                     // 174
  BYTE kdmColorProcess;                   // 175
  BYTE kdmUseUserMacroFlags;              // 176
  BYTE kdmPrintMacro;                     // 177
  BYTE kdmBalanceMacro;                   // 178
  BYTE kdmUserPrintMacro;                 // 179
  BYTE kdmTTFont;                         // 180
  BYTE kdmResBorder;                      // 181
  BYTE kdmSmoothing;                      // 182
  WORD kdmExtOutput;                      // 183-198
  BYTE kdmCosmeticLine;                   // 199
  BYTE kdmTonerSave;                      // 200
  BYTE kdmEmulation;                      // 201
  CHAR kdmUserID[9];                      // 202
  CHAR kdmUserCode[9];                    // 203
  CHAR kdmOwnerName[17];                  // 204
  CHAR kdmMergeFileName[65];              // 205
  CHAR kdmDocumentName[17];               // 206
  CHAR kdmJOBPassword[9];                 // 207
  CHAR kdmStoredPassword[9];              // 208
  BYTE kdmPrnMethod;                      // 209
  BYTE kdmTime;                           // 210
  WORD kdmAction;                         // 211-226
  BYTE kdmLoadShare;                      // 227
  BYTE kdmRemotePrint;                    // 228
  BYTE kdmAddressType;                    // 229
  BYTE reserved739[1];
  WORD kdmAddrListSelectNo;               // 230
  CHAR kdmTelNo[65];                      // 231
  BYTE kdmTelLine;                        // 232
  WORD kdmKESMVer;                        // 233
  BYTE kdmMachineType;                    // 234-241
  BYTE kdmDriverType;                     // 242
  BYTE kdmAPIUseFlag;                     // 243
  BYTE reserved813[3];
  DWORD kdmInOptionSupport;               // 244-275
  DWORD kdmOutOptionSupport;              // 276-307
  DWORD kdmOutOption2Support;             // 308-339
  DWORD kdmPaperFreeSizeWidth;            // 340
  DWORD kdmPaperFreeSizeLength;           // 341
  WORD kdmPaperFreeSizeTray;              // 342
  WORD kdmPaperFreeSizeOrient;            // 343
  DWORD kdmPrintFreeSizeWidth;            // 344
  DWORD kdmPrintFreeSizeLength;           // 345
  WORD kdmPrintFreeSizeTray;              // 346
  WORD kdmPrintFreeSizeOrient;            // 347
  DWORD kdmFrontFunc;                     // 348
  DWORD kdmHiddenFunc;                    // 349-380
  WORD kdmExtOutput2;                     // 381-396
  WORD kdmDryTimer;                       // 397
  BYTE kdmPassMode;                       // 398
  signed char kdmGammaC;                  // 399
  signed char kdmGammaM;                  // 400
  signed char kdmGammaY;                  // 401
  signed char kdmGammaK;                  // 402
  signed char kdmOrientationManualTray;   // 403
  SHORT kdmCoverMediaType;                // 404
  SHORT kdmBackCoverMediaType;            // 405
  SHORT kdmMPInputMediaType;              // 406
  SHORT kdmChapterMediaType;              // 407
  SHORT kdmReverseCoverInputTray;         // 408
  SHORT kdmReverseCoverMediaType;         // 409
  SHORT kdmReverseCoverType;              // 410
  SHORT kdmSeparationSheetCycle;          // 411
  BYTE reserved886[2];
  DWORD kdmOutOption3Support;             // 412-443
  BYTE kdmHiddenDstResolutionBoth;        // 444
  BYTE kdmSkipCount;                      // 445
  BYTE kdmPrintSpeed;                     // 446
  BYTE reserved895[1];
  DWORD kdmHidden2Func;                   // 447-478
  DWORD kdmOutOption4Support;             // 479-510
  BYTE kdmFoldType;                       // 511
  BYTE kdmCopyProtectColor;               // 512
  BYTE kdmCopyProtectDensity;             // 513
  BYTE kdmCopyProtectFuncSelect;          // 514-521
  BYTE kdmCopyProtectTileMask;            // 522
  BYTE kdmCopyProtectPosi;                // 523
  CHAR kdmCopyProtectChar[65];            // 524
  CHAR kdmCopyProtectFontName[32];        // 525
  BYTE kdmCopyProtectFontStyle;           // 526
  WORD kdmCopyProtectFontPoint;           // 527
  WORD kdmCopyProtectAngle;               // 528
  WORD kdmCopyProtectLinePitch;           // 529
  BYTE reserved1014[2];
  DWORD kdmFunc2Select;                   // 530-561
  DWORD kdmSupportFunc2Select;            // 562-593
  DWORD kdmPaperINCHLength;               // 594
  DWORD kdmPaperINCHWidth;                // 595
  DWORD kdmDstPaperLengthMM;              // 596
  DWORD kdmDstPaperWidthMM;               // 597
  CHAR kdmTrackID[21];                    // 598
  BYTE reserved1061[158];                 // no setting lives here; travels with the part
  KDMRunTimeFlags runTime;                // 607-623
};
static_assert(sizeof(PrivDM) == kSizeofPrivDM);

// The whole DEVMODE as the driver builds it; block 1 of a DCB.
struct KesmDM {
  DEVMODEW pub;
  PrivDM priv;
};
static_assert(sizeof(KesmDM) == kSizeofKesmDM);

#pragma pack(pop)

// DEVMODE offset of a field of the private part.
#define KDM_OFFSET(field) (kSizeofDM + offsetof(PrivDM, field))

// Every field at its published DEVMODE offset.
#define KESM_KDM_AT(field, at) static_assert(KDM_OFFSET(field) == (at), #field)
KESM_KDM_AT(header, 220);
KESM_KDM_AT(header.reserved, 224);
KESM_KDM_AT(header.kdmIniFileName, 228);
KESM_KDM_AT(header.kdmiCDCVerStr, 244);
KESM_KDM_AT(header.kdmiKPJLVerStr, 260);
KESM_KDM_AT(header.kdmTcomMark, 276);
KESM_KDM_AT(header.kdmTcomVersion, 284);
KESM_KDM_AT(header.kdmTcomMember, 285);
KESM_KDM_AT(header.kdmTcomCaps, 317);
KESM_KDM_AT(header.dwPrivData, 349);
KESM_KDM_AT(header.dwSize, 353);
KESM_KDM_AT(header.dwVersion, 357);
KESM_KDM_AT(header.blockOffset, 361);
KESM_KDM_AT(header.reserved2, 367);
KESM_KDM_AT(kdmMachineID, 368);
KESM_KDM_AT(kdmUIModeChange, 369);
KESM_KDM_AT(kdmPresetNo, 370);
KESM_KDM_AT(kdmDstResolutionW, 372);
KESM_KDM_AT(kdmDstResolutionH, 374);
KESM_KDM_AT(kdmSrcPaperLengthDot, 376);
KESM_KDM_AT(kdmSrcPaperWidthDot, 380);
KESM_KDM_AT(kdmSrcPaperPrnLengthDot, 384);
KESM_KDM_AT(kdmSrcPaperPrnWidthDot, 388);
KESM_KDM_AT(kdmSrcXOffset, 392);
KESM_KDM_AT(kdmSrcYOffset, 396);
KESM_KDM_AT(kdmOutPaperSize, 400);
KESM_KDM_AT(kdmDstPaperLengthDot, 404);
KESM_KDM_AT(kdmDstPaperWidthDot, 408);
KESM_KDM_AT(kdmDstPaperPrnLengthDot, 412);
KESM_KDM_AT(kdmDstPaperPrnWidthDot, 416);
KESM_KDM_AT(kdmDstXOffset, 420);
KESM_KDM_AT(kdmDstYOffset, 424);
KESM_KDM_AT(kdmOutputTrayID, 428);
KESM_KDM_AT(kdmMediaType, 432);
KESM_KDM_AT(kdmFuncSelect, 436);
KESM_KDM_AT(kdmScaleType, 440);
KESM_KDM_AT(kdmScaleFlags, 441);
KESM_KDM_AT(kdmScaleH, 442);
KESM_KDM_AT(kdmScaleV, 444);
KESM_KDM_AT(kdmNUPPOSTKind, 446);
KESM_KDM_AT(kdmNUPType, 448);
KESM_KDM_AT(kdmNUPLine, 450);
KESM_KDM_AT(kdmDuplexType, 451);
KESM_KDM_AT(kdmShiftDir, 452);
KESM_KDM_AT(kdmShiftMarginX, 454);
KESM_KDM_AT(kdmShiftMarginY, 456);
KESM_KDM_AT(kdmMarginOdd, 458);
KESM_KDM_AT(kdmMarginEven, 460);
KESM_KDM_AT(kdmHFFuncSelect, 462);
KESM_KDM_AT(kdmHFDatePosi, 463);
KESM_KDM_AT(kdmHFDateForm, 464);
KESM_KDM_AT(kdmHFPagePosi, 465);
KESM_KDM_AT(kdmHFPageForm, 466);
KESM_KDM_AT(kdmHFStrPosi, 467);
KESM_KDM_AT(kdmHFStrForm, 468);
KESM_KDM_AT(kdmHFString, 469);
KESM_KDM_AT(kdmHFFontName, 502);
KESM_KDM_AT(kdmHFFontPoint, 534);
KESM_KDM_AT(kdmWmKind, 536);
KESM_KDM_AT(kdmWmID, 538);
KESM_KDM_AT(kdmSortType, 540);
KESM_KDM_AT(kdmPunchType, 541);
KESM_KDM_AT(kdmStapleType, 542);
KESM_KDM_AT(kdmMarkPaperType, 544);
KESM_KDM_AT(kdmMPInputTray, 546);
KESM_KDM_AT(kdmCoverType, 548);
KESM_KDM_AT(kdmCoverInputTray, 550);
KESM_KDM_AT(kdmBackCoverType, 552);
KESM_KDM_AT(kdmBackCoverInputTray, 554);
KESM_KDM_AT(kdmAdjustMode, 556);
KESM_KDM_AT(kdmAdjustObject, 557);
KESM_KDM_AT(kdmColorMatching, 558);
KESM_KDM_AT(kdmICMType, 559);
KESM_KDM_AT(kdmICMIntent, 560);
KESM_KDM_AT(kdmColorMatchingMode, 561);
KESM_KDM_AT(kdmColorMode, 562);
KESM_KDM_AT(kdmCharBlackFlags, 563);
KESM_KDM_AT(kdmAutoCorrectPhoto, 564);
KESM_KDM_AT(kdmDitherType, 566);
KESM_KDM_AT(kdmBrightness, 568);
KESM_KDM_AT(kdmContrast, 569);
KESM_KDM_AT(kdmSaturation, 570);
KESM_KDM_AT(kdmColorBalanceR, 571);
KESM_KDM_AT(kdmColorBalanceG, 572);
KESM_KDM_AT(kdmColorBalanceB, 573);
KESM_KDM_AT(kdmPlaneUseCMYK, 574);
KESM_KDM_AT(kdmDstResolutionBoth, 575);
KESM_KDM_AT(kdmQualityFunc, 576);
KESM_KDM_AT(kdmLanguageID, 578);
KESM_KDM_AT(kdmDspLanguageID, 579);
KESM_KDM_AT(kdmDspUnit, 580);
KESM_KDM_AT(kdmLocaleID, 581);
KESM_KDM_AT(kdmExtPrintArea, 582);
KESM_KDM_AT(kdmImagePrint, 583);
KESM_KDM_AT(kdmColorProcess, 584);
KESM_KDM_AT(kdmUseUserMacroFlags, 585);
KESM_KDM_AT(kdmPrintMacro, 586);
KESM_KDM_AT(kdmBalanceMacro, 587);
KESM_KDM_AT(kdmUserPrintMacro, 588);
KESM_KDM_AT(kdmTTFont, 589);
KESM_KDM_AT(kdmResBorder, 590);
KESM_KDM_AT(kdmSmoothing, 591);
KESM_KDM_AT(kdmExtOutput, 592);
KESM_KDM_AT(kdmCosmeticLine, 594);
KESM_KDM_AT(kdmTonerSave, 595);
KESM_KDM_AT(kdmEmulation, 596);
KESM_KDM_AT(kdmUserID, 597);
KESM_KDM_AT(kdmUserCode, 606);
KESM_KDM_AT(kdmOwnerName, 615);
KESM_KDM_AT(kdmMergeFileName, 632);
KESM_KDM_AT(kdmDocumentName, 697);
KESM_KDM_AT(kdmJOBPassword, 714);
KESM_KDM_AT(kdmStoredPassword, 723);
KESM_KDM_AT(kdmPrnMethod, 732);
KESM_KDM_AT(kdmTime, 733);
KESM_KDM_AT(kdmAction, 734);
KESM_KDM_AT(kdmLoadShare, 736);
KESM_KDM_AT(kdmRemotePrint, 737);
KESM_KDM_AT(kdmAddressType, 738);
KESM_KDM_AT(kdmAddrListSelectNo, 740);
KESM_KDM_AT(kdmTelNo, 742);
KESM_KDM_AT(kdmTelLine, 807);
KESM_KDM_AT(kdmKESMVer, 808);
KESM_KDM_AT(kdmMachineType, 810);
KESM_KDM_AT(kdmDriverType, 811);
KESM_KDM_AT(kdmAPIUseFlag, 812);
KESM_KDM_AT(kdmInOptionSupport, 816);
KESM_KDM_AT(kdmOutOptionSupport, 820);
KESM_KDM_AT(kdmOutOption2Support, 824);
KESM_KDM_AT(kdmPaperFreeSizeWidth, 828);
KESM_KDM_AT(kdmPaperFreeSizeLength, 832);
KESM_KDM_AT(kdmPaperFreeSizeTray, 836);
KESM_KDM_AT(kdmPaperFreeSizeOrient, 838);
KESM_KDM_AT(kdmPrintFreeSizeWidth, 840);
KESM_KDM_AT(kdmPrintFreeSizeLength, 844);
KESM_KDM_AT(kdmPrintFreeSizeTray, 848);
KESM_KDM_AT(kdmPrintFreeSizeOrient, 850);
KESM_KDM_AT(kdmFrontFunc, 852);
KESM_KDM_AT(kdmHiddenFunc, 856);
KESM_KDM_AT(kdmExtOutput2, 860);
KESM_KDM_AT(kdmDryTimer, 862);
KESM_KDM_AT(kdmPassMode, 864);
KESM_KDM_AT(kdmGammaC, 865);
KESM_KDM_AT(kdmGammaM, 866);
KESM_KDM_AT(kdmGammaY, 867);
KESM_KDM_AT(kdmGammaK, 868);
KESM_KDM_AT(kdmOrientationManualTray, 869);
KESM_KDM_AT(kdmCoverMediaType, 870);
KESM_KDM_AT(kdmBackCoverMediaType, 872);
KESM_KDM_AT(kdmMPInputMediaType, 874);
KESM_KDM_AT(kdmChapterMediaType, 876);
KESM_KDM_AT(kdmReverseCoverInputTray, 878);
KESM_KDM_AT(kdmReverseCoverMediaType, 880);
KESM_KDM_AT(kdmReverseCoverType, 882);
KESM_KDM_AT(kdmSeparationSheetCycle, 884);
KESM_KDM_AT(kdmOutOption3Support, 888);
KESM_KDM_AT(kdmHiddenDstResolutionBoth, 892);
KESM_KDM_AT(kdmSkipCount, 893);
KESM_KDM_AT(kdmPrintSpeed, 894);
KESM_KDM_AT(kdmHidden2Func, 896);
KESM_KDM_AT(kdmOutOption4Support, 900);
KESM_KDM_AT(kdmFoldType, 904);
KESM_KDM_AT(kdmCopyProtectColor, 905);
KESM_KDM_AT(kdmCopyProtectDensity, 906);
KESM_KDM_AT(kdmCopyProtectFuncSelect, 907);
KESM_KDM_AT(kdmCopyProtectTileMask, 908);
KESM_KDM_AT(kdmCopyProtectPosi, 909);
KESM_KDM_AT(kdmCopyProtectChar, 910);
KESM_KDM_AT(kdmCopyProtectFontName, 975);
KESM_KDM_AT(kdmCopyProtectFontStyle, 1007);
KESM_KDM_AT(kdmCopyProtectFontPoint, 1008);
KESM_KDM_AT(kdmCopyProtectAngle, 1010);
KESM_KDM_AT(kdmCopyProtectLinePitch, 1012);
KESM_KDM_AT(kdmFunc2Select, 1016);
KESM_KDM_AT(kdmSupportFunc2Select, 1020);
KESM_KDM_AT(kdmPaperINCHLength, 1024);
KESM_KDM_AT(kdmPaperINCHWidth, 1028);
KESM_KDM_AT(kdmDstPaperLengthMM, 1032);
KESM_KDM_AT(kdmDstPaperWidthMM, 1036);
KESM_KDM_AT(kdmTrackID, 1040);
KESM_KDM_AT(reserved1061, 1061);
KESM_KDM_AT(runTime, 1219);
KESM_KDM_AT(runTime.CallSrc, 1219);
KESM_KDM_AT(runTime.OSKind, 1220);
KESM_KDM_AT(runTime.BatchInst, 1221);
KESM_KDM_AT(runTime.PrintLog, 1222);
KESM_KDM_AT(runTime.BiDirect, 1223);
KESM_KDM_AT(runTime.NoPermission, 1224);
KESM_KDM_AT(runTime.PresentUIMode, 1225);
KESM_KDM_AT(runTime.BidiSupport, 1226);
KESM_KDM_AT(runTime.ServerClientMode, 1227);
KESM_KDM_AT(runTime.UserCodeFIX, 1228);
KESM_KDM_AT(runTime.UserCodeGet, 1229);
KESM_KDM_AT(runTime.PXInstalled, 1230);
KESM_KDM_AT(runTime.PropertyType, 1231);
KESM_KDM_AT(runTime.UserCodeDLL, 1232);
KESM_KDM_AT(runTime.TSE, 1233);
KESM_KDM_AT(runTime.Admin, 1234);
KESM_KDM_AT(runTime.BidiFunc, 1235);
#undef KESM_KDM_AT

// Header positions used by the accessors.
inline constexpr std::size_t kOffPrivHeader = KDM_OFFSET(header);
inline constexpr std::size_t kOffPlexorWord = KDM_OFFSET(header.reserved);
inline constexpr std::size_t kOffDwPrivData = KDM_OFFSET(header.dwPrivData);
inline constexpr std::size_t kOffDwSize = KDM_OFFSET(header.dwSize);
inline constexpr std::size_t kOffDwVersion = KDM_OFFSET(header.dwVersion);
inline constexpr std::size_t kOffBlockOffsets = KDM_OFFSET(header.blockOffset);
inline constexpr std::size_t kOffRunTimeFlags = KDM_OFFSET(runTime);

// The containers of single-bit settings: function ids first..last are bits
// 0..(last-first) of the little-endian word of the given width.
struct KdmFlagWord {
  WORD firstFuncId;
  WORD lastFuncId;
  WORD offset;  // DEVMODE offset
  WORD width;   // bytes
};

#define KDM_FLAGS(first, last, field) \
  {first, last, KDM_OFFSET(field), sizeof(PrivDM::field)}
inline constexpr KdmFlagWord kKdmFlagWords[] = {
    KDM_FLAGS(55, 86, kdmFuncSelect),
    KDM_FLAGS(88, 88, kdmScaleFlags),
    KDM_FLAGS(100, 107, kdmHFFuncSelect),
    KDM_FLAGS(135, 135, kdmCharBlackFlags),
    KDM_FLAGS(144, 151, kdmPlaneUseCMYK),
    KDM_FLAGS(153, 168, kdmQualityFunc),
    KDM_FLAGS(176, 176, kdmUseUserMacroFlags),
    KDM_FLAGS(183, 198, kdmExtOutput),
    KDM_FLAGS(211, 226, kdmAction),
    KDM_FLAGS(234, 241, kdmMachineType),
    KDM_FLAGS(244, 275, kdmInOptionSupport),
    KDM_FLAGS(276, 307, kdmOutOptionSupport),
    KDM_FLAGS(308, 339, kdmOutOption2Support),
    KDM_FLAGS(349, 380, kdmHiddenFunc),
    KDM_FLAGS(381, 396, kdmExtOutput2),
    KDM_FLAGS(412, 443, kdmOutOption3Support),
    KDM_FLAGS(447, 478, kdmHidden2Func),
    KDM_FLAGS(479, 510, kdmOutOption4Support),
    KDM_FLAGS(514, 521, kdmCopyProtectFuncSelect),
    KDM_FLAGS(530, 561, kdmFunc2Select),
    KDM_FLAGS(562, 593, kdmSupportFunc2Select),
};
#undef KDM_FLAGS

// The text fields of the DEVMODE: strings that must end inside their field.
// Offsets are DEVMODE offsets of the 220-byte layout; a private field of a
// DEVMODE with another public size lies at dmSize + (offset - 220). The
// signature and the two application blocks are bytes, not text.
struct KdmTextField {
  WORD offset;
  WORD size;  // bytes, terminator included
  bool wide;
};

#define KDM_PUB_TEXT(field) {offsetof(DEVMODEW, field), sizeof(DEVMODEW::field), true}
#define KDM_TEXT(field) {KDM_OFFSET(field), sizeof(PrivDM::field), false}
inline constexpr KdmTextField kKdmTextFields[] = {
    KDM_PUB_TEXT(dmDeviceName),
    KDM_PUB_TEXT(dmFormName),
    KDM_TEXT(header.kdmIniFileName),
    KDM_TEXT(header.kdmiCDCVerStr),
    KDM_TEXT(header.kdmiKPJLVerStr),
    KDM_TEXT(header.kdmTcomMark),
    KDM_TEXT(kdmHFString),
    KDM_TEXT(kdmHFFontName),
    KDM_TEXT(kdmUserID),
    KDM_TEXT(kdmUserCode),
    KDM_TEXT(kdmOwnerName),
    KDM_TEXT(kdmMergeFileName),
    KDM_TEXT(kdmDocumentName),
    KDM_TEXT(kdmJOBPassword),
    KDM_TEXT(kdmStoredPassword),
    KDM_TEXT(kdmTelNo),
    KDM_TEXT(kdmCopyProtectChar),
    KDM_TEXT(kdmCopyProtectFontName),
    KDM_TEXT(kdmTrackID),
};
#undef KDM_PUB_TEXT
#undef KDM_TEXT
