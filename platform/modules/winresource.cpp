// String table and typed resources of loaded modules.
#include "platform/modules/winresource.h"

#include <algorithm>
#include <optional>

#include "platform/modules/module_internal.h"
#include "platform/base/winerror.h"

namespace {

// A numeric name: MAKEINTRESOURCEW(n) or the text "#n".
std::optional<std::uint32_t> NumericName(LPCWSTR name) {
  if (IS_INTRESOURCE(name)) return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(name));
  if (name[0] != u'#' || name[1] == 0) return std::nullopt;
  std::uint32_t value = 0;
  for (LPCWSTR p = name + 1; *p != 0; ++p) {
    if (*p < u'0' || *p > u'9' || value > 0xFFFF) return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(*p - u'0');
  }
  return value <= 0xFFFF ? std::optional(value) : std::nullopt;
}

const plat::res::ResourceEntry* EntryOf(HMODULE module, HRSRC resource) {
  const plat::res::Table* table = plat::ModuleResources(module);
  if (table == nullptr || !table->Contains(resource)) return nullptr;
  return static_cast<const plat::res::ResourceEntry*>(resource);
}

}  // namespace

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int cchBufferMax) {
  if (buffer == nullptr || cchBufferMax < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const plat::res::Table* table = plat::ModuleResources(instance);
  if (table == nullptr) return 0;
  const plat::res::StringEntry* entry = table->FindString(LOWORD(id));
  if (entry == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const char16_t* text = table->Text(*entry);
  if (cchBufferMax == 0) {
    *reinterpret_cast<const char16_t**>(buffer) = text;
    return static_cast<int>(entry->length);
  }
  int count = std::min(static_cast<int>(entry->length), cchBufferMax - 1);
  std::copy_n(text, count, buffer);
  buffer[count] = 0;
  return count;
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  const plat::res::Table* table = plat::ModuleResources(module);
  if (table == nullptr) return nullptr;
  auto typeId = type != nullptr ? NumericName(type) : std::nullopt;
  if (!typeId || !table->HasType(*typeId)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  auto nameId = name != nullptr ? NumericName(name) : std::nullopt;
  const plat::res::ResourceEntry* entry = nameId ? table->Find(*typeId, *nameId) : nullptr;
  if (entry == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return const_cast<plat::res::ResourceEntry*>(entry);
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  const plat::res::Table* table = plat::ModuleResources(module);
  const plat::res::ResourceEntry* entry = EntryOf(module, resource);
  if (entry == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<void*>(table->Data(*entry));
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  const plat::res::ResourceEntry* entry = EntryOf(module, resource);
  if (entry == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return entry->dataSize;
}
