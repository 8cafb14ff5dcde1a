#if !KESM_KERNEL_MODE  // kernel-mode paths come from the data file's path
#include "storage/files/path_builders.h"

#include <string>
#include <string_view>

#include "settings/context/context_block.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/system/system_info.h"
#include "storage/files/text_out.h"

namespace {

constexpr DWORD kSharedDirectoryMode = 0x40000;
constexpr std::u16string_view kParent = u"..\\";

LPWSTR Build(LPWSTR buffer, DWORD size, const std::u16string& path) {
  if (path.empty()) {
    storage::ClearOut(buffer, size);
    return nullptr;
  }
  return storage::CopyOut(buffer, size, path) > 0 ? buffer : nullptr;
}

// directory, "\" and name; empty when either is missing.
std::u16string Join(const std::u16string& directory, LPCWSTR name) {
  if (name == nullptr || directory.empty()) return {};
  return storage::JoinPath(directory, name);
}

// The system directory shortened by the name's "..\" levels, joined with
// the rest of the name; empty when that cannot be done.
std::u16string RelativeToSystemDirectory(std::u16string_view name) {
  std::size_t levels = 0;
  while (name.size() >= kParent.size() && name.substr(0, kParent.size()) == kParent) {
    name.remove_prefix(kParent.size());
    ++levels;
  }
  const std::u16string system = storage::SystemDirectory();
  if (levels == 0 || system.empty()) return {};
  std::size_t cut = system.size();
  for (; levels > 0; --levels) {
    cut = cut == 0 ? std::u16string::npos : system.rfind(u'\\', cut - 1);
    if (cut == std::u16string::npos) return {};
  }
  return system.substr(0, cut) + u'\\' + std::u16string(name);
}

// The file's name with its extension replaced by the given one.
std::u16string WithExtension(LPCWSTR fileName, std::u16string_view extension) {
  std::u16string name(GetFileNamePtr(fileName));
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string::npos) {
    name += u'.';
  } else {
    name.resize(dot + 1);
  }
  return name + std::u16string(extension);
}

}  // namespace

LPWSTR AddSystemDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name) {
  return Build(buffer, size, Join(storage::SystemDirectory(), name));
}

LPWSTR AddWindowsDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name) {
  return Build(buffer, size, Join(storage::WindowsDirectory(), name));
}

LPWSTR AddSystemDirToFileNameEx2(LPWSTR buffer, DWORD size, LPCWSTR name, UCB* ucb) {
  if (name == nullptr) return Build(buffer, size, {});
  return Build(buffer, size,
               Join(storage::SharedDirectory(ucb != nullptr ? ucb->hPrinter : nullptr), name));
}

LPWSTR AddProfileDirToFileNameWithoutUCB(LPWSTR buffer, DWORD size, LPCWSTR name) {
  if (name == nullptr) return Build(buffer, size, {});
  return Build(buffer, size, Join(storage::ProfileDirectoryWithoutUcb(), name));
}

LPWSTR AddDriversDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name, HANDLE printer) {
  if (name == nullptr) return Build(buffer, size, {});
  const std::u16string folder = storage::DriverDirectory(printer);
  return Build(buffer, size, folder.empty() ? std::u16string() : folder + name);
}

LPWSTR AddRelativeDirToFileName(LPWSTR buffer, DWORD size, LPCWSTR name) {
  if (name == nullptr) return Build(buffer, size, {});
  return Build(buffer, size, RelativeToSystemDirectory(name));
}

BOOL MakeDriverUseFileName(LPWSTR buffer, LPCWSTR fileName, DWORD size, UCB* ucb) {
  if (fileName == nullptr || fileName[0] == 0) return Build(buffer, size, {}) != nullptr;
  const bool shared =
      !IsSupportIniAccessPerUser(ucb) ||
      (ucb != nullptr && ucb->pWork != nullptr && (ucb->pWork->dwMode & kSharedDirectoryMode));
  const std::u16string directory =
      shared ? storage::SharedDirectory(ucb != nullptr ? ucb->hPrinter : nullptr)
             : storage::ProfileDirectory(ucb);
  const std::u16string name = WithExtension(fileName, kExtDriverUse);
  return Build(buffer, size,
               directory.empty() ? std::u16string() : storage::JoinPath(directory, name)) !=
         nullptr;
}
#endif
