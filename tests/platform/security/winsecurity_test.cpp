#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/base/machine.h"
#include "platform/security/security_control.h"
#include "platform/system/sysfacts_control.h"
#include "platform/base/winerror.h"
#include "platform/sync/winprocess.h"
#include "platform/security/winsecurity.h"

namespace {

struct SidDeleter {
  void operator()(void* sid) const { FreeSid(sid); }
};
using SidPtr = std::unique_ptr<void, SidDeleter>;

SidPtr Sid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD a = 0, DWORD b = 0) {
  PSID sid = nullptr;
  EXPECT_TRUE(AllocateAndInitializeSid(&authority, count, a, b, 0, 0, 0, 0, 0, 0, &sid));
  return SidPtr(sid);
}
SidPtr Administrators() { return Sid(SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS); }
SidPtr Everyone() { return Sid(SECURITY_WORLD_SID_AUTHORITY, 1, SECURITY_WORLD_RID); }
SidPtr Users() { return Sid(SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID, 545); }

// The administrator test as the driver makes it: impersonate, open the
// thread token, and check access 1 against a descriptor that grants 3 to
// the Administrators group.
bool IsAdministratorByAccessCheck() {
  if (!ImpersonateSelf(SecurityImpersonation)) return false;
  HANDLE token = nullptr;
  bool opened = OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token);
  SidPtr admins = Administrators();
  std::vector<DWORD> aclBuffer((GetLengthSid(admins.get()) + 16) / 4);
  auto* acl = reinterpret_cast<PACL>(aclBuffer.data());
  SECURITY_DESCRIPTOR sd;
  BOOL status = FALSE;
  bool built = opened && InitializeAcl(acl, GetLengthSid(admins.get()) + 16, ACL_REVISION) &&
               AddAccessAllowedAce(acl, ACL_REVISION, 3, admins.get()) &&
               InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) &&
               SetSecurityDescriptorOwner(&sd, admins.get(), FALSE) &&
               SetSecurityDescriptorGroup(&sd, admins.get(), FALSE) && IsValidSecurityDescriptor(&sd);
  if (built) {
    GENERIC_MAPPING mapping{1, 2, 0, 3};
    PRIVILEGE_SET privileges;
    DWORD privilegesLength = sizeof privileges, granted = 0;
    if (!AccessCheck(&sd, token, 1, &mapping, &privileges, &privilegesLength, &granted, &status)) {
      status = FALSE;
    }
  }
  RevertToSelf();
  if (opened) CloseHandle(token);
  return status == TRUE;
}

TEST(Security, AdministratorTestFollowsTheMachine) {
  plat::ScopedMachine machine;
  EXPECT_TRUE(IsAdministratorByAccessCheck());  // the default user is one
  ASSERT_TRUE(plat::SetAdministrator(false));
  EXPECT_FALSE(IsAdministratorByAccessCheck());
  ASSERT_TRUE(plat::SetAdministrator(true));
  EXPECT_TRUE(IsAdministratorByAccessCheck());
}

TEST(Security, SidAndAclLayouts) {
  SidPtr admins = Administrators();
  const BYTE expectedSid[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};
  ASSERT_EQ(GetLengthSid(admins.get()), sizeof expectedSid);
  EXPECT_EQ(std::memcmp(admins.get(), expectedSid, sizeof expectedSid), 0);
  EXPECT_TRUE(IsValidSid(admins.get()));

  alignas(4) BYTE buffer[64] = {};
  auto* acl = reinterpret_cast<PACL>(buffer);
  ASSERT_TRUE(InitializeAcl(acl, 8 + 8 + 16, ACL_REVISION));
  ASSERT_TRUE(AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                                    FILE_ALL_ACCESS, admins.get()));
  EXPECT_EQ(acl->AceCount, 1);
  EXPECT_EQ(acl->AclSize, 32);
  const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(buffer + sizeof(ACL));
  EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
  EXPECT_EQ(ace->Header.AceFlags, 3);
  EXPECT_EQ(ace->Header.AceSize, 24);
  EXPECT_EQ(ace->Mask, 0x1F01FFu);
  EXPECT_EQ(std::memcmp(&ace->SidStart, expectedSid, sizeof expectedSid), 0);

  EXPECT_FALSE(AddAccessAllowedAce(acl, ACL_REVISION, 1, admins.get()));  // full
  EXPECT_EQ(GetLastError(), ERROR_ALLOTTED_SPACE_EXCEEDED);
  EXPECT_FALSE(InitializeAcl(acl, 7, ACL_REVISION));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  const BYTE badSid[16] = {2, 1};
  ASSERT_TRUE(InitializeAcl(acl, sizeof buffer, ACL_REVISION));
  EXPECT_FALSE(AddAccessAllowedAce(acl, ACL_REVISION, 1, const_cast<BYTE*>(badSid)));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_SID);
  EXPECT_FALSE(AddAccessAllowedAceEx(acl, ACL_REVISION, 0x20, 1, admins.get()));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

