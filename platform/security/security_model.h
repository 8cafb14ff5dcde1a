// The security model behind the Win32 security calls: SIDs as values,
// parsed ACLs and descriptors, and the evaluation of a DACL for a token's
// SIDs. Internal to platform/.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/security/winsecurity.h"

namespace plat {

struct Sid {
  std::uint64_t authority = 0;  // 48 bits
  std::vector<DWORD> subAuthorities;

  bool operator==(const Sid&) const = default;
  std::string ToString() const;  // "S-1-5-32-544"
  static std::optional<Sid> FromString(std::string_view text);
  // Reads a SID in the Windows layout; nothing when it is not valid.
  static std::optional<Sid> FromBytes(const void* sid);
};

// Byte length of a valid SID in the Windows layout, 0 for an invalid one.
DWORD SidLength(const void* sid);

struct Ace {
  BYTE type;
  BYTE flags;
  ACCESS_MASK mask;
  Sid sid;  // empty for entry types other than allowed and denied
};

// Entries of a valid ACL; nothing when the ACL is malformed.
std::optional<std::vector<Ace>> ParseAcl(const ACL* acl);
// Offset of the first free byte after the entries of a valid ACL.
std::optional<DWORD> AclUsedBytes(const ACL* acl);

struct Descriptor {
  std::optional<Sid> owner;
  std::optional<Sid> group;
  bool grantsAll = true;  // no DACL, or a null DACL
  std::vector<Ace> dacl;
};

// Reads an absolute or self-relative descriptor; nothing when invalid.
std::optional<Descriptor> ParseDescriptor(const void* descriptor);

struct TokenData {
  Sid user;
  std::vector<Sid> groups;
  bool Has(const Sid& sid) const;
};

// The token of the machine's current user: its user SID and groups
// (Everyone, Users, Interactive, Authenticated Users, and Administrators
// when the machine says the user is one).
TokenData CurrentUserToken();
Sid AdministratorsSid();

// True when the DACL (and ownership) gives the token every right asked for.
bool GrantsAccess(const Descriptor& descriptor, const TokenData& token, ACCESS_MASK desired);

}  // namespace plat
