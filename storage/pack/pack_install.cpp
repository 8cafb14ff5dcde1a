// A pack at install: containers split into their files, and the deletion
// of an exported package.
#include "storage/pack/pack_files.h"

#if !KESM_KERNEL_MODE
#include <array>
#include <string>

#include "platform/files/winfile.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/known_dirs.h"
#include "storage/files/text_out.h"
#include "storage/ini/section_names.h"
#include "storage/install/default_rst.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_names.h"
#include "storage/install/template_register.h"
#include "storage/pack/pack_common.h"
#include "storage/stores/store_ini.h"

namespace {

// A container's sections are copied up to this size.
constexpr DWORD kContainerSectionChars = 30720;

struct ListKeys {
  LPCWSTR count;
  LPCWSTR entry;
  bool withConditions;  // "condition" and "disable" sections too
};
constexpr ListKeys kTemplates = {u"NumDeficonfiles", u"Deficonfiles", true};
constexpr ListKeys kQualities = {u"NumDefqualityfiles", u"Defqualityfiles", false};

// Entry n of the list resolved into a path the driver may write; empty when
// it is missing or not acceptable.
std::u16string Entry(LPCWSTR rsb, LPCWSTR section, const ListKeys& keys, UINT n, UCB* ucb) {
  const std::u16string key = keys.entry + storage::DecimalText(static_cast<LONG>(n));
  const auto name = storage::ReadWholeValue(section, key.c_str(), rsb, MAX_PATH - 1);
  std::array<WCHAR, MAX_PATH> path{};
  if (!name || name->empty() || storage::CopyOut(path.data(), MAX_PATH, *name) == 0 ||
      !IsAvailablePresetIconFileName(path.data(), MAX_PATH, ucb) || !IsPathInDriverFolders(path.data(), ucb)) {
    return {};
  }
  return path.data();
}

void Separate(LPCWSTR rsb, const ListKeys& keys, UCB* ucb) {
  LPCWSTR section = GetBatchInstallSectionName(ucb);
  const std::u16string container = Entry(rsb, section, keys, 0, ucb);
  if (container.empty() || !_IsFileExist(container.c_str())) return;
  const UINT count = storage::ReadIniInt(section, keys.count, 0, rsb);
  for (UINT n = 1; n <= count && n < 0xFFFF; ++n) {
    const std::u16string file = Entry(rsb, section, keys, n, ucb);
    if (file.empty()) continue;
    const std::u16string name = GetFileNamePtr(file.c_str());
    if (keys.withConditions) {
      for (LPCWSTR part : {u"condition", u"disable"}) {
        pack::CopySection((part + name).c_str(), container.c_str(), part, file.c_str(), kContainerSectionChars);
      }
    }
    pack::CopySection((std::u16string(section) + name).c_str(), container.c_str(), section, file.c_str(),
                      kContainerSectionChars);
  }
}

// The folder is a package folder: directly below the package root.
bool IsPackageFolder(const std::u16string& folder, const std::u16string& root) {
  if (root.empty() || folder.size() <= root.size() + 1 || folder[root.size()] != u'\\' ||
      !storage::SameTextIgnoringCase(std::u16string_view(folder).substr(0, root.size()), root)) {
    return false;
  }
  std::u16string_view name = std::u16string_view(folder).substr(root.size() + 1);
  // Windows drops a name's trailing dots and blanks, so ".. " or "..."
  // may name a folder above the package.
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
  return !name.empty() && name.find_first_of(u"\\/:*?\"<>|") == std::u16string_view::npos;
}

}  // namespace

BOOL SeparateRSXFiles(UCB* ucb) {
  if (ucb == nullptr || ucb->pWork == nullptr) return FALSE;
  std::array<WCHAR, MAX_PATH + 1> rsb{};
  if (!GetDefaultRstFileNameFromIni(rsb.data(), ucb) || !GetDefaultRstFilePath(rsb.data(), nullptr, ucb) ||
      !_IsFileExist(rsb.data())) {
    return TRUE;
  }
  Separate(rsb.data(), kTemplates, ucb);
  Separate(rsb.data(), kQualities, ucb);
  return TRUE;
}

BOOL CopyIniSection(LPCWSTR section, LPCWSTR destination, LPCWSTR source) {
  if (section == nullptr || destination == nullptr || source == nullptr) return FALSE;
  const auto value = storage::ReadWholeValue(section, u"TALVOINFO", source, MAX_PATH - 1);
  return value && storage::WriteStoreText(section, u"TALVOINFO", value->c_str(), destination);
}

BOOL DeletePackInstallFiles(LPCWSTR path) {
  const std::u16string folder = pack::FolderOf(storage::View(path));
  if (folder.empty()) return FALSE;
  const BOOL listed = storage::ForEachFolderEntry(folder.c_str(), [](const std::u16string& entry, bool isFolder) {
    if (!isFolder) _DeleteFile(entry.c_str());
  });
  return listed && RemoveDirectoryW(folder.c_str());
}

BOOL DeletePackInstall(LPCWSTR path, UCB* ucb) {
  std::array<WCHAR, MAX_PATH> list{};
  if (path == nullptr || ucb == nullptr || !MakeBatchUseFileName(list.data(), path, u"lst", nullptr) ||
      !_IsFileExist(list.data())) {
    return TRUE;
  }
  const auto rsb = storage::ReadWholeValue(kScenarioSection, u"DefaultRst", list.data(), MAX_PATH - 1);
  // The list file is input: its folder is deleted only when it is a
  // package folder of this printer's package root.
  if (rsb && IsPackageFolder(pack::FolderOf(*rsb), pack::PackRoot(ucb->hPrinter))) {
    DeletePackInstallFiles(rsb->c_str());
  }
  _DeleteFile(list.data());
  return TRUE;
}
#endif
