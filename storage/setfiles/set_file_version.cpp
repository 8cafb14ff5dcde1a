// The version keys of a set file: written before the settings, checked
// before a read takes any of them.
#if !KESM_KERNEL_MODE
#include <array>
#include <charconv>
#include <string>

#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "storage/ini/ini_script.h"
#include "storage/ini/profile.h"
#include "storage/setfiles/storage_services.h"
#include "storage/install/devmode_upgrade.h"
#include "storage/setfiles/set_file.h"

namespace {

constexpr const WCHAR* kKeyVersion = u"RstVersion";
constexpr const WCHAR* kKeyMachine = u"RstMachine";
constexpr const WCHAR* kKeyLanguage = u"RstLanguage";
constexpr const WCHAR* kKeyOSKind = u"RstOSKind";
constexpr INT kAbsent = 0xFFFF;
constexpr WORD kFuncLanguage = 169;
constexpr WORD kFuncOSKind = 608;
constexpr DWORD kMessageVersionMismatch = 10023;
// Files before this version are not converted but started over.
constexpr DWORD kFirstConvertibleVersion = 300;

// Flags of the stores whose sections carry "RstVersion" alone (watermark,
// free size) or none (source free size, batch install).
constexpr DWORD kVersionOnlyFlags = kSetFileWatermark | kSetFileFreeSize;
constexpr DWORD kEntryFlags = kVersionOnlyFlags | kSetFileSourceFreeSize | kSetFileBatchInstall;

const DP& Model(const UCB* ucb) { return ucb->pDP != nullptr ? *ucb->pDP : fgDP; }

std::u16string Decimal(LONG_PTR value) {
  std::array<char, 24> text{};
  const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return std::u16string(static_cast<const char*>(text.data()), end);
}

INT ReadKey(LPCWSTR key, LPCSTR sectionText) {
  LONG position = 0;
  return GetScriptInt(key, kAbsent, sectionText, &position);
}

// A file of the same major version and an older minor one has its values
// converted; one of a newer minor version, or of this one, is taken as it
// is.
bool NeedsConversion(DWORD fileVersion, DWORD current) {
  return fileVersion >= kFirstConvertibleVersion && current >= kFirstConvertibleVersion &&
         IsUpgradeVersionCheck(fileVersion, current) == 1;
}

}  // namespace

BOOL IsValidRstVersion(DWORD a, DWORD b) {
  return static_cast<WORD>(a) / kSetFileHundreds == static_cast<WORD>(b) / kSetFileHundreds;
}

BOOL WriteSetFileVerInfo(LPCWSTR path, SetFileScript* script, UCB* ucb, LPCWSTR section,
                         BOOL onlyVersion) {
  if (ucb == nullptr) return FALSE;
  const DP& model = Model(ucb);
  const std::array<std::pair<LPCWSTR, LONG_PTR>, 4> keys = {{
      {kKeyVersion, static_cast<LONG_PTR>(model.dwSetFileVersion)},
      {kKeyMachine, model.bMachineID},
      {kKeyLanguage, GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr)},
      {kKeyOSKind, GetDevmodeValueDirectByFuncID(ucb, kFuncOSKind, nullptr)},
  }};
  const std::size_t count = onlyVersion ? 1 : keys.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::u16string text = Decimal(keys[i].second);
    const BOOL written =
        script != nullptr
            ? WriteScriptString(&script->position, keys[i].first, text.c_str(), script->buffer, script->size)
            : KM_UM_WritePrivateProfileString(section, keys[i].first, text.c_str(), path);
    if (!written) return FALSE;
  }
  return TRUE;
}

BOOL CheckRstVersion(LPCWSTR path, LPCWSTR section, DWORD flags, BOOL alertAllowed, UCB* ucb,
                     LPCSTR sectionText, SetFileScript* script, BOOL byHundreds, WORD* convertFrom) {
  if (convertFrom != nullptr) *convertFrom = 0;
  if (ucb == nullptr) return FALSE;
  const bool read = (flags & kSetFileRead) != 0;
  const bool write = (flags & kSetFileWrite) != 0;
  const bool entry = (flags & kEntryFlags) != 0;
  if (entry && (flags & kVersionOnlyFlags) == 0) return TRUE;
  if ((flags & kSetFileInstall) != 0 || !read) {
    return !write || WriteSetFileVerInfo(path, script, ucb, section, entry);
  }
  const DP& model = Model(ucb);
  const INT version = ReadKey(kKeyVersion, sectionText);
  if (entry) {
    // A watermark or free size without a version is taken as it is.
    if (version == kAbsent) return TRUE;
  } else {
    const INT machine = ReadKey(kKeyMachine, sectionText);
    const INT language = ReadKey(kKeyLanguage, sectionText);
    const auto languageNow = static_cast<WORD>(GetDevmodeValueDirectByFuncID(ucb, kFuncLanguage, nullptr));
    const bool versionMatches = byHundreds ? IsValidRstVersion(static_cast<DWORD>(version), model.dwSetFileVersion)
                                           : static_cast<DWORD>(version) == model.dwSetFileVersion;
    if (version == kAbsent || machine == kAbsent || language == kAbsent || machine != model.bMachineID ||
        static_cast<WORD>(language) != languageNow || !versionMatches) {
      if (alertAllowed && (flags & kSetFileQuality) == 0) {
        storage::ShowStorageMessage(ucb, kMessageVersionMismatch, path);
      }
      return FALSE;
    }
  }
  if (convertFrom != nullptr && version > 0 && NeedsConversion(static_cast<DWORD>(version), model.dwPrivVersion)) {
    *convertFrom = static_cast<WORD>(version);
  }
  return TRUE;
}

DWORD GetOSKindFromRSD(LPCWSTR path, UCB* ucb) {
  LPCWSTR section = GetPrinterName(ucb);
  if (section == nullptr || path == nullptr) return kAbsent;
  return KM_UM_GetPrivateProfileInt(section, kKeyOSKind, kAbsent, path);
}
#endif
