#if !KESM_KERNEL_MODE  // user-mode file security
#include "storage/files/dir_security.h"

#include <string>

#include "platform/files/filelink.h"
#include "platform/files/winfile.h"
#include "settings/system/memptr.h"
#include "storage/files/known_dirs.h"

namespace {

using Create = PSECURITY_DESCRIPTOR (*)();
using Dispose = void (*)(PSECURITY_DESCRIPTOR);

PSECURITY_DESCRIPTOR NewDescriptor() {
  auto* descriptor = static_cast<SECURITY_DESCRIPTOR*>(GetMemPtr(sizeof(SECURITY_DESCRIPTOR)));
  if (descriptor != nullptr &&
      !InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION)) {
    FreeMemPtr(descriptor);
    return nullptr;
  }
  return descriptor;
}

BOOL ApplyToFolder(LPCWSTR path, DWORD scope, SECURITY_INFORMATION information, Create create,
                   Dispose dispose) {
  if (path == nullptr || plat::IsLink(path)) return FALSE;
  PSECURITY_DESCRIPTOR descriptor = create();
  if (descriptor == nullptr) return FALSE;
  const BOOL applied = SetFileSecurityW(path, information, descriptor);
  if (!(scope & kScopeFolderOnly)) SetFileSecurityByDir(path, descriptor, scope, information);
  dispose(descriptor);
  return applied;
}

}  // namespace

PSECURITY_DESCRIPTOR CreateOwnerSecurityDesc() {
  PSID owner = nullptr;
  if (!AllocateAndInitializeSid(&SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &owner)) {
    return nullptr;
  }
  PSECURITY_DESCRIPTOR descriptor = NewDescriptor();
  if (descriptor == nullptr || !SetSecurityDescriptorOwner(descriptor, owner, FALSE)) {
    FreeMemPtr(descriptor);
    FreeSid(owner);
    return nullptr;
  }
  return descriptor;
}

void DisposeOwnerSecurityDesc(PSECURITY_DESCRIPTOR descriptor) {
  auto* absolute = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  if (absolute == nullptr) return;
  if (absolute->Owner != nullptr && !(absolute->Control & SE_OWNER_DEFAULTED)) {
    FreeSid(absolute->Owner);
  }
  FreeMemPtr(absolute);
}

PSECURITY_DESCRIPTOR CreateEveryoneFullControlSecurityDesc() {
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&SECURITY_WORLD_SID_AUTHORITY, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0,
                                0, 0, &everyone)) {
    return nullptr;
  }
  const DWORD aceBytes = GetLengthSid(everyone) + 8;
  const DWORD aclBytes = aceBytes + 8;
  auto* acl = static_cast<PACL>(GetMemPtr(aclBytes));
  PSECURITY_DESCRIPTOR descriptor = acl != nullptr ? NewDescriptor() : nullptr;
  const bool built =
      descriptor != nullptr && InitializeAcl(acl, aclBytes, ACL_REVISION) &&
      AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                            FILE_ALL_ACCESS, everyone) &&
      SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE);
  FreeSid(everyone);  // the entry holds its own copy
  if (!built) {
    FreeMemPtr(descriptor);
    FreeMemPtr(acl);
    return nullptr;
  }
  return descriptor;
}

void DisposeEveryoneFullControlSecurityDesc(PSECURITY_DESCRIPTOR descriptor) {
  auto* absolute = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  if (absolute == nullptr) return;
  FreeMemPtr(absolute->Dacl);
  FreeMemPtr(absolute);
}

BOOL SetOwnerDirectories(LPCWSTR path, DWORD scope) {
  return ApplyToFolder(path, scope, OWNER_SECURITY_INFORMATION, CreateOwnerSecurityDesc,
                       DisposeOwnerSecurityDesc);
}

BOOL SetAttrDirectories(LPCWSTR path, DWORD scope) {
  return ApplyToFolder(path, scope, DACL_SECURITY_INFORMATION,
                       CreateEveryoneFullControlSecurityDesc,
                       DisposeEveryoneFullControlSecurityDesc);
}

BOOL SetFileSecurityByDir(LPCWSTR path, PSECURITY_DESCRIPTOR descriptor, DWORD scope,
                          SECURITY_INFORMATION information) {
  if (descriptor == nullptr) return FALSE;
  return storage::ForEachFolderEntry(path, [&](const std::u16string& entry, bool folder) {
    if (!folder) {
      SetFileSecurityW(entry.c_str(), information, descriptor);
      return;
    }
    if (scope & kScopeSubfolders) SetFileSecurityW(entry.c_str(), information, descriptor);
    if (scope & kScopeRecursive) {
      SetFileSecurityByDir(entry.c_str(), descriptor, scope, information);
    }
  });
}
#endif
