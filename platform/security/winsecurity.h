// Security of the stand-in: SIDs, ACLs and security descriptors with the
// Windows byte layouts, access tokens of the current user, the access check
// and file security. The user is a member of BUILTIN\Administrators when
// the machine says so (platform/system/sysfacts_control.h); tokens carry that.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/wintypes.h"

using PSID = void*;
using SECURITY_INFORMATION = DWORD;
using SECURITY_DESCRIPTOR_CONTROL = WORD;

inline constexpr ACCESS_MASK READ_CONTROL = 0x00020000;
inline constexpr ACCESS_MASK WRITE_DAC = 0x00040000;
inline constexpr ACCESS_MASK WRITE_OWNER = 0x00080000;
inline constexpr ACCESS_MASK SYNCHRONIZE = 0x00100000;
inline constexpr ACCESS_MASK STANDARD_RIGHTS_REQUIRED = 0x000F0000;
inline constexpr ACCESS_MASK FILE_ALL_ACCESS = STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0x1FF;

// SIDs.
struct SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];
};
using PSID_IDENTIFIER_AUTHORITY = SID_IDENTIFIER_AUTHORITY*;
inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_WORLD_SID_AUTHORITY = {{0, 0, 0, 0, 0, 1}};
inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_NT_AUTHORITY = {{0, 0, 0, 0, 0, 5}};
inline constexpr DWORD SECURITY_WORLD_RID = 0;
inline constexpr DWORD SECURITY_LOCAL_SYSTEM_RID = 18;
inline constexpr DWORD SECURITY_BUILTIN_DOMAIN_RID = 32;
inline constexpr DWORD DOMAIN_ALIAS_RID_ADMINS = 544;

struct SID {
  BYTE Revision;
  BYTE SubAuthorityCount;
  SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
  DWORD SubAuthority[1];
};
static_assert(sizeof(SID) == 12);

// ACLs and their entries.
inline constexpr DWORD ACL_REVISION = 2;
inline constexpr DWORD ACL_REVISION_DS = 4;
struct ACL {
  BYTE AclRevision;
  BYTE Sbz1;
  WORD AclSize;
  WORD AceCount;
  WORD Sbz2;
};
using PACL = ACL*;

inline constexpr BYTE ACCESS_ALLOWED_ACE_TYPE = 0;
inline constexpr BYTE ACCESS_DENIED_ACE_TYPE = 1;
inline constexpr BYTE OBJECT_INHERIT_ACE = 0x01;
inline constexpr BYTE CONTAINER_INHERIT_ACE = 0x02;
inline constexpr BYTE NO_PROPAGATE_INHERIT_ACE = 0x04;
inline constexpr BYTE INHERIT_ONLY_ACE = 0x08;
inline constexpr BYTE INHERITED_ACE = 0x10;
struct ACE_HEADER {
  BYTE AceType;
  BYTE AceFlags;
  WORD AceSize;
};
// Allowed and denied entries share this layout; the SID starts at SidStart.
struct ACCESS_ALLOWED_ACE {
  ACE_HEADER Header;
  ACCESS_MASK Mask;
  DWORD SidStart;
};
using ACCESS_DENIED_ACE = ACCESS_ALLOWED_ACE;
static_assert(sizeof(ACL) == 8 && sizeof(ACE_HEADER) == 4 && sizeof(ACCESS_ALLOWED_ACE) == 12);

// Security descriptors (absolute form; the self-relative form is read too).
inline constexpr DWORD SECURITY_DESCRIPTOR_REVISION = 1;
inline constexpr SECURITY_DESCRIPTOR_CONTROL SE_OWNER_DEFAULTED = 0x0001;
inline constexpr SECURITY_DESCRIPTOR_CONTROL SE_GROUP_DEFAULTED = 0x0002;
inline constexpr SECURITY_DESCRIPTOR_CONTROL SE_DACL_PRESENT = 0x0004;
inline constexpr SECURITY_DESCRIPTOR_CONTROL SE_DACL_DEFAULTED = 0x0008;
inline constexpr SECURITY_DESCRIPTOR_CONTROL SE_SELF_RELATIVE = 0x8000;
struct SECURITY_DESCRIPTOR {
  BYTE Revision;
  BYTE Sbz1;
  SECURITY_DESCRIPTOR_CONTROL Control;
  PSID Owner;
  PSID Group;
  PACL Sacl;
  PACL Dacl;
};
inline constexpr DWORD SECURITY_DESCRIPTOR_MIN_LENGTH = sizeof(SECURITY_DESCRIPTOR);

