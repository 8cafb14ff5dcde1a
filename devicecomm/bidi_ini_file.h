// The bidi flags of a printer and the bidi fallback INI "kesmbid.ini" in
// the shared directory: where the device's answer is kept, section by
// printer name, while printer data cannot be written. The section holds the
// flags "BidiFlag", "BidiFunc" and "BidiExFlag" and the printer-wide
// settings of the answer as a set file (version keys, then one key per
// setting name).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Creates the bidi INI, or resets its DACL, so that every user may write it.
BOOL CreateFullControlBidiFile(UCB* ucb);

#if !KESM_KERNEL_MODE
// Printer data "BidiFlag" (4 bytes): read into *flag; written as REG_BINARY.
BOOL GetBidiFlagDataFromReg(HANDLE printer, LPDWORD flag, UCB* ucb);
BOOL SetBidiFlagDataToReg(HANDLE printer, DWORD flag, UCB* ucb);
// TRUE when "BidiFlag" can be read from printer data and written back.
BOOL IsBidiWritableReg(UCB* ucb);

// TRUE when the fallback INI has "BidiFlag" for the printer.
BOOL IsBidiFlagDataRead(UCB* ucb);
// TRUE when the printer's "BidiFlag" there is non-zero.
BOOL GetBidiFlagDataFromFile(UCB* ucb);
// Stores the printer's "BidiFunc" (default 0) in the BidiFunc run-time
// byte; TRUE.
BOOL GetBidiFuncDataFromFile(UCB* ucb);
// Reads the printer's bidi settings from the fallback INI into the context,
// then its "BidiFunc". FALSE when there is no such section, memory is short
// or a value cannot be taken. A section written for another driver version,
// machine or language is not read: the result is TRUE and the context's
// last error 1.
BOOL GetBidiPrinterDataFromIni(UCB* ucb);
// Deletes the printer's section; TRUE.
BOOL DeleteBidiPrinterDataToIni(UCB* ucb);
#endif