enum class Who { Everyone, Administrators, Users };
struct Entry {
  BYTE type;
  BYTE flags;
  ACCESS_MASK mask;
  Who who;
};

// A descriptor with owner and group Administrators and a DACL of entries
// (or a null DACL).
class Descriptor {
 public:
  explicit Descriptor(const std::vector<Entry>& entries, bool nullDacl = false) {
    auto* acl = reinterpret_cast<PACL>(acl_);
    InitializeAcl(acl, sizeof acl_, ACL_REVISION);
    for (const Entry& e : entries) {
      SidPtr sid = e.who == Who::Everyone ? Everyone() : e.who == Who::Users ? Users() : Administrators();
      WORD offset = sizeof(ACL);
      for (WORD i = 0; i < acl->AceCount; ++i) offset += reinterpret_cast<ACE_HEADER*>(acl_ + offset)->AceSize;
      AddAccessAllowedAceEx(acl, ACL_REVISION, e.flags, e.mask, sid.get());
      reinterpret_cast<ACE_HEADER*>(acl_ + offset)->AceType = e.type;  // same layout for denied
    }
    InitializeSecurityDescriptor(&sd_, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd_, TRUE, nullDacl ? nullptr : acl, FALSE);
    SetSecurityDescriptorOwner(&sd_, owner_.get(), FALSE);
    SetSecurityDescriptorGroup(&sd_, owner_.get(), FALSE);
  }
  PSECURITY_DESCRIPTOR get() { return &sd_; }

 private:
  alignas(4) BYTE acl_[256] = {};
  SidPtr owner_ = Administrators();
  SECURITY_DESCRIPTOR sd_;
};

// AccessCheck's answer for the impersonating thread; -1 when the call fails.
int Check(PSECURITY_DESCRIPTOR sd, DWORD desired) {
  ImpersonateSelf(SecurityImpersonation);
  HANDLE token = nullptr;
  OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token);
  GENERIC_MAPPING mapping{1, 2, 0, 3};
  PRIVILEGE_SET privileges;
  DWORD length = sizeof privileges, granted = 0xDEAD;
  BOOL status = FALSE;
  BOOL ok = AccessCheck(sd, token, desired, &mapping, &privileges, &length, &granted, &status);
  RevertToSelf();
  CloseHandle(token);
  if (!ok) return -1;
  EXPECT_EQ(granted, status ? desired : 0u);
  return status;
}

