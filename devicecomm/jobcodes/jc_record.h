// The job-code library bound to a printer context, kept in its work area:
// all zero while nothing is bound.
#pragma once

#include "devicecomm/jobcodes/jc_interface.h"
#include "platform/base/wintypes.h"

struct JCBINDING {
  HMODULE hModule;                      // the library, null when not loaded
  DWORD dwJobCode;                      // handle of the open job codes, 0 when none
  PFNJCGETINTERFACE pfnGetInterface;
  PFNJCDISPOSEINTERFACE pfnDisposeInterface;
  const JCINTERFACE* pInterface;        // the table the library handed out
  WORD wVersion;                        // the version it was handed out for
};
