// The printer context block (UCB) and the records it owns: the devmode
// control block (DCB), the work area and the static root `fgUCB` from which
// every context is cloned.
#pragma once

#include <cstddef>

#include "devicecomm/jobcodes/jc_record.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "platform/base/wintypes.h"
#include "platform/compstui/compstui.h"
#include "platform/spooler/devmode.h"
#include "settings/context/dialog_slots.h"
#include "settings/tables/alert_table.h"
#include "settings/tables/dialog_tables.h"
#include "settings/tables/driver_params.h"
#include "settings/tables/keyword_tables.h"
#include "settings/tables/setting_table.h"
#include "storage/install/install_record.h"

// The compiled printer description as a context holds it: a loaded block,
// read only, that the process list owns (settings/bkpd/bkpd_access.h reads it).
struct BKPDHEADER;
using BKPD = const BKPDHEADER;
// The context's copy of the feature modules' table (features/).
struct CUSTOMTABLE;
// The selectable-value lists the context already judged
// (settings/constraints/active_value_memo.h).
struct ACTIVEVALUEMEMO;

// Devmode control block: three consecutive blocks in one zeroed allocation.
// Setting addresses are resolved through the block offsets that the DEVMODE's
// private header stores, so the record is only ever addressed by those.
struct alignas(4) DCB {
  BYTE devmode[kSizeofKesmDM];  // block 1: public and private DEVMODE
  BYTE prnDM[kSizeofPrnDM];     // block 2: printer-wide settings
  BYTE workDM[kSizeofWorkDM];   // block 3: work settings, never leave the process
};
static_assert(sizeof(DCB) == kSizeofDCB);
static_assert(offsetof(DCB, prnDM) == kDcbBlock2Offset);
static_assert(offsetof(DCB, workDM) == kDcbBlock3Offset);

inline constexpr int kUndoRingDepth = 3;
inline constexpr int kScratchChars = 1025;
inline constexpr int kLanguageCodeChars = 4;  // two letters and the terminator
// Entries of the constraint engine's judge stack (a judge needs at most 127).
inline constexpr int kJudgeStackEntries = 256;

// What the property-sheet protocol keeps of the sheet that serves a
// context, all zero while none does: the host's callback and sheet handle,
// the caller's DEVMODEs of a document sheet with the bytes their buffers
// hold, its fMode, the sheet's kind, the mark that the apply path has
// already handed the settings out, whether the printer sheet may change
// the printer (1) or not (0), and the copy of the whole DCB taken when a
// document sheet moved the default trays the device reported (owned by
// the sheet until it ends).
struct SHEETSLOTS {
  PFNCOMPROPSHEET pfnComPropSheet;
  HANDLE hComPropSheet;
  const DEVMODEW* pdmIn;
  DWORD cbIn;
  DEVMODEW* pdmOut;
  DWORD cbOut;
  DWORD fMode;      // DM_UPDATE, DM_COPY, ...
  DWORD fApplied;
  WORD wSheetKind;  // kSheetDocument or kSheetPrinter
  DWORD dwPermission;
  DCB* pDefTraySnapshot;  // a deep copy (arrays of its own), or null
};
inline constexpr WORD kSheetDocument = 1;
inline constexpr WORD kSheetPrinter = 2;
inline constexpr int kPresetCacheSlots = 16;  // one per preset index
inline constexpr int kFreeSizeEntries = 10;   // the user-defined free paper sizes
inline constexpr int kFreeSizeTextBytes = 64;

// One user-defined free paper size as the free-size page and the paper
// lists show it: ANSI texts, sizes in 1/1200 inch.
struct FREESIZEINFO {
  CHAR szListText[kFreeSizeTextBytes];       // list text
  CHAR szListTextValues[kFreeSizeTextBytes]; // list text with the live values
  CHAR szName[kFreeSizeTextBytes];
  DWORD dwWidth;
  DWORD dwLength;
  WORD wTray;
  WORD wOrient;
};
static_assert(sizeof(FREESIZEINFO) == 204);
static_assert(offsetof(FREESIZEINFO, dwWidth) == 192);
static_assert(offsetof(FREESIZEINFO, wOrient) == 202);

// The colour-matching values a dialog may have to give back on cancel:
// those of settings 133, 798, 799 and 800, and flag bits 1, 2, 4 and 8
// marking which are kept.
struct CMMRETURN {
  BYTE values[4];
  BYTE flags;
};

