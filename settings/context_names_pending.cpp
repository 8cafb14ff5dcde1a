// Minimal forms of the services declared in context_names_pending.h.
#include "settings/context_names_pending.h"

#include <string_view>

#include "platform/handles.h"
#include "platform/winerror.h"
#include "platform/winreg.h"
#include "platform/winspool.h"
#include "platform/winsys.h"
#include "platform/wintext.h"
#include "settings/context_block.h"
#include "settings/bkpd_access.h"
#include "settings/memptr.h"
#if KESM_KERNEL_MODE
#include "platform/eng_printer.h"
#else
#include "platform/userenv.h"
#include "platform/winprocess.h"
#include "platform/winsecurity.h"
#endif

namespace names_pending {
namespace {

constexpr DWORD kRegMultiSz = 7;  // REG_MULTI_SZ

// Copies text with its terminator when it fits in size characters; else
// empties the buffer. Returns the length, 0 on failure.
DWORD CopyOut(LPWSTR buffer, DWORD size, std::u16string_view text) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  if (text.size() >= size) {
    buffer[0] = 0;
    return 0;
  }
  text.copy(buffer, text.size());
  buffer[text.size()] = 0;
  return static_cast<DWORD>(text.size());
}

// Reads a REG_SZ printer-data value of at most maxBytes bytes into buffer
// (size characters).
BOOL ReadPrinterString(HANDLE printer, LPCWSTR name, LPWSTR buffer, DWORD size, DWORD maxBytes) {
  if (buffer == nullptr || size == 0) {
    return FALSE;
  }
  WCHAR value[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD bytes = maxBytes < sizeof(value) - sizeof(WCHAR) ? maxBytes : sizeof(value) - sizeof(WCHAR);
#if KESM_KERNEL_MODE
  const DWORD status = EngGetPrinterData(printer, name, &type, reinterpret_cast<LPBYTE>(value), bytes, &needed);
#else
  const DWORD status = GetPrinterDataW(printer, name, &type, reinterpret_cast<LPBYTE>(value), bytes, &needed);
#endif
  if (status != ERROR_SUCCESS || type != REG_SZ || value[0] == 0) {
    return FALSE;
  }
  return CopyOut(buffer, size, value) != 0;
}

}  // namespace

LPVOID GetPrinterInfo(HANDLE printer, DWORD level) {
  DWORD needed = 0;
#if KESM_KERNEL_MODE
  if (EngGetPrinter(printer, level, nullptr, 0, &needed) || needed == 0) return nullptr;
#else
  if (GetPrinterW(printer, level, nullptr, 0, &needed) || needed == 0) return nullptr;
#endif
  LPVOID block = GetMemPtr(needed);
  if (block == nullptr) return nullptr;
#if KESM_KERNEL_MODE
  const BOOL ok = EngGetPrinter(printer, level, static_cast<LPBYTE>(block), needed, &needed);
#else
  const BOOL ok = GetPrinterW(printer, level, static_cast<LPBYTE>(block), needed, &needed);
#endif
  if (!ok) {
    FreeMemPtr(block);
    return nullptr;
  }
  return block;
}

#if !KESM_KERNEL_MODE
LPVOID GetPrinterDriverInfo(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  if (GetPrinterDriverW(printer, nullptr, level, nullptr, 0, &needed) || needed == 0) return nullptr;
  LPVOID block = GetMemPtr(needed);
  if (block == nullptr) return nullptr;
  if (!GetPrinterDriverW(printer, nullptr, level, static_cast<LPBYTE>(block), needed, &needed)) {
    FreeMemPtr(block);
    return nullptr;
  }
  return block;
}
#endif

LPCWSTR GetFileNamePtr(LPCWSTR path) {
  if (path == nullptr) return nullptr;
  const std::u16string_view text(path);
  const auto slash = text.rfind(u'\\');
  return slash == std::u16string_view::npos ? path : path + slash + 1;
}

LPCWSTR GetFileNameExt(LPCWSTR path, DWORD* length) {
  const LPCWSTR name = GetFileNamePtr(path);
  if (name == nullptr) return nullptr;
  const std::u16string_view text(name);
  const auto dot = text.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    if (length != nullptr) *length = 0;
    return name;
  }
  if (length != nullptr) *length = static_cast<DWORD>(text.size() - dot - 1);
  return name + dot + 1;
}

