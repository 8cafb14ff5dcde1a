#include "render/platform/bidi_flag.h"

#include "render/platform/directories.h"
#include "settings/context/context_names.h"
#include "storage/ini/profile.h"

BOOL KMGetBidiFlagDataFromFile(UCB* ucb) {
  WCHAR path[MAX_PATH];
  if (KMAddSystemDirToFileName(path, MAX_PATH, kBidiIniName, ucb) == 0) {
    return FALSE;
  }
  const LPCWSTR printer = GetPrinterName(ucb);
  if (printer == nullptr) {
    return FALSE;
  }
  return KM_UM_GetPrivateProfileInt(printer, u"BidiFlag", 0, path) != 0;
}
