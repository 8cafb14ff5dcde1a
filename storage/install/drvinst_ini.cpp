// The install-time INI is not supported yet: there is no driver-install INI,
// so no printer section is ever marked as still to be completed and nothing
// is written.
#include "storage/install/drvinst_ini.h"

LPCWSTR GetDrvInstIniFilePath(UCB* /*ucb*/) { return nullptr; }

BOOL IsDrvInstSetForCompleteFromFile(LPCWSTR /*path*/, LPCWSTR /*section*/) { return FALSE; }

BOOL DrvInstSetForComplete(LPCWSTR /*path*/, LPCWSTR /*section*/, DWORD /*value*/) {
  return FALSE;  // nothing written
}
