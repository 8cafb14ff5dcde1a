// Observation of file security for tests and tools: what SetFileSecurityW
// has stored for a file or folder of the machine.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/security/winsecurity.h"

namespace plat {

struct StoredAce {
  BYTE type;  // ACCESS_ALLOWED_ACE_TYPE or ACCESS_DENIED_ACE_TYPE
  BYTE flags;
  ACCESS_MASK mask;
  std::string sid;  // "S-1-1-0"
  bool operator==(const StoredAce&) const = default;
};

struct FileSecurityRecord {
  std::string owner;  // SID text, empty when never set
  std::string group;
  bool daclSet = false;   // a DACL was set ...
  bool nullDacl = false;  // ... and it was null (grants everyone everything)
  std::vector<StoredAce> dacl;
};

// The stored security of a Windows path of the machine; nothing when none
// was ever set on it (or the path does not exist).
std::optional<FileSecurityRecord> StoredFileSecurity(LPCWSTR windowsPath);

}  // namespace plat
