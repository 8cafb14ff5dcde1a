// Translation of host (POSIX) error numbers into Windows error codes, for
// platform code that works on host files. Internal to platform/.
#pragma once

#include "platform/base/wintypes.h"

namespace plat {

// The Windows error code for a host errno value.
DWORD ErrorFromErrno(int error);

// Sets the last error from a host errno value; returns FALSE for use in
// failing BOOL paths.
BOOL FailWithErrno(int error);

// Sets the last error; returns FALSE.
BOOL Fail(DWORD error);

}  // namespace plat
