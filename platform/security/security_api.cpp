// SID, ACL and security-descriptor construction in the Windows layouts.
#include <cstdlib>
#include <cstring>

#include "platform/security/security_model.h"
#include "platform/base/winerror.h"
#include "platform/security/winsecurity.h"

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// An absolute descriptor of revision 1 that the setters may change.
SECURITY_DESCRIPTOR* Writable(PSECURITY_DESCRIPTOR descriptor, DWORD* error) {
  auto* sd = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  *error = sd == nullptr                                  ? ERROR_INVALID_PARAMETER
           : sd->Revision != SECURITY_DESCRIPTOR_REVISION ? ERROR_UNKNOWN_REVISION
           : (sd->Control & SE_SELF_RELATIVE)             ? ERROR_INVALID_SECURITY_DESCR
                                                          : ERROR_SUCCESS;
  return *error == ERROR_SUCCESS ? sd : nullptr;
}

BOOL SetSidField(PSECURITY_DESCRIPTOR descriptor, PSID sid, BOOL defaulted, bool owner) {
  DWORD error;
  SECURITY_DESCRIPTOR* sd = Writable(descriptor, &error);
  if (sd == nullptr) return Fail(error);
  const SECURITY_DESCRIPTOR_CONTROL flag = owner ? SE_OWNER_DEFAULTED : SE_GROUP_DEFAULTED;
  (owner ? sd->Owner : sd->Group) = sid;
  sd->Control = static_cast<SECURITY_DESCRIPTOR_CONTROL>(defaulted ? sd->Control | flag : sd->Control & ~flag);
  return TRUE;
}

}  // namespace

BOOL AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* authority, BYTE count, DWORD sub0,
                              DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5,
                              DWORD sub6, DWORD sub7, PSID* sid) {
  if (authority == nullptr || sid == nullptr || count > 8) return Fail(ERROR_INVALID_PARAMETER);
  const DWORD subs[8] = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
  auto* bytes = static_cast<BYTE*>(std::calloc(1, 8 + 4 * count));
  if (bytes == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  bytes[0] = 1;
  bytes[1] = count;
  std::memcpy(bytes + 2, authority->Value, 6);
  std::memcpy(bytes + 8, subs, 4 * count);
  *sid = bytes;
  return TRUE;
}

PVOID FreeSid(PSID sid) {
  std::free(sid);
  return nullptr;
}

BOOL IsValidSid(PSID sid) { return plat::SidLength(sid) != 0; }

DWORD GetLengthSid(PSID sid) { return plat::SidLength(sid); }

BOOL InitializeAcl(PACL acl, DWORD length, DWORD revision) {
  if (acl == nullptr || length > 0xFFFF || revision < ACL_REVISION || revision > ACL_REVISION_DS) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  length &= ~DWORD{3};
  if (length < sizeof(ACL)) return Fail(ERROR_INSUFFICIENT_BUFFER);
  *acl = ACL{static_cast<BYTE>(revision), 0, static_cast<WORD>(length), 0, 0};
  return TRUE;
}

BOOL AddAccessAllowedAceEx(PACL acl, DWORD revision, DWORD flags, ACCESS_MASK mask, PSID sid) {
  auto used = plat::AclUsedBytes(acl);
  if (!used) return Fail(ERROR_INVALID_ACL);
  const DWORD sidLength = plat::SidLength(sid);
  if (sidLength == 0) return Fail(ERROR_INVALID_SID);
  if (revision < ACL_REVISION || revision > ACL_REVISION_DS) return Fail(ERROR_REVISION_MISMATCH);
  if (flags & ~DWORD{0x1F}) return Fail(ERROR_INVALID_FLAGS);
  const DWORD size = offsetof(ACCESS_ALLOWED_ACE, SidStart) + sidLength;
  if (*used + size > acl->AclSize) return Fail(ERROR_ALLOTTED_SPACE_EXCEEDED);

  BYTE* entry = reinterpret_cast<BYTE*>(acl) + *used;
  const ACE_HEADER header{ACCESS_ALLOWED_ACE_TYPE, static_cast<BYTE>(flags), static_cast<WORD>(size)};
  std::memcpy(entry, &header, sizeof header);
  std::memcpy(entry + sizeof header, &mask, sizeof mask);
  std::memcpy(entry + offsetof(ACCESS_ALLOWED_ACE, SidStart), sid, sidLength);
  ++acl->AceCount;
  if (revision > acl->AclRevision) acl->AclRevision = static_cast<BYTE>(revision);
  return TRUE;
}

BOOL AddAccessAllowedAce(PACL acl, DWORD revision, ACCESS_MASK mask, PSID sid) {
  return AddAccessAllowedAceEx(acl, revision, 0, mask, sid);
}

BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) {
  if (descriptor == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (revision != SECURITY_DESCRIPTOR_REVISION) return Fail(ERROR_UNKNOWN_REVISION);
  *static_cast<SECURITY_DESCRIPTOR*>(descriptor) =
      SECURITY_DESCRIPTOR{SECURITY_DESCRIPTOR_REVISION, 0, 0, nullptr, nullptr, nullptr, nullptr};
  return TRUE;
}

BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL dacl,
                               BOOL defaulted) {
  DWORD error;
  SECURITY_DESCRIPTOR* sd = Writable(descriptor, &error);
  if (sd == nullptr) return Fail(error);
  WORD control = sd->Control & ~(SE_DACL_PRESENT | SE_DACL_DEFAULTED);
  if (present) control |= SE_DACL_PRESENT | (defaulted ? SE_DACL_DEFAULTED : 0);
  sd->Control = control;
  sd->Dacl = present ? dacl : nullptr;
  return TRUE;
}

BOOL SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR descriptor, PSID owner, BOOL defaulted) {
  return SetSidField(descriptor, owner, defaulted, true);
}

BOOL SetSecurityDescriptorGroup(PSECURITY_DESCRIPTOR descriptor, PSID group, BOOL defaulted) {
  return SetSidField(descriptor, group, defaulted, false);
}

BOOL IsValidSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor) {
  return plat::ParseDescriptor(descriptor) ? TRUE : Fail(ERROR_INVALID_SECURITY_DESCR);
}