// Work area of a printer context, zero at creation except where the open
// sets a field.
struct WORKAREA {
  WCHAR szIniFilePath[MAX_PATH];          // per-user settings INI path
  BYTE* apUndoRing[kUndoRingDepth];       // DCB-sized images, newest first
  INT fEngineBusy;                        // set around alert checks
  INT fChanged;                           // 1 after any setting write
  WORD wOpenKind;                         // low byte of the open flags
  WCHAR szDriverLanguage[kLanguageCodeChars];
  WCHAR szDriverName[MAX_PATH];           // driver name the spooler reports
  WCHAR szScratch[kScratchChars];         // help file name, action texts
  WCHAR szPrinterName[MAX_PATH];
  INT aRingRequest[kUndoRingDepth];       // request word saved with each ring entry
  INT dwRequest;                          // pending requests for the dialog engine
  INT cSavedFontTable;                    // font table set aside by the font editor
  BYTE* pSavedFontTable;
  INT fFontTableSaved;                    // the table in use was set aside
  INT dwLastError;
  INT fSetFileReadFault;                  // set by a set-file read that failed or was refused
  DWORD dwValidateFlags;                  // mode word of the last DEVMODE validation
  WORD wQualityMacroMark;                 // cleared by each print-quality validation
  WCHAR szDriverIniPath[MAX_PATH];
  WCHAR szInstallDirectory[MAX_PATH];     // also holds the DLL and help file paths
  WCHAR szInstallIniPath[MAX_PATH];
  HGDIOBJ ahGdiObject[2];                 // created by the dialog engine
  DCB* pDCB2;                             // the saved state
  INT aOpenWords[6];                      // zeroed at open
  INT fTakeLock;                          // 1 unless the open flags carry 0x100
  INT fCheckAdmin;                        // 1 unless the open flags carry 0x200
  DWORD dwMode;                           // open mode word, also a cache key
  LONG* pJudgeStack;                      // kJudgeStackEntries values, with the description
  WORD wJudgeStackCount;                  // values on the judge stack
  SHEETSLOTS sheet;                       // filled by the property-sheet protocol
  BYTE* apPresetCache[kPresetCacheSlots]; // recalled presets, owned by the context
  FREESIZEINFO aFreeSizeInfo[kFreeSizeEntries];  // the free-size table
  INT iFreeSizeCurrent;                   // the entry the free-size list edits
  BYTE* pChapterBlocks;                   // the chapter blocks, made on first use
  WORD wChapterCapacity;                  // blocks at pChapterBlocks
  INT fChapterInfoRead;                   // the chapter properties were read once
  CUSTOMTABLE* pCustom;                   // the feature modules' table, null without one
  ACTIVEVALUEMEMO* pActiveValueMemo;      // judged value lists, made on first listing
  DCB* pForeignDefaults;                  // defaults rebuilt for a DEVMODE not the driver's own, made on first need
  CMMRETURN cmmReturn;                    // colour matching kept while a dialog is open
  DIALOGSLOTS dialog;                     // the dialog engine's slots
#if !KESM_KERNEL_MODE
  JCBINDING jobCodes;                     // the job-code library while it is bound
  INSTALLRECORD install;                  // what the install steps keep
#endif
#if KESM_KERNEL_MODE
  WCHAR szDataFileName[MAX_PATH];         // the printer's data file name
#endif
};

struct UCB {
  HANDLE hPrinter;      // spooler (or engine) printer handle; cache key
  HANDLE hData;         // second handle used to find the data file; may be null
  WORD wCurrentDialog;  // tab id the dialog engine serves, 0 otherwise
  WORD reserved;
  SFL* pSFL;            // own head and copy of every setting record
  TL* pTL;              // own head and copies of the tab and item records
  const GKL* pGKL;      // shared static group keywords
  const SPL* pSPL;      // shared static value keywords
  const APL* pAPL;      // shared static alerts
  DP* pDP;              // own copy of the driver parameters
  DCB* pDCB;            // null for open kinds 4 and above
  BKPD* pBKPD;          // compiled description, borrowed; null for open kinds 4 and above
  WORKAREA* pWork;
  HMODULE hResDll;      // loaded by the dialog engine
  HMODULE hBmpDll;
};

// The zero templates and the static root. The root is read only: it is the
// source every context is copied from and the context of lookups that need
// none.
extern const DCB fgDCB;
extern const WORKAREA fgWork;
extern const SFL fgSFL;
extern const UCB fgUCB;

const UCB* GetStaticUcb();
