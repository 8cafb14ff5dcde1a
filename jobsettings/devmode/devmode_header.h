// Sizes of the driver's DEVMODE and the accessors of its private header and
// of the few private fields that other code reads by position. The forms that
// take a DEVMODE act on that DEVMODE; a null DEVMODE reads as 0 and is never
// written.
#pragma once

#include "platform/spooler/devmode.h"
#include "platform/base/wintypes.h"

struct UCB;

// Sizes on the running system; this driver runs on the NT family only.
int sizeofDM();
int sizeofPrivDM351();
int sizeofPrivDM();
int sizeofKesmDM();
int sizeofPrnDM();
int sizeofDCB();

// The private header of a DEVMODE with a 220-byte public part, whatever its
// dmSize says.
LPBYTE GetDocumentDevmodePrivateDocHeaderWithoutUCB(DEVMODEW* dm);

DWORD GetKDMdwPrivDataByDM(const DEVMODEW* dm);
DWORD GetKDMdwSizeByDM(const DEVMODEW* dm);
DWORD GetKDMdwVersionByDM(const DEVMODEW* dm);
BYTE GetKDMMachineIDByDM(const DEVMODEW* dm);
BYTE GetKDMDriverTypeByDM(const DEVMODEW* dm);

// Flag words that are read and written whole.
WORD GetKDMQualityFuncByDM(const DEVMODEW* dm);
BOOL SetKDMQualityFuncByDM(DEVMODEW* dm, DWORD value);      // keeps the low 16 bits
DWORD GetKDMFrontFuncByDM(const DEVMODEW* dm);
BOOL SetKDMFrontFuncByDM(DEVMODEW* dm, DWORD value);        // keeps the low 8 bits
DWORD GetKDMHidden2FuncByDM(const DEVMODEW* dm);
BOOL SetKDMHidden2FuncByDM(DEVMODEW* dm, DWORD value);      // keeps the low 16 bits

// Writes the signature, dwPrivData, dwSize, dwVersion and the three block
// offsets. The model values come from the context's driver parameters (the
// static ones without a context). The word after the signature carries a
// setting of its own and keeps its value.
BOOL DevCBSetPrivHeader(DEVMODEW* dm, const UCB* ucb);
// Rewrites the three block offsets (0, 1236, 2256) only.
BOOL DevCBSetPrivHeaderOffset(DEVMODEW* dm);
