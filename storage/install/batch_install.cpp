// The preset templates and quality sets of a default set file.
#if !KESM_KERNEL_MODE
#include "storage/install/batch_install.h"

#include <array>
#include <optional>
#include <string>

#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/file_copy.h"
#include "storage/files/file_helpers.h"
#include "storage/files/file_names.h"
#include "storage/files/text_out.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/section_names.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_conditions.h"
#include "storage/install/template_names.h"
#include "storage/install/template_register.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"

namespace {

struct ListKeys {
  LPCWSTR count;
  LPCWSTR entry;
  LPCWSTR done;
  DWORD setFileFlags;  // the settings a driver-use file of the list holds
};
constexpr ListKeys kPresets = {u"NumDeficonfiles", u"Deficonfiles%u", u"DrvInstPresetDone", kSetFilePreset};
constexpr ListKeys kQualities = {u"NumDefqualityfiles", u"Defqualityfiles%u", u"DrvInstQualityDone", kSetFileQuality};
// Presets are told apart by this many characters of their file names.
constexpr std::size_t kListNameChars = 8;

struct Template {
  std::array<WCHAR, MAX_PATH> file{};       // the template, resolved
  std::array<WCHAR, MAX_PATH> driverUse{};  // its driver-use copy
};

DWORD ListCount(LPCWSTR setFile, LPCWSTR section, const ListKeys& keys) {
  const UINT count = storage::ReadIniInt(section, keys.count, 0, setFile);
  return count < kTemplateListMax ? count : kTemplateListMax;
}

// Entry j of the list, resolved; false for a name that is missing, cannot
// be resolved or would lead outside the driver's folders.
bool Resolve(LPCWSTR setFile, LPCWSTR section, const ListKeys& keys, DWORD j, UCB* ucb, Template& t) {
  std::array<WCHAR, 32> key{};
  wnsprintfW(key.data(), static_cast<int>(key.size()), keys.entry, j);
  const std::optional<std::u16string> name = storage::ReadWholeValue(section, key.data(), setFile, MAX_PATH - 1);
  if (!name.has_value() || name->empty() || storage::CopyOut(t.file.data(), MAX_PATH, *name) == 0) return false;
  return IsAvailablePresetIconFileName(t.file.data(), MAX_PATH, ucb) && IsPathInDriverFolders(t.file.data(), ucb) &&
         MakeDriverUsePresetIconFileName(t.driverUse.data(), t.file.data(), MAX_PATH, ucb) &&
         IsValidPresetIcon(t.driverUse.data(), ucb);
}

// Flag kBatchCopy: the template from the driver directory to where it is
// named, then its driver-use copy. False when a driver-install run could
// not do it.
bool CopyFiles(const Template& t, DWORD flags, const ListKeys& keys, UCB* ucb) {
  if ((flags & kBatchCopy) == 0) return true;
  const bool drvInst = (flags & kBatchDrvInst) != 0;
  // A target that is already up to date is not copied again.
  const auto copy = [&] {
    return CopyFileToOrderDirFromDriverDir(t.file.data(), nullptr, kCopyRefresh, ucb) || _IsFileExist(t.file.data());
  };
  bool ok = copy() || (drvInst && copy());
  const bool exists = _IsFileExist(t.driverUse.data());
  const bool recreate = exists ? !IsExistPrinterNameSection(t.driverUse.data(), ucb) || (flags & kBatchKeepFiles) == 0
                               : drvInst;
  if (ok && recreate) ok = ReCreateRstFile(t.driverUse.data(), t.file.data(), keys.setFileFlags, ucb) != FALSE;
  return ok || !drvInst;
}

bool SameListName(LPCWSTR a, LPCWSTR b) {
  std::u16string left(storage::View(GetFileNamePtr(a)).substr(0, kListNameChars));
  std::u16string right(storage::View(GetFileNamePtr(b)).substr(0, kListNameChars));
  return lstrcmpiW(left.c_str(), right.c_str()) == 0;
}

bool IsListed(const PRESETREFRESHLIST& list, LPCWSTR path) {
  for (int i = 0; i < list.count; ++i) {
    if (SameListName(list.entries[i].szPath, path)) return true;
  }
  return false;
}

// The driver-use file was written by this driver version: its printer
// section's version keys match exactly.
bool IsCurrentVersion(LPCWSTR path, UCB* ucb) {
  const storage::IniImage image(ReadIniOpen(path, 0));
  LPCSTR body = image != nullptr ? GetSectionAddr(GetPrinterName(ucb), image.get()) : nullptr;
  return body != nullptr &&
         CheckRstVersion(path, GetPrinterName(ucb), kSetFileRead, FALSE, ucb, body, nullptr, FALSE, nullptr);
}

std::u16string TemplateText(LPCWSTR file, LPCWSTR key, UCB* ucb) {
  return storage::ReadWholeValue(GetRsdSectionName(ucb), key, file, kPresetTextChars - 1).value_or(u"");
}

void Append(PRESETREFRESHLIST& list, const Template& t, const std::u16string& name, const std::u16string& comment) {
  if (list.count >= kPresetListMax) return;
  PRESETREFRESH& entry = list.entries[list.count++];
  entry = PRESETREFRESH{};
  storage::CopyOut(entry.szIconFile, MAX_PATH, storage::View(t.file.data()));
  storage::CopyOut(entry.szPath, MAX_PATH, storage::View(t.driverUse.data()));
  storage::CopyOut(entry.szName, kPresetTextChars, name.empty() ? std::u16string_view(u"NoName") : name);
  storage::CopyOut(entry.szComment, kPresetTextChars, comment);
}

// Flag kBatchEnter for one preset template: true when it was entered.
bool EnterPreset(const Template& t, DWORD j, DWORD flags, UCB* ucb, PRESETREFRESHLIST* list) {
  const bool refresh = (flags & kBatchRefresh) != 0;
  const bool enabled = IsValidEnablePresetIcon(t.file.data(), ucb) != FALSE;
  bool enter = enabled;
  if ((flags & kBatchChecked) != 0) {
    const bool applies = enabled && IsValidConditionPresetIcon(t.file.data(), ucb);
    enter = (flags & kBatchDrvInst) != 0 ? applies
                                         : applies && refresh && j != 1 && !IsListed(*list, t.driverUse.data());
    if (enter && refresh && (flags & kBatchDrvInst) == 0 && !IsCurrentVersion(t.driverUse.data(), ucb)) {
      ReCreateRstFile(t.driverUse.data(), t.file.data(), kSetFilePreset, ucb);
    }
  }
  if (!enter) return false;
  const std::u16string name = TemplateText(t.file.data(), u"setname", ucb);
  const std::u16string comment = TemplateText(t.file.data(), u"setcomment", ucb);
  if (refresh) {
    Append(*list, t, name, comment);
  } else {
    SetPresetIconToIni(t.file.data(), t.driverUse.data(), name.c_str(), comment.c_str(), 0, ucb);
  }
  return true;
}

// A driver-install run that succeeded marks the set file, which must be an
// existing file of the driver's folders.
void MarkDone(LPCWSTR setFile, LPCWSTR section, DWORD flags, bool ok, const ListKeys& keys, UCB* ucb) {
  if ((flags & kBatchDrvInst) == 0 || !ok || !_IsFileExist(setFile) || !IsPathInDriverFolders(setFile, ucb)) return;
  storage::WriteStoreText(section, keys.done, u"1", setFile);
}

}  // namespace

