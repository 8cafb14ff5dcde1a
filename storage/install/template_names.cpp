#if !KESM_KERNEL_MODE
#include "storage/install/template_names.h"

#include <array>
#include <string>
#include <string_view>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/path_builders.h"
#include "storage/files/text_out.h"
#include "storage/system/system_info.h"

namespace {

using storage::View;

constexpr std::u16string_view kWindir = u"%windir%";
constexpr std::u16string_view kSysdir = u"%sysdir%";
constexpr std::u16string_view kParent = u"..\\";
constexpr std::u16string_view kHere = u".\\";

std::u16string_view WithoutLeadingSeparator(std::u16string_view rest) {
  while (!rest.empty() && rest.front() == u'\\') rest.remove_prefix(1);
  return rest;
}

std::u16string DriverDirectoryOf(UCB* ucb) { return std::u16string(View(GetInstallDirectory(ucb))); }

// The driver directory (which ends in "\") followed by the name.
std::u16string InDriverDirectory(UCB* ucb, std::u16string_view name) {
  const std::u16string directory = DriverDirectoryOf(ucb);
  return directory.empty() ? std::u16string() : storage::JoinPath(directory, WithoutLeadingSeparator(name));
}

std::u16string InDirectory(const std::u16string& directory, std::u16string_view name) {
  return directory.empty() ? std::u16string() : storage::JoinPath(directory, WithoutLeadingSeparator(name));
}

std::u16string Resolve(std::u16string_view name, bool newRules, UCB* ucb) {
  if (name.size() >= 2 && name[1] == u':') return std::u16string(name);
  if (storage::StartsWithIgnoringCase(name, kWindir)) {
    const std::u16string_view rest = name.substr(kWindir.size());
    return newRules ? InDriverDirectory(ucb, rest) : InDirectory(storage::WindowsDirectory(), rest);
  }
  if (storage::StartsWithIgnoringCase(name, kSysdir)) {
    const std::u16string_view rest = name.substr(kSysdir.size());
    return newRules ? InDirectory(storage::SharedDirectory(ucb != nullptr ? ucb->hPrinter : nullptr), rest)
                    : InDirectory(storage::SystemDirectory(), rest);
  }
  if (name.substr(0, kParent.size()) == kParent) {
    std::array<WCHAR, MAX_PATH> path{};
    const std::u16string text(name);
    return AddRelativeDirToFileName(path.data(), MAX_PATH, text.c_str()) != nullptr ? std::u16string(path.data())
                                                                                     : std::u16string();
  }
  if (name.substr(0, kHere.size()) == kHere) name.remove_prefix(kHere.size());
  return newRules ? InDriverDirectory(ucb, name) : InDirectory(storage::SystemDirectory(), name);
}

// The folder contains the path (both compared ignoring case, at a "\").
bool IsInside(std::u16string_view path, std::u16string folder) {
  while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != u'\\') return false;
  return storage::SameTextIgnoringCase(path.substr(0, folder.size()), folder);
}

// Every part between separators is a real name: none empty, none "." or
// "..", no "/" that a file system could take for a separator.
bool HasPlainParts(std::u16string_view path) {
  if (path.size() < 4 || path[1] != u':' || path[2] != u'\\') return false;
  std::u16string_view rest = path.substr(3);
  while (true) {
    const std::size_t cut = rest.find(u'\\');
    const std::u16string_view part = rest.substr(0, cut);
    if (part.empty() || part == u"." || part == u".." || part.find(u'/') != std::u16string_view::npos) return false;
    if (cut == std::u16string_view::npos) return true;
    rest.remove_prefix(cut + 1);
  }
}

}  // namespace

BOOL ParseFileNameOfTemplate(LPWSTR buffer, DWORD size, DWORD mode, UCB* ucb) {
  if (buffer == nullptr || size == 0) return FALSE;
  const std::u16string_view name = View(buffer);
  if (name.size() >= MAX_PATH || name.size() >= size) return FALSE;
  const bool newRules = mode == kTemplateModePresetIcon && IsOsLaterWin2000();
  const std::u16string path = Resolve(name, newRules, ucb);
  if (path.empty() || path.size() >= size) return FALSE;
  return storage::CopyOut(buffer, size, path) > 0;
}

BOOL ParseFileNameOfInstall(LPWSTR buffer, DWORD size, UCB* ucb) {
  return ParseFileNameOfTemplate(buffer, size, kTemplateModeInstall, ucb);
}

BOOL IsAvailablePresetIconFileName(LPWSTR buffer, DWORD size, UCB* ucb) {
  return ParseFileNameOfTemplate(buffer, size, kTemplateModePresetIcon, ucb) && IsAvailableDriverDataFileName(buffer);
}

BOOL IsPathInDriverFolders(LPCWSTR path, UCB* ucb) {
  const std::u16string_view text = View(path);
  if (!HasPlainParts(text)) return FALSE;
  const HANDLE printer = ucb != nullptr ? ucb->hPrinter : nullptr;
  for (const std::u16string& folder : {DriverDirectoryOf(ucb), storage::SharedDirectory(printer),
                                       storage::ProfileDirectory(ucb)}) {
    if (IsInside(text, folder)) return TRUE;
  }
  // The system directory holds the administrator's INI files: its own
  // files only, none of its sub-folders.
  const std::u16string system = storage::SystemDirectory();
  return IsInside(text, system) && text.find(u'\\', system.size() + 1) == std::u16string_view::npos;
}

BOOL MakeDriverUsePresetIconFileName(LPWSTR buffer, LPCWSTR file, DWORD size, UCB* ucb) {
  return MakeDriverUseFileName(buffer, file, size, ucb);
}

BOOL MakeInstallUseFileName(LPWSTR buffer, LPCWSTR file, LPVOID /*reserved*/, DWORD flags, UCB* ucb) {
  if (buffer == nullptr) return FALSE;
  storage::ClearOut(buffer, MAX_PATH);
  if (file == nullptr || file[0] == 0) return FALSE;
  std::array<WCHAR, MAX_PATH> name{};
  LPCWSTR part = GetFileNamePtr(file);
  if ((flags & (kInstallUsePreset | kInstallUseQuality)) != 0) {
    const LPCWSTR extension = (flags & kInstallUsePreset) != 0 ? u"rsd" : kExtQuality;
    if (!MakeBatchUseFileName(name.data(), part, extension, nullptr)) return FALSE;
    part = name.data();
  }
  const std::u16string path = InDriverDirectory(ucb, View(part));
  return !path.empty() && storage::CopyOut(buffer, MAX_PATH, path) > 0;
}

BOOL MakeInstallUseQualityFileName(LPWSTR buffer, LPCWSTR file, UCB* ucb) {
  return MakeInstallUseFileName(buffer, file, nullptr, kInstallUseQuality, ucb);
}

BOOL MakeBatchUsePresetIconFileName(LPWSTR buffer, LPCWSTR file) {
  return MakeBatchUseFileName(buffer, file, u"rsd", nullptr);
}

BOOL GetDefaultRstFilePath(LPWSTR buffer, LPVOID /*reserved*/, UCB* ucb) {
  if (buffer == nullptr || buffer[0] == 0) return FALSE;
  const std::u16string_view name = View(buffer);
  if (name.size() >= MAX_PATH) return FALSE;
  if (name.size() >= 2 && name[1] == u':') return TRUE;
  // A name relative to the driver directory stays inside it.
  const std::u16string path = InDriverDirectory(ucb, name);
  if (!HasPlainParts(path)) return FALSE;
  return !path.empty() && storage::CopyOut(buffer, MAX_PATH, path) > 0;
}
#endif
