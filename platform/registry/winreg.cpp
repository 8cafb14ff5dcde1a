// Registry functions over the hive store. An open key remembers its hive,
// the path of stored names that leads to it and the key's id; every call
// walks that path again in the current hive, so changes made by other
// processes are seen, and a key deleted meanwhile answers ERROR_KEY_DELETED.
#include "platform/registry/winreg.h"

#include <cstring>

#include "platform/base/entryguard.h"
#include "platform/base/handle_table.h"
#include "platform/registry/regstore.h"
#include "platform/base/winerror.h"

namespace {

using plat::reg::Hive;
using plat::reg::Key;
using plat::reg::Value;


struct OpenKey {
  HKEY hive = nullptr;
  std::vector<std::u16string> path;
  ULONGLONG id = plat::reg::kRootId;
  REGSAM access = KEY_ALL_ACCESS;
};

// Entries are shared and never changed, so a lookup copies no path.
using KeyTable = plat::HandleTable<std::shared_ptr<const OpenKey>>;

KeyTable& Keys() {
  // Apart from kernel and printer handles; lives until process exit.
  static KeyTable* table = new KeyTable(0x00A00000);
  return *table;
}

HKEY NewKeyHandle(OpenKey key) {
  return reinterpret_cast<HKEY>(Keys().Add(std::make_shared<const OpenKey>(std::move(key))));
}

// The open key behind a handle, or null.
std::shared_ptr<const OpenKey> Lookup(HKEY handle) {
  if (plat::reg::IsHiveRoot(handle)) {
    static const auto* machine = new std::shared_ptr<const OpenKey>(
        std::make_shared<const OpenKey>(OpenKey{HKEY_LOCAL_MACHINE, {}, plat::reg::kRootId, KEY_ALL_ACCESS}));
    return *machine;
  }
  auto key = Keys().Find(handle);
  return key ? std::move(*key) : nullptr;
}

REGSAM MapAccess(REGSAM desired) {
  REGSAM access = desired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  if (access & GENERIC_READ) access |= KEY_READ;
  if (access & GENERIC_WRITE) access |= KEY_WRITE;
  if (access & GENERIC_EXECUTE) access |= KEY_EXECUTE;
  if (access & (GENERIC_ALL | MAXIMUM_ALLOWED)) access |= KEY_ALL_ACCESS;
  return access & KEY_ALL_ACCESS;
}

std::u16string_view NameOf(LPCWSTR name) { return name ? std::u16string_view(name) : u""; }

// Splits "A\B\C" into its names. A trailing backslash is allowed; a leading
// one or an empty name inside the path is not.
DWORD ParsePath(LPCWSTR subKey, std::vector<std::u16string>& parts) {
  parts.clear();
  std::u16string_view rest = NameOf(subKey);
  if (!rest.empty() && rest.back() == u'\\') rest.remove_suffix(1);
  while (!rest.empty()) {
    const std::size_t cut = rest.find(u'\\');
    const std::u16string_view part = rest.substr(0, cut);
    if (part.empty()) return ERROR_BAD_PATHNAME;
    if (part.size() > plat::reg::kMaxKeyName) return ERROR_INVALID_PARAMETER;
    parts.emplace_back(part);
    rest = cut == std::u16string_view::npos ? u"" : rest.substr(cut + 1);
  }
  return ERROR_SUCCESS;
}

// The key an open handle names in the current hive, or null when it was
// deleted (or deleted and made again: the id then differs).
const Key* Resolve(const Hive& hive, const OpenKey& open) {
  const Key* key = &hive.root;
  for (const auto& name : open.path) {
    key = plat::reg::FindSubkey(*key, name);
    if (!key) return nullptr;
  }
  return key->id == open.id ? key : nullptr;
}

Key* Resolve(Hive& hive, const OpenKey& open) {
  return const_cast<Key*>(Resolve(static_cast<const Hive&>(hive), open));
}

// Calls on an open key read the hive kept in memory; the change counter
// that every write advances tells when to read it again.
DWORD ReadKey(HKEY handle, REGSAM need, const std::function<DWORD(const Key&)>& use) {
  const auto open = Lookup(handle);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & need) != need) return ERROR_ACCESS_DENIED;
  std::shared_ptr<const Hive> hive;
  if (DWORD rc = plat::reg::ReadHive(open->hive, false, hive); rc != ERROR_SUCCESS) return rc;
  const Key* key = Resolve(*hive, *open);
  return key ? use(*key) : ERROR_KEY_DELETED;
}

