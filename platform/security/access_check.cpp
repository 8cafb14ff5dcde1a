// AccessCheck over the security model.
#include "platform/security/security_model.h"
#include "platform/security/token.h"
#include "platform/base/winerror.h"
#include "platform/security/winsecurity.h"

namespace {

constexpr ACCESS_MASK kGenericRights = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL AccessCheck(PSECURITY_DESCRIPTOR descriptor, HANDLE clientToken, DWORD desiredAccess,
                 PGENERIC_MAPPING genericMapping, PPRIVILEGE_SET privilegeSet,
                 LPDWORD privilegeSetLength, LPDWORD grantedAccess, LPBOOL accessStatus) {
  if (genericMapping == nullptr || privilegeSetLength == nullptr || grantedAccess == nullptr ||
      accessStatus == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  auto token = plat::HandleAs<plat::TokenObject>(clientToken);
  if (!token) return FALSE;
  if (!(token->access() & TOKEN_QUERY)) return Fail(ERROR_ACCESS_DENIED);
  if (!token->impersonation()) return Fail(ERROR_NO_IMPERSONATION_TOKEN);
  if (token->level() < SecurityIdentification) return Fail(ERROR_BAD_IMPERSONATION_LEVEL);
  auto parsed = plat::ParseDescriptor(descriptor);
  if (!parsed || !parsed->owner || !parsed->group) return Fail(ERROR_INVALID_SECURITY_DESCR);
  if (desiredAccess & kGenericRights) return Fail(ERROR_GENERIC_NOT_MAPPED);
  if (privilegeSet == nullptr || *privilegeSetLength < sizeof(PRIVILEGE_SET)) {
    *privilegeSetLength = sizeof(PRIVILEGE_SET);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  privilegeSet->PrivilegeCount = 0;
  privilegeSet->Control = 0;

  const bool granted = plat::GrantsAccess(*parsed, token->data(), desiredAccess);
  *grantedAccess = granted ? desiredAccess : 0;
  *accessStatus = granted ? TRUE : FALSE;
  SetLastError(granted ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
  return TRUE;
}
