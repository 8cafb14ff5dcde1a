#include "storage/ini/ini_path_escape.h"

#if !KESM_KERNEL_MODE
#include "settings/context/context_names.h"
#include "settings/system/memptr.h"
#include "storage/system/system_info.h"

namespace {

// Where the path is built: the user's profile directory, or the shared one.
constexpr DWORD kPerUserIni = 1;
constexpr DWORD kSharedIni = 0;

}  // namespace

BOOL EscapeIniFilePathWithoutUCB(HANDLE printer, HDC dc) {
  auto path = NewMemBlock<WCHAR>(MAX_PATH);
  if (path == nullptr) return FALSE;
  const DWORD where = IsSupportIniAccessPerUser(nullptr) ? kPerUserIni : kSharedIni;
  if (GetIniFilePathWithoutUCB(path.get(), 0, where, printer) != 1) return FALSE;
  ExtEscape(dc, kEscapeIniFilePath, kIniPathEscapeBytes, reinterpret_cast<LPCSTR>(path.get()), 0, nullptr);
  return TRUE;
}
#endif
