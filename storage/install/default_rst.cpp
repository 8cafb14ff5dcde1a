#if !KESM_KERNEL_MODE
#include "storage/install/default_rst.h"

#include "settings/context/context_names.h"
#include "storage/ini/profile.h"
#include "storage/ini/section_names.h"

BOOL GetDefaultRstFileNameFromIni(LPWSTR buffer, UCB* ucb) {
  if (buffer == nullptr) return FALSE;
  buffer[0] = 0;
  LPCWSTR ini = GetDriverIniFilePath(ucb);
  LPCWSTR section = GetDriverIniSectionName(ucb);
  if (ini == nullptr || ini[0] == 0 || section == nullptr) return FALSE;
  return KM_UM_GetPrivateProfileString(section, u"DefaultRst", u"", buffer, MAX_PATH + 1, ini) > 0;
}
#endif
