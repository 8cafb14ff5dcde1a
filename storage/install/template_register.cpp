#if !KESM_KERNEL_MODE
#include "storage/install/template_register.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile/winprofile.h"
#include "platform/text/wintext.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "storage/files/text_out.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/section_names.h"
#include "storage/install/install_ini.h"
#include "storage/install/template_conditions.h"
#include "storage/setfiles/set_file.h"
#include "storage/stores/preset_store.h"
#include "storage/stores/store_ini.h"

namespace {

constexpr const WCHAR* kNoName = u"NoName";
constexpr const WCHAR* kKeyQualityCount = u"QualityCount";
constexpr const WCHAR* kKeyReadonly = u"Readonly";
constexpr const WCHAR* kKeyVersion = u"RstVersion";
constexpr const WCHAR* kCopiedSections[] = {u"condition", u"disable"};
constexpr WORD kFuncPresetName = 762;
constexpr WORD kFuncPresetComment = 763;
constexpr INT kAbsent = 0x7FFF;

std::u16string Text(LPCWSTR text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

std::u16string QualityKey(int n, int part) {
  std::array<WCHAR, storage::kStoreKeyChars> key{};
  return MakeQualityKeyEx(key.data(), n, part);
}

}  // namespace

BOOL SetPresetIconToIni(LPCWSTR file, LPCWSTR setFile, LPCWSTR name, LPCWSTR comment, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return TRUE;
  if ((flags & kPresetIconChecked) != 0 &&
      (!IsValidEnablePresetIcon(file, ucb) || !IsValidConditionPresetIcon(file, ucb))) {
    return TRUE;
  }
  const std::u16string heldName = storage::SettingText(ucb, kFuncPresetName);
  const std::u16string heldComment = storage::SettingText(ucb, kFuncPresetComment);
  std::u16string useName;
  std::u16string useComment;
  if (name == nullptr || comment == nullptr) {
    useName = heldName;
    useComment = heldComment;
  } else if (name[0] != 0) {
    useName = name;
    useComment = comment[0] != 0 ? Text(comment) : heldComment;
  } else {
    useName = comment[0] != 0 ? heldName : std::u16string();
    useComment = comment;
  }
  if (useName.empty()) useName = kNoName;
  AddPresetData(ucb, setFile, useName.c_str(), useComment.c_str());
  return TRUE;
}

BOOL SetQualityToIni(LPCWSTR /*file*/, LPCWSTR setFile, LPCWSTR name, int /*index*/, UCB* ucb) {
  if (ucb == nullptr || setFile == nullptr) return TRUE;
  AddQualityData(ucb, setFile, name != nullptr && name[0] != 0 ? name : kNoName);
  return TRUE;
}

BOOL AddQualityData(UCB* ucb, LPCWSTR path, LPCWSTR name) {
  if (ucb == nullptr || path == nullptr) return FALSE;
  LPCWSTR section = GetQualitySectionName(ucb);
  LPCWSTR ini = storage::SettingsIniOf(ucb);
  const int n = ReadQualityCount(ucb);
  return storage::WriteStoreText(section, QualityKey(n, 0).c_str(), path, ini) &&
         storage::WriteStoreText(section, QualityKey(n, 1).c_str(), name != nullptr ? name : u"", ini) &&
         storage::WriteStoreNumber(section, kKeyQualityCount, n + 1, ini);
}

BOOL ResetQualityData(UCB* ucb) {
  if (ucb == nullptr) return FALSE;
  return storage::WriteStoreText(GetQualitySectionName(ucb), kKeyQualityCount, u"0", storage::SettingsIniOf(ucb));
}

LPWSTR MakeQualityKeyEx(LPWSTR buffer, int n, int part) {
  if (buffer == nullptr) return nullptr;
  wnsprintfW(buffer, storage::kStoreKeyChars, u"QualityList%d%s", n, part == 1 ? u"Name" : u"");
  return buffer;
}

BOOL GetStringFromFile(LPCWSTR file, LPCWSTR section, LPCWSTR key, LPWSTR buffer) {
  if (buffer == nullptr) return FALSE;
  buffer[0] = 0;
  const std::optional<std::u16string> value = storage::ReadWholeValue(section, key, file, MAX_PATH - 1);
  return value.has_value() && storage::CopyOut(buffer, MAX_PATH, *value) == value->size();
}

BOOL GetQualityNameFromFile(LPCWSTR file, LPCWSTR section, LPWSTR buffer) {
  GetStringFromFile(file, section, u"qualityname", buffer);
  return 0;
}

BOOL IsExistPrinterNameSection(LPCWSTR file, UCB* ucb) {
  const std::optional<std::u16string> version = storage::ReadWholeValue(GetPrinterName(ucb), kKeyVersion, file, 16);
  return version.has_value() && !version->empty();
}

BOOL IsCompleteFromFile(LPCWSTR file, LPCWSTR section, LPCWSTR key) {
  const UINT value = storage::ReadIniInt(section, key, kAbsent, file);
  return value != kAbsent && value != 0;
}

BOOL ReCreateRstFile(LPCWSTR target, LPCWSTR templateFile, DWORD flags, UCB* ucb) {
  if (ucb == nullptr || ucb->pDCB == nullptr || target == nullptr || templateFile == nullptr) return FALSE;
  // Everything is read before the target is touched.
  std::vector<std::vector<WCHAR>> sections;
  for (LPCWSTR name : kCopiedSections) {
    std::optional<std::vector<WCHAR>> lines = storage::ReadWholeSection(name, templateFile, kTemplateSectionChars);
    if (!lines.has_value()) return FALSE;
    sections.push_back(std::move(*lines));
  }
  // A template without its settings section would give the target the
  // context's own settings.
  {
    const storage::IniImage image(ReadIniOpen(templateFile, 0));
    if (image == nullptr || GetSectionAddr(GetDriverName(ucb), image.get()) == nullptr) return FALSE;
  }
  const std::optional<std::u16string> readonly =
      storage::ReadWholeValue(GetDriverName(ucb), kKeyReadonly, templateFile, 16);
  const storage::SettingsCopy settings(ucb);
  if (!settings.ok()) return FALSE;
  BOOL done = ReadSetFile(ucb->hPrinter, templateFile, flags | kSetFileInstall, ucb);
  if (done) {
    for (std::size_t i = 0; i < sections.size(); ++i) {
      WritePrivateProfileStringW(kCopiedSections[i], nullptr, nullptr, target);
      if (sections[i][0] != 0) WritePrivateProfileSectionW(kCopiedSections[i], sections[i].data(), target);
    }
    done = WriteSetFile(ucb->hPrinter, target, flags | kSetFileInstall, ucb);
    if (done && readonly.has_value() && !readonly->empty()) {
      storage::WriteStoreText(GetPrinterName(ucb), kKeyReadonly, readonly->c_str(), target);
    }
  }
  settings.Restore();
  return done;
}
#endif