BOOL IsSupportIniAccessPerUser(const void*) {
#if KESM_KERNEL_MODE
  return FALSE;
#else
  HKEY key = nullptr;
  if (RegOpenKeyW(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\ProductOptions", &key) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  WCHAR suite[512] = {};
  DWORD type = 0;
  DWORD bytes = sizeof(suite) - 2 * sizeof(WCHAR);
  BOOL found = FALSE;
  if (RegQueryValueExW(key, u"ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(suite), &bytes) ==
          ERROR_SUCCESS &&
      type == kRegMultiSz) {
    for (LPCWSTR s = suite; *s != 0; s += lstrlenW(s) + 1) {
      if (lstrcmpW(s, u"Terminal Server") == 0) found = TRUE;
    }
  }
  RegCloseKey(key);
  return found;
#endif
}

#if !KESM_KERNEL_MODE
BOOL GetHelpFileNameFromReg(LPCWSTR driverName, LPWSTR buffer, DWORD size, UCB*) {
  if (driverName == nullptr || buffer == nullptr || size == 0) return FALSE;
  for (LPCWSTR version : {u"Version-3", u"Version-2"}) {
    WCHAR path[512] = {};
    if (wnsprintfW(path, 512, u"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\"
                              u"Windows NT x86\\Drivers\\%s\\%s",
                   version, driverName) < 0) {
      return FALSE;
    }
    HKEY key = nullptr;
    if (RegOpenKeyW(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) continue;
    WCHAR value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(value) - sizeof(WCHAR);
    const LSTATUS status =
        RegQueryValueExW(key, u"Help File", nullptr, &type, reinterpret_cast<LPBYTE>(value), &bytes);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && type == REG_SZ && value[0] != 0) {
      return CopyOut(buffer, size, value) != 0;
    }
  }
  return FALSE;
}
#endif

BOOL GetHelpFileNameFromReg2(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return ReadPrinterString(ucb->hPrinter, u"HelpFileName", buffer, size, 2 * MAX_PATH);
}

#if KESM_KERNEL_MODE
BOOL GetPrinterNameFromReg(HANDLE printer, LPWSTR buffer, UCB*) {
  return ReadPrinterString(printer, u"PrinterName", buffer, MAX_PATH + 1, 522);
}

BOOL GetDriverNameFromReg(HANDLE printer, LPWSTR buffer, UCB*) {
  return ReadPrinterString(printer, u"DriverName", buffer, 32, 64);
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
#endif

DWORD KM_UM_GetSystemDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
#if KESM_KERNEL_MODE
  // The data file sits four folders below the system directory.
  if (buffer == nullptr || size < MAX_PATH || ucb == nullptr || ucb->pWork == nullptr) return 0;
  std::u16string_view file(ucb->pWork->szDataFileName);
  for (int level = 0; level < 5; ++level) {
    const auto slash = file.rfind(u'\\');
    if (slash == std::u16string_view::npos) return CopyOut(buffer, size, u"");
    file = file.substr(0, slash);
  }
  return CopyOut(buffer, size, file);
#else
  (void)ucb;
  const UINT length = GetSystemDirectoryW(buffer, size);
  return length < size ? length : 0;
#endif
}

DWORD KM_UM_GetSystemDirectoryEx(LPWSTR buffer, DWORD size, UCB* ucb) {
#if KESM_KERNEL_MODE
  return KM_UM_GetSystemDirectory(buffer, size, ucb);
#else
  (void)ucb;
  return UM_GetSystemDirectoryExWithoutUCB(buffer, size, nullptr);
#endif
}

DWORD KM_UM_GetProfileDirectory(LPWSTR buffer, DWORD size, UCB* ucb) {
  if (buffer == nullptr || size == 0) return 0;
  if (ucb != nullptr && ucb->pWork != nullptr) {
    const std::u16string_view ini(ucb->pWork->szIniFilePath);
    const auto slash = ini.rfind(u'\\');
    if (ini.size() > 1 && ini[1] == u':' && slash != std::u16string_view::npos) {
      return CopyOut(buffer, size, ini.substr(0, slash));
    }
  }
#if KESM_KERNEL_MODE
  return 0;
#else
  return UM_GetProfileDirectoryWithoutUCB(buffer, size);
#endif
}

#if !KESM_KERNEL_MODE
DWORD UM_GetProfileDirectoryWithoutUCB(LPWSTR buffer, DWORD size) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return 0;
  WCHAR profile[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const BOOL ok = GetUserProfileDirectoryW(token, profile, &length);
  CloseHandle(token);
  if (!ok) return 0;
  std::u16string path(profile);
  path += u"\\_kesm";
  return CopyOut(buffer, size, path);
}

DWORD UM_GetSystemDirectoryExWithoutUCB(LPWSTR buffer, DWORD size, HANDLE) {
  WCHAR system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  HKEY key = nullptr;
  if (RegOpenKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\TALVO\\KesmDrv", &key) == ERROR_SUCCESS) {
    WCHAR value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(value) - sizeof(WCHAR);
    const LSTATUS status =
        RegQueryValueExW(key, u"_KESMDirectory", nullptr, &type, reinterpret_cast<LPBYTE>(value), &bytes);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && type == REG_SZ && value[0] != 0) {
      return CopyOut(buffer, size, value);
    }
  }
  std::u16string path(system, length < 3 ? length : 3);
  path += u"_kesm";
  return CopyOut(buffer, size, path);
}
#endif

LPCWSTR BKPDGetUIResDll(UCB* ucb) {
  if (ucb == nullptr || ucb->pBKPD == nullptr) return nullptr;
  return BkpdUiResDllName(reinterpret_cast<PCBKPD>(ucb->pBKPD));
}

}  // namespace names_pending