BOOL BatchInstallForPreset(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb, PRESETREFRESHLIST* list) {
  if (ucb == nullptr || setFile == nullptr || section == nullptr) return FALSE;
  const bool refresh = (flags & kBatchRefresh) != 0;
  if (refresh && list == nullptr) return FALSE;
  const bool keepList = refresh || ((flags & kBatchDrvInst) != 0 && (flags & kBatchChecked) != 0);
  if ((flags & kBatchEnter) != 0 && !keepList) ResetPresetData(ucb);
  const auto listed = [&] { return refresh ? list->count : ReadPresetCount(ucb); };
  if (listed() >= kPresetListMax) return TRUE;
  const DWORD count = ListCount(setFile, section, kPresets);
  bool ok = true;
  for (DWORD j = 1; j <= count; ++j) {
    Template t;
    if (!Resolve(setFile, section, kPresets, j, ucb, t)) continue;
    ok = CopyFiles(t, flags, kPresets, ucb) && ok;
    // A template that is not there gives no preset.
    if ((flags & kBatchEnter) != 0 && _IsFileExist(t.file.data())) {
      const bool entered = EnterPreset(t, j, flags, ucb, list);
      if ((flags & kBatchRecreate) != 0) ReCreateRstFile(t.driverUse.data(), t.file.data(), kSetFilePreset, ucb);
      if (entered && listed() >= kPresetListMax) break;
    }
    if ((flags & kBatchDelete) != 0) _DeleteFile(t.driverUse.data());
  }
  MarkDone(setFile, section, flags, ok, kPresets, ucb);
  return ok;
}

BOOL BatchInstallForQuality(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr || section == nullptr) return FALSE;
  const bool enter = (flags & kBatchEnter) != 0;
  if (enter && (flags & kBatchRefresh) == 0) ResetQualityData(ucb);
  const DWORD count = ListCount(setFile, section, kQualities);
  bool ok = true;
  for (DWORD j = 1; j <= count; ++j) {
    Template t;
    if (!Resolve(setFile, section, kQualities, j, ucb, t)) continue;
    ok = CopyFiles(t, flags, kQualities, ucb) && ok;
    if (enter && _IsFileExist(t.file.data()) && ReadQualityCount(ucb) < kQualitySetsMax) {
      std::array<WCHAR, MAX_PATH> name{};
      GetQualityNameFromFile(t.file.data(), GetRsdSectionName(ucb), name.data());
      SetQualityToIni(t.file.data(), t.driverUse.data(), name.data(), static_cast<int>(j), ucb);
    }
    if ((flags & kBatchRecreate) != 0) ReCreateRstFile(t.driverUse.data(), t.file.data(), kSetFileQuality, ucb);
    if ((flags & kBatchDelete) != 0) _DeleteFile(t.driverUse.data());
  }
  MarkDone(setFile, section, flags, ok, kQualities, ucb);
  return ok;
}

BOOL BatchInstallProc(LPCWSTR setFile, LPCWSTR section, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return FALSE;
  ReadSetFilePrnInfo(setFile, kSetFileBatchInstall, ucb);
  const BOOL presets = BatchInstallForPreset(setFile, section, flags | kBatchEnter, ucb, nullptr);
  const BOOL qualities = BatchInstallForQuality(setFile, section, flags | kBatchEnter, ucb);
  return presets && qualities;
}
#endif
