#include "platform/spooler/spoolss.h"

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/modules/builtin_modules.h"
#include "platform/security/token.h"
#include "platform/security/winsecurity.h"
#include "platform/sync/winprocess.h"

HANDLE RevertToPrinterSelf() {
  HANDLE token = nullptr;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_IMPERSONATE | TOKEN_QUERY, TRUE, &token)) {
    SetLastError(ERROR_NO_TOKEN);
    return nullptr;
  }
  RevertToSelf();
  return token;
}

BOOL ImpersonatePrinterClient(HANDLE hToken) {
  if (!plat::ImpersonateTokenHandle(hToken)) return FALSE;
  CloseHandle(hToken);
  return TRUE;
}

std::span<const plat::BuiltinExport> plat::SpoolssExports() {
  static const BuiltinExport exports[] = {
      {"RevertToPrinterSelf", reinterpret_cast<FARPROC>(&RevertToPrinterSelf)},
      {"ImpersonatePrinterClient", reinterpret_cast<FARPROC>(&ImpersonatePrinterClient)},
  };
  return exports;
}
