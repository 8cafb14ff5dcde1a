#if !KESM_KERNEL_MODE  // kernel-mode directories come from the data file's path
#include "storage/files/dummy_dir.h"

#include <string>

#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "storage/files/dir_security.h"
#include "storage/files/file_helpers.h"
#include "storage/files/kesm_dir_reg.h"
#include "storage/files/known_dirs.h"
#include "storage/system/printer_info.h"
#include "storage/files/text_out.h"

namespace storage {

std::u16string DefaultDummyDirectory() {
  const std::u16string system = SystemDirectory();
  if (system.size() < 3) return {};
  return system.substr(0, 3) + kDummyDirectoryName;
}

std::u16string DummyDirectory(HANDLE printer) {
  WCHAR folder[MAX_PATH] = {};
  if (IsClientDriver2(printer) &&
      GetKESMDirFromDrvReg(printer, u"_KESMDirectoryClient", folder, MAX_PATH) == 1) {
    return std::u16string(View(folder));
  }
  if (GetKESMDirFromReg(u"_KESMDirectory", folder, sizeof folder) && folder[0] != 0) {
    return std::u16string(View(folder));
  }
  return DefaultDummyDirectory();
}

}  // namespace storage

namespace {

HANDLE PrinterOf(UCB* ucb) { return ucb != nullptr ? ucb->hPrinter : nullptr; }

}  // namespace

DWORD KM_UM_GetDummySystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  return UM_GetDummySystemDirectory(buffer, size, PrinterOf(ucb));
}

DWORD UM_GetDummySystemDirectory(LPWSTR buffer, DWORD size, HANDLE printer) {
  return storage::CopyOut(buffer, size, storage::DummyDirectory(printer));
}

DWORD UM_GetSysDrvDummySystemDirectory(LPWSTR buffer, DWORD size) {
  return storage::CopyOut(buffer, size, storage::DefaultDummyDirectory());
}

BOOL KM_UM_CreateDummySystemDirectory(UCB* ucb) {
  return CreateDummySystemDirectory(PrinterOf(ucb));
}

BOOL CreateDummySystemDirectory(HANDLE printer) {
  const std::u16string folder = storage::DummyDirectory(printer);
  if (folder.empty() || !_CreateDirectory(folder.c_str())) return FALSE;
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetOwnerDirectories(folder.c_str(), kScopeFolderOnly);
  SetAttrDirectories(folder.c_str(), kScopeFolderOnly);
  return TRUE;
}

BOOL SetAttrDummySystemDirectory(HANDLE printer) {
  const std::u16string folder = storage::DummyDirectory(printer);
  if (folder.empty()) return FALSE;
  SetOwnerDirectories(folder.c_str(), 0);
  return SetAttrDirectories(folder.c_str(), 0);
}

BOOL DeleteAllFilesByDirectory(LPCWSTR path) {
  return storage::ForEachFolderEntry(path, [](const std::u16string& entry, bool folder) {
    if (folder) {
      DeleteAllFilesByDirectory(entry.c_str());
      SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      RemoveDirectoryW(entry.c_str());
    } else {
      _DeleteFile(entry.c_str());
    }
  });
}

BOOL DeleteSysDrvDummySystemDirectory(HANDLE) {
  const std::u16string folder = storage::DefaultDummyDirectory();
  if (folder.empty() || !DeleteAllFilesByDirectory(folder.c_str())) return FALSE;
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  return RemoveDirectoryW(folder.c_str());
}
#endif
