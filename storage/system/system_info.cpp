#include "storage/system/system_info.h"

#include <atomic>
#include <string_view>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/registry/winreg.h"
#include "platform/system/winsys.h"
#include "settings/context/context_block.h"

namespace {

// Answers kept for the process: 0 unknown, 1 yes, 2 no.
enum : DWORD { kUnknown = 0, kYes = 1, kNo = 2 };

#if !KESM_KERNEL_MODE
std::atomic<DWORD> gLaterThanWin2000{kUnknown};
std::atomic<DWORD> gPerUserIni{kUnknown};

bool ReadOsVersion(OSVERSIONINFOW* info) {
  *info = {};
  info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
  return GetVersionExW(info) != FALSE;
}

// Whether a REG_MULTI_SZ block holds the string, exactly.
bool MultiStringHolds(const std::vector<WCHAR>& block, std::u16string_view wanted) {
  std::size_t at = 0;
  while (at < block.size() && block[at] != 0) {
    std::size_t end = at;
    while (end < block.size() && block[end] != 0) ++end;
    if (std::u16string_view(block.data() + at, end - at) == wanted) return true;
    at = end + 1;
  }
  return false;
}

bool ProductSuiteNamesTerminalServer() {
  HKEY key = nullptr;
  if (RegOpenKeyW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions",
                  &key) != ERROR_SUCCESS) {
    return false;
  }
  bool found = false;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, u"ProductSuite", nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      bytes > 0) {
    // Two spare characters keep the block terminated whatever was stored.
    std::vector<WCHAR> block(bytes / sizeof(WCHAR) + 2, 0);
    if (RegQueryValueExW(key, u"ProductSuite", nullptr, &type,
                         reinterpret_cast<LPBYTE>(block.data()), &bytes) == ERROR_SUCCESS &&
        type == REG_MULTI_SZ) {
      found = MultiStringHolds(block, u"Terminal Server");
    }
  }
  RegCloseKey(key);
  return found;
}
#endif

}  // namespace

#if !KESM_KERNEL_MODE
BOOL GetOSVersion() {
  OSVERSIONINFOW info;
  return ReadOsVersion(&info);
}

BOOL IsOsLaterWin2000() {
  if (gLaterThanWin2000.load() == kUnknown) {
    OSVERSIONINFOW info;
    gLaterThanWin2000.store(ReadOsVersion(&info) && info.dwMajorVersion >= 5 ? kYes : kNo);
  }
  return gLaterThanWin2000.load() == kYes;
}

BOOL IsOsIsWin9X() {
  OSVERSIONINFOW info;
  return ReadOsVersion(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

BOOL IsOSWin2000AndEarlierSP3() { return FALSE; }

BOOL IsTSE(const void*) { return ProductSuiteNamesTerminalServer(); }

BOOL IsSupportIniAccessPerUser(const void* unused) {
  if (gPerUserIni.load() == kUnknown) gPerUserIni.store(IsTSE(unused) ? kYes : kNo);
  return gPerUserIni.load() == kYes;
}

void ForgetPerUserIniAnswer() { gPerUserIni.store(kUnknown); }
void ForgetOsVersionAnswer() { gLaterThanWin2000.store(kUnknown); }

BOOL KesmIsAdmin(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr || ucb->pWork->fCheckAdmin == 1) return IsAdmin();
  return TRUE;
}
#else
BOOL IsSupportIniAccessPerUser(const void*) { return FALSE; }
#endif
