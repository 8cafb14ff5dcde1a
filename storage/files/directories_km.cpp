#if KESM_KERNEL_MODE  // the user-mode directories are in directories.cpp
#include <string_view>

#include "render/platform/directories.h"
#include "settings/context/context_block.h"
#include "storage/files/directories.h"
#include "storage/files/dummy_dir.h"
#include "storage/files/text_out.h"
#include "storage/system/system_info.h"

// The folder of the shared INI and set files: where the configuration
// library keeps them (the dummy system directory from Windows 2000 on, the
// system directory before), so that both libraries read the same files.
DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb) {
  return IsOsLaterWin2000() ? KM_UM_GetDummySystemDirectory(buffer, size, ucb)
                            : KMGetSystemDirectory(buffer, size, ucb);
}

DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) {
    storage::ClearOut(buffer, size);
    return 0;
  }
  const std::u16string_view field(ucb->pWork->szIniFilePath, MAX_PATH);
  const std::u16string_view path = field.substr(0, field.find(u'\0'));
  const std::size_t slash = path.rfind(u'\\');
  if (path.size() == field.size() || slash == std::u16string_view::npos) {
    storage::ClearOut(buffer, size);
    return 0;
  }
  return storage::CopyOut(buffer, size, path.substr(0, slash));
}
#endif
