#include "jobsettings/devmode/document_devmode.h"

#include "jobsettings/devmode/devmode_layout.h"
#include "settings/context/context_block.h"
#include "settings/system/unaligned.h"

DEVMODEW* GetDocumentDevmode(const UCB* ucb) {
  if (!ucb || !ucb->pDCB) return nullptr;
  return reinterpret_cast<DEVMODEW*>(ucb->pDCB->devmode);
}

DEVMODEW* GetDocumentDevmodePublic(const UCB* ucb) { return GetDocumentDevmode(ucb); }

LPBYTE GetDocumentDevmodePrivate(const UCB* ucb) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (!dm) return nullptr;
  // A header placed by a foreign dmSize must still lie inside block 1.
  const WORD size = LoadLE<WORD>(dm, offsetof(DEVMODEW, dmSize));
  if (size + sizeof(PrivateDocHeader) > kSizeofKesmDM) return nullptr;
  return reinterpret_cast<LPBYTE>(dm) + size;
}

LPBYTE GetDocumentDevmodePrivateDocHeader(const UCB* ucb) { return GetDocumentDevmodePrivate(ucb); }

LPBYTE GetPrinterDevmode(const UCB* ucb) {
  DEVMODEW* dm = GetDocumentDevmode(ucb);
  if (!dm) return nullptr;
  const WORD offset = LoadLE<WORD>(dm, kOffBlockOffsets + 2);
  if (offset + kSizeofPrnDM > kSizeofDCB) return nullptr;
  return reinterpret_cast<LPBYTE>(ucb->pDCB) + offset;
}
