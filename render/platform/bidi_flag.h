// The bidi data the rendering library takes at the start of a document:
// the bidi run-time flag and, while the device's answer is kept in the
// bidi fallback INI "kesmbid.ini" (printer data could not be written when
// it came), the printer-wide settings of that answer.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// TRUE when the integer "BidiFlag" in the printer's section (its name) of
// the bidi fallback INI where the configuration library keeps it
// (devicecomm/bidi/bidi_ini_file.h) is not 0; FALSE when it is
// 0 or missing, or when the file's path or the printer's name is unknown.
BOOL KMGetBidiFlagDataFromFile(UCB* ucb);

// Reads the printer-wide settings of the device's answer from the
// printer's section of the bidi fallback INI; FALSE when there is no such
// section, memory is short or a value is refused (a section of another
// driver version, machine or language is not read: TRUE).
BOOL KMGetBidiPrinterDataFromIni(UCB* ucb);

// Decides the bidi run-time flag of the context's DEVMODE: in server-client
// mode, or when the fallback INI holds no "BidiFlag" for the printer, it is
// on exactly when printer data "BidiFlag" has bit 0 (a bidi query was done
// before); otherwise exactly when the INI's "BidiFlag" is not 0.
void GetBidiFlagData(UCB* ucb);
