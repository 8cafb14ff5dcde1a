#include "jobsettings/devmode/devmode_defaults.h"

#include "jobsettings/devmode/devmode_header.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"

// Neutral answer for now: a DCB with its block offsets and no defaults in it.
DCB* DevCBCreate(UCB* ucb, int /*type*/) {
  if (ucb == nullptr) return nullptr;
  auto* dcb = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (dcb != nullptr) DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb->devmode));
  return dcb;
}
