#include "storage/files/file_names.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "storage/files/text_out.h"

namespace {

std::size_t NameStart(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? 0 : slash + 1;
}

}  // namespace

LPCWSTR GetFileNamePtr(LPCWSTR path) {
  if (path == nullptr) return nullptr;
  return path + NameStart(path);
}

LPWSTR GetFileNamePtr(LPWSTR path) {
  return const_cast<LPWSTR>(GetFileNamePtr(static_cast<LPCWSTR>(path)));
}

LPCWSTR GetFileNameExt(LPCWSTR path, LPDWORD length) {
  if (path == nullptr) return nullptr;
  const std::u16string_view name(GetFileNamePtr(path));
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    if (length != nullptr) *length = 0;
    return name.data();
  }
  if (length != nullptr) *length = static_cast<DWORD>(name.size() - dot - 1);
  return name.data() + dot + 1;
}

LPWSTR GetFileNameExt(LPWSTR path, LPDWORD length) {
  return const_cast<LPWSTR>(GetFileNameExt(static_cast<LPCWSTR>(path), length));
}

LPCWSTR GetFileNameBase(LPCWSTR path, LPDWORD length) {
  if (path == nullptr) return nullptr;
  const std::u16string_view name(GetFileNamePtr(path));
  if (name.empty()) {
    if (length != nullptr) *length = 0;
    return path;
  }
  if (length != nullptr) *length = static_cast<DWORD>(std::min(name.find(u'.'), name.size()));
  return name.data();
}

BOOL IsAvailableDriverDataFileName(LPCWSTR path) {
  if (path == nullptr) return FALSE;
  DWORD base = 0;
  DWORD extension = 0;
  GetFileNameBase(path, &base);
  GetFileNameExt(path, &extension);
  return base > 0 && extension >= 1 && extension <= 3;
}

BOOL MakeBatchUseFileName(LPWSTR buffer, LPCWSTR path, LPCWSTR extension, LPVOID) {
  if (buffer == nullptr) return FALSE;
  const std::u16string_view from = storage::View(path);
  const std::u16string_view ext = storage::View(extension);
  if (from.empty() || ext.empty()) {
    storage::ClearOut(buffer, MAX_PATH);
    return FALSE;
  }
  const std::size_t dot = from.rfind(u'.');
  std::u16string made;
  if (dot == std::u16string_view::npos || dot < NameStart(from)) {
    made = std::u16string(from) + u'.';
  } else {
    made = std::u16string(from.substr(0, dot + 1));
  }
  made += ext;
  return storage::CopyOut(buffer, MAX_PATH, made) > 0;
}

BOOL MakeBatchUseQualityFileName(LPWSTR buffer, LPCWSTR path, LPVOID unused) {
  return MakeBatchUseFileName(buffer, path, kExtQuality, unused);
}
