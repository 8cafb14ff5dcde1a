// File security kept in the machine folder's "security" store, one record
// per file or folder, keyed by its place in the drive tree:
//   owner <TAB> group <TAB> DACL
// where the DACL is "-" (never set), "null", or entries
// "type,flags,mask,SID" separated by ";".
#include <charconv>
#include <cstdio>

#include "platform/base/machine.h"
#include "platform/security/security_control.h"
#include "platform/security/security_model.h"
#include "platform/system/sysfacts_store.h"
#include "platform/security/token.h"
#include "platform/base/winerror.h"
#include "platform/files/winpath.h"

namespace plat {
namespace {

constexpr char kStore[] = "security";

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

template <class T>
bool Number(std::string_view text, T* value, int base) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
  return ec == std::errc() && end == text.data() + text.size();
}

std::optional<StoredAce> ParseAce(std::string_view text) {
  auto fields = Split(text, ',');
  StoredAce ace{};
  if (fields.size() != 4 || !Number(fields[0], &ace.type, 10) ||
      !Number(fields[1], &ace.flags, 16) || !Number(fields[2], &ace.mask, 16)) {
    return std::nullopt;
  }
  ace.sid = fields[3];
  return ace;
}

std::optional<FileSecurityRecord> ParseRecord(std::string_view text) {
  auto fields = Split(text, '\t');
  if (fields.size() != 3) return std::nullopt;
  FileSecurityRecord record;
  record.owner = fields[0];
  record.group = fields[1];
  record.daclSet = fields[2] != "-";
  record.nullDacl = fields[2] == "null";
  if (record.daclSet && !record.nullDacl && !fields[2].empty()) {
    for (std::string_view entry : Split(fields[2], ';')) {
      auto ace = ParseAce(entry);
      if (!ace) return std::nullopt;
      record.dacl.push_back(*ace);
    }
  }
  return record;
}

std::string Format(const FileSecurityRecord& record) {
  std::string dacl = !record.daclSet ? "-" : record.nullDacl ? "null" : "";
  for (const StoredAce& ace : record.dacl) {
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%u,%x,%x,", unsigned{ace.type}, unsigned{ace.flags}, ace.mask);
    dacl += (dacl.empty() ? "" : ";") + std::string(numbers) + ace.sid;
  }
  return record.owner + "\t" + record.group + "\t" + dacl;
}

// The store key of an existing path, or the Windows error.
DWORD KeyOf(LPCWSTR windowsPath, std::string* key) {
  auto resolved = ResolvePath(windowsPath);
  if (!resolved) return GetLastError();
  std::error_code ec;
  if (!std::filesystem::exists(resolved->host, ec)) return ERROR_FILE_NOT_FOUND;
  *key = resolved->host.lexically_relative(MachineRoot()).generic_string();
  return ERROR_SUCCESS;
}

// The record as a descriptor, to judge a change against it.
Descriptor AsDescriptor(const FileSecurityRecord& record) {
  Descriptor descriptor;
  descriptor.owner = Sid::FromString(record.owner);
  descriptor.grantsAll = !record.daclSet || record.nullDacl;
  for (const StoredAce& ace : record.dacl) {
    descriptor.dacl.push_back({ace.type, ace.flags, ace.mask, Sid::FromString(ace.sid).value_or(Sid{})});
  }
  return descriptor;
}

// The rights the change needs under the security set before.
DWORD CheckChange(const std::optional<FileSecurityRecord>& current, const TokenData& token,
                  SECURITY_INFORMATION information) {
  ACCESS_MASK needed = 0;
  if (information & DACL_SECURITY_INFORMATION) needed |= WRITE_DAC;
  // Administrators may always take ownership.
  if ((information & (OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION)) &&
      !token.Has(AdministratorsSid())) {
    needed |= WRITE_OWNER;
  }
  if (current && !GrantsAccess(AsDescriptor(*current), token, needed)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

DWORD Apply(const Descriptor& descriptor, const TokenData& token, SECURITY_INFORMATION information,
            FileSecurityRecord* record) {
  if (information & OWNER_SECURITY_INFORMATION) {
    const bool mayOwn = descriptor.owner && (*descriptor.owner == token.user ||
                                             (*descriptor.owner == AdministratorsSid() && token.Has(AdministratorsSid())));
    if (!mayOwn) return ERROR_INVALID_OWNER;
    record->owner = descriptor.owner->ToString();
  }
  if (information & GROUP_SECURITY_INFORMATION) {
    record->group = descriptor.group ? descriptor.group->ToString() : "";
  }
  if (information & DACL_SECURITY_INFORMATION) {
    record->daclSet = true;
    record->nullDacl = descriptor.grantsAll;
    record->dacl.clear();
    for (const Ace& ace : descriptor.dacl) {
      record->dacl.push_back({ace.type, ace.flags, ace.mask, ace.sid.ToString()});
    }
  }
  return ERROR_SUCCESS;
}

}  // namespace

std::optional<FileSecurityRecord> StoredFileSecurity(LPCWSTR windowsPath) {
  std::string key;
  if (windowsPath == nullptr || KeyOf(windowsPath, &key) != ERROR_SUCCESS) return std::nullopt;
  auto stored = facts::ReadIn(kStore, key);
  return stored ? ParseRecord(*stored) : std::nullopt;
}

}  // namespace plat

BOOL SetFileSecurityW(LPCWSTR fileName, SECURITY_INFORMATION information,
                      PSECURITY_DESCRIPTOR descriptor) {
  DWORD error = fileName == nullptr ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  if (information & SACL_SECURITY_INFORMATION) error = ERROR_PRIVILEGE_NOT_HELD;
  auto parsed = plat::ParseDescriptor(descriptor);
  if (error == ERROR_SUCCESS && !parsed) error = ERROR_INVALID_SECURITY_DESCR;
  std::string key;
  if (error == ERROR_SUCCESS) error = plat::KeyOf(fileName, &key);
  std::optional<plat::FileSecurityRecord> current;
  if (error == ERROR_SUCCESS) {
    auto stored = plat::facts::ReadIn(plat::kStore, key);
    if (stored) current = plat::ParseRecord(*stored);
  }
  const plat::TokenData token = plat::EffectiveToken();
  if (error == ERROR_SUCCESS) error = plat::CheckChange(current, token, information);
  plat::FileSecurityRecord record = current.value_or(plat::FileSecurityRecord{});
  if (error == ERROR_SUCCESS) error = plat::Apply(*parsed, token, information, &record);
  if (error == ERROR_SUCCESS && !plat::facts::WriteIn(plat::kStore, key, plat::Format(record))) {
    error = ERROR_ACCESS_DENIED;
  }
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