TEST(Security, AccessCheckEvaluatesTheDacl) {
  plat::ScopedMachine machine;
  constexpr BYTE A = ACCESS_ALLOWED_ACE_TYPE, D = ACCESS_DENIED_ACE_TYPE;
  struct Case {
    std::vector<Entry> dacl;
    DWORD desired;
    int asAdministrator;
    int asUser;
  };
  const std::vector<Case> cases = {
      {{}, 1, 0, 0},                                                      // empty DACL: nothing
      {{{A, 0, 1, Who::Everyone}}, 1, 1, 1},
      {{{A, 0, 1, Who::Everyone}}, 3, 0, 0},                              // only part granted
      {{{A, 0, 1, Who::Users}, {A, 0, 2, Who::Administrators}}, 3, 1, 0},  // rights add up
      {{{D, 0, 2, Who::Everyone}, {A, 0, 3, Who::Everyone}}, 1, 1, 1},    // denial of another right
      {{{D, 0, 2, Who::Everyone}, {A, 0, 3, Who::Everyone}}, 2, 0, 0},
      {{{A, 0, 3, Who::Everyone}, {D, 0, 1, Who::Everyone}}, 1, 1, 1},    // granted before denied
      {{{D, 0, 1, Who::Administrators}, {A, 0, 1, Who::Everyone}}, 1, 0, 1},
      {{{A, INHERIT_ONLY_ACE, 1, Who::Everyone}}, 1, 0, 0},               // applies to children only
      {{}, READ_CONTROL | WRITE_DAC, 1, 0},                               // the owner's own rights
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Descriptor sd(cases[i].dacl);
    ASSERT_TRUE(plat::SetAdministrator(true));
    EXPECT_EQ(Check(sd.get(), cases[i].desired), cases[i].asAdministrator) << "case " << i;
    ASSERT_TRUE(plat::SetAdministrator(false));
    EXPECT_EQ(Check(sd.get(), cases[i].desired), cases[i].asUser) << "case " << i;
  }
  Descriptor open({}, true);
  EXPECT_EQ(Check(open.get(), 0x1F01FF), 1);  // a null DACL grants everything
}

TEST(Security, AccessCheckRefusesBadCalls) {
  plat::ScopedMachine machine;
  Descriptor sd({{ACCESS_ALLOWED_ACE_TYPE, 0, 1, Who::Everyone}});
  GENERIC_MAPPING mapping{1, 2, 0, 3};
  PRIVILEGE_SET privileges;
  DWORD length = sizeof privileges, granted = 0;
  BOOL status = FALSE;

  HANDLE token = nullptr;
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token));
  EXPECT_EQ(GetLastError(), ERROR_NO_TOKEN);
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_FALSE(AccessCheck(sd.get(), token, 1, &mapping, &privileges, &length, &granted, &status));
  EXPECT_EQ(GetLastError(), ERROR_NO_IMPERSONATION_TOKEN);
  CloseHandle(token);

  ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
  ASSERT_TRUE(OpenThreadToken(GetCurrentThread(), TOKEN_IMPERSONATE, FALSE, &token));
  EXPECT_FALSE(AccessCheck(sd.get(), token, 1, &mapping, &privileges, &length, &granted, &status));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);  // handle without TOKEN_QUERY
  CloseHandle(token);

  ASSERT_TRUE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token));
  EXPECT_FALSE(AccessCheck(sd.get(), token, 0x80000000, &mapping, &privileges, &length, &granted, &status));
  EXPECT_EQ(GetLastError(), ERROR_GENERIC_NOT_MAPPED);
  length = 8;
  EXPECT_FALSE(AccessCheck(sd.get(), token, 1, &mapping, &privileges, &length, &granted, &status));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(length, sizeof(PRIVILEGE_SET));
  SECURITY_DESCRIPTOR ownerless;
  InitializeSecurityDescriptor(&ownerless, SECURITY_DESCRIPTOR_REVISION);
  EXPECT_FALSE(AccessCheck(&ownerless, token, 1, &mapping, &privileges, &length, &granted, &status));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_SECURITY_DESCR);
  CloseHandle(token);

  ASSERT_TRUE(RevertToSelf());
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token));
  EXPECT_EQ(GetLastError(), ERROR_NO_TOKEN);
}

// The two descriptors of the shared data folder: owner Administrators, and
// a DACL that gives Everyone full control, inherited by files and folders.
class FolderSecurity {
 public:
  FolderSecurity() {
    InitializeSecurityDescriptor(&owner_, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorOwner(&owner_, admins_.get(), FALSE);
    auto* acl = reinterpret_cast<PACL>(acl_);
    InitializeAcl(acl, GetLengthSid(everyone_.get()) + 16, ACL_REVISION);
    AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                          FILE_ALL_ACCESS, everyone_.get());
    InitializeSecurityDescriptor(&everyone_full_, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&everyone_full_, TRUE, acl, FALSE);
    InitializeSecurityDescriptor(&closed_, SECURITY_DESCRIPTOR_REVISION);
    auto* empty = reinterpret_cast<PACL>(empty_);
    InitializeAcl(empty, sizeof empty_, ACL_REVISION);
    SetSecurityDescriptorDacl(&closed_, TRUE, empty, FALSE);
  }
  PSECURITY_DESCRIPTOR owner() { return &owner_; }
  PSECURITY_DESCRIPTOR everyoneFullControl() { return &everyone_full_; }
  PSECURITY_DESCRIPTOR closed() { return &closed_; }

