// The bidi fallback INI is not kept yet: until the device-status store
// exists there is no file to create, and the call says so.
#include "devicecomm/bidi_ini_file.h"

#include "platform/base/winerror.h"

BOOL CreateFullControlBidiFile(UCB* /*ucb*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
