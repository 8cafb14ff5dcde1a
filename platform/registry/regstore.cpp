// Hive files: encoding, decoding and locked access.
#include "platform/registry/regstore.h"

#include <algorithm>

#include "platform/base/machine.h"
#include "platform/host/storecache.h"
#include "platform/host/storefile.h"
#include "platform/base/winerror.h"
#include "platform/runtime/wintime.h"

namespace plat::reg {
namespace {

constexpr DWORD kMagic = 0x4745524B;  // "KREG"
constexpr DWORD kVersion = 1;

std::filesystem::path HiveFile(HKEY root) {
  if (MachineRoot().empty()) return {};
  return root == HKEY_LOCAL_MACHINE ? RegistryStore() / "HKLM.hive" : std::filesystem::path();
}

void EncodeKey(store::Writer& w, const Key& key) {
  w.Text(key.name);
  w.U64(key.id);
  w.U64(key.lastWrite);
  store::WriteValues(w, key.values, &Value::data);
  w.U32(static_cast<DWORD>(key.subkeys.size()));
  for (const Key& sub : key.subkeys) EncodeKey(w, sub);
}

bool DecodeKey(store::Reader& r, Key& key, std::size_t depth) {
  DWORD count = 0;
  if (depth > kMaxDepth || !r.Text(key.name) || !r.U64(key.id) || !r.U64(key.lastWrite) ||
      !store::ReadValues(r, key.values, &Value::data) || !r.U32(count)) {
    return false;
  }
  for (DWORD i = 0; i < count; ++i) {
    Key sub;
    if (!DecodeKey(r, sub, depth + 1)) return false;
    key.subkeys.push_back(std::move(sub));
  }
  return true;
}

std::vector<BYTE> Encode(const Hive& hive) {
  store::Writer w;
  w.U32(kMagic);
  w.U32(kVersion);
  w.U64(hive.nextId);
  EncodeKey(w, hive.root);
  return std::move(w.bytes());
}

// An empty file is a fresh hive; anything else must decode completely.
DWORD Decode(std::span<const BYTE> bytes, Hive& hive) {
  hive = Hive{};
  if (bytes.empty()) return ERROR_SUCCESS;
  store::Reader r(bytes);
  DWORD magic = 0, version = 0;
  if (!r.U32(magic) || !r.U32(version) || magic != kMagic || version != kVersion ||
      !r.U64(hive.nextId) || !DecodeKey(r, hive.root, 0) || !r.AtEnd() ||
      hive.root.id != kRootId) {
    return ERROR_BADDB;
  }
  return ERROR_SUCCESS;
}

}  // namespace

bool IsHiveRoot(HKEY key) { return key == HKEY_LOCAL_MACHINE; }

DWORD ReadHive(HKEY root, bool checkFile, std::shared_ptr<const Hive>& hive) {
  static auto* machineHive =
      new store::CachedStore<Hive, Decode>([] { return HiveFile(HKEY_LOCAL_MACHINE); });  // lives until exit
  if (!IsHiveRoot(root)) return ERROR_CANTOPEN;
  return machineHive->Get(checkFile, hive);
}

std::string DiagnoseHive(HKEY root) {
  const auto file = HiveFile(root);
  if (file.empty()) return {};
  return store::Diagnose(file, "the registry hive", [](std::span<const BYTE> bytes) {
    Hive hive;
    return Decode(bytes, hive);
  });
}

DWORD ChangeHive(HKEY root, const std::function<DWORD(Hive&)>& change) {
  const auto file = HiveFile(root);
  if (file.empty()) return ERROR_CANTOPEN;
  return store::Update(file, [&](std::vector<BYTE>& bytes) {
    Hive hive;
    if (DWORD rc = Decode(bytes, hive); rc != ERROR_SUCCESS) return rc;
    if (DWORD rc = change(hive); rc != ERROR_SUCCESS) return rc;
    bytes = Encode(hive);
    return ERROR_SUCCESS;
  });
}

const Key* FindSubkey(const Key& parent, std::u16string_view name) {
  auto it = std::find_if(parent.subkeys.begin(), parent.subkeys.end(),
                         [&](const Key& k) { return store::SameName(k.name, name); });
  return it == parent.subkeys.end() ? nullptr : &*it;
}

Key* FindSubkey(Key& parent, std::u16string_view name) {
  return const_cast<Key*>(FindSubkey(static_cast<const Key&>(parent), name));
}

const Value* FindValue(const Key& key, std::u16string_view name) {
  auto it = std::find_if(key.values.begin(), key.values.end(),
                         [&](const Value& v) { return store::SameName(v.name, name); });
  return it == key.values.end() ? nullptr : &*it;
}

Value* FindValue(Key& key, std::u16string_view name) {
  return const_cast<Value*>(FindValue(static_cast<const Key&>(key), name));
}

Key& AddSubkey(Hive& hive, Key& parent, std::u16string_view name) {
  auto at = std::find_if(parent.subkeys.begin(), parent.subkeys.end(),
                         [&](const Key& k) { return store::CompareNames(k.name, name) > 0; });
  Key fresh;
  fresh.name = name;
  fresh.id = hive.nextId++;
  Touch(fresh);
  Touch(parent);
  return *parent.subkeys.insert(at, std::move(fresh));
}

void Touch(Key& key) {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  key.lastWrite = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace plat::reg
