// Per-thread last error. Win32 and the engine share one slot per thread.
#include "platform/base/winerror.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }
ULONG EngGetLastError() { return t_lastError; }
void EngSetLastError(ULONG error) { t_lastError = error; }
