#include "jobsettings/devmode_defaults.h"

#include "jobsettings/devmode_header.h"
#include "settings/context_block.h"
#include "settings/memptr.h"

// Neutral answer for now: a DCB with its block offsets and no defaults in it.
DCB* DevCBCreate(UCB* ucb, int /*type*/) {
  if (ucb == nullptr) return nullptr;
  auto* dcb = static_cast<DCB*>(GetMemPtr(sizeof(DCB)));
  if (dcb != nullptr) DevCBSetPrivHeaderOffset(reinterpret_cast<DEVMODEW*>(dcb->devmode));
  return dcb;
}
