#include "settings/system/kernel_platform.h"

#if KESM_KERNEL_MODE
#include <string_view>

#include "settings/context/context_block.h"
#include "storage/system/driver_reg_values.h"
#include "storage/files/text_out.h"

using storage::CopyOut;

BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB*) {
  return storage::ReadPrinterDataString(printer, u"DriverName", buffer, 32, 64);
}

DWORD KMGetDriverDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (buffer == nullptr || size < MAX_PATH) return 0;
  buffer[0] = 0;
  if (ucb == nullptr || ucb->pWork == nullptr) return 0;
  const std::u16string_view file(ucb->pWork->szDataFileName);
  const auto slash = file.rfind(u'\\');
  if (slash == std::u16string_view::npos) return 0;
  return CopyOut(buffer, size, file.substr(0, slash));
}

DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  // The data file sits four folders below the system directory.
  if (buffer == nullptr || size < MAX_PATH || ucb == nullptr || ucb->pWork == nullptr) return 0;
  std::u16string_view file(ucb->pWork->szDataFileName);
  for (int level = 0; level < 5; ++level) {
    const auto slash = file.rfind(u'\\');
    if (slash == std::u16string_view::npos) return CopyOut(buffer, size, u"");
    file = file.substr(0, slash);
  }
  return CopyOut(buffer, size, file);
}

DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb) {
  return KM_UM_GetSystemDirectory(buffer, size, ucb);
}

// The folder of the settings INI path that the document's escape delivered,
// when it is absolute.
DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (buffer == nullptr || size == 0) return 0;
  if (ucb != nullptr && ucb->pWork != nullptr) {
    const std::u16string_view ini(ucb->pWork->szIniFilePath);
    const auto slash = ini.rfind(u'\\');
    if (ini.size() > 1 && ini[1] == u':' && slash != std::u16string_view::npos) {
      return CopyOut(buffer, size, ini.substr(0, slash));
    }
  }
  return 0;
}
#endif
