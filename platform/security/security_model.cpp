// SIDs, ACL and descriptor parsing, and DACL evaluation.
#include "platform/security/security_model.h"

#include <charconv>
#include <cstring>

#include "platform/system/sysfacts.h"

namespace plat {
namespace {

constexpr BYTE kMaxSubAuthorities = 15;

// The self-relative layout: offsets instead of pointers.
struct RelativeDescriptor {
  BYTE Revision;
  BYTE Sbz1;
  SECURITY_DESCRIPTOR_CONTROL Control;
  DWORD Owner;
  DWORD Group;
  DWORD Sacl;
  DWORD Dacl;
};

const BYTE* Bytes(const void* p) { return static_cast<const BYTE*>(p); }

template <class T>
T Load(const BYTE* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

Sid SidOf(std::uint64_t authority, std::vector<DWORD> subs) { return Sid{authority, std::move(subs)}; }

// Owner and group of a descriptor: a pointer (or offset) that may be null,
// and a valid SID when not.
bool ReadSidField(const void* sid, std::optional<Sid>* out) {
  if (sid == nullptr) return true;
  *out = Sid::FromBytes(sid);
  return out->has_value();
}

}  // namespace

std::string Sid::ToString() const {
  std::string text = "S-1-" + std::to_string(authority);
  for (DWORD sub : subAuthorities) text += "-" + std::to_string(sub);
  return text;
}

std::optional<Sid> Sid::FromString(std::string_view text) {
  if (!text.starts_with("S-1-")) return std::nullopt;
  text.remove_prefix(4);
  Sid sid;
  auto next = [&text](auto* value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    if (ec != std::errc() || end == text.data()) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return text.empty() || (text[0] == '-' && (text.remove_prefix(1), !text.empty()));
  };
  if (!next(&sid.authority) || sid.authority >= (std::uint64_t{1} << 48)) return std::nullopt;
  while (!text.empty()) {
    DWORD sub = 0;
    if (!next(&sub) || sid.subAuthorities.size() == kMaxSubAuthorities) return std::nullopt;
    sid.subAuthorities.push_back(sub);
  }
  return sid;
}

DWORD SidLength(const void* sid) {
  if (sid == nullptr) return 0;
  const BYTE* p = Bytes(sid);
  if (p[0] != 1 || p[1] > kMaxSubAuthorities) return 0;
  return 8 + 4 * DWORD{p[1]};
}

std::optional<Sid> Sid::FromBytes(const void* sid) {
  if (SidLength(sid) == 0) return std::nullopt;
  const BYTE* p = Bytes(sid);
  Sid result;
  for (int i = 0; i < 6; ++i) result.authority = (result.authority << 8) | p[2 + i];
  for (BYTE i = 0; i < p[1]; ++i) result.subAuthorities.push_back(Load<DWORD>(p + 8 + 4 * i));
  return result;
}

std::optional<DWORD> AclUsedBytes(const ACL* acl) {
  if (acl == nullptr || acl->AclRevision < ACL_REVISION || acl->AclRevision > ACL_REVISION_DS ||
      acl->AclSize < sizeof(ACL)) {
    return std::nullopt;
  }
  DWORD used = sizeof(ACL);
  for (WORD i = 0; i < acl->AceCount; ++i) {
    if (used + sizeof(ACE_HEADER) > acl->AclSize) return std::nullopt;
    auto header = Load<ACE_HEADER>(Bytes(acl) + used);
    if (header.AceSize < sizeof(ACE_HEADER) || used + header.AceSize > acl->AclSize) return std::nullopt;
    used += header.AceSize;
  }
  return used;
}

std::optional<std::vector<Ace>> ParseAcl(const ACL* acl) {
  if (!AclUsedBytes(acl)) return std::nullopt;
  std::vector<Ace> aces;
  DWORD offset = sizeof(ACL);
  for (WORD i = 0; i < acl->AceCount; ++i) {
    const BYTE* entry = Bytes(acl) + offset;
    auto header = Load<ACE_HEADER>(entry);
    Ace ace{header.AceType, header.AceFlags, 0, {}};
    if (header.AceType == ACCESS_ALLOWED_ACE_TYPE || header.AceType == ACCESS_DENIED_ACE_TYPE) {
      const DWORD sidOffset = offsetof(ACCESS_ALLOWED_ACE, SidStart);
      if (header.AceSize < sidOffset + 8) return std::nullopt;
      DWORD sidLength = SidLength(entry + sidOffset);
      if (sidLength == 0 || sidOffset + sidLength > header.AceSize) return std::nullopt;
      ace.mask = Load<ACCESS_MASK>(entry + sizeof(ACE_HEADER));
      ace.sid = *Sid::FromBytes(entry + sidOffset);
    }
    aces.push_back(std::move(ace));
    offset += header.AceSize;
  }
  return aces;
}

std::optional<Descriptor> ParseDescriptor(const void* descriptor) {
  if (descriptor == nullptr || Bytes(descriptor)[0] != SECURITY_DESCRIPTOR_REVISION) return std::nullopt;
  const void* owner;
  const void* group;
  const ACL* dacl;
  auto control = Load<SECURITY_DESCRIPTOR_CONTROL>(Bytes(descriptor) + 2);
  if (control & SE_SELF_RELATIVE) {
    auto rel = Load<RelativeDescriptor>(Bytes(descriptor));
    auto at = [descriptor](DWORD offset) -> const BYTE* {
      return offset == 0 ? nullptr : Bytes(descriptor) + offset;
    };
    owner = at(rel.Owner);
    group = at(rel.Group);
    dacl = reinterpret_cast<const ACL*>(at(rel.Dacl));
  } else {
    auto abs = Load<SECURITY_DESCRIPTOR>(Bytes(descriptor));
    owner = abs.Owner;
    group = abs.Group;
    dacl = abs.Dacl;
  }
  Descriptor result;
  if (!ReadSidField(owner, &result.owner) || !ReadSidField(group, &result.group)) return std::nullopt;
  result.grantsAll = !(control & SE_DACL_PRESENT) || dacl == nullptr;
  if (!result.grantsAll) {
    auto aces = ParseAcl(dacl);
    if (!aces) return std::nullopt;
    result.dacl = std::move(*aces);
  }
  return result;
}

bool TokenData::Has(const Sid& sid) const {
  if (sid == user) return true;
  for (const Sid& group : groups) {
    if (group == sid) return true;
  }
  return false;
}

Sid AdministratorsSid() { return SidOf(5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}); }

TokenData CurrentUserToken() {
  TokenData token;
  token.user = SidOf(5, {21, 1000, 2000, 3000, 1001});
  token.groups = {SidOf(1, {SECURITY_WORLD_RID}), SidOf(5, {SECURITY_BUILTIN_DOMAIN_RID, 545}),
                  SidOf(5, {4}), SidOf(5, {11})};
  if (IsAdministrator()) token.groups.push_back(AdministratorsSid());
  return token;
}

bool GrantsAccess(const Descriptor& descriptor, const TokenData& token, ACCESS_MASK desired) {
  if (descriptor.grantsAll) return true;
  ACCESS_MASK remaining = desired;
  if (descriptor.owner && token.Has(*descriptor.owner)) remaining &= ~(READ_CONTROL | WRITE_DAC);
  for (const Ace& ace : descriptor.dacl) {
    if (remaining == 0) break;
    if ((ace.flags & INHERIT_ONLY_ACE) || !token.Has(ace.sid)) continue;
    if (ace.type == ACCESS_DENIED_ACE_TYPE && (ace.mask & remaining)) return false;
    if (ace.type == ACCESS_ALLOWED_ACE_TYPE) remaining &= ~ace.mask;
  }
  return remaining == 0;
}

}  // namespace plat
