// The registry hives as data: a tree of keys with typed values, read from
// and written back to one store file per hive. Internal to the platform
// library; winreg.cpp gives it the Windows interface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/winreg.h"

namespace plat::reg {

struct Value {
  std::u16string name;  // spelling kept as created
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct Key {
  std::u16string name;  // spelling kept as created; empty for the hive root
  ULONGLONG id = 0;     // unique within the hive, never reused
  ULONGLONG lastWrite = 0;  // FILETIME as one number
  std::vector<Value> values;  // creation order
  std::vector<Key> subkeys;   // name order ignoring case
};

inline constexpr ULONGLONG kRootId = 1;
// Deepest nesting of keys below a hive root.
inline constexpr std::size_t kMaxDepth = 512;
// Longest key name component and value name, in characters.
inline constexpr std::size_t kMaxKeyName = 255;
inline constexpr std::size_t kMaxValueName = 16383;

struct Hive {
  ULONGLONG nextId = kRootId + 1;
  Key root{u"", kRootId, 0, {}, {}};
};

// True for the predefined keys (HKEY_LOCAL_MACHINE).
bool IsHiveRoot(HKEY key);

// The hive of a predefined key as it is now, shared and read only: kept in
// memory while no process changes the hive (platform/host/storecache.h);
// checkFile also sees a hive file changed behind the registry's back.
// ERROR_BADDB when its file is damaged.
DWORD ReadHive(HKEY root, bool checkFile, std::shared_ptr<const Hive>& hive);
// What keeps the hive from being read, naming its file or lock file (see
// store::Diagnose); empty when nothing does.
std::string DiagnoseHive(HKEY root);
// Read-modify-write of a hive under the store's exclusive lock; written
// back only when `change` returns ERROR_SUCCESS.
DWORD ChangeHive(HKEY root, const std::function<DWORD(Hive&)>& change);

Key* FindSubkey(Key& parent, std::u16string_view name);
const Key* FindSubkey(const Key& parent, std::u16string_view name);
Value* FindValue(Key& key, std::u16string_view name);
const Value* FindValue(const Key& key, std::u16string_view name);
// Inserts a new empty subkey at its place in name order. References to
// sibling keys are invalidated; the returned one is valid.
Key& AddSubkey(Hive& hive, Key& parent, std::u16string_view name);
// Stamps the key's last-write time with the current system time.
void Touch(Key& key);

}  // namespace plat::reg
