// Whether the calling user is an administrator: an access check, under the
// thread's own identity, against a descriptor that grants access only to
// BUILTIN\Administrators.
#if !KESM_KERNEL_MODE  // user-mode facts only
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/winerror.h"
#include "platform/sync/winprocess.h"
#include "platform/security/winsecurity.h"
#include "storage/system/system_info.h"

namespace {

// Reverts the thread's impersonation on every way out.
struct Impersonation {
  Impersonation() { ImpersonateSelf(SecurityImpersonation); }
  ~Impersonation() { RevertToSelf(); }
};

struct TokenHandle {
  HANDLE handle = nullptr;
  ~TokenHandle() {
    if (handle != nullptr) CloseHandle(handle);
  }
};

struct Sid {
  PSID sid = nullptr;
  ~Sid() {
    if (sid != nullptr) FreeSid(sid);
  }
};

bool OpenToken(TokenHandle* token) {
  if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token->handle)) return true;
  if (GetLastError() != ERROR_NO_TOKEN) return false;
  return OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token->handle) != FALSE;
}

BOOL CheckAgainstAdministrators(HANDLE token, PSID administrators) {
  const DWORD aclBytes = GetLengthSid(administrators) + 16;
  std::vector<DWORD> aclBlock((aclBytes + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  auto* acl = reinterpret_cast<PACL>(aclBlock.data());
  SECURITY_DESCRIPTOR descriptor{};
  if (!InitializeAcl(acl, aclBytes, ACL_REVISION) ||
      !AddAccessAllowedAce(acl, ACL_REVISION, 3, administrators) ||
      !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) ||
      !SetSecurityDescriptorOwner(&descriptor, administrators, FALSE) ||
      !SetSecurityDescriptorGroup(&descriptor, administrators, FALSE) ||
      !IsValidSecurityDescriptor(&descriptor)) {
    return FALSE;
  }
  GENERIC_MAPPING mapping{1, 2, 0, 3};
  PRIVILEGE_SET privileges{};
  DWORD privilegesLength = sizeof privileges;
  DWORD granted = 0;
  BOOL status = FALSE;
  if (!AccessCheck(&descriptor, token, 1, &mapping, &privileges, &privilegesLength, &granted,
                   &status)) {
    return FALSE;
  }
  return status;
}

}  // namespace

BOOL IsAdmin() {
  Impersonation impersonation;
  TokenHandle token;
  if (!OpenToken(&token)) return FALSE;
  Sid administrators;
  if (!AllocateAndInitializeSid(&SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators.sid)) {
    return FALSE;
  }
  return CheckAgainstAdministrators(token.handle, administrators.sid);
}
#endif
