// The bidi flags of a printer and the bidi fallback INI "kesmbid.ini" in
// the shared directory: where the device's answer is kept, section by
// printer name, while printer data cannot be written. The section holds the
// flags "BidiFlag", "BidiFunc" and "BidiExFlag" and the printer-wide
// settings of the answer as a set file (version keys, then one key per
// setting name).
//
// Printer data keeps the same three flags: "BidiFlag" (4 bytes, bit 0: the
// settings were filled from the device at least once), "BidiFunc" (1 byte,
// the default-tray bits learnt from the device: 0x1 cover, 0x2 inserter,
// 0x4/0x8/0x10 chapter separators 1-3, 0x40 reverse cover) and "BidiExFlag"
// (4 bytes, bit 0: the default trays were set from the device). A flag that
// cannot be read counts as clear.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Creates the bidi INI (CR LF) when it is missing and sets its DACL, also
// on a file that exists: every user reads and writes it (the query of a
// user who may not write printer data keeps its answer there), only
// administrators and the system may delete it or change its security.
// FALSE when the path, the file or the DACL cannot be made; the kernel-mode
// build creates nothing.
BOOL CreateFullControlBidiFile(UCB* ucb);

// Readers of both libraries. The rendering library reads the fallback INI
// where the configuration library keeps it (KMAddSharedDirToFileName: the
// default dummy system directory on Windows 2000 and later, else the system
// directory its install directory gives), through mapped images, and
// printer data through the engine; it writes neither.

// Printer data "BidiFlag": read into the buffer (TRUE when read with its
// exact size).
BOOL GetBidiFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb);
// TRUE when printer data "BidiFlag" was read and has bit 0.
BOOL IsBidiDoneOperationBefore(HANDLE printer, UCB* ucb);
// TRUE when the fallback INI has "BidiFlag" for the printer, whatever its
// value.
BOOL IsBidiFlagDataRead(UCB* ucb);
// TRUE when the printer's "BidiFlag" there is non-zero.
BOOL GetBidiFlagDataFromFile(UCB* ucb);
// Stores the printer's "BidiFunc" (default 0) in the BidiFunc run-time
// byte; TRUE.
BOOL GetBidiFuncDataFromFile(UCB* ucb);
// Reads the printer's bidi settings from the fallback INI into the context.
// FALSE when there is no such section, memory is short or a value cannot
// be taken. A section written for another driver version, machine or
// language is not read: the result is TRUE and the context's last error 1.
// The rendering library cannot tell a missing section from one without
// its version keys: both are no section.
BOOL ReadBidiSettingsFromIni(UCB* ucb);
// ReadBidiSettingsFromIni, then the printer's "BidiFunc"; the result of
// the settings read.
BOOL GetBidiPrinterDataFromIni(UCB* ucb);

#if !KESM_KERNEL_MODE
// Printer data "BidiFlag", "BidiFunc" and "BidiExFlag": read into the
// buffer (TRUE when read with its exact size), written as REG_BINARY.
BOOL SetBidiFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb);
BOOL GetBidiFuncDataFromReg(HANDLE printer, LPBYTE func, UCB* ucb);
BOOL SetBidiFuncDataToReg(HANDLE printer, BYTE func, UCB* ucb);
BOOL GetBidiExFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb);
BOOL SetBidiExFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb);
// TRUE when "BidiExFlag" was read and has bit 0.
BOOL IsBidiExDoneOperationBefore(HANDLE printer, UCB* ucb);
// TRUE when the context's handle may write "BidiFlag": it is read and
// written back unchanged. A flag never written yet is no sign that printer
// data is read-only: it is then written as clear (what a missing flag
// means) and removed again.
BOOL IsBidiWritableReg(UCB* ucb);

// The same for "BidiExFlag".
BOOL IsBidiExFlagDataRead(UCB* ucb);
BOOL GetBidiExFlagDataFromFile(UCB* ucb);
// Write "1" or "0"; TRUE when written.
BOOL SetBidiFlagDataToFile(UCB* ucb, BOOL flag);
BOOL SetBidiExFlagDataToFile(UCB* ucb, BOOL flag);
// Writes the low byte in decimal; TRUE when written.
BOOL SetBidiFuncDataToFile(UCB* ucb, DWORD func);
// Writes the printer's bidi settings as a set file, then "BidiFlag" 1,
// "BidiFunc" from the run-time byte and "BidiExFlag" 1; the result of the
// settings write.
BOOL SetBidiPrinterDataToIni(UCB* ucb);
// Deletes the printer's section; TRUE.
BOOL DeleteBidiPrinterDataToIni(UCB* ucb);
#endif
