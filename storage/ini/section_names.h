// The INI section names of the stores. Every store picks its section through
// one of these getters, so that the choice of driver name, printer name or
// fixed name is made in one place.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Driver-wide entries: the context's driver name.
LPCWSTR GetDriverIniSectionName(UCB* ucb);
inline LPCWSTR GetWatermarkSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetFreesizeSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetRsbSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetRsdSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetBatchInstallSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetDefaultRstSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }
inline LPCWSTR GetInstallCopyFilesSectionName(UCB* ucb) { return GetDriverIniSectionName(ucb); }

// Printer entries: the context's printer name.
LPCWSTR GetPresetSectionName(UCB* ucb);
inline LPCWSTR GetQualitySectionName(UCB* ucb) { return GetPresetSectionName(ucb); }
inline LPCWSTR GetDrvInstSectionName(UCB* ucb) { return GetPresetSectionName(ucb); }
inline LPCWSTR GetChapterMaxSectionName(UCB* ucb) { return GetPresetSectionName(ucb); }
inline LPCWSTR GetDefaultRstSectionNameForRefresh(UCB* ucb) { return GetPresetSectionName(ucb); }
inline LPCWSTR GetKesmInstSectionName(UCB* ucb) { return GetPresetSectionName(ucb); }

// Printer entries without a context: the printer name of a bare handle
// into a buffer of size characters. Returns the buffer, or null (with the
// buffer emptied) when the name cannot be had or does not fit.
LPWSTR GetPresetSectionNameWithoutUCB(HANDLE printer, LPWSTR buffer, DWORD size);
inline LPWSTR GetQualitySectionNameWithoutUCB(HANDLE printer, LPWSTR buffer, DWORD size) {
  return GetPresetSectionNameWithoutUCB(printer, buffer, size);
}
inline LPWSTR GetDrvInstSectionNameWithoutUCB(HANDLE printer, LPWSTR buffer, DWORD size) {
  return GetPresetSectionNameWithoutUCB(printer, buffer, size);
}

// The fixed section "BatchInstallDone"; the context is not used.
LPCWSTR GetCustomDoneSectionName(UCB* ucb);
