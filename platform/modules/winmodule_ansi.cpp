// The ANSI spelling of the module loader.
#include <vector>

#include "platform/text/codepage.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"

HMODULE LoadLibraryA(LPCSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int length = MultiByteToWideChar(CP_ACP, 0, fileName, -1, nullptr, 0);
  if (length <= 0) return nullptr;
  std::vector<WCHAR> wide(static_cast<std::size_t>(length));
  if (MultiByteToWideChar(CP_ACP, 0, fileName, -1, wide.data(), length) != length) return nullptr;
  return LoadLibraryW(wide.data());
}
