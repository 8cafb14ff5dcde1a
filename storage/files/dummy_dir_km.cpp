#if KESM_KERNEL_MODE  // the user-mode dummy directory is in dummy_dir.cpp
#include <string>

#include "render/platform/directories.h"
#include "storage/files/dummy_dir.h"
#include "storage/files/text_out.h"

DWORD KM_UM_GetDummySystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  WCHAR system[MAX_PATH];
  const DWORD length = KMGetSystemDirectory2(system, MAX_PATH, ucb);
  if (length < 3) {
    storage::ClearOut(buffer, size);
    return 0;
  }
  std::u16string folder(system, 3);
  folder += kDummyDirectoryName;
  return storage::CopyOut(buffer, size, folder);
}
#endif
