#if !KESM_KERNEL_MODE  // install-time work of the configuration library
#include "storage/files/driver_file_security.h"

#include "devicecomm/bidi/bidi_ini_file.h"
#include "settings/context/context_block.h"
#include "storage/files/dummy_dir.h"
#include "storage/system/system_info.h"

BOOL SetNTDriverFileSecurity(UCB* ucb) { return CreateFullControlBidiFile(ucb); }

BOOL SetDriverFileSecurity(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  if (IsOsLaterWin2000()) return SetAttrDummySystemDirectory(ucb->hPrinter);
  return SetNTDriverFileSecurity(ucb);
}
#endif
