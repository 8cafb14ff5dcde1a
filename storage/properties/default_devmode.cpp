#include "storage/properties/default_devmode.h"

#include <algorithm>
#include <cstring>

#include "jobsettings/convert/devmode_convert.h"
#include "jobsettings/convert/devmode_ownership.h"
#include "jobsettings/devmode/devmode_layout.h"
#include "jobsettings/devmode/document_devmode.h"
#include "settings/context/context_block.h"
#include "storage/system/printer_info.h"

BOOL GetDefaultDevmodeFromReg(UCB* ucb) {
  DEVMODEW* current = GetDocumentDevmode(ucb);
  if (current == nullptr) return FALSE;
  // The stored DEVMODE comes from outside: it is judged on a copy of the
  // bytes the printer's information really holds for it, and the context
  // takes it only once it passed.
  alignas(DEVMODEW) BYTE stored[kSizeofKesmDM];
  const std::size_t held = std::min(storage::CopyStoredDevmode(ucb->hPrinter, stored, sizeof stored), sizeof stored);
  auto* dm = reinterpret_cast<DEVMODEW*>(stored);
  if (held < kDmHeaderBytes || CheckDevmodeVersion(dm, held) == 0 || dm->dmSize != kSizeofDM ||
      dm->dmDriverExtra != kSizeofPrivDM) {
    return FALSE;
  }
  // Copied onto itself, the whole DEVMODE is settled in place: fixed block
  // offsets, texts terminated. It fails when fewer bytes were held.
  if (ConvertDevmodeOut(dm, held, nullptr, 0, dm, sizeof stored) != 1) return FALSE;
  if (!IsMyValidDevmodeExceptDwVersion(dm, 0)) return FALSE;
  std::memcpy(current, stored, sizeof stored);
  return TRUE;
}
