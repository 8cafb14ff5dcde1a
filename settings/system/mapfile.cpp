#include "settings/system/mapfile.h"

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/files/winfile.h"
#if KESM_KERNEL_MODE
#include "platform/engine/eng_module.h"
#endif

#if KESM_KERNEL_MODE

BOOL MAPFILE(LPCWSTR fileName, PVOID* base, const BYTE** view, DWORD* size) {
  if (fileName == nullptr || base == nullptr || view == nullptr) {
    return FALSE;
  }
  HANDLE module = EngLoadModule(const_cast<LPWSTR>(fileName));
  if (module == nullptr) {
    return FALSE;
  }
  ULONG bytes = 0;
  PVOID mapped = EngMapModule(module, &bytes);
  if (mapped == nullptr) {
    EngFreeModule(module);
    return FALSE;
  }
  *base = module;
  *view = static_cast<const BYTE*>(mapped);
  if (size != nullptr) {
    *size = bytes;
  }
  return TRUE;
}

void UNMAPFILE(PVOID base) {
  if (base != nullptr) {
    EngFreeModule(base);
  }
}

#else

namespace {

// The file's size, FALSE when it cannot be read or does not fit 32 bits.
BOOL ReadSize(HANDLE file, DWORD* size) {
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(file, &high);
  if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) {
    return FALSE;
  }
  *size = low;
  return TRUE;
}

}  // namespace

BOOL MAPFILE(LPCWSTR fileName, PVOID* base, const BYTE** view, DWORD* size) {
  if (fileName == nullptr || base == nullptr || view == nullptr) {
    return FALSE;
  }
  HANDLE file = CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return FALSE;
  }
  DWORD bytes = 0;
  if (!ReadSize(file, &bytes)) {
    CloseHandle(file);
    return FALSE;
  }
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  CloseHandle(file);
  if (mapping == nullptr) {
    return FALSE;
  }
  LPVOID mapped = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);
  if (mapped == nullptr) {
    return FALSE;
  }
  *base = mapped;
  *view = static_cast<const BYTE*>(mapped);
  if (size != nullptr) {
    *size = bytes;
  }
  return TRUE;
}

void UNMAPFILE(PVOID base) {
  if (base != nullptr) {
    UnmapViewOfFile(base);
  }
}

#endif
