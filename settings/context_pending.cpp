// Minimal forms: the preset section is the printer's name; a DCB with no
// defaults in it.
#include "settings/context_pending.h"

#include "jobsettings/devmode_header.h"
#include "settings/context_block.h"
#include "settings/context_names.h"
#include "settings/memptr.h"

LPWSTR GetPresetSectionName(UCB* ucb) { return GetPrinterName(ucb); }

DCB* DevCBCreate(UCB* ucb, int /*type*/) {
  if (ucb == nullptr) return nullptr;
  auto* dcb = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (dcb != nullptr) DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb->devmode));
  return dcb;
}