 private:
  SidPtr admins_ = Administrators();
  SidPtr everyone_ = Everyone();
  alignas(4) BYTE acl_[64] = {};
  alignas(4) BYTE empty_[8] = {};
  SECURITY_DESCRIPTOR owner_, everyone_full_, closed_;
};

TEST(FileSecurity, OwnerAndDaclAreKeptForTheFolder) {
  plat::ScopedMachine machine;
  std::filesystem::create_directories(plat::DriveRoot() / "_kesm");
  std::ofstream(plat::DriveRoot() / "_kesm" / "kesmusr.ini") << "[x]\n";
  FolderSecurity security;
  EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm").has_value());

  ASSERT_TRUE(SetFileSecurityW(u"c:\\_KESM", OWNER_SECURITY_INFORMATION, security.owner()));
  ASSERT_TRUE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, security.everyoneFullControl()));
  auto folder = plat::StoredFileSecurity(u"C:\\_Kesm");
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->owner, "S-1-5-32-544");
  EXPECT_TRUE(folder->daclSet);
  EXPECT_FALSE(folder->nullDacl);
  EXPECT_EQ(folder->dacl, (std::vector<plat::StoredAce>{{ACCESS_ALLOWED_ACE_TYPE, 3, 0x1F01FF, "S-1-1-0"}}));
  EXPECT_FALSE(plat::StoredFileSecurity(u"C:\\_kesm\\kesmusr.ini").has_value());  // the folder only
}

TEST(FileSecurity, RulesForUsersAndBadCalls) {
  plat::ScopedMachine machine;
  std::filesystem::create_directories(plat::DriveRoot() / "_kesm");
  FolderSecurity security;
  ASSERT_TRUE(plat::SetAdministrator(false));
  EXPECT_FALSE(SetFileSecurityW(u"C:\\_kesm", OWNER_SECURITY_INFORMATION, security.owner()));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_OWNER);
  EXPECT_TRUE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, security.everyoneFullControl()));

  ASSERT_TRUE(plat::SetAdministrator(true));
  ASSERT_TRUE(SetFileSecurityW(u"C:\\_kesm", OWNER_SECURITY_INFORMATION, security.owner()));
  ASSERT_TRUE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, security.closed()));
  ASSERT_TRUE(plat::SetAdministrator(false));  // closed, and not the owner: no way back in
  EXPECT_FALSE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, security.everyoneFullControl()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(plat::SetAdministrator(true));  // the owning group may always rewrite the DACL
  EXPECT_TRUE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, security.everyoneFullControl()));

  struct Case {
    const WCHAR* path;
    SECURITY_INFORMATION information;
    DWORD error;
  };
  const Case cases[] = {
      {u"C:\\_kesm\\missing.ini", DACL_SECURITY_INFORMATION, ERROR_FILE_NOT_FOUND},
      {u"C:\\missing\\a.ini", DACL_SECURITY_INFORMATION, ERROR_PATH_NOT_FOUND},
      {u"C:\\_kesm", SACL_SECURITY_INFORMATION, ERROR_PRIVILEGE_NOT_HELD},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(SetFileSecurityW(c.path, c.information, security.everyoneFullControl()));
    EXPECT_EQ(GetLastError(), c.error);
  }
  SECURITY_DESCRIPTOR wrong{};
  EXPECT_FALSE(SetFileSecurityW(u"C:\\_kesm", DACL_SECURITY_INFORMATION, &wrong));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_SECURITY_DESCR);
}

}  // namespace
