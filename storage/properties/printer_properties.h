// Printer properties: the persistent settings of a printer context moved
// between the context and their stores. Printer-wide settings (block 2)
// with a key live in the printer's printer data, one value each under their
// key; settings with storage mark 2 live in the per-user settings INI under
// their section (the printer's name when the record names none) and key.
// The font sets (device fonts, option fonts, substitution table) are kept
// by printer_fonts.h and left in the context's DCB as counted arrays.
//
// The rendering library reads printer data through the graphics engine and
// writes none, reads no INI file yet, and does not move bidi values.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;
struct UCB;

// Blocks a walk may be limited to; -1 takes every block.
inline constexpr int kAllBlocks = -1;

// SetProperties flags: bit 31 writes also what the saved state says is
// unchanged; the rest is the mode.
inline constexpr DWORD kPropertiesForce = 0x80000000;
inline constexpr DWORD kPropertiesBidi = 0x1;     // only what bidi transfers carry
inline constexpr DWORD kPropertiesModules = 0x2;  // the feature modules pick, under setting names
inline constexpr DWORD kPropertiesModuleWords = 0x4;  // only the module words 1133-1164

// Events offered to the feature modules. Per setting, before it is read
// (kModuleGetProperty) or written (kModuleSetProperty) in a modules pass:
// a module sets skip to keep the setting out of the pass. After a walk:
// kModulePropertiesRead and kModulePropertiesWritten with the block and mode.
inline constexpr DWORD kModuleSetProperty = 4;
inline constexpr DWORD kModuleGetProperty = 5;
inline constexpr DWORD kModulePropertiesRead = 18;
inline constexpr DWORD kModulePropertiesWritten = 23;
struct PropertyModuleQuery {
  DWORD sender;  // the pass's mode, 2
  SFCB* record;
  DWORD skip;    // out
};
struct PropertyModuleDone {
  DWORD block;
  DWORD mode;
};

// Reads every stored property of the context's printer into its DCB
// (GetAllProperties of every block). Then, outside server-client mode, when
// the bidi fallback INI holds bidi data for the printer: reads it into the
// context and, when printer data can be written, stores it there and
// removes it from the INI. Returns 1.
BOOL GetReg(UCB* ucb);
// Frees the font table, device fonts and option fonts of the context's
// current DCB and clears them. Returns 1, also for a null context or DCB.
BOOL FreeReg(UCB* ucb);

// kind -1: every block and the font sets; 1: the work block, then the
// DEVMODE; 2: the printer-wide block and the font sets; other kinds
// nothing. Returns 1.
BOOL GetAllProperties(HANDLE printer, int kind, UCB* ucb);
// Reads the stored settings of one block (or all) into the context, under
// the cross-process lock. Settings of the DEVMODE and work blocks come only
// from the INI, and not for a context of open kind 1 or one whose mode word
// holds 0x10000, 0x1000000 or 0x2000000. The sixteen action bits 211-226
// are read as one INI value "kdmAction"; an INI that has only the single
// action keys is read key by key and then given "kdmAction". Mode
// kPropertiesModules offers each setting to the feature modules and reads
// the ones they keep from the INI under their setting names, for this walk
// only. Returns 1; a value that cannot be read leaves its setting as it was.
BOOL GetProperties(HANDLE printer, UCB* ucb, int block, DWORD mode);
// Writes the settings of one block (or all) to their stores, under the
// cross-process lock. The font arrays are left to the font sets. With open
// kind 0 and a saved state, a printer-wide setting that did not change is
// not written unless kPropertiesForce is given. On a client printer the
// log-code settings 10002 and 10003 are not written while 10001 is 0.
// The action bits go to the INI as "kdmAction". A work-block walk of mode 0
// is followed by a modules pass over the work block. TRUE when every write
// succeeded.
BOOL SetProperties(HANDLE printer, UCB* ucb, int block, DWORD flags);
// The work block, then the DEVMODE; results ANDed.
BOOL SetDocumentProperties(HANDLE printer, UCB* ucb);
// The printer-wide block and the font sets where they changed
// (SetPrinterProperties) or from the description (SetPrinterPropertiesx).
BOOL SetPrinterProperties(HANDLE printer, UCB* ucb);
BOOL SetPrinterPropertiesx(HANDLE printer, UCB* ucb);

// One setting from or to printer data under its key. Nothing to do (TRUE)
// for a record without a key. A read that finds no value, or one of another
// type or size, or text that does not end within its field, leaves the
// setting as it was and answers FALSE.
BOOL GetDevmodeValueFromReg(HANDLE printer, UCB* ucb, SFCB* record);
BOOL SetDevmodeValueToReg(HANDLE printer, UCB* ucb, SFCB* record);
// The same under the setting's name; FALSE for a record without a name.
// The record's key is put back afterwards.
BOOL GetDevmodeValueFromRegUseSetKey(HANDLE printer, UCB* ucb, SFCB* record);
BOOL SetDevmodeValueToRegUseSetKey(HANDLE printer, UCB* ucb, SFCB* record);

// One setting from or to an INI file (section: the record's, else the
// printer's name), or from or to a script image of one section when script
// is given (body and line position for reads; buffer, its size and the
// write position for writes). Nothing to do (TRUE) without an absolute INI
// path or without a key. A missing key leaves the setting as it was. FALSE
// when a value cannot be taken (a number that is not decimal text) or not
// written.
BOOL GetDevmodeValueFromIni(UCB* ucb, SFCB* record, LPCWSTR iniPath, LPCSTR script, PLONG position);
BOOL SetDevmodeValueToIni(HANDLE unused, UCB* ucb, SFCB* record, LPCWSTR iniPath, LPSTR script,
                          DWORD scriptSize, LPDWORD position);
// The store of the record: printer data for a printer-wide setting with
// storage mark 1, the INI (null: the context's settings INI) for storage
// mark 2, nothing (TRUE) otherwise.
BOOL SetDevmodeValueToFile(HANDLE printer, UCB* ucb, SFCB* record, LPCWSTR iniPath);