inline constexpr SECURITY_INFORMATION OWNER_SECURITY_INFORMATION = 0x00000001;
inline constexpr SECURITY_INFORMATION GROUP_SECURITY_INFORMATION = 0x00000002;
inline constexpr SECURITY_INFORMATION DACL_SECURITY_INFORMATION = 0x00000004;
inline constexpr SECURITY_INFORMATION SACL_SECURITY_INFORMATION = 0x00000008;

// Access check.
struct GENERIC_MAPPING {
  ACCESS_MASK GenericRead;
  ACCESS_MASK GenericWrite;
  ACCESS_MASK GenericExecute;
  ACCESS_MASK GenericAll;
};
using PGENERIC_MAPPING = GENERIC_MAPPING*;
struct LUID {
  DWORD LowPart;
  LONG HighPart;
};
struct LUID_AND_ATTRIBUTES {
  LUID Luid;
  DWORD Attributes;
};
struct PRIVILEGE_SET {
  DWORD PrivilegeCount;
  DWORD Control;
  LUID_AND_ATTRIBUTES Privilege[1];
};
using PPRIVILEGE_SET = PRIVILEGE_SET*;
static_assert(sizeof(PRIVILEGE_SET) == 20);

// Tokens.
enum SECURITY_IMPERSONATION_LEVEL {
  SecurityAnonymous,
  SecurityIdentification,
  SecurityImpersonation,
  SecurityDelegation,
};
inline constexpr DWORD TOKEN_DUPLICATE = 0x0002;
inline constexpr DWORD TOKEN_IMPERSONATE = 0x0004;
inline constexpr DWORD TOKEN_QUERY = 0x0008;

BOOL AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* authority, BYTE subAuthorityCount,
                              DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4,
                              DWORD sub5, DWORD sub6, DWORD sub7, PSID* sid);
// Returns null.
PVOID FreeSid(PSID sid);
BOOL IsValidSid(PSID sid);
DWORD GetLengthSid(PSID sid);

// An empty ACL of the given size in bytes (rounded down to whole DWORDs,
// at most 65535).
BOOL InitializeAcl(PACL acl, DWORD length, DWORD revision);
// Append an entry; ERROR_ALLOTTED_SPACE_EXCEEDED when the ACL has no room.
BOOL AddAccessAllowedAce(PACL acl, DWORD revision, ACCESS_MASK mask, PSID sid);
BOOL AddAccessAllowedAceEx(PACL acl, DWORD revision, DWORD flags, ACCESS_MASK mask, PSID sid);

BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision);
BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL dacl,
                               BOOL defaulted);
BOOL SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR descriptor, PSID owner, BOOL defaulted);
BOOL SetSecurityDescriptorGroup(PSECURITY_DESCRIPTOR descriptor, PSID group, BOOL defaulted);
BOOL IsValidSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor);

// The calling thread impersonates its own process's user until
// RevertToSelf.
BOOL ImpersonateSelf(SECURITY_IMPERSONATION_LEVEL level);
BOOL RevertToSelf();
// Tokens of the current process (GetCurrentProcess(), or a started
// process: the same user) and of the calling thread (GetCurrentThread();
// ERROR_NO_TOKEN when the thread does not impersonate). Close with
// CloseHandle.
BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token);
BOOL OpenThreadToken(HANDLE thread, DWORD desiredAccess, BOOL openAsSelf, PHANDLE token);

// Whether the client's token gets desiredAccess under the descriptor's
// DACL: entries are taken in order, a denied entry for a SID of the token
// that names a right still wanted refuses, allowed entries grant; a
// missing (null) DACL grants everything, an empty one nothing; the owner
// always has READ_CONTROL and WRITE_DAC. The function result tells whether
// the check could be made (it needs an impersonation token opened with
// TOKEN_QUERY, a descriptor with owner and group, no generic rights in
// desiredAccess and a privilege-set buffer of at least
// sizeof(PRIVILEGE_SET)); the answer is in *accessStatus (with
// ERROR_ACCESS_DENIED as last error when refused).
BOOL AccessCheck(PSECURITY_DESCRIPTOR descriptor, HANDLE clientToken, DWORD desiredAccess,
                 PGENERIC_MAPPING genericMapping, PPRIVILEGE_SET privilegeSet,
                 LPDWORD privilegeSetLength, LPDWORD grantedAccess, LPBOOL accessStatus);

// Sets the owner, group and/or DACL of a file or folder. The owner must be
// the user or a group of the user that may own objects (Administrators,
// when the user is one): else ERROR_INVALID_OWNER. Changing the DACL needs
// WRITE_DAC (and the owner WRITE_OWNER, which administrators always have)
// under the DACL set before. SACL_SECURITY_INFORMATION fails with
// ERROR_PRIVILEGE_NOT_HELD. The settings persist in the machine folder.
BOOL SetFileSecurityW(LPCWSTR fileName, SECURITY_INFORMATION information,
                      PSECURITY_DESCRIPTOR descriptor);