DWORD WriteKey(HKEY handle, REGSAM need, const std::function<DWORD(Key&)>& change) {
  const auto open = Lookup(handle);
  if (!open) return ERROR_INVALID_HANDLE;
  if ((open->access & need) != need) return ERROR_ACCESS_DENIED;
  return plat::reg::ChangeHive(open->hive, [&](Hive& hive) {
    Key* key = Resolve(hive, *open);
    return key ? change(*key) : ERROR_KEY_DELETED;
  });
}

// Hands out value bytes the Windows way: no buffer asks for the size, a
// short buffer gets ERROR_MORE_DATA and the size, and is left alone.
DWORD CopyOut(const std::vector<BYTE>& src, LPBYTE data, LPDWORD cbData) {
  if (!cbData) return ERROR_SUCCESS;
  const DWORD size = static_cast<DWORD>(src.size());
  if (!data) {
    *cbData = size;
    return ERROR_SUCCESS;
  }
  if (*cbData < size) {
    *cbData = size;
    return ERROR_MORE_DATA;
  }
  if (size) std::memcpy(data, src.data(), size);
  *cbData = size;
  return ERROR_SUCCESS;
}

// Copies a name into a buffer of *cch characters (terminator included);
// *cch becomes the length without the terminator.
DWORD CopyName(const std::u16string& name, LPWSTR out, LPDWORD cch) {
  if (*cch <= name.size()) return ERROR_MORE_DATA;
  std::memcpy(out, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  *cch = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  return plat::Guard([&]() -> DWORD {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const auto parent = Lookup(hKey);
    std::vector<std::u16string> parts;
    if (!parent) return ERROR_INVALID_HANDLE;
    if (DWORD rc = ParsePath(subKey, parts); rc != ERROR_SUCCESS) return rc;
    // An open looks at the hive file itself too, so a hive damaged on disk
    // is refused here, as when it is loaded.
    std::shared_ptr<const Hive> hive;
    if (DWORD rc = plat::reg::ReadHive(parent->hive, true, hive); rc != ERROR_SUCCESS) return rc;
    OpenKey open = *parent;
    const Key* key = Resolve(*hive, open);
    if (!key) return ERROR_KEY_DELETED;
    for (const auto& name : parts) {
      key = plat::reg::FindSubkey(*key, name);
      if (!key) return ERROR_FILE_NOT_FOUND;
      open.path.push_back(key->name);
    }
    open.id = key->id;
    open.access = MapAccess(desired);
    *result = NewKeyHandle(std::move(open));
    return ERROR_SUCCESS;
  });
}

LSTATUS RegOpenKeyW(HKEY hKey, LPCWSTR subKey, PHKEY result) {
  return plat::Guard([&]() -> DWORD {
    if (!result) return ERROR_INVALID_PARAMETER;
    if (!subKey || !*subKey) {
      if (!Lookup(hKey)) return ERROR_INVALID_HANDLE;
      *result = hKey;
      return ERROR_SUCCESS;
    }
    return RegOpenKeyExW(hKey, subKey, 0, MAXIMUM_ALLOWED, result);
  });
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM desired,
                        LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  return plat::Guard([&]() -> DWORD {
    if (!result || !subKey) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const auto parent = Lookup(hKey);
    std::vector<std::u16string> parts;
    if (!parent) return ERROR_INVALID_HANDLE;
    OpenKey open = *parent;
    if (DWORD rc = ParsePath(subKey, parts); rc != ERROR_SUCCESS) return rc;
    if (open.path.size() + parts.size() > plat::reg::kMaxDepth) return ERROR_INVALID_PARAMETER;
    DWORD how = REG_OPENED_EXISTING_KEY;
    DWORD rc = plat::reg::ChangeHive(open.hive, [&](Hive& hive) {
      Key* key = Resolve(hive, open);
      if (!key) return ERROR_KEY_DELETED;
      for (const auto& name : parts) {
        Key* next = plat::reg::FindSubkey(*key, name);
        if (!next) {
          if (!(open.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
          next = &plat::reg::AddSubkey(hive, *key, name);
          how = REG_CREATED_NEW_KEY;
        }
        key = next;
        open.path.push_back(key->name);
      }
      open.id = key->id;
      return ERROR_SUCCESS;
    });
    if (rc != ERROR_SUCCESS) return rc;
    open.access = MapAccess(desired);
    *result = NewKeyHandle(std::move(open));
    if (disposition) *disposition = how;
    return ERROR_SUCCESS;
  });
}

LSTATUS RegCloseKey(HKEY hKey) {
  return plat::Guard([&]() -> DWORD {
    if (plat::reg::IsHiveRoot(hKey)) return ERROR_SUCCESS;
    return Keys().Remove(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                         LPDWORD cbData) {
  return plat::Guard([&]() -> DWORD {
    if (data && !cbData) return ERROR_INVALID_PARAMETER;
    return ReadKey(hKey, KEY_QUERY_VALUE, [&](const Key& key) {
      const Value* v = plat::reg::FindValue(key, NameOf(valueName));
      if (!v) return ERROR_FILE_NOT_FOUND;
      if (type) *type = v->type;
      return CopyOut(v->data, data, cbData);
    });
  });
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                       DWORD cbData) {
  return plat::Guard([&]() -> DWORD {
    if (!data && cbData) return ERROR_NOACCESS;
    const std::u16string_view name = NameOf(valueName);
    if (name.size() > plat::reg::kMaxValueName) return ERROR_INVALID_PARAMETER;
    return WriteKey(hKey, KEY_SET_VALUE, [&](Key& key) {
      Value* v = plat::reg::FindValue(key, name);
      if (!v) v = &key.values.emplace_back(Value{std::u16string(name), type, {}});
      v->type = type;
      v->data.assign(data, data + cbData);
      plat::reg::Touch(key);
      return ERROR_SUCCESS;
    });
  });
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR valueName) {
  return plat::Guard([&]() -> DWORD {
    return WriteKey(hKey, KEY_SET_VALUE, [&](Key& key) {
      const Value* v = plat::reg::FindValue(key, NameOf(valueName));
      if (!v) return ERROR_FILE_NOT_FOUND;
      key.values.erase(key.values.begin() + (v - key.values.data()));
      plat::reg::Touch(key);
      return ERROR_SUCCESS;
    });
  });
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR subKey) {
  return plat::Guard([&]() -> DWORD {
    std::vector<std::u16string> parts;
    if (DWORD rc = ParsePath(subKey, parts); rc != ERROR_SUCCESS) return rc;
    if (parts.empty()) return ERROR_INVALID_PARAMETER;
    return WriteKey(hKey, 0, [&](Key& base) {
      Key* parent = &base;
      for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        parent = plat::reg::FindSubkey(*parent, parts[i]);
        if (!parent) return ERROR_FILE_NOT_FOUND;
      }
      const Key* victim = plat::reg::FindSubkey(*parent, parts.back());
      if (!victim) return ERROR_FILE_NOT_FOUND;
      if (!victim->subkeys.empty()) return ERROR_ACCESS_DENIED;
      parent->subkeys.erase(parent->subkeys.begin() + (victim - parent->subkeys.data()));
      plat::reg::Touch(*parent);
      return ERROR_SUCCESS;
    });
  });
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD index, LPWSTR name, LPDWORD cchName, LPDWORD,
                      LPWSTR keyClass, LPDWORD cchClass, PFILETIME lastWriteTime) {
  return plat::Guard([&]() -> DWORD {
    if (!name || !cchName) return ERROR_INVALID_PARAMETER;
    return ReadKey(hKey, KEY_ENUMERATE_SUB_KEYS, [&](const Key& key) {
      if (index >= key.subkeys.size()) return ERROR_NO_MORE_ITEMS;
      const Key& sub = key.subkeys[index];
      if (DWORD rc = CopyName(sub.name, name, cchName); rc != ERROR_SUCCESS) return rc;
      if (keyClass && cchClass) {  // keys here carry no class
        if (*cchClass == 0) return ERROR_MORE_DATA;
        keyClass[0] = 0;
      }
      if (cchClass) *cchClass = 0;
      if (lastWriteTime) {
        lastWriteTime->dwLowDateTime = static_cast<DWORD>(sub.lastWrite);
        lastWriteTime->dwHighDateTime = static_cast<DWORD>(sub.lastWrite >> 32);
      }
      return ERROR_SUCCESS;
    });
  });
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD index, LPWSTR valueName, LPDWORD cchValueName, LPDWORD,
                      LPDWORD type, LPBYTE data, LPDWORD cbData) {
  return plat::Guard([&]() -> DWORD {
    if (!valueName || !cchValueName || (data && !cbData)) return ERROR_INVALID_PARAMETER;
    return ReadKey(hKey, KEY_QUERY_VALUE, [&](const Key& key) {
      if (index >= key.values.size()) return ERROR_NO_MORE_ITEMS;
      const Value& v = key.values[index];
      if (DWORD rc = CopyName(v.name, valueName, cchValueName); rc != ERROR_SUCCESS) return rc;
      if (type) *type = v.type;
      return CopyOut(v.data, data, cbData);
    });
  });
}
