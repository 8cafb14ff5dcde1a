// The DEVMODE and printer-wide block of a printer context: block 1 and block
// 2 of its devmode control block. Each returns null for a null context or a
// context without a DCB, and for a stored offset that points outside the DCB.
#pragma once

#include "platform/spooler/devmode.h"
#include "platform/base/wintypes.h"

struct UCB;

DEVMODEW* GetDocumentDevmode(const UCB* ucb);
DEVMODEW* GetDocumentDevmodePublic(const UCB* ucb);
// The current DEVMODE plus its dmSize: the private part and its header.
LPBYTE GetDocumentDevmodePrivate(const UCB* ucb);
LPBYTE GetDocumentDevmodePrivateDocHeader(const UCB* ucb);
// The printer-wide block, found through the block offset in the header.
LPBYTE GetPrinterDevmode(const UCB* ucb);
