// Process and thread tokens. The process token describes the machine's
// current user when it is opened; ImpersonateSelf gives the calling thread
// a copy of it until RevertToSelf.
#include "platform/security/token.h"

#include <optional>

#include "platform/sync/process_object.h"
#include "platform/base/winerror.h"
#include "platform/sync/winprocess.h"

namespace plat {
namespace {

struct Impersonation {
  TokenData token;
  SECURITY_IMPERSONATION_LEVEL level;
};

std::optional<Impersonation>& ThreadImpersonation() {
  thread_local std::optional<Impersonation> impersonation;
  return impersonation;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

TokenData EffectiveToken() {
  const auto& impersonation = ThreadImpersonation();
  return impersonation ? impersonation->token : CurrentUserToken();
}

BOOL ImpersonateTokenHandle(HANDLE token) {
  const auto object = HandleAs<TokenObject>(token);
  if (!object) return Fail(ERROR_INVALID_HANDLE);
  const SECURITY_IMPERSONATION_LEVEL level =
      object->impersonation() ? object->level() : SecurityImpersonation;
  ThreadImpersonation() = Impersonation{object->data(), level};
  return TRUE;
}

}  // namespace plat

BOOL ImpersonateSelf(SECURITY_IMPERSONATION_LEVEL level) {
  if (level < SecurityAnonymous || level > SecurityDelegation) return plat::Fail(ERROR_INVALID_PARAMETER);
  plat::ThreadImpersonation() = plat::Impersonation{plat::CurrentUserToken(), level};
  return TRUE;
}

BOOL RevertToSelf() {
  plat::ThreadImpersonation().reset();
  return TRUE;
}

BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token) {
  if (token == nullptr) return plat::Fail(ERROR_INVALID_PARAMETER);
  if (process != GetCurrentProcess() && !plat::HandleAs<plat::ProcessObject>(process)) {
    return plat::Fail(ERROR_INVALID_HANDLE);
  }
  *token = plat::NewHandle(std::make_shared<plat::TokenObject>(plat::CurrentUserToken(), false,
                                                               SecurityAnonymous, desiredAccess));
  return TRUE;
}

BOOL OpenThreadToken(HANDLE thread, DWORD desiredAccess, BOOL, PHANDLE token) {
  if (token == nullptr) return plat::Fail(ERROR_INVALID_PARAMETER);
  if (thread != GetCurrentThread()) return plat::Fail(ERROR_INVALID_HANDLE);
  const auto& impersonation = plat::ThreadImpersonation();
  if (!impersonation) return plat::Fail(ERROR_NO_TOKEN);
  if (impersonation->level == SecurityAnonymous) return plat::Fail(ERROR_CANT_OPEN_ANONYMOUS);
  *token = plat::NewHandle(std::make_shared<plat::TokenObject>(impersonation->token, true,
                                                               impersonation->level, desiredAccess));
  return TRUE;
}
